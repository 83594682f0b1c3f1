// The outlines of the plot symbols (markers), as every port draws them:
// polylines in device units (y down), each closed or open.  A circle, and
// any symbol without a shape of its own, is a polygon of chords about 3
// units long.  Sizes: `s` is the symbol's half size in device units.
#ifndef QZCORE_SHARED_SYMBOLSHAPE_H
#define QZCORE_SHARED_SYMBOLSHAPE_H

#include "qzCore/Export.h"

#include <vector>

#include "qzCore/shared/Graphics.h"

namespace qzCore {

struct QZCORE_EXPORT SymbolShape {
    /// x, y pairs of each polyline.
    std::vector<std::vector<double>> lines;
    std::vector<bool> closed;
    void add(std::vector<double> xy, bool isClosed) {
        lines.push_back(std::move(xy));
        closed.push_back(isClosed);
    }
};

QZCORE_EXPORT SymbolShape symbolShape(Graphics_Symbol symbol, double x, double y, double s);

}  // namespace qzCore

#endif  // QZCORE_SHARED_SYMBOLSHAPE_H
