// Analyses drawn over a stereonet, as qz and the Python module draw them:
// the Fisher mean of planes (as poles), fault planes and lines with its 95%
// cone; the best-fit girdle of the same with its pole; the P and T axes of
// the faults; and the rows of a key of their symbols (FigureDecorations.h
// draws it).
#ifndef QZCORE_PLOT_STEREONETOVERLAYS_H
#define QZCORE_PLOT_STEREONETOVERLAYS_H

#include "qzCore/Export.h"

#include <deque>
#include <string>
#include <utility>
#include <vector>

#include "qzCore/plot/FigureDecorations.h"
#include "qzCore/plot/StereoPlotCore.h"

namespace qzCore {

class Data;

class QZCORE_EXPORT StereonetOverlays {
public:
    /// Overlays of `data`'s records on `plot` (which keeps the results).
    StereonetOverlays(StereoPlotCore& plot, const Data& data);

    /// Each puts its results into the plot, before the plot is drawn: 1, or
    /// the analysis's error code.  A Fisher mean without a cone (too few
    /// data, too much spread) is drawn alone and note() says so; P and T
    /// need at least one fault with a usable sense of slip
    /// (Error::No_Data_To_Analyse otherwise).
    int addFisher();
    int addBestFit();
    int addPTAxes();
    /// After the plot is drawn: the cones.
    void drawOnPort(GraphicsPort& port) const;
    /// A key row for each overlay added.
    const std::vector<KeyEntry>& key() const { return m_key; }
    /// What the user should know ("" when nothing).
    const std::string& note() const { return m_note; }

private:
    struct Cone {
        TwoDPoint<float> axis;
        double angle;
    };
    StereoPlotCore& m_plot;
    std::deque<GeoData*> m_records;
    std::vector<Cone> m_cones;
    std::vector<KeyEntry> m_key;
    std::string m_note;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_STEREONETOVERLAYS_H
