// A picture of one plot as an SVG document: the canvas of
// plot/FigureCanvas.h (margins, a title, a legend column) on an SvgPort.
#ifndef QZCORE_PORTS_SVGFIGURE_H
#define QZCORE_PORTS_SVGFIGURE_H

#include <memory>
#include <string>

#include "qzCore/plot/PlotSize.h"
#include "qzCore/ports/SvgPort.h"

namespace qzCore {

class SvgFigure {
public:
    /// A figure of a plot `diameter` device units across (100 to 4,000),
    /// with `title` above it and, with `legend`, a legend column.
    SvgFigure(int diameter, const std::string& title, bool legend);

    SvgPort& port() { return *m_port; }
    const PlotSize& plotSize() const { return m_size; }
    /// Draws the title, shrunk from 14 points to 6 and then cut short to
    /// the canvas's width by an estimate of its glyphs (0.55 em each: the
    /// viewer's font decides the rest).
    void drawTitle();
    std::string svg() const { return m_port->svg(); }

private:
    std::string m_title;
    double m_scale = 1.0;
    PlotSize m_size;
    std::unique_ptr<SvgPort> m_port;
};

}  // namespace qzCore

#endif  // QZCORE_PORTS_SVGFIGURE_H
