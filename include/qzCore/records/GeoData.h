// Orientation records.  A record owns two halves: the data part (numbers,
// codes, flags, location) and the token part (the text of each value and
// the comment).  Copies are deep; nothing is shared between records.
//
// Most rows of a field file are plain whole degrees ("45", "30"): their
// texts say nothing the numbers do not.  A plane or line whose texts are
// exactly its numbers' decimal rendering, and which has no comment, keeps
// no token part until one is asked for (a third of its memory); tokens()
// then makes it from the numbers as they are at that moment.  Texts that
// differ from the rendering ("045", "45.0", "NE") are always kept.
//
// Planes are (strike, dip) by the right-hand rule; lines (trend, plunge)
// downward; a fault is a plane with a slip line (rake and/or trend and
// plunge) and a slip sense.  An angle of -1 is absent.
#ifndef QZCORE_RECORDS_GEODATA_H
#define QZCORE_RECORDS_GEODATA_H

#include "qzCore/Export.h"

#include <atomic>
#include <cstddef>
#include <memory>

#include "qzCore/parsing/CompactStructs.h"
#include "qzCore/parsing/DataStruct.h"

namespace qzCore {

/// The abstract record.
class QZCORE_EXPORT GeoData {
public:
    virtual ~GeoData();
    /// Records and their parts take their memory from the record pool
    /// (src/shared/RecordPool.h, internal): side by side, without a heap header each.
    static void* operator new(std::size_t size);
    static void operator delete(void* block, std::size_t size) noexcept;

    virtual bool isComposite() const { return false; }
    virtual bool isLinear() const { return false; }
    virtual bool isMarker() const { return false; }
    virtual bool isPlanar() const { return false; }
    virtual bool isSpecial() const { return false; }
    /// The data part; null only after free().
    virtual LightweightDataStruct* data() = 0;
    virtual const LightweightDataStruct* data() const = 0;
    /// The token part; null only after free().  A record that keeps none
    /// yet (see the top of this file) makes it here, also through the
    /// const overload; asking from several threads at once is safe.
    virtual LightweightTokenStruct* tokens() = 0;
    virtual const LightweightTokenStruct* tokens() const = 0;
    /// The token part when the record keeps one; otherwise its texts made
    /// into `scratch`, which the record does not keep (for writers and
    /// readers that pass over a whole dataset once).  Null only after
    /// free().
    const LightweightTokenStruct* tokensForReading(std::unique_ptr<LightweightTokenStruct>& scratch) const;
    /// The record keeps a token part (false for one whose texts are made
    /// from its numbers when asked, and after free()).
    bool keepsTokenPart() const { return m_tokens.load(std::memory_order_acquire) != nullptr; }
    /// Replaces the values (parts created when missing); the comment length
    /// of the flag word follows the token part's comment.
    virtual void modifyValues(const DataStruct& d, const TokenStruct& t) = 0;
    /// Rewrites the texts of the values from the numbers.
    virtual void generateTokenValues() = 0;
    /// A deep copy of the same class.
    virtual std::unique_ptr<GeoData> clone() const = 0;

    unsigned int getDataReference() const { return m_dataReference; }
    void setDataReference(unsigned int ref) { m_dataReference = ref; }
    /// The record's kind code (GDTypes), or GDType_Null without a data part.
    char getGDType() const;

    /// Writes the common fields and every present kind-specific value into
    /// `d`; absent values leave `d` as it was.
    void get(DataStruct& d) const;
    /// Writes the present texts and the comment into `t`.
    void get(TokenStruct& t) const;
    /// Sets (or, with null, removes) the comment and keeps the comment
    /// length of the flag word in step with it: a removed comment leaves
    /// length 0 and the has-comment flag clear.
    void setComment(const char* text);

    /// Data reference 0 and both parts dropped.
    void reset();
    /// Deletes both parts.
    void free();

protected:
    GeoData() = default;
    GeoData(const GeoData& o) : m_dataReference(o.m_dataReference) {}
    /// Copies the data reference only.
    GeoData& operator=(const GeoData& o) {
        m_dataReference = o.m_dataReference;
        return *this;
    }
    /// Copies both parts of `o` into this record: a part missing here is
    /// created as a copy, a part missing there is deleted here.
    void assignParts(const GeoData& o);
    /// Sets the comment length of the flag word from the token part.
    void syncCommentSize();
    void setKind(char kind);

    /// The token part, made from the numbers when the record keeps none
    /// and has a data part; null after free().
    LightweightTokenStruct* tokenPart() const;
    /// Replaces the token part (null: none kept).
    void setTokenPart(std::unique_ptr<LightweightTokenStruct> part);
    /// The token part this kind of record makes from its numbers; null for
    /// kinds that always keep theirs.
    virtual std::unique_ptr<LightweightTokenStruct> makeTokenPart() const { return nullptr; }
    /// Sets the values and texts of a record of data form D and token
    /// form T, creating missing parts.  A token part not kept is made
    /// first, from the numbers before the change, as a kept one would
    /// have held them.
    template <typename D, typename T>
    void modifyParts(const DataStruct& d, const TokenStruct& t);

    std::unique_ptr<LightweightDataStruct> m_data;

private:
    // Owned; an atomic pointer so that two threads asking a const record
    // for its texts make them once.
    mutable std::atomic<LightweightTokenStruct*> m_tokens{nullptr};
    unsigned int m_dataReference = 0;
};

/// A planar measurement: strike and dip.
class QZCORE_EXPORT PlaneData : public GeoData {
public:
    PlaneData();
    PlaneData(const TokenStruct& t, const DataStruct& d);
    PlaneData(const PlaneData& o);
    PlaneData& operator=(const PlaneData& o);

    bool isPlanar() const override { return true; }
    PlanarDataStruct* data() override { return static_cast<PlanarDataStruct*>(m_data.get()); }
    const PlanarDataStruct* data() const override { return static_cast<const PlanarDataStruct*>(m_data.get()); }
    PlanarTokenStruct* tokens() override { return static_cast<PlanarTokenStruct*>(tokenPart()); }
    const PlanarTokenStruct* tokens() const override { return static_cast<const PlanarTokenStruct*>(tokenPart()); }
    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    void generateTokenValues() override;
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<PlaneData>(*this); }

protected:
    std::unique_ptr<LightweightTokenStruct> makeTokenPart() const override;
};

/// A linear measurement: trend and plunge.
class QZCORE_EXPORT LineData : public GeoData {
public:
    LineData();
    LineData(const TokenStruct& t, const DataStruct& d);
    LineData(const LineData& o);
    LineData& operator=(const LineData& o);

    bool isLinear() const override { return true; }
    LinearDataStruct* data() override { return static_cast<LinearDataStruct*>(m_data.get()); }
    const LinearDataStruct* data() const override { return static_cast<const LinearDataStruct*>(m_data.get()); }
    LinearTokenStruct* tokens() override { return static_cast<LinearTokenStruct*>(tokenPart()); }
    const LinearTokenStruct* tokens() const override { return static_cast<const LinearTokenStruct*>(tokenPart()); }
    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    void generateTokenValues() override;
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<LineData>(*this); }

protected:
    /// A line record whose kind is left as the data part says.
    struct KeepKind {};
    LineData(const TokenStruct& t, const DataStruct& d, KeepKind);
    std::unique_ptr<LightweightTokenStruct> makeTokenPart() const override;
};

/// A fault: a plane with a slip line and a sense of slip.
class QZCORE_EXPORT FaultData : public GeoData {
public:
    FaultData();
    FaultData(const TokenStruct& t, const DataStruct& d);
    FaultData(const FaultData& o);
    FaultData& operator=(const FaultData& o);

    bool isComposite() const override { return true; }
    CompositeDataStruct* data() override { return static_cast<CompositeDataStruct*>(m_data.get()); }
    const CompositeDataStruct* data() const override {
        return static_cast<const CompositeDataStruct*>(m_data.get());
    }
    CompositeTokenStruct* tokens() override { return static_cast<CompositeTokenStruct*>(tokenPart()); }
    const CompositeTokenStruct* tokens() const override { return static_cast<const CompositeTokenStruct*>(tokenPart()); }
    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    /// Dip and strike as decimal text (an absent one gives "-1"), the rake
    /// (empty when absent) and the slip text; trend and plunge untouched.
    void generateTokenValues() override;
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<FaultData>(*this); }

    /// Rewrites the texts of plunge, rake and trend from the numbers.
    void generateTPTokenValues();
    /// The slip text becomes the label of the slip code when the fault has
    /// a slip (an unlabelled code empties it and clears the has-slip flag),
    /// otherwise empty.
    void computeSlipToken();
    /// Recomputes the clockwise, counter-clockwise and slip-in-strike-
    /// direction flags from the angle A between the strike line and the slip
    /// line and the slip code:
    ///   A 0 or 180: left-lateral CCW, right-lateral CW;
    ///   A 90: normal CCW, reverse CW;
    ///   A 1..89: left-lateral or normal CCW, right-lateral or reverse CW;
    ///   A 91..179: left-lateral or reverse CCW, right-lateral or normal CW;
    /// and slip in the strike direction when A < 90.  Nothing is set without
    /// a slip text, a trend and a plunge.
    void computeSlipRotationValue();
    /// Clears the three geometry flags and sets the has-slip flag to `hasSlip`.
    void resetSlipFlags(bool hasSlip);

    /// The angle A, whole degrees 0..180, between the horizontal line along
    /// the strike and the slip line (trend, plunge).
    static int slipAngle(int strike, int trend, int plunge);
    /// The sense of rotation of slip code `slip` on a slip line at angle A
    /// (table above): 1 counter-clockwise, 0 clockwise, -1 neither.
    static int rotationSense(int angle, char slip);
    /// Which way the hanging wall moves along the slip line as written
    /// (trend, plunge; whole degrees): 1 along it (a normal component, or
    /// for a horizontal line along its trend), 0 against it, -1 when the
    /// sense does not fit the line.  Up to A = 90 a counter-clockwise
    /// (sinistral or normal) sense moves along the line; beyond 90 the line
    /// points against the strike and a clockwise sense does.
    static int hangingWallClass(int strike, int trend, int plunge, char slip);
    /// The same from the angle A and the rotation flags (clockwise true or
    /// false) a record keeps.
    static int hangingWallClass(int angle, bool clockwise) { return angle <= 90 ? !clockwise : clockwise; }

protected:
    void copyValuesFrom(const FaultData& o);
};

/// A result record (Fisher mean, eigenvector, P or T axis, ...): a line
/// with a result kind.
class QZCORE_EXPORT SpecialData : public LineData {
public:
    /// Kind GDType_GenericSpecial.
    SpecialData();
    /// Keeps the kind the data part carries.
    SpecialData(const DataStruct& d, const TokenStruct& t);
    /// A result line: trend and plunge (numbers and texts), kind and comment.
    SpecialData(int trend, int plunge, char kind, const char* comment);
    SpecialData(const SpecialData& o) = default;
    SpecialData& operator=(const SpecialData& o) = default;

    bool isSpecial() const override { return true; }
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<SpecialData>(*this); }

    int getAz() const;
    int getPl() const;
    /// Sets the trend (plunge) and its text.
    void setAz(int v);
    void setPl(int v);
    /// The kind from its label (GDTypes); null or unknown gives GDType_Null.
    void setSpecialType(const char* label);

    /// Orders by trend only.
    friend bool operator<(const SpecialData& a, const SpecialData& b) { return a.getAz() < b.getAz(); }
};

/// A universal-stage measurement: axis 1 in the trend and plunge fields,
/// axis 2 in the strike and dip fields.
class QZCORE_EXPORT UStageData : public FaultData {
public:
    UStageData();
    UStageData(const DataStruct& d, const TokenStruct& t);
    UStageData(const UStageData& o);
    UStageData& operator=(const UStageData& o);

    bool isComposite() const override { return false; }
    void modifyValues(const DataStruct& d, const TokenStruct& t) override;
    /// Dip, plunge, strike and trend texts.
    void generateTokenValues() override;
    std::unique_ptr<GeoData> clone() const override { return std::make_unique<UStageData>(*this); }

    int getAxis1Tr() const;
    int getAxis1Pl() const;
    int getAxis2Tr() const;
    int getAxis2Pl() const;
    /// The two axes are 85 to 95 degrees apart.
    bool hasAcceptableAxes() const;

    /// Largest departure from a right angle between the axes, degrees.
    static constexpr int Axis_Tolerance = 5;

    friend bool operator<(const UStageData& a, const UStageData& b) { return a.getAxis1Tr() < b.getAxis1Tr(); }
};

}  // namespace qzCore

#endif  // QZCORE_RECORDS_GEODATA_H
