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

std::string fitTitle(const std::string& title, double room,
                     const std::function<double(const std::string&, int)>& width, int& size) {
    constexpr int Title_Size = 14, Min_Title_Size = 6;
    size = Title_Size;
    while (size > Min_Title_Size && width(title, size) > room) --size;
    std::string text = title;
    while (text.size() > 1 && width(text, size) > room) {
        // Cut whole UTF-8 characters (and the ellipsis added before).
        if (text.size() >= 3 && text.compare(text.size() - 3, 3, "\xe2\x80\xa6") == 0) text.resize(text.size() - 3);
        do {
            text.pop_back();
        } while (!text.empty() && (static_cast<unsigned char>(text.back()) & 0xC0) == 0x80);
        if (!text.empty()) text.pop_back();
        text += "\xe2\x80\xa6";
    }
    return text;
}

}  // namespace qzCore
