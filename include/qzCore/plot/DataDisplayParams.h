// How the host shows a dataset as a table: display options, the column
// labels, the order of the columns, and attribute-group columns.
//
// Columns are property keys: the data types of a file's columns (5
// "Comment", 6 "Type", 7 "Dip", 8 "Plunge", 9 "Rake", 10 "Slip", 11 "Well",
// 12 "Strike", 13 "Trend", 14-16 "XLoc" "YLoc" "ZLoc", 17 "MD", 18 "#"),
// and keys 101-199 for attribute groups, numbered as they are added.
#ifndef QZCORE_PLOT_DATADISPLAYPARAMS_H
#define QZCORE_PLOT_DATADISPLAYPARAMS_H

#include "qzCore/Export.h"

#include <cstdint>
#include <list>
#include <memory>
#include <string>

#include "qzCore/plot/DisplayParams.h"
#include "qzCore/shared/Token.h"
#include "qzCore/shared/ieOptions.h"
#include "qzCore/shared/krtTemplates.h"

namespace qzCore {

class AttributeManager;

/// The labels of the data columns, by property key.
class QZCORE_EXPORT qzDefaultPropertyList : public krtPropertyList<unsigned int, std::string> {
public:
    qzDefaultPropertyList();
};

/// Labels numbered from first + 1 up to limit - 1 as they are added.
class QZCORE_EXPORT qzCustomPropertyList : public krtPropertyList<unsigned int, std::string> {
public:
    qzCustomPropertyList(unsigned int first, unsigned int limit)
        : krtPropertyList(0, std::string()), m_first(first), m_limit(limit), m_next(first) {}
    /// The key the label gets, or the null key 0 when the keys are used up
    /// or the label is empty.
    unsigned int add(const std::string& label);
    /// Empties the list; numbering starts again.
    void reset() {
        clear();
        m_next = m_first;
    }

private:
    unsigned int m_first, m_limit, m_next;
};

/// Display flags and the default column choice of a table.
class QZCORE_EXPORT qzDisplayOptions : public ieColumnOptions {
public:
    enum Display_Option : std::uint32_t {
        Display_Angles_From_Values = 1,  ///< angles as the numbers stored (right-hand rule), not as typed
        Display_Rake_From_Token = 16,    ///< the rake as typed
        Display_Rake_From_Value = 256,   ///< the rake as stored
        Display_Trend_Plunge_With_Rake = 4096  ///< trend and plunge also beside a rake
    };

    /// 19 columns, none chosen; column delimiter tab; no option.
    qzDisplayOptions();
    virtual bool isValidDisplayOption(std::uint32_t option) const {
        return option == Display_Angles_From_Values || option == Display_Rake_From_Token ||
               option == Display_Rake_From_Value || option == Display_Trend_Plunge_With_Rake;
    }
    /// False for an option not listed above.
    bool getDisplayOption(std::uint32_t option) const;
    bool setDisplayOption(std::uint32_t option);
    bool unsetDisplayOption(std::uint32_t option);
    /// Column choices reset; the rake as typed and trend and plunge beside it.
    bool setDefaultOptions();
    /// "#", "Type", "Strike", "Dip", "Rake", "Trend", "Plunge", "XLoc",
    /// "YLoc", "ZLoc", "MD", "Well", "Comment" in columns 0 to 12.
    virtual bool setDefaultColumnChoices() { return setDefaultDisplayColumnChoices(); }
    bool setDefaultDisplayColumnChoices();
    std::uint32_t getDisplayOptions() const { return m_options; }

private:
    std::uint32_t m_options = 0;
};

class QZCORE_EXPORT DataDisplayParams : public DisplayParams {
public:
    static constexpr int Max_Num_Columns = 25;
    /// First key of attribute-group columns (they get 101 to 199).
    static constexpr unsigned int Group_Keys_First = 100;
    static constexpr unsigned int Group_Keys_Limit = 200;
    /// The shared table of column labels.
    static const qzDefaultPropertyList m_defaultProperties;

    DataDisplayParams();
    ~DataDisplayParams() override = default;
    DataDisplayParams(const DataDisplayParams& o);
    DataDisplayParams& operator=(const DataDisplayParams& o);

    qzDisplayOptions& displayOptions() { return m_options; }
    const qzDisplayOptions& displayOptions() const { return m_options; }
    bool getDisplayOption(std::uint32_t option) const { return m_options.getDisplayOption(option); }
    /// Strikes by the right-hand rule (display option 1).
    bool isRHR() const { return m_options.getDisplayOption(qzDisplayOptions::Display_Angles_From_Values); }
    bool getAutoDisplayUponOpen() const { return m_autoDisplay; }
    void setAutoDisplayUponOpen(bool on) { m_autoDisplay = on; }

    /// Columns in the order (0 without an order).
    int columnCount() const;
    /// The property key of column `index`; false past the order.
    bool columnType(int index, unsigned int& key) const;
    /// The property key of a column label in the order; false when none.
    bool columnType(const std::string& label, unsigned int& key) const;
    /// The label of column `index`: a data column's, else an attribute
    /// group's; false when it has neither.
    bool columnString(int index, std::string& label) const;
    /// The attribute-group label of a key; false for none.
    bool customString(unsigned int key, std::string& label) const;
    /// Whether a column shows the property key.
    bool hasValidOrder(unsigned int key) const { return orderIndex(key) >= 0; }
    /// The column showing the key, or -1.
    int orderIndex(unsigned int key) const;
    /// Fills `row` with the columns' labels in order (a header row); a
    /// column without a label gets `missing`.
    void columnStrings(TokenList& row, const std::string& missing) const;
    /// The order of the default column choice: "#", "Type", "Strike", ...
    /// "Comment" (13 columns).
    void initDefaultOrder();
    /// Attribute-group columns, after the data columns, for the groups of
    /// the manager's current dataset that exist, in the order given.  False
    /// without a manager; the lists are then empty (never missing).
    bool initDisplayGroups(const AttributeManager* manager, const std::list<std::string>& groups);
    const krtPropertyList<unsigned int, std::string>& getGroupMap() const { return *m_groupMap; }
    const qzCustomPropertyList& getCustomProperties() const { return *m_custom; }

protected:
    void init();

private:
    qzDisplayOptions m_options;
    std::unique_ptr<qzCustomPropertyList> m_custom;
    /// Column position -> property key.
    std::unique_ptr<krtPropertyList<unsigned int, unsigned int>> m_order;
    std::unique_ptr<krtPropertyList<unsigned int, std::string>> m_groupMap;
    bool m_autoDisplay = true;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_DATADISPLAYPARAMS_H
