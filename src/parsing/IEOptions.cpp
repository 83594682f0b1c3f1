#include "qzCore/parsing/IEOptions.h"

namespace qzCore {

void qzIEDataTypeOptions::initDataTypeStrings() {
    m_dataTypeStrings = {"Null",    "Attr1", "Attr2",  "Attr3", "Attr4", "Comment", "Type",
                         "Dip",     "Plunge", "Rake",  "Slip",  "Well",  "Strike",  "Trend",
                         "XLoc",    "YLoc",  "ZLoc",   "MD",    "#",     "NX",      "NY",
                         "NZ"};
}

void qzIEColumnOptions::init() {
    resetColumnChoices();
    setColumnDelim(krtIEConstants::Tab_Delim);
    m_ieOptions = 0;
}

bool qzIEColumnOptions::setIEOption(std::uint32_t option) {
    if (!isValidIEOption(option)) return false;
    m_ieOptions |= option;
    return true;
}

bool qzIEColumnOptions::unsetIEOption(std::uint32_t option) {
    if (!isValidIEOption(option)) return false;
    m_ieOptions &= ~option;
    return true;
}

void qzIEColumnOptions::setColumns(std::initializer_list<int> types) {
    int col = 0;
    for (const int t : types) setColumnChoice(col++, t);
}

void qzIEColumnOptions::setDefaultColumnChoices() {
    using T = qzIEDataTypeOptions;
    resetColumnChoices();
    setColumns({T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type, T::Well_Type,
                T::Attr1_Type, T::Null_Type, T::Null_Type, T::Null_Type, T::Null_Type, T::Null_Type});
}

void qzIEColumnOptions::setDXFColumnChoices() {
    using T = qzIEDataTypeOptions;
    resetColumnChoices();
    setColumns({T::Type_Type, T::Strike_Type, T::Dip_Type, T::Comment_Type});
}

void qzIEColumnOptions::setDefaultBinaryColumnChoices() { resetColumnChoices(); }

void qzIEColumnOptions::setDefaultClipboardColumnChoices() {
    using T = qzIEDataTypeOptions;
    resetColumnChoices();
    setColumns({T::Row_Type, T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type,
                T::Plunge_Type, T::Slip_Type, T::XLoc_Type, T::YLoc_Type, T::ZLoc_Type, T::MD_Type,
                T::Well_Type, T::Comment_Type});
}

void qzIEColumnOptions::setValueTextExport(unsigned int delimiter) {
    using T = qzIEDataTypeOptions;
    setIEOption(IE_Write_Text);
    setIEOption(IE_Angles_From_Values);
    setIEOption(IE_Rake_From_Value);
    resetColumnChoices();
    setColumns({T::Type_Type, T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type,
                T::Well_Type, T::XLoc_Type, T::YLoc_Type, T::ZLoc_Type, T::MD_Type, T::Comment_Type});
    setColumnDelim(delimiter);
}

void qzIEColumnOptions::setDefaultFaultKinInputColumnChoices() {
    using T = qzIEDataTypeOptions;
    setColumns({T::Strike_Type, T::Dip_Type, T::Trend_Type, T::Plunge_Type, T::Slip_Type});
}

void qzIEColumnOptions::setDefaultStereonetInputColumnChoices() {
    using T = qzIEDataTypeOptions;
    setColumns({T::Strike_Type, T::Dip_Type, T::Rake_Type, T::Trend_Type, T::Plunge_Type});
}

void qzIEColumnOptions::setDefaultColumnOptions() {
    unsetColumnOption(getColumnOptions());
    setColumnDelim(krtIEConstants::Tab_Delim);
    setColumnOption(Column_Option_Trim_Blanks);
    unsetIEOption(IE_Strike_Is_Dip_Direction);
}

}  // namespace qzCore
