// What qz's stereonet and density commands share: the options of a
// density count.
#ifndef QZ_DENSITY_H
#define QZ_DENSITY_H

#include <string>

#include "Common.h"

namespace qz {

/// How a density is counted.
struct DensityOptions {
    std::string method = "kamb";
    std::string smoothing = "exp";
    /// START:INTERVAL; empty: chosen from the densest node (see
    /// qzCore::chooseContourLevels).
    std::string levels;
    int grid = 50;
    bool filled = false;
    /// What is counted: the records loaded, never analysis results (drawn
    /// over the net or loaded from a file) unless asked for.
    std::string count = "planes,faults,lines,lineations";
    /// A colour map of qzCore::colorMaps().
    std::string colours = "viridis";
    std::string compensate;
};

/// Adds --smoothing, --grid, --count, with `compensate` --compensate, and
/// with `levels` --levels and --filled.  The method's option is the
/// command's own.
void addDensityOptions(CLI::App* cmd, DensityOptions& options, bool levels, bool compensate);

/// The density request of the options' texts; false after a message
/// naming the option that is wrong.
bool densityRequest(const DensityOptions& options, qzCore::facade::DensityParams& out);
/// The contour record of the options; false after a message naming the
/// option that is wrong.
bool densityParams(const DensityOptions& options, qzCore::ContourParams& params);

}  // namespace qz

#endif  // QZ_DENSITY_H
