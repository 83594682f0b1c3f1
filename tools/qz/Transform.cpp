// The frame of the commands that read one data file and write another.
#include "Common.h"

namespace qz {

CLI::App* addTransformCommand(CLI::App& app, const char* name, const char* help, TransformOptions& opts) {
    CLI::App* cmd = app.add_subcommand(name, help);
    cmd->add_option("input", opts.input, "Data file (\"-\" for standard input)")->required();
    cmd->add_option("output", opts.output,
                    "File to write; its extension chooses the format (.txt, .csv, .gdf, .net, .fkn, .brute)")
        ->required();
    std::vector<std::string> formats{"auto"};
    for (const std::string& f : qzCore::fileFormatNames(true)) formats.push_back(f);
    cmd->add_option("-t,--to", opts.to, "Output format: " + joined(formats) + " (auto: by the extension)")
        ->check(CLI::IsMember(formats));
    addInputOptions(cmd, opts.load);
    return cmd;
}

int transformFile(const TransformOptions& opts, const std::function<int(Loaded&, unsigned char&)>& change) {
    Loaded l;
    if (!load(opts.input, opts.load, l)) return 1;
    printRejected(l);
    unsigned char id = l.id();
    if (const int r = change(l, id); r != 0) return r;
    const int w = write(l, id, opts.output, opts.to);
    if (w != 0) return w;
    return strictStatus(l, opts.load);
}

}  // namespace qz
