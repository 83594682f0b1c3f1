// Record kinds, slip senses, the record flag word, confidence and
// oriented pairs.  The numeric codes are stored in records and written to
// binary files: they are part of the file format and never change.
#ifndef QZCORE_PARSING_GDTYPES_H
#define QZCORE_PARSING_GDTYPES_H

#include "qzCore/Export.h"

#include <cstddef>
#include <string>

#include "qzCore/shared/krtTemplates.h"

namespace qzCore {

/// A table from one-byte code to label, shared by the two registries.
class QZCORE_EXPORT GDLabelRegistry {
public:
    /// The code whose label is exactly `label` (case-sensitive); false and
    /// `code` unchanged when none.  The lowest code wins a tie.
    bool get(const std::string& label, char& code) const;
    /// The label of `code`; false and `label` unchanged when it has none.
    bool get(char code, std::string& label) const;
    std::size_t size() const { return m_typeLabels.size(); }

protected:
    explicit GDLabelRegistry(char nullKey) : m_typeLabels(nullKey) {}
    ~GDLabelRegistry() = default;
    void registerLabel(char code, const char* label) { m_typeLabels.set(code, label); }
    void free() { m_typeLabels.clear(); }

private:
    krtFlyweight<char, std::string> m_typeLabels;
};

/// Kind codes of records, and the process-wide registry of their labels.
class QZCORE_EXPORT GDTypes : public krtSingleton<GDTypes>, public GDLabelRegistry {
public:
    static constexpr char GDType_Plane = 0;
    static constexpr char GDType_Line = 1;
    static constexpr char GDType_Joint = 2;  ///< reserved, never created
    static constexpr char GDType_Fault = 3;
    static constexpr char GDType_PAxis = 4;
    static constexpr char GDType_TAxis = 5;
    static constexpr char GDType_Sig1 = 6;
    static constexpr char GDType_Sig2 = 7;
    static constexpr char GDType_Sig3 = 8;
    static constexpr char GDType_Eigen1 = 9;
    static constexpr char GDType_Eigen2 = 10;
    static constexpr char GDType_Eigen3 = 11;
    static constexpr char GDType_LSquares = 12;
    static constexpr char GDType_Fisher = 13;
    static constexpr char GDType_LineIntersect = 14;
    static constexpr char GDType_UStage = 15;
    static constexpr char GDType_UStageAxis1 = 16;
    static constexpr char GDType_UStageAxis2 = 17;
    static constexpr char GDType_UStageAxis3 = 18;
    static constexpr char GDType_GenericSpecial = 19;
    static constexpr char GDType_ZolWellData = 20;
    static constexpr char GDType_ZolMarkerData = 21;
    static constexpr char GDType_Null = 99;    ///< no kind set
    static constexpr char GDType_Auto = 100;   ///< decide the kind from the values
    static constexpr char GDType_BadValue = static_cast<char>(255);

    /// True for the kinds of result (special) records: 4 to 14 and 16 to 19.
    static bool isSpecialType(char code);

private:
    friend class krtSingleton<GDTypes>;
    GDTypes();
    void registerTypes();
};

/// Slip-sense codes (distinct bits, so accepted senses can be OR-ed), and
/// the process-wide registry of their labels.
class QZCORE_EXPORT GDSlipTypes : public krtSingleton<GDSlipTypes>, public GDLabelRegistry {
public:
    static constexpr char GDSlipType_NoSlip = 0;
    static constexpr char GDSlipType_AmbigSlip = 1;
    static constexpr char GDSlipType_ReverseSlip = 2;
    static constexpr char GDSlipType_RightLatSlip = 4;
    static constexpr char GDSlipType_NormalSlip = 16;
    static constexpr char GDSlipType_LeftLatSlip = 32;
    static constexpr char GDSlipType_AllSlip = static_cast<char>(255);

private:
    friend class krtSingleton<GDSlipTypes>;
    GDSlipTypes();
    void registerTypes();
};

/// Bits of the 16-bit record flag word.  Bits 0 to 6 are flags; bits 7 to
/// 14 hold the comment length (0 to 255); bit 15 is always 0.
class QZCORE_EXPORT GDFlags {
public:
    static constexpr unsigned short GDFlag_Bad_Value = 0;
    static constexpr unsigned short GDFlag_Has_Comment = 1;
    static constexpr unsigned short GDFlag_Has_Attribute = 2;
    static constexpr unsigned short GDFlag_Has_Station = 4;
    static constexpr unsigned short GDFlag_Has_CWSlip = 8;
    static constexpr unsigned short GDFlag_Has_CCWSlip = 16;
    static constexpr unsigned short GDFlag_SlipInStrikeDir = 32;
    static constexpr unsigned short GDFlag_HasSlip = 64;
    static constexpr unsigned short Bit_Offset_To_Comment_Size = 7;

    static constexpr unsigned short Comment_Size_Mask = 0xFFu << Bit_Offset_To_Comment_Size;
    static constexpr std::size_t Max_Comment_Size = 255;

    /// The flag word with the comment length set: a length of 1 to 255 is
    /// stored with the has-comment bit; 0 or more than 255 stores 0 and
    /// clears the bit.
    static unsigned short withCommentSize(unsigned short flags, std::size_t length);
    /// The flag word after a slip code is set: a code other than 0 sets the
    /// has-slip flag; 0 clears it and the three slip-geometry flags.
    static unsigned short withSlipCode(unsigned short flags, char slip);
    /// The comment length held in a flag word (0 to 255).
    static std::size_t commentSize(unsigned short flags) {
        return (flags & Comment_Size_Mask) >> Bit_Offset_To_Comment_Size;
    }
};

/// How sure the observer was of a fault's sense of slip.  0 means none
/// given; the others rise in certainty.
enum CONFIDENCE : int {
    Confidence_None = 0,
    Confidence_Supposed = 1,
    Confidence_Poor = 2,
    Confidence_Good = 3,
    Confidence_Certain = 4
};

/// An azimuth and a plunge in degrees.
class QZCORE_EXPORT OrientedPair {
public:
    constexpr OrientedPair() = default;
    constexpr OrientedPair(float az, float pl) : m_az(az), m_pl(pl) {}

    constexpr float az() const { return m_az; }
    constexpr float pl() const { return m_pl; }
    float& az() { return m_az; }
    float& pl() { return m_pl; }

    friend constexpr bool operator==(const OrientedPair& a, const OrientedPair& b) {
        return a.m_az == b.m_az && a.m_pl == b.m_pl;
    }
    friend constexpr bool operator!=(const OrientedPair& a, const OrientedPair& b) { return !(a == b); }
    /// Azimuth first, plunge only between equal azimuths.
    friend constexpr bool operator<(const OrientedPair& a, const OrientedPair& b) {
        return a.m_az < b.m_az || (a.m_az == b.m_az && a.m_pl < b.m_pl);
    }

private:
    float m_az = 0.0f;
    float m_pl = 0.0f;
};

}  // namespace qzCore

#endif  // QZCORE_PARSING_GDTYPES_H
