// The display form of a record's row: the data-table host's columns and
// display options, and attribute-group columns.
#include <list>

#include "qzCore/datasets/AttributeManager.h"
#include "qzCore/datasets/Data.h"
#include "qzCore/parsing/qzTokenList.h"
#include "qzCore/plot/DataDisplayParams.h"

namespace qzCore {

void qzTokenList::init(const AttributeManager* attributes, const DataStruct& data, const LightweightTokenStruct& tokens,
                       const DataDisplayParams& display, const std::string& stationId, int rowNumber) {
    using D = qzDisplayOptions;
    const Rules rules{display.getDisplayOption(D::Display_Angles_From_Values),
                      display.getDisplayOption(D::Display_Rake_From_Token),
                      display.getDisplayOption(D::Display_Rake_From_Value),
                      display.getDisplayOption(D::Display_Trend_Plunge_With_Rake)};
    fill([&display](int type) { return type < 0 ? -1 : display.orderIndex(unsigned(type)); }, rules, data, tokens,
         stationId, rowNumber);
    // Each attribute-group column: the record's labels of that group.
    const Data* dataset = attributes ? attributes->getCurrDataset() : nullptr;
    if (!dataset || data.getAttributes() == 0) return;
    for (const auto& group : display.getGroupMap().table()) {
        const int column = display.orderIndex(group.first);
        if (column < 0 || std::size_t(column) >= capacity()) continue;
        // 666 is both "not found" and the mask of attributes 1, 3, 4, 7 and
        // 9: the group's existence is asked on its own.
        if (!dataset->getAttrList().isDuplicateLabel(group.second, true)) continue;
        const std::uint32_t mask = dataset->getAttrList().getAttrGroupIndexMask(group.second);
        std::list<std::string> labels;
        dataset->getAttrList().getAttrStrings(labels, mask & data.getAttributes());
        std::string text;
        for (const std::string& l : labels) text += (text.empty() ? "" : ", ") + l;
        if (!text.empty()) set(std::size_t(column), text);
    }
}

}  // namespace qzCore
