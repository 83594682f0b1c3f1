// qz info FILE...: each file's summary and the lines it rejected.
#include <iostream>
#include <list>
#include <memory>

#include "Common.h"

namespace qz {

namespace {

struct InfoOptions {
    LoadOptions load;
    std::vector<std::string> files;
};

/// 0 on success, 1 when the file cannot be read at all, 3 when rows were
/// rejected and --strict is on.
int infoOne(const std::string& name, const LoadOptions& opts) {
    Loaded l;
    if (!load(name, opts, l)) return 1;
    const qzCore::FileLayout& layout = l.files().back().layout;
    std::string info;
    l.manager().getDatasetInfoAsString(info, l.id());
    std::cout << "== " << name << " (" << qzCore::FileLayout::formatName(layout.format);
    if (layout.format == qzCore::FileFormat::Text) {
        std::cout << ", " << qzCore::FileLayout::delimiterName(layout.delimiter);
        if (layout.columnsGuessed && layout.headerRow && !layout.columns.empty()) {
            std::cout << ", columns from the header row";
        }
    }
    std::cout << ") ==\n" << info;
    const std::string skipped = skippedText(l.errors().getSkippedLines());
    if (!skipped.empty()) std::cout << "Skipped: " << skipped << '\n';
    std::list<std::string> labels;
    l.manager().getDatasetFromID(l.id())->getAttributeStrings(labels, false);
    if (!labels.empty()) {
        std::cout << "Attributes:";
        for (const std::string& a : labels) std::cout << ' ' << a;
        std::cout << '\n';
    }
    printRejected(l);
    std::cout << '\n';
    return strictStatus(l, opts);
}

}  // namespace

int info(const std::vector<std::string>& names, const LoadOptions& opts) {
    int status = 0;
    for (const std::string& n : names) status = std::max(status, infoOne(n, opts));
    return status;
}

Command addInfoCommand(CLI::App& app) {
    auto o = std::make_shared<InfoOptions>();
    CLI::App* cmd = app.add_subcommand("info", "Load data files and print a summary of each");
    cmd->add_option("files", o->files, "Data files (\"-\" for standard input)")->required();
    addInputOptions(cmd, o->load);
    return {cmd, [o] { return info(o->files, o->load); }};
}

}  // namespace qz
