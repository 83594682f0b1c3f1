// qz rotate IN OUT: every record turned about one axis, clockwise looking
// along it (down a plunging axis).
#include <memory>

#include "Common.h"

namespace qz {

namespace {

struct RotateOptions {
    TransformOptions io;
    int axisTrend = 0;
    int axisPlunge = 0;
    int angle = 0;
    std::string axis = "given";
};

}  // namespace

Command addRotateCommand(CLI::App& app) {
    auto o = std::make_shared<RotateOptions>();
    CLI::App* cmd =
        addTransformCommand(app, "rotate", "Rotate every record about an axis (clockwise looking along it)", o->io);
    cmd->add_option("--axis-trend", o->axisTrend, "Trend of the rotation axis, degrees")->check(CLI::Range(0, 360));
    cmd->add_option("--axis-plunge", o->axisPlunge, "Plunge of the rotation axis, degrees")->check(CLI::Range(-90, 90));
    cmd->add_option("--angle", o->angle, "Rotation angle, degrees")->required();
    cmd->add_option("--axis", o->axis, "given (by trend and plunge), north-south, east-west or vertical")
        ->check(CLI::IsMember({"given", "north-south", "east-west", "vertical"}));
    return {cmd, [o] {
                return transformFile(o->io, [&](Loaded& l, unsigned char& id) {
                    qzCore::ThreeD_Rotation_Axis a = qzCore::Rotation_Axis_Trend_Plunge;
                    if (o->axis == "north-south") a = qzCore::Rotation_Axis_North_South;
                    if (o->axis == "east-west") a = qzCore::Rotation_Axis_East_West;
                    if (o->axis == "vertical") a = qzCore::Rotation_Axis_Vertical;
                    const qzCore::RotateParams p(true, a, o->angle, o->axisTrend, o->axisPlunge, false);
                    unsigned char fresh = 0;
                    return l.manager().applyRotation(id, fresh, p, nullptr) == 1 ? 0 : 1;
                });
            }};
}

}  // namespace qz
