#include "qzCore/shared/ieOptions.h"

namespace qzCore {

bool ieDataTypeOptions::getDataTypeString(int type, std::string& keyword) const {
    if (type < 0 || type >= getMaxNumDataTypes()) return false;
    keyword = m_dataTypeStrings[static_cast<std::size_t>(type)];
    return true;
}

int ieDataTypeOptions::getDataTypeIndex(const std::string& keyword) const {
    for (std::size_t i = 0; i < m_dataTypeStrings.size(); ++i) {
        if (m_dataTypeStrings[i] == keyword) return static_cast<int>(i);
    }
    return Bad_Data_Type_Index;
}

ieColumnOptions::ieColumnOptions() { resetColumnChoices(); }

void ieColumnOptions::resetColumnChoices() { m_columns.fill(ieDataTypeOptions::Bad_Data_Type_Index); }

bool ieColumnOptions::setColumnChoice(int col, int type) {
    if (col < 0 || col >= Max_Num_Columns) return false;
    m_columns[static_cast<std::size_t>(col)] = type;
    return true;
}

int ieColumnOptions::getColumnChoice(int col) const {
    if (col < 0 || col >= Max_Num_Columns) return ieDataTypeOptions::Bad_Data_Type_Index;
    return m_columns[static_cast<std::size_t>(col)];
}

ieDataTypeOrder::ieDataTypeOrder(const ieDataTypeOptions& types, const ieColumnOptions& columns) {
    init(types, columns);
}

void ieDataTypeOrder::init(const ieDataTypeOptions& types, const ieColumnOptions& columns) {
    m_order.assign(static_cast<std::size_t>(types.getMaxNumDataTypes()), -1);
    m_validCount = 0;
    for (int col = 0; col < columns.getNumColumns(); ++col) {
        const int type = columns.getColumnChoice(col);
        if (type < 0 || type >= types.getMaxNumDataTypes()) continue;
        ++m_validCount;
        int& slot = m_order[static_cast<std::size_t>(type)];
        if (slot < 0) slot = col;
    }
}

}  // namespace qzCore
