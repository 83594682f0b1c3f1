// A picture file of a plot: its canvas, the plot's place on it, and its
// writing (PNG, SVG or PDF by the output's extension).
#ifndef QZ_PICTURE_H
#define QZ_PICTURE_H

#include <memory>
#include <string>

#include "qzCore/qzCore.h"

#ifdef QZ_HAVE_CAIRO
#include "qzCore/ports/CairoFigure.h"
#endif

namespace qz {

/// What every plot command takes.
struct PictureOptions {
    std::string output;
    int size = 400;
    std::string title;
};

class Picture {
public:
    /// A canvas for a plot of `diameter` device units with room for the
    /// labels, a title and (with `legend`) a legend on the right.
    Picture(const PictureOptions& options, bool legend);
    ~Picture();

    /// False (after a message naming the output) when the output's
    /// extension names no picture format, or pictures cannot be made.
    bool ready() const { return m_ready; }
    qzCore::GraphicsPort* port();
    /// The plot's size and margins on the canvas.
    const qzCore::PlotSize& plotSize() const { return m_size; }
    /// Draws the title above the plot.
    void drawTitle();
    /// Writes the file: 0, or 1 after a message naming it.
    int write();

private:
    PictureOptions m_options;
    qzCore::PlotSize m_size;
    bool m_ready = false;
#ifdef QZ_HAVE_CAIRO
    std::unique_ptr<qzCore::CairoFigure> m_figure;
#endif
};

}  // namespace qz

#endif  // QZ_PICTURE_H
