#include "qzCore/parsing/GDTypes.h"

namespace qzCore {

bool GDLabelRegistry::get(const std::string& label, char& code) const {
    return m_typeLabels.getKey(label, code);
}

bool GDLabelRegistry::get(char code, std::string& label) const { return m_typeLabels.get(code, label); }

GDTypes::GDTypes() : GDLabelRegistry(GDType_BadValue) { registerTypes(); }

void GDTypes::registerTypes() {
    registerLabel(GDType_Plane, "Plane");
    registerLabel(GDType_Line, "Line");
    registerLabel(GDType_Joint, "NoUsed");
    registerLabel(GDType_Fault, "Fault");
    registerLabel(GDType_PAxis, "PAxis");
    registerLabel(GDType_TAxis, "TAxis");
    registerLabel(GDType_Sig1, "Sig 1");
    registerLabel(GDType_Sig2, "Sig 2");
    registerLabel(GDType_Sig3, "Sig 3");
    registerLabel(GDType_Eigen1, "Eig 1");
    registerLabel(GDType_Eigen2, "Eig 2");
    registerLabel(GDType_Eigen3, "Eig 3");
    registerLabel(GDType_LSquares, "LSq");
    registerLabel(GDType_Fisher, "Fish");
    registerLabel(GDType_LineIntersect, "ISect");
    registerLabel(GDType_UStage, "UStage");
    registerLabel(GDType_UStageAxis1, "UStage1");
    registerLabel(GDType_UStageAxis2, "UStage2");
    registerLabel(GDType_UStageAxis3, "UStage3");
    registerLabel(GDType_GenericSpecial, "Spec");
    registerLabel(GDType_ZolWellData, "Dip");
    registerLabel(GDType_ZolMarkerData, "Marker");
    registerLabel(GDType_Auto, "Auto");
}

bool GDTypes::isSpecialType(char code) {
    return (code >= GDType_PAxis && code <= GDType_LineIntersect) ||
           (code >= GDType_UStageAxis1 && code <= GDType_GenericSpecial);
}

GDSlipTypes::GDSlipTypes() : GDLabelRegistry(GDSlipType_NoSlip) { registerTypes(); }

void GDSlipTypes::registerTypes() {
    registerLabel(GDSlipType_NoSlip, "None");
    registerLabel(GDSlipType_AmbigSlip, "Ambig");
    registerLabel(GDSlipType_ReverseSlip, "Rev");
    registerLabel(GDSlipType_RightLatSlip, "RLat");
    registerLabel(GDSlipType_NormalSlip, "Norm");
    registerLabel(GDSlipType_LeftLatSlip, "LLat");
    registerLabel(GDSlipType_AllSlip, "All");
}

unsigned short GDFlags::withCommentSize(unsigned short flags, std::size_t length) {
    flags = static_cast<unsigned short>(flags & ~(0xFF80u | GDFlag_Has_Comment));
    if (length >= 1 && length <= Max_Comment_Size) {
        flags = static_cast<unsigned short>(flags | (length << Bit_Offset_To_Comment_Size) |
                                            GDFlag_Has_Comment);
    }
    return flags;
}

unsigned short GDFlags::withSlipCode(unsigned short flags, char slip) {
    if (slip != GDSlipTypes::GDSlipType_NoSlip) return static_cast<unsigned short>(flags | GDFlag_HasSlip);
    return static_cast<unsigned short>(
        flags & ~(GDFlag_HasSlip | GDFlag_Has_CWSlip | GDFlag_Has_CCWSlip | GDFlag_SlipInStrikeDir));
}

}  // namespace qzCore
