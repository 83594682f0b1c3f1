// Import/export option bases: which data type sits in which column, the
// column delimiter, the keywords of the data types, and the column of each
// data type.
#ifndef QZCORE_SHARED_IEOPTIONS_H
#define QZCORE_SHARED_IEOPTIONS_H

#include "qzCore/Export.h"

#include <array>
#include <string>
#include <vector>

#include "qzCore/shared/krtIEConstants.h"

namespace qzCore {

/// The keywords of the data types of a layout, by data-type number.
class QZCORE_EXPORT ieDataTypeOptions {
public:
    /// Data-type number of a column that holds no data type.
    static constexpr int Bad_Data_Type_Index = -1;

    ieDataTypeOptions() = default;
    virtual ~ieDataTypeOptions() = default;
    ieDataTypeOptions(const ieDataTypeOptions&) = default;
    ieDataTypeOptions& operator=(const ieDataTypeOptions&) = default;

    /// Fills the keyword table; the base has none.
    virtual void initDataTypeStrings() {}

    int getMaxNumDataTypes() const { return static_cast<int>(m_dataTypeStrings.size()); }
    /// The keyword of data type `type`; false (unchanged) when out of range.
    bool getDataTypeString(int type, std::string& keyword) const;
    /// The data type whose keyword equals `keyword` (exact, case-sensitive),
    /// or Bad_Data_Type_Index.
    int getDataTypeIndex(const std::string& keyword) const;

protected:
    std::vector<std::string> m_dataTypeStrings;
};

/// Column choices (a data-type number per column), the column delimiter and
/// a word of column option bits.
class QZCORE_EXPORT ieColumnOptions {
public:
    /// Number of columns a layout can describe: wide enough for the exports
    /// of field apps and point-cloud tools, whose orientation columns may
    /// stand far to the right (a row holds at most 1023 characters, so at
    /// most 512 fields).
    static constexpr int Max_Num_Columns = 512;

    /// Column option bits.
    static constexpr unsigned int Column_Option_Trim_Blanks = 16;  ///< blanks around a field are dropped
    /// The first line that is neither blank nor a comment names the columns
    /// and holds no data: it is passed over (and counted in the line
    /// numbers).  A comment line that is a row of column keywords ("#\tType\t
    /// Strike...", as the text writer begins a file) is the header too.
    static constexpr unsigned int Column_Option_Header_Row = 0x100;
    /// A comma in a number is the decimal point ("120,5"), as files with
    /// semicolon-separated columns write them.
    static constexpr unsigned int Column_Option_Decimal_Comma = 0x200;

    ieColumnOptions();
    virtual ~ieColumnOptions() = default;
    ieColumnOptions(const ieColumnOptions&) = default;
    ieColumnOptions& operator=(const ieColumnOptions&) = default;

    /// Every column to Bad_Data_Type_Index; delimiter and options unchanged.
    void resetColumnChoices();
    /// Sets the data type of column `col`; false for a column out of range.
    bool setColumnChoice(int col, int type);
    /// The data type of column `col`; Bad_Data_Type_Index when out of range.
    int getColumnChoice(int col) const;
    int getNumColumns() const { return Max_Num_Columns; }

    /// The delimiter bits (krtIEConstants::Tab_Delim ...).
    unsigned int getColumnDelim() const { return m_columnDelim; }
    void setColumnDelim(unsigned int delim) { m_columnDelim = delim; }

    /// Lines of words above the header row (a spreadsheet's title rows),
    /// counted among the lines that are neither blank nor comments: passed
    /// over before the header.  Read only with Column_Option_Header_Row.
    int getTitleRows() const { return m_titleRows; }
    void setTitleRows(int rows) { m_titleRows = rows < 0 ? 0 : rows; }

    unsigned int getColumnOptions() const { return m_columnOptions; }
    void setColumnOption(unsigned int bits) { m_columnOptions |= bits; }
    void unsetColumnOption(unsigned int bits) { m_columnOptions &= ~bits; }
    bool getColumnOption(unsigned int bits) const { return bits != 0 && (m_columnOptions & bits) == bits; }

    friend bool operator==(const ieColumnOptions& a, const ieColumnOptions& b) {
        return a.m_columns == b.m_columns && a.m_columnDelim == b.m_columnDelim &&
               a.m_columnOptions == b.m_columnOptions && a.m_titleRows == b.m_titleRows;
    }

protected:
    std::array<int, Max_Num_Columns> m_columns{};
    unsigned int m_columnDelim = krtIEConstants::Tab_Delim;
    unsigned int m_columnOptions = 0;
    int m_titleRows = 0;
};

/// For each data type of a keyword table, the column that holds it (the
/// first such column), taken from column options when built.
class QZCORE_EXPORT ieDataTypeOrder {
public:
    ieDataTypeOrder(const ieDataTypeOptions& types, const ieColumnOptions& columns);
    virtual ~ieDataTypeOrder() = default;
    ieDataTypeOrder(const ieDataTypeOrder&) = default;
    ieDataTypeOrder& operator=(const ieDataTypeOrder&) = default;

    /// Rebuilds from new column options.
    void init(const ieDataTypeOptions& types, const ieColumnOptions& columns);
    bool hasValidOrder(int type) const { return getOrderIndex(type) >= 0; }
    /// The column of data type `type`, or -1.
    int getOrderIndex(int type) const {
        if (type < 0 || static_cast<std::size_t>(type) >= m_order.size()) return -1;
        return m_order[static_cast<std::size_t>(type)];
    }
    /// Number of columns that hold a data type.
    int getValidOrderCount() const { return m_validCount; }

private:
    std::vector<int> m_order;
    int m_validCount = 0;
};

/// Base of the writers: a state word and a bounded work buffer.
class QZCORE_EXPORT IEHandler {
public:
    static constexpr std::size_t Work_Buffer_Size = 255;

    IEHandler() = default;
    virtual ~IEHandler() = default;

    virtual void init() { m_state = 0; }
    int getState() const { return m_state; }
    void setState(int s) { m_state = s; }

protected:
    int m_state = 0;
    std::array<char, Work_Buffer_Size + 1> m_workBuffer{};
};

}  // namespace qzCore

#endif  // QZCORE_SHARED_IEOPTIONS_H
