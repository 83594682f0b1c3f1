// The parameters of a stereonet: projection, hemisphere, net, great
// circles, slip arrows.
#ifndef QZCORE_PLOT_STEREOPLOTPARAMS_H
#define QZCORE_PLOT_STEREOPLOTPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotParams.h"

namespace qzCore {

class QZCORE_EXPORT StereoPlotParams : public PlotParams {
public:
    /// Equal area, lower hemisphere, no net, arcs for great circles in
    /// equal angle, slip arrows shown, frame width 2, legend enabled.
    StereoPlotParams() { reset(); }
    void reset() override;

    /// Equal area (Lambert/Schmidt) or equal angle (stereographic/Wulff).
    bool getIsEqualArea() const { return m_equalArea; }
    void setIsEqualArea(bool on) { m_equalArea = on; }
    /// The 10-degree net of great and small circles.
    bool getShowPlotNet() const { return m_net; }
    void setShowPlotNet(bool on) { m_net = on; }
    /// Great circles sampled point by point also in the equal-angle
    /// projection (in equal area they always are: an arc would miss them).
    bool getUseAccurateGreatCircle() const { return m_accurate; }
    void setUseAccurateGreatCircle(bool on) { m_accurate = on; }
    bool getIsLowerHem() const { return m_lowerHem; }
    void setIsLowerHem(bool on) { m_lowerHem = on; }
    bool getShowSlipDir() const { return m_slipDir; }
    void setShowSlipDir(bool on) { m_slipDir = on; }

    friend bool operator==(const StereoPlotParams& a, const StereoPlotParams& b) {
        return static_cast<const PlotParams&>(a) == static_cast<const PlotParams&>(b) &&
               a.m_equalArea == b.m_equalArea && a.m_net == b.m_net && a.m_accurate == b.m_accurate &&
               a.m_lowerHem == b.m_lowerHem && a.m_slipDir == b.m_slipDir;
    }
    friend bool operator!=(const StereoPlotParams& a, const StereoPlotParams& b) { return !(a == b); }

private:
    bool m_equalArea = true;
    bool m_net = false;
    bool m_accurate = false;
    bool m_lowerHem = true;
    bool m_slipDir = true;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_STEREOPLOTPARAMS_H
