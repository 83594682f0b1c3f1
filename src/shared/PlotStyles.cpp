#include "qzCore/shared/PlotStyles.h"

namespace qzCore {

void qzColorHelper::reset() {
    windowBackground = RGBColor(255, 255, 255);
    text = RGBColor(255, 0, 0);
}

void PlotColors::reset() {
    qzColorHelper::reset();
    plotBackground = RGBColor(255, 255, 255);
    plotFrame = RGBColor(0, 0, 0);
    fault = RGBColor(0, 0, 255);
    lineation = RGBColor(255, 0, 0);
    line = RGBColor(255, 0, 255);
    plane = RGBColor(0, 255, 0);
    special = RGBColor(255, 0, 0);
    highlight = RGBColor(255, 0, 255);
}

void PlotColors::setAll(const RGBColor& c) {
    windowBackground = text = plotBackground = plotFrame = fault = lineation = line = plane = special = highlight = c;
}

bool operator==(const PlotColors& a, const PlotColors& b) {
    return a.windowBackground == b.windowBackground && a.text == b.text && a.plotBackground == b.plotBackground &&
           a.plotFrame == b.plotFrame && a.fault == b.fault && a.lineation == b.lineation && a.line == b.line &&
           a.plane == b.plane && a.special == b.special && a.highlight == b.highlight;
}

void PlotSymbols::reset() {
    const struct {
        GraphicsStyle* style;
        int symbol;
        int size;
    } table[] = {{&fault, 2, 3}, {&highlight, 7, 5}, {&line, 3, 3}, {&lineation, 0, 3}, {&plane, 6, 3}, {&special, 1, 5}};
    for (const auto& t : table) {
        t.style->setSymbol(static_cast<Graphics_Symbol>(t.symbol));
        t.style->setSize(static_cast<Graphics_Size>(t.size));
    }
}

bool operator==(const PlotSymbols& a, const PlotSymbols& b) {
    return a.fault == b.fault && a.highlight == b.highlight && a.line == b.line && a.lineation == b.lineation &&
           a.plane == b.plane && a.special == b.special;
}

}  // namespace qzCore
