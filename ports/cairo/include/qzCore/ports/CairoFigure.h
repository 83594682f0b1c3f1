// A picture file of one plot as our hosts draw it: the canvas with room
// for the frame labels, a title and a legend on the right, the plot's place
// on it, and everything scaled with the plot's size.
//
// Sizes.  The library draws text, symbols and lines in device units meant
// for a plot of 400 units; the figure scales them by size / 400, so a plot
// of 100 or 4,000 pixels looks like the 400-pixel one, only smaller or
// larger (the margins and legend scale with it).
#ifndef QZCORE_PORTS_CAIROFIGURE_H
#define QZCORE_PORTS_CAIROFIGURE_H

#include <memory>
#include <string>

#include "qzCore/plot/PlotSize.h"
#include "qzCore/ports/CairoPort.h"

namespace qzCore {

class CairoFigure {
public:
    /// The size the library's text and symbol sizes are meant for.
    static constexpr double Reference_Size = 400.0;  // as FigureCanvas
    /// Width of the legend column, in radii of the plot.
    static constexpr double Legend_Width = 0.62;

    /// A figure of a plot `diameter` device units across (100 to 4,000),
    /// with `title` above it (fitted to the width) and, with `legend`, a
    /// column for a legend on the right.
    CairoFigure(CairoPort::Format format, int diameter, const std::string& title, bool legend);

    CairoPort& port() { return *m_port; }
    const PlotSize& plotSize() const { return m_size; }
    /// size / 400.
    double scale() const { return m_scale; }
    /// Draws the title as fitTitle gives it; returns the text size used (0
    /// without a title).
    int drawTitle();
    /// The title as it fits the canvas, and its text size: shrunk from 14
    /// points down to 6, and past that cut short with an ellipsis.
    std::string fitTitle(int& size);
    std::string bytes() { return m_port->bytes(); }
    /// 1, or -7 when the file could not be written.
    int write(const std::string& name) { return m_port->write(name); }

private:
    std::string m_title;
    double m_scale = 1.0;
    PlotSize m_size;
    std::unique_ptr<CairoPort> m_port;
};

}  // namespace qzCore

#endif  // QZCORE_PORTS_CAIROFIGURE_H
