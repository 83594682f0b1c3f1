// The parameters of a tangent plot: those of every plot, and a net flag
// kept for hosts.
#ifndef QZCORE_PLOT_TANGENTPLOTPARAMS_H
#define QZCORE_PLOT_TANGENTPLOTPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotParams.h"

namespace qzCore {

class QZCORE_EXPORT TangentPlotParams : public PlotParams {
public:
    TangentPlotParams() { reset(); }
    void reset() override {
        PlotParams::reset();
        m_net = false;
    }
    /// Kept for hosts; the tangent plot always draws its plunge circles.
    bool getShowPlotNet() const { return m_net; }
    void setShowPlotNet(bool on) { m_net = on; }

    friend bool operator==(const TangentPlotParams& a, const TangentPlotParams& b) {
        return static_cast<const PlotParams&>(a) == static_cast<const PlotParams&>(b) && a.m_net == b.m_net;
    }
    friend bool operator!=(const TangentPlotParams& a, const TangentPlotParams& b) { return !(a == b); }

private:
    bool m_net = false;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_TANGENTPLOTPARAMS_H
