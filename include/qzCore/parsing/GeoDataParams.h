// The values of one record as a user typed them, and which of them changed.
#ifndef QZCORE_PARSING_GEODATAPARAMS_H
#define QZCORE_PARSING_GEODATAPARAMS_H

#include "qzCore/Export.h"

#include <array>
#include <cstdint>
#include <list>
#include <string>

#include "qzCore/parsing/GDTypes.h"

namespace qzCore {

/// Three texts of a universal-stage entry, carried along unread.
class QZCORE_EXPORT UStageParams {
public:
    using Field = std::array<char, 6>;
    UStageParams() = default;
    std::array<Field, 3>& fields() { return m_fields; }
    const std::array<Field, 3>& fields() const { return m_fields; }

private:
    std::array<Field, 3> m_fields{};
};

/// Which fields of a GeoDataParams the user changed (bits below).
class QZCORE_EXPORT GeoDataChanged {
public:
    static constexpr std::uint32_t Strike = 0x1, Dip = 0x2, Rake = 0x4, Trend = 0x8, Plunge = 0x10;
    static constexpr std::uint32_t Kind = 0x40, X = 0x80, Y = 0x100, Z = 0x200, MD = 0x400, Station = 0x800;
    static constexpr std::uint32_t Comment = 0x1000, Attributes = 0x2000;

    GeoDataChanged() = default;
    explicit GeoDataChanged(std::uint32_t mask) : m_mask(mask) {}
    std::uint32_t getMask() const { return m_mask; }
    void setMask(std::uint32_t m) { m_mask = m; }
    void set(std::uint32_t bits) { m_mask |= bits; }
    bool isSet(std::uint32_t bits) const { return (m_mask & bits) != 0; }

private:
    std::uint32_t m_mask = 0;
};

/// One record as text.  Angle fields hold at most 5 characters, location,
/// depth and station fields 15, the comment 127; longer texts are refused
/// by the setters (which then return false and keep the old text).
class QZCORE_EXPORT GeoDataParams {
public:
    static constexpr std::size_t Short_Field = 6;
    static constexpr std::size_t Long_Field = 16;
    static constexpr std::size_t Comment_Field = 128;

    GeoDataParams() { reset(); }
    /// @param ustage the entry is a universal-stage measurement.
    explicit GeoDataParams(bool ustage) : GeoDataParams() { m_isUStage = ustage; }
    virtual ~GeoDataParams() = default;
    GeoDataParams(const GeoDataParams&) = default;
    GeoDataParams& operator=(const GeoDataParams&) = default;

    char getGDType() const { return m_type; }
    void setGDType(char t) { m_type = t; }
    char getSlipType() const { return m_slip; }
    void setSlipType(char s) { m_slip = s; }

    const char* getStrike() const { return m_strike.data(); }
    const char* getDip() const { return m_dip.data(); }
    const char* getRake() const { return m_rake.data(); }
    const char* getTrend() const { return m_trend.data(); }
    const char* getPlunge() const { return m_plunge.data(); }
    const char* getConfidence() const { return m_confidence.data(); }
    const char* getX() const { return m_x.data(); }
    const char* getY() const { return m_y.data(); }
    const char* getZ() const { return m_z.data(); }
    const char* getMD() const { return m_md.data(); }
    const char* getStationId() const { return m_station.data(); }
    const char* getComment() const { return m_comment.data(); }
    bool setStrike(const char* t) { return copy(m_strike, t); }
    bool setDip(const char* t) { return copy(m_dip, t); }
    bool setRake(const char* t) { return copy(m_rake, t); }
    bool setTrend(const char* t) { return copy(m_trend, t); }
    bool setPlunge(const char* t) { return copy(m_plunge, t); }
    bool setConfidence(const char* t) { return copy(m_confidence, t); }
    bool setX(const char* t) { return copy(m_x, t); }
    bool setY(const char* t) { return copy(m_y, t); }
    bool setZ(const char* t) { return copy(m_z, t); }
    bool setMD(const char* t) { return copy(m_md, t); }
    bool setStationId(const char* t) { return copy(m_station, t); }
    bool setComment(const char* t) { return copy(m_comment, t); }

    bool getIsUStageEntry() const { return m_isUStage; }
    UStageParams& getUStageParams() { return m_ustage; }
    const UStageParams& getUStageParams() const { return m_ustage; }

protected:
    /// Every field to its default: kind 99, no slip, empty texts.
    void reset();

private:
    template <std::size_t N>
    static bool copy(std::array<char, N>& to, const char* from) {
        if (!from) return false;
        std::size_t n = 0;
        while (n < N && from[n]) ++n;
        if (n >= N) return false;
        to.fill('\0');
        for (std::size_t i = 0; i < n; ++i) to[i] = from[i];
        return true;
    }

    char m_type = GDTypes::GDType_Null;
    char m_slip = GDSlipTypes::GDSlipType_NoSlip;
    int m_int = 3;
    std::list<int> m_list1;
    std::list<int> m_list2;
    std::array<char, Short_Field> m_strike{}, m_dip{}, m_rake{}, m_trend{}, m_plunge{}, m_sixth{}, m_confidence{};
    std::array<char, Long_Field> m_x{}, m_y{}, m_z{}, m_md{}, m_station{};
    std::array<char, Comment_Field> m_comment{};
    UStageParams m_ustage;
    bool m_isUStage = false;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_GEODATAPARAMS_H
