// The tangent plot (Bengtson 1980): a line (trend t, plunge p) is the point
// at azimuth t and distance tan(p) / tan(65) from the centre, so a plunge of
// 65 degrees lies on the outer circle.  A plane is its dip vector (its dip
// direction and dip), so planes that share an axis, the beds of a
// cylindrical fold, line up on a straight line through the points; with the
// pole style it is its pole.
//
// Every record counts; a point beyond the plot's square (plunges above
// about 72 degrees, and a vertical line at infinity) is not drawn.  A host
// that wants the circle as the frame (setClipToFrame) has points beyond the
// outer circle, plunges above 65 degrees, left off too; either way
// getNumOffPicture says how many records the last drawing left off.
#ifndef QZCORE_PLOT_TANGENTPLOTCORE_H
#define QZCORE_PLOT_TANGENTPLOTCORE_H

#include "qzCore/Export.h"

#include "qzCore/plot/Plot.h"
#include "qzCore/plot/TangentPlotParams.h"

namespace qzCore {

class QZCORE_EXPORT TangentPlotCore : public Plot {
public:
    /// The plunge on the outer circle, degrees.
    static constexpr int Outer_Plunge = 65;

    TangentPlotCore(const TangentPlotParams& params, GraphicsPort* port, const DataManager& manager);
    ~TangentPlotCore() override;

    void setPlotParams(const TangentPlotParams& params) { m_params = params; }
    void setPlotParams(const PlotParams* params) override;
    PlotParams& getPlotParams() override { return m_params; }
    const PlotParams& getPlotParams() const override { return m_params; }
    Plot_Type getPlotType() const override { return Tangent_Plot; }
    void setPlotState(krtDefaultMaskedBase& state) override;

    bool insertFault(const GeoData* record) override;
    bool insertLine(const GeoData* record) override;
    bool insertLineation(const GeoData* record) override;
    bool insertPlane(const GeoData* record) override;
    bool insertSpecial(const GeoData* record) override;
    using Plot::insert;

    void generatePlot() override;

    /// The (strike, dip) of a planar record, or with `pole` its pole; false
    /// when the plunge lies beyond the outer circle (above 65).
    bool computePoint(TwoDPoint<int>& out, const GeoData* record, bool pole) const;
    /// (azimuth, plunge), degrees -> plot units.
    void mapTPToUnitCircle(const TwoDPoint<int>& orientation, TwoDPoint<float>& out) const;
    /// (azimuth, plunge) -> device units (rounded), in place.
    TwoDPoint<int>& mapTPToClient(TwoDPoint<int>& point) const;
    /// Whether a point of plot units lies in the plot's square, where it is
    /// drawn.
    static bool inWindow(const TwoDPoint<float>& p);
    /// With `clip`, nothing is drawn beyond the outer circle (plunge 65);
    /// without (the default), points are drawn out to the plot's square.
    void setClipToFrame(bool clip) { m_clip = clip; }
    bool getClipToFrame() const { return m_clip; }
    /// Records the last drawing left off the picture (each record at a key
    /// not drawn counts).
    int getNumOffPicture() const { return m_offPicture; }

protected:
    bool keyToUnitCircle(const TwoDPoint<int>& key, TwoDPoint<float>& out) const override {
        mapTPToUnitCircle(key, out);
        return true;
    }
    void generateFrameOnPort();
    void generateLabelsOnPort();
    void generateOnPort(const Store& store);
    void generatePointOnPort(const TwoDPoint<int>& key, const DataPlotPoint& point);

private:
    TangentPlotParams m_params;
    double m_scale;  // tan 65
    bool m_clip = false;
    int m_offPicture = 0;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_TANGENTPLOTCORE_H
