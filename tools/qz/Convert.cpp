// qz convert IN OUT: the same records in another format.
#include <memory>

#include "Common.h"

namespace qz {

Command addConvertCommand(CLI::App& app) {
    auto opts = std::make_shared<TransformOptions>();
    CLI::App* cmd = addTransformCommand(app, "convert", "Write a data file in another format", *opts);
    return {cmd, [opts] { return transformFile(*opts, [](Loaded&, unsigned char&) { return 0; }); }};
}

}  // namespace qz
