// qz sort IN OUT: the records ordered by one column.
#include <memory>

#include "Common.h"

namespace qz {

namespace {

struct SortOptions {
    TransformOptions io;
    std::string by = "entry";
    bool descending = false;
};

/// The data type number of a sort key.
int sortField(const std::string& by) {
    using T = qzCore::qzIEDataTypeOptions;
    static const std::pair<const char*, int> fields[] = {
        {"type", T::Type_Type},     {"dip", T::Dip_Type},   {"plunge", T::Plunge_Type}, {"rake", T::Rake_Type},
        {"slip", T::Slip_Type},     {"station", T::Well_Type}, {"strike", T::Strike_Type}, {"trend", T::Trend_Type},
        {"x", T::XLoc_Type},        {"y", T::YLoc_Type},    {"z", T::ZLoc_Type},       {"md", T::MD_Type},
        {"entry", T::Row_Type}};
    for (const auto& f : fields) {
        if (by == f.first) return f.second;
    }
    return -1;
}

}  // namespace

Command addSortCommand(CLI::App& app) {
    auto o = std::make_shared<SortOptions>();
    CLI::App* cmd = addTransformCommand(app, "sort", "Order the records by a column", o->io);
    cmd->add_option("--by", o->by, "strike, dip, rake, trend, plunge, slip, station, type, x, y, z, md or entry")
        ->check(CLI::IsMember({"strike", "dip", "rake", "trend", "plunge", "slip", "station", "type", "x", "y", "z",
                               "md", "entry"}));
    cmd->add_flag("--descending", o->descending, "Largest first");
    return {cmd, [o] {
                return transformFile(o->io, [&](Loaded& l, unsigned char& id) {
                    l.manager().sortData(id, qzCore::SortByField(sortField(o->by), !o->descending, true));
                    return 0;
                });
            }};
}

}  // namespace qz
