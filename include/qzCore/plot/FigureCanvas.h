// The canvas of a picture of one plot, as every picture port lays it out:
// the plot `diameter` device units across (100 to 4,000), margins for the
// north label and side labels, a title above, a legend column on the
// right; every size scaled by diameter / 400, the size the library's text
// and symbol sizes are meant for.
#ifndef QZCORE_PLOT_FIGURECANVAS_H
#define QZCORE_PLOT_FIGURECANVAS_H

#include "qzCore/Export.h"

#include <functional>
#include <string>

#include "qzCore/plot/PlotSize.h"
#include "qzCore/shared/Points.h"

namespace qzCore {

struct QZCORE_EXPORT FigureCanvas {
    static constexpr double Reference_Size = 400.0;
    /// Width of the legend column, in radii of the plot.
    static constexpr double Legend_Width = 0.62;
    /// Device units per unit of the library's sizes.
    double scale = 1.0;
    double width = 0.0, height = 0.0;
    /// The plot's size and place on the canvas.
    PlotSize size;
};

QZCORE_EXPORT FigureCanvas figureCanvas(int diameter, bool title, bool legend);

/// Where a title's baseline centre sits, in plot units, on a canvas of
/// that layout (above the north label).
QZCORE_EXPORT TwoDPoint<float> titlePosition(const FigureCanvas& canvas, float epsilon);

/// `title` as it fits `room` device units, `width` measuring a text at a
/// size: shrunk from 14 points down to 6, and past that cut short (whole
/// UTF-8 characters) with an ellipsis.  `size` gets the points used.
QZCORE_EXPORT std::string fitTitle(const std::string& title, double room,
                                   const std::function<double(const std::string&, int)>& width, int& size);

}  // namespace qzCore

#endif  // QZCORE_PLOT_FIGURECANVAS_H
