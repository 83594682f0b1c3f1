// qz plot KIND FILE... -o OUT: pictures of the records.
#include <vector>

#include "Common.h"

namespace qz {

Command addPlotCommand(CLI::App& app) {
    CLI::App* plot = app.add_subcommand("plot", "Draw the records of data files as a picture (PNG, SVG or PDF)");
    plot->require_subcommand(1);
    const std::vector<Command> kinds{addStereonetCommand(*plot), addRoseCommand(*plot), addTangentCommand(*plot),
                                     addFabricCommand(*plot), addMohrCommand(*plot), addMisfitsCommand(*plot)};
    return {plot, [kinds] {
                for (const Command& k : kinds) {
                    if (k.app->parsed()) return k.run();
                }
                return 1;
            }};
}

}  // namespace qz
