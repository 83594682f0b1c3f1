// The transfer records of one row: its text tokens (TokenStruct) and its
// parsed values (DataStruct), and the fields common to every record.
//
// Angles are whole degrees; -1 marks an absent angle.  An absent coordinate
// or measured depth holds No_Value_Double, the smallest positive normalised
// double.  Station index -1 means no station; only 0 to 127 address one.
#ifndef QZCORE_PARSING_DATASTRUCT_H
#define QZCORE_PARSING_DATASTRUCT_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <limits>
#include <memory>
#include <optional>
#include <string>

#include "qzCore/parsing/GDTypes.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

class GeoDataChanged;
class GeoDataParams;

/// The value that marks an absent coordinate or measured depth
/// (2.2250738585072014e-308).
inline constexpr double No_Value_Double = std::numeric_limits<double>::min();

/// Length of a text, reading at most `max` characters (token texts are a
/// few characters long: a plain loop beats a library call here).
inline std::size_t boundedLength(const char* text, std::size_t max) {
    std::size_t n = 0;
    while (n < max && text[n] != '\0') ++n;
    return n;
}

/// Number of attribute slots of a dataset (bits of the attribute mask).
inline constexpr int Max_Num_Attributes = 32;

/// The fields every record has beside its angles: attribute mask, flag
/// word, kind, station index, location and measured depth.
class QZCORE_EXPORT GDCommonFields {
public:
    GDCommonFields() = default;
    GDCommonFields(const GDCommonFields& o);
    GDCommonFields& operator=(const GDCommonFields& o);
    GDCommonFields(GDCommonFields&&) noexcept = default;
    GDCommonFields& operator=(GDCommonFields&&) noexcept = default;

    // Attributes: bit i stands for slot i (0..31) of the dataset's table.
    std::uint32_t getAttributes() const { return m_attributes; }
    /// Sets the mask and the has-attribute flag (set exactly when the mask is not 0).
    void setAttributes(std::uint32_t mask);
    /// False for an index outside 0..31.
    bool hasAttribute_FromIndex(int index) const;
    /// True when any bit of `mask` is set in the record's mask.
    bool hasAttribute_FromMask(std::uint32_t mask) const { return (m_attributes & mask) != 0; }
    /// Sets bit `index` (0..31; others are ignored, returning false).
    bool linkAttribute_FromIndex(int index);
    bool unlinkAttribute_FromIndex(int index);
    bool hasAttributesLinked() const { return m_attributes != 0; }

    // Flag word (GDFlags).
    unsigned short getGDFlags() const { return m_flags; }
    void setGDFlags(unsigned short flags) { m_flags = flags; }
    /// The comment length held in the flag word (at most 255).
    std::size_t getCommentSize() const;
    /// Stores a comment length (GDFlags::withCommentSize).
    void setCommentSize(std::size_t length) { m_flags = GDFlags::withCommentSize(m_flags, length); }
    bool hasCWSlip() const { return (m_flags & GDFlags::GDFlag_Has_CWSlip) != 0; }
    bool hasCCWSlip() const { return (m_flags & GDFlags::GDFlag_Has_CCWSlip) != 0; }
    bool hasSlipInStrikeDirection() const { return (m_flags & GDFlags::GDFlag_SlipInStrikeDir) != 0; }
    bool hasSlipFlag() const { return (m_flags & GDFlags::GDFlag_HasSlip) != 0; }

    // Kind.
    char getGDType() const { return m_type; }
    void setGDType(char type) { m_type = type; }

    // Station.
    char getStationIndex() const { return m_station; }
    void setStationIndex(char index) { m_station = index; }
    /// Links the station `index` (0..127): sets the index and the
    /// has-station flag.  A negative index unlinks.
    void linkStation_FromIndex(char index);
    void setHasStation(bool on);
    /// True when the has-station flag is set and the index addresses a
    /// station (0..127).
    bool hasStationIdAttached() const;

    // Location and measured depth.
    double getX() const { return hasLocBlock() ? m_place->loc[0] : No_Value_Double; }
    double getY() const { return hasLocBlock() ? m_place->loc[1] : No_Value_Double; }
    double getZ() const { return hasLocBlock() ? m_place->loc[2] : No_Value_Double; }
    void setX(double v) { setCoord(0, v); }
    void setY(double v) { setCoord(1, v); }
    void setZ(double v) { setCoord(2, v); }
    bool hasX() const { return getX() != No_Value_Double; }
    bool hasY() const { return getY() != No_Value_Double; }
    bool hasZ() const { return getZ() != No_Value_Double; }
    /// True when a location exists and any coordinate is present.
    bool hasLoc() const { return hasLocBlock() && (hasX() || hasY() || hasZ()); }
    /// The location; false (unchanged) when there is none.
    bool getLoc(ThreeDPoint<double>& p) const;
    void setLoc(const ThreeDPoint<double>& p);
    void clearLoc();
    double md() const { return m_place ? m_place->md : No_Value_Double; }
    void setMD(double v);
    bool hasMD() const { return md() != No_Value_Double; }

protected:
    void resetCommon();
    bool commonEqual(const GDCommonFields& o) const;

private:
    /// Where a record was measured: its location and measured depth, held
    /// apart because most field records have neither (a record without
    /// them is 8 bytes smaller).  `located` tells a location that was set,
    /// even to absent coordinates, from none.  Taken from the record pool.
    struct Place {
        static void* operator new(std::size_t size);
        static void operator delete(void* block, std::size_t size) noexcept;
        std::array<double, 3> loc{No_Value_Double, No_Value_Double, No_Value_Double};
        double md = No_Value_Double;
        bool located = false;
    };

    void setCoord(int i, double v);
    bool hasLocBlock() const { return m_place && m_place->located; }
    Place& place();

    std::uint32_t m_attributes = 0;
    unsigned short m_flags = 0;
    char m_type = GDTypes::GDType_Null;
    char m_station = -1;
    std::unique_ptr<Place> m_place;
};

/// The parsed values of one record.
class QZCORE_EXPORT DataStruct : public GDCommonFields {
public:
    DataStruct() = default;

    int getStrike() const { return m_strike; }
    int getDip() const { return m_dip; }
    int getRake() const { return m_rake; }
    int getTrend() const { return m_trend; }
    int getPlunge() const { return m_plunge; }
    void setStrike(int v) { m_strike = v; }
    void setDip(int v) { m_dip = v; }
    void setRake(int v) { m_rake = v; }
    void setTrend(int v) { m_trend = v; }
    void setPlunge(int v) { m_plunge = v; }
    bool hasStrike() const { return m_strike != -1; }
    bool hasDip() const { return m_dip != -1; }
    bool hasRake() const { return m_rake != -1; }
    bool hasTrend() const { return m_trend != -1; }
    bool hasPlunge() const { return m_plunge != -1; }

    CONFIDENCE getConfidence() const { return m_confidence; }
    void setConfidence(CONFIDENCE c) { m_confidence = c; }

    char getSlipType() const { return m_slip; }
    /// Sets the slip code; a code other than 0 sets the has-slip flag, 0
    /// clears it together with the three slip-geometry flags.
    void setSlipType(char slip);
    /// The has-slip flag is set and the slip code is not 0.
    bool hasSlip() const { return hasSlipFlag() && m_slip != GDSlipTypes::GDSlipType_NoSlip; }
    /// Clears the clockwise, counter-clockwise and has-slip flags.
    void resetSlipFlags();

    /// Every field to its default; the location is dropped.
    void reset();

    /// Compares every field except the location.
    friend bool operator==(const DataStruct& a, const DataStruct& b);
    friend bool operator!=(const DataStruct& a, const DataStruct& b) { return !(a == b); }

private:
    int m_strike = -1;
    int m_dip = -1;
    int m_rake = -1;
    int m_trend = -1;
    int m_plunge = -1;
    CONFIDENCE m_confidence = Confidence_None;
    char m_slip = GDSlipTypes::GDSlipType_NoSlip;
};

/// The text tokens of one record: at most 5 characters each, and a comment.
class QZCORE_EXPORT TokenStruct {
public:
    /// Buffer size of a token: 5 characters and a terminating NUL.
    static constexpr std::size_t Token_Size = 6;
    using TokenBuffer = std::array<char, Token_Size>;

    /// The tokens, in their stored order.
    enum Token_Id : int {
        Type_Token = 0,
        Strike_Token,
        Dip_Token,
        Rake_Token,
        Trend_Token,
        Plunge_Token,
        Confidence_Token,
        Slip_Token,
        Num_Tokens
    };

    TokenStruct() = default;
    /// The texts of a typed entry (see init).
    explicit TokenStruct(const GeoDataParams& p) { init(p); }

    /// Takes a typed entry: its comment (when not empty), its strike, dip,
    /// rake, trend, plunge and confidence texts, the type letter of its kind
    /// (f fault, l line, p plane, m marker, w well dip, s special; none for
    /// other kinds) and the keyword of a non-zero slip type.
    void init(const GeoDataParams& p);
    /// With a change mask, copies from `other` the tokens whose bits are set
    /// (0x40 type, 0x1 strike, 0x2 dip, 0x4 rake, 0x8 trend, 0x10 plunge);
    /// without one, fills each empty token (type, strike, dip, rake, trend,
    /// plunge, confidence) from `other`.
    void merge(const TokenStruct& other, const GeoDataChanged* changed);

    /// All tokens cleared and the comment removed.
    void reset();
    /// True when the type, strike, dip, rake, trend, plunge and confidence
    /// tokens are all empty.
    bool isEmpty() const;

    const char* get(Token_Id id) const { return m_tokens[std::size_t(id)].data(); }
    bool hasToken(Token_Id id) const { return m_tokens[std::size_t(id)][0] != '\0'; }
    const char* type() const { return get(Type_Token); }
    const char* strike() const { return get(Strike_Token); }
    const char* dip() const { return get(Dip_Token); }
    const char* rake() const { return get(Rake_Token); }
    const char* trend() const { return get(Trend_Token); }
    const char* plunge() const { return get(Plunge_Token); }
    const char* confidence() const { return get(Confidence_Token); }
    const char* slip() const { return get(Slip_Token); }

    /// Decimal text of `value` ("%d"); a value needing more than 5
    /// characters leaves the token unchanged and gives false.
    bool setTokenValue(Token_Id id, int value);
    /// Copies `text` when it is shorter than 6 characters; otherwise (or
    /// for null) leaves the token unchanged and gives false.
    bool setTokenValue(Token_Id id, const char* text);
    void clearToken(Token_Id id) { m_tokens[std::size_t(id)][0] = '\0'; }

    /// Sets the comment; null removes it.
    void setComment(const char* text);
    void setComment(const std::string& text) { m_comment = text; }
    /// Sets the comment only when `text` is not empty.
    void initComment(const char* text);
    /// The comment, or the empty text when there is none.
    const std::string& getComment() const;
    bool hasComment() const { return m_comment.has_value(); }
    void removeComment() { m_comment.reset(); }

    friend bool operator==(const TokenStruct& a, const TokenStruct& b) {
        return a.m_tokens == b.m_tokens && a.m_comment == b.m_comment;
    }
    friend bool operator!=(const TokenStruct& a, const TokenStruct& b) { return !(a == b); }

private:
    std::array<TokenBuffer, Num_Tokens> m_tokens{};
    std::optional<std::string> m_comment;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_DATASTRUCT_H
