// Fabric-shape diagrams of one or more datasets, from the normalised
// eigenvalues of their orientation tensors (analysis/FabricShape.h):
//
//  * Woodcock's (1977) diagram: ln(S2/S3) across, ln(S1/S2) up; lines
//    through the origin of constant shape K (0.2, 0.5, 1, 2, 5: girdles
//    below K = 1, clusters above) and lines of constant strength
//    C = ln(S1/S3) (x + y = C).  A fabric with a zero eigenvalue has no
//    place on it (its logarithms are infinite) and is left off.
//  * Vollmer's (1990) triangle: the point, girdle and random indices
//    P = S1 - S2, G = 2(S2 - S3), R = 3 S3 (summing to 1) as barycentric
//    coordinates, the cluster vertex up, girdle lower left, random lower
//    right, with lines every 0.2 of each index.
//
// Drawn in plot units (the plot's square from -1 to 1), each dataset a
// marker of its own colour named in the key.
#ifndef QZCORE_PLOT_FABRICDIAGRAM_H
#define QZCORE_PLOT_FABRICDIAGRAM_H

#include "qzCore/Export.h"

#include <string>
#include <vector>

#include "qzCore/analysis/FabricShape.h"
#include "qzCore/shared/Graphics.h"

namespace qzCore {

struct QZCORE_EXPORT FabricPoint {
    std::string label;
    FabricShape shape;
};

enum class FabricDiagram { Woodcock, Vollmer };

/// Where a fabric plots, in plot units; false when it has no place (a
/// Woodcock diagram's zero eigenvalue).  `range` is the Woodcock axes'
/// length (ln units).
QZCORE_EXPORT bool fabricPosition(FabricDiagram kind, const FabricShape& s, double range, TwoDPoint<float>& at);

/// Draws the diagram with the fabrics; returns the labels of those left
/// off.
QZCORE_EXPORT std::vector<std::string> drawFabricDiagram(GraphicsPort& port, FabricDiagram kind,
                                                         const std::vector<FabricPoint>& fabrics);

}  // namespace qzCore

#endif  // QZCORE_PLOT_FABRICDIAGRAM_H
