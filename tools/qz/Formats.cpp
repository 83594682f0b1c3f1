// qz formats: the table of file formats the library reads and writes,
// as text or (--markdown) as the README's table.
#include <iostream>
#include <memory>

#include "Common.h"

namespace qz {

Command addFormatsCommand(CLI::App& app) {
    auto markdown = std::make_shared<bool>(false);
    CLI::App* cmd = app.add_subcommand("formats", "List the file formats read and written");
    cmd->add_flag("--markdown", *markdown, "As a Markdown table");
    return {cmd, [markdown] {
                if (*markdown) std::cout << "| Name | Format | Extensions | Read | Written |\n|---|---|---|---|---|\n";
                for (const qzCore::FileFormatInfo& f : qzCore::fileFormats()) {
                    std::string extensions;
                    for (const char* e : f.extensions) extensions += std::string(extensions.empty() ? "" : " ") + "." + e;
                    if (*markdown) {
                        std::cout << "| `" << f.name << "` | " << f.description << " | " << extensions << " | "
                                  << (f.readable ? "yes" : "no") << " | " << (f.writable ? "yes" : "no") << " |\n";
                    } else {
                        std::cout << f.name << "\t" << (f.readable ? "read" : "") << (f.readable && f.writable ? ", " : "")
                                  << (f.writable ? "written" : "") << "\t" << extensions << "\t" << f.description << '\n';
                    }
                }
                return 0;
            }};
}

}  // namespace qz
