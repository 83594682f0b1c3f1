#include "qzCore/plot/FigureCanvas.h"

#include <algorithm>
#include <cmath>

namespace qzCore {

FigureCanvas figureCanvas(int diameter, bool title, bool legend) {
    FigureCanvas c;
    c.scale = double(std::clamp(diameter, 100, 4000)) / FigureCanvas::Reference_Size;
    const double d = FigureCanvas::Reference_Size * c.scale;
    // Margins as at 400 units, scaled: the north label and a title above,
    // the side labels, a legend column on the right.
    const double side = 32.0 * c.scale;
    const double top = side + 24.0 * c.scale + (title ? 28.0 * c.scale : 0.0);
    c.width = std::ceil(d + 2 * side + (legend ? FigureCanvas::Legend_Width * d / 2.0 : 0.0));
    c.height = std::ceil(d + top + side);
    c.size.init(float(d), int(std::lround(side)), int(std::lround(top)));
    return c;
}

TwoDPoint<float> titlePosition(const FigureCanvas& c, float epsilon) {
    const double centre = c.width / 2.0;
    const float x = float((centre - c.size.getPlotCenter().x()) / c.size.getHalfSize());
    const float y = 1.0f + 2.0f * epsilon + float(30.0 * c.scale / c.size.getHalfSize());
    return TwoDPoint<float>(x, y);
}

}  // namespace qzCore
