#include "qzCore/plot/DataDisplayParams.h"

#include <limits>

#include "qzCore/datasets/AttributeManager.h"
#include "qzCore/datasets/Data.h"

namespace qzCore {

namespace {

/// The data columns of the default order, position by position.
const unsigned int Default_Order[] = {18, 6, 12, 7, 9, 13, 8, 14, 15, 16, 17, 11, 5};

/// Positions hold every value from 0, so the order's null key is none of
/// them.
constexpr unsigned int No_Position = std::numeric_limits<unsigned int>::max();

std::unique_ptr<krtPropertyList<unsigned int, unsigned int>> emptyOrder() {
    return std::make_unique<krtPropertyList<unsigned int, unsigned int>>(No_Position, 0u);
}

}  // namespace

qzDefaultPropertyList::qzDefaultPropertyList() : krtPropertyList(0, std::string()) {
    const std::pair<unsigned int, const char*> labels[] = {
        {0, "Null"},    {5, "Comment"}, {6, "Type"},  {7, "Dip"},   {8, "Plunge"}, {9, "Rake"},  {10, "Slip"},
        {11, "Well"},   {12, "Strike"}, {13, "Trend"}, {14, "XLoc"}, {15, "YLoc"},  {16, "ZLoc"}, {17, "MD"},
        {18, "#"}};
    // Key 0 is the null key: "Null" is its label by name only.
    for (const auto& l : labels) set(l.first, l.second);
}

unsigned int qzCustomPropertyList::add(const std::string& label) {
    if (m_next + 1 >= m_limit) return nullKey();
    ++m_next;
    return set(m_next, label) ? m_next : nullKey();
}

// ---------------------------------------------------------------- options

qzDisplayOptions::qzDisplayOptions() {
    resetColumnChoices();
    setColumnDelim(1);
}

bool qzDisplayOptions::getDisplayOption(std::uint32_t option) const {
    return isValidDisplayOption(option) && (m_options & option) != 0;
}

bool qzDisplayOptions::setDisplayOption(std::uint32_t option) {
    if (!isValidDisplayOption(option)) return false;
    m_options |= option;
    return true;
}

bool qzDisplayOptions::unsetDisplayOption(std::uint32_t option) {
    if (!isValidDisplayOption(option)) return false;
    m_options &= ~option;
    return true;
}

bool qzDisplayOptions::setDefaultOptions() {
    resetColumnChoices();
    m_options = Display_Rake_From_Token | Display_Trend_Plunge_With_Rake;
    return true;
}

bool qzDisplayOptions::setDefaultDisplayColumnChoices() {
    resetColumnChoices();
    int col = 0;
    for (unsigned int key : Default_Order) setColumnChoice(col++, int(key));
    return true;
}

// ---------------------------------------------------------------- the table

const qzDefaultPropertyList DataDisplayParams::m_defaultProperties;

DataDisplayParams::DataDisplayParams() { init(); }

void DataDisplayParams::init() {
    DisplayParams::init();
    m_options = qzDisplayOptions();
    m_custom = std::make_unique<qzCustomPropertyList>(Group_Keys_First, Group_Keys_Limit);
    m_order = emptyOrder();
    m_groupMap = std::make_unique<krtPropertyList<unsigned int, std::string>>(0, std::string());
    m_autoDisplay = true;
}

DataDisplayParams::DataDisplayParams(const DataDisplayParams& o)
    : DisplayParams(o),
      m_options(o.m_options),
      m_custom(std::make_unique<qzCustomPropertyList>(*o.m_custom)),
      m_order(std::make_unique<krtPropertyList<unsigned int, unsigned int>>(*o.m_order)),
      m_groupMap(std::make_unique<krtPropertyList<unsigned int, std::string>>(*o.m_groupMap)),
      m_autoDisplay(o.m_autoDisplay) {}

DataDisplayParams& DataDisplayParams::operator=(const DataDisplayParams& o) {
    if (this != &o) {
        DataDisplayParams copy(o);
        DisplayParams::operator=(o);
        m_options = copy.m_options;
        m_custom.swap(copy.m_custom);
        m_order.swap(copy.m_order);
        m_groupMap.swap(copy.m_groupMap);
        m_autoDisplay = copy.m_autoDisplay;
    }
    return *this;
}

int DataDisplayParams::columnCount() const { return int(m_order->size()); }

bool DataDisplayParams::columnType(int index, unsigned int& key) const {
    if (index < 0 || !m_order->has(unsigned(index))) return false;
    key = m_order->propertyFromKey(unsigned(index));
    return true;
}

bool DataDisplayParams::columnType(const std::string& label, unsigned int& key) const {
    for (const auto& column : m_order->table()) {
        std::string l;
        if (columnString(int(column.first), l) && l == label) {
            key = column.second;
            return true;
        }
    }
    return false;
}

bool DataDisplayParams::columnString(int index, std::string& label) const {
    unsigned int key = 0;
    if (!columnType(index, key)) return false;
    if (m_defaultProperties.has(key)) {
        label = m_defaultProperties.propertyFromKey(key);
        return true;
    }
    return customString(key, label);
}

bool DataDisplayParams::customString(unsigned int key, std::string& label) const {
    const std::string l = m_custom->propertyFromKey(key);
    if (l == m_custom->nullProperty()) return false;
    label = l;
    return true;
}

int DataDisplayParams::orderIndex(unsigned int key) const {
    const unsigned int position = m_order->keyFromProperty(key);
    return position == No_Position ? -1 : int(position);
}

void DataDisplayParams::columnStrings(TokenList& row, const std::string& missing) const {
    row.reset();
    for (int i = 0; i < columnCount() && std::size_t(i) < row.capacity(); ++i) {
        std::string label;
        row.set(std::size_t(i), columnString(i, label) ? label : missing);
    }
}

void DataDisplayParams::initDefaultOrder() {
    m_order = emptyOrder();
    unsigned int position = 0;
    for (unsigned int key : Default_Order) m_order->set(position++, key);
}

bool DataDisplayParams::initDisplayGroups(const AttributeManager* manager, const std::list<std::string>& groups) {
    // Fresh lists first: a failure leaves them empty, never missing.
    m_custom = std::make_unique<qzCustomPropertyList>(Group_Keys_First, Group_Keys_Limit);
    m_groupMap = std::make_unique<krtPropertyList<unsigned int, std::string>>(0, std::string());
    // Earlier group columns leave the order.
    std::list<unsigned int> stale;
    for (const auto& column : m_order->table()) {
        if (column.second > Group_Keys_First) stale.push_back(column.first);
    }
    for (unsigned int p : stale) m_order->unregister(p);
    if (!manager) return false;
    const Data* data = manager->getCurrDataset();
    unsigned int position = unsigned(columnCount());
    for (const std::string& name : groups) {
        // Whether the group exists is asked on its own: 666, the not-found
        // mask, is also the mask of attributes 1, 3, 4, 7 and 9.
        if (!data || !data->getAttrList().isDuplicateLabel(name, true)) continue;
        const unsigned int key = m_custom->add(name);
        if (key == m_custom->nullKey()) continue;
        m_groupMap->set(key, name);
        if (int(position) < Max_Num_Columns) m_order->set(position++, key);
    }
    return true;
}

}  // namespace qzCore
