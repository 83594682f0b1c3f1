// The stereonet: orientations projected into a circle of radius 1 (plot
// units, x east, y north) in equal-area (Lambert, Schmidt net) or
// equal-angle (stereographic, Wulff net) projection, of the lower or the
// upper hemisphere; its frame, net and labels; records as symbols, poles,
// dip directions and great circles; slip arrows; analysis results;
// highlights; the contour legend.
//
// Projection: a line (trend t, plunge p, degrees) lies at (sin t, cos t) r
// with r = sqrt(2) sin((90 - p)/2) in equal area and r = tan((90 - p)/2)
// in equal angle: 1 on the primitive (horizontal), 0 at the centre
// (vertical).  A plane is its great circle (keyed by strike and dip), its
// pole or its dip direction, by the plot's plane and fault styles.  On an
// upper-hemisphere plot every orientation is turned by 180 degrees in
// azimuth, results as much as data.
//
// Drawing order of generatePlot: colour table (for ports that use one),
// frame, filled contours with the frame's lines again over them, data
// (lines, faults, lineations, planes, specials), slip arrows, contour
// lines, contour legend, labels.
#ifndef QZCORE_PLOT_STEREOPLOTCORE_H
#define QZCORE_PLOT_STEREOPLOTCORE_H

#include "qzCore/Export.h"

#include <functional>
#include <list>
#include <memory>
#include <string>
#include <vector>

#include "qzCore/plot/ContourParams.h"
#include "qzCore/plot/DensityGrid.h"
#include "qzCore/plot/Plot.h"
#include "qzCore/plot/StereoPlotParams.h"

namespace qzCore {

class ContourGenerator;

class QZCORE_EXPORT StereoPlotCore : public Plot {
public:
    StereoPlotCore(const StereoPlotParams& params, GraphicsPort* port, const DataManager& manager);
    ~StereoPlotCore() override;

    void setPlotParams(const StereoPlotParams& params) { m_params = params; }
    void setPlotParams(const PlotParams* params) override;
    PlotParams& getPlotParams() override { return m_params; }
    const PlotParams& getPlotParams() const override { return m_params; }
    const StereoPlotParams& getStereoPlotParams() const { return m_params; }
    Plot_Type getPlotType() const override { return Stereo_Plot; }
    const ContourParams* getContourParams() const override { return m_contour.get(); }
    void setPlotState(krtDefaultMaskedBase& state) override;
    void generatePlot() override;

    // ---- projection ------------------------------------------------------
    /// (azimuth, plunge) in whole degrees -> plot units.
    void mapTPToUnitCircle(const TwoDPoint<int>& orientation, TwoDPoint<float>& out) const;
    /// (azimuth, plunge) in degrees, fractions kept -> plot units, in place.
    void mapTPToUnitCircle(TwoDPoint<float>& point) const;
    /// The inverse: the (azimuth, plunge) in degrees, fractions kept, that a
    /// point of plot units shows in this projection (azimuth as the plot's
    /// keys hold it, 0 at the centre).  False beyond the primitive.
    bool mapUnitCircleToTP(double x, double y, double& azimuth, double& plunge) const;
    /// (azimuth, plunge) -> device units (rounded), in place.
    TwoDPoint<int>& mapTPToClient(TwoDPoint<int>& point) const;
    /// A point of the unit square (0..1, y down) -> device units of the
    /// plot's square; with `check`, whether it lies within the net.
    bool mapPointToClient(double x, double y, TwoDPoint<float>& out, bool check) const;
    bool mapPointToClient(double x, double y, TwoDPoint<int>& out, bool check) const;
    /// The great circle of a plane (strike, dip; degrees) in plot units,
    /// from the strike end to the other.  True when any point was made.
    bool generateGreatCircle(float strike, float dip, std::list<TwoDPoint<float>>& points) const;
    /// Draws the small circle of `angle` degrees about the line `axis`
    /// (trend, plunge; degrees) in the plot's hemisphere: a confidence
    /// cone.  Parts beyond the primitive are drawn where their opposite
    /// directions project.  Nothing without a port.
    void generateSmallCircleOnPort(const TwoDPoint<float>& axis, float angle, const GraphicsStyle& style) const;

    // ---- records ------------------------------------------------------------
    bool insertFault(const GeoData* record) override;
    bool insertLine(const GeoData* record) override;
    bool insertLineation(const GeoData* record) override;
    bool insertPlane(const GeoData* record) override;
    bool insertSpecial(const GeoData* record) override;
    /// Universal-stage axes (kinds 16, 17, 18).
    bool insert(const std::list<SpecialData>& results) override;
    /// P and T axes in the styles of the fault analysis.
    bool insert(const std::list<SpecialData>& results, const AnalyzeFaultParams& params) override;
    /// Results in one style; with symbol 8 each is drawn as the plane whose
    /// pole it is (a best-fit girdle).
    bool insert(const std::list<SpecialData>& results, const GenericBasePlotParams& params) override;
    using Plot::insert;

    // ---- highlights and results ------------------------------------------------
    void highlightInPlot(int x, int y, const GraphicsStyle& style, bool keep) override;
    void insertHighlightPoints(bool greatCircles, const GraphicsStyle& style) override;
    bool getLastHighlightedPoint(TwoDPoint<int>& key, GraphicsStyle& style, bool greatCircle) override;

    // ---- contours -------------------------------------------------------------
    /// Keeps a copy of the record and draws its contours (filled ones by a
    /// whole new drawing, since they lie under the data).
    void contour(const ContourParams& params) override;
    /// Keeps a copy of the record for the next drawing; draws nothing now.
    void setContourParams(const ContourParams& params);
    /// Drops the contours; redraws with `redraw`.
    void clearContours(bool redraw) override;
    /// The colours (packed 0xRRGGBB) of the levels from the record's start
    /// up to the largest value of its stored grid, from the record's start
    /// to its end colour.  False without a record, without a stored grid
    /// (one is stored by every contouring) or without a level.
    bool getContourColors(std::vector<int>& colors) const;
    /// The density the record `params` asks for, on its grid, without
    /// drawing.  @throw int -62 (Error::Internal_Error), as every plot failure is raised when it cannot finish.
    ContourOutcome computeDensity(const ContourParams& params, DensityGrid& out) const;
    /// Sets the contour levels of `params` from the density of the data
    /// this plot holds (chooseContourLevels), for a host whose user set
    /// none.  @return what it chose in words ("contour levels from 10000
    /// every 10000 sigma (the densest node is 66672.7 sigma)"); empty when
    /// the usual 2, 4, 6, ... stay or there is no density.
    std::string chooseLevels(ContourParams& params) const;
    /// How the last contouring ended, and why it drew nothing ("" when it
    /// drew).
    ContourOutcome getContourOutcome() const { return m_contourOutcome; }
    /// Drawn by generatePlot over the frame and filled contours, under the
    /// data (shaded zones of an analysis).
    void setUnderlay(std::function<void()> draw) { m_underlay = std::move(draw); }
    const std::string& getContourMessage() const { return m_contourMessage; }

    void setFaultColor(const RGBColor& c) override { m_params.getPlotColors().fault = c; }
    void setPlaneColor(const RGBColor& c) override { m_params.getPlotColors().plane = c; }
    void setLineColor(const RGBColor& c) override { m_params.getPlotColors().line = c; }
    void setLineationColor(const RGBColor& c) override { m_params.getPlotColors().lineation = c; }
    void setSpecialColor(const RGBColor& c) override { m_params.getPlotColors().special = c; }

    /// The arrow of a slip line (plot units): from the line's point, along
    /// the movement of the hanging wall.
    static constexpr float Min_Arrow_Length = 0.1f;
    static constexpr float Min_Arrow_Head = 0.05f;

protected:
    void generateFrameOnPort();
    void generateLabelsOnPort();
    /// The great circle of the plane (strike, dip) in `key`.
    void generateGreatCircleOnPort(const TwoDPoint<int>& key, const GraphicsStyle& style);
    void generateOnPort(const Store& store);
    void generatePointOnPort(const TwoDPoint<int>& key, const DataPlotPoint& point);
    void generateSlipVectorsOnPort();
    void generateLegendOnPort();
    /// The contours of the current record, then their labels.
    /// @throw int -62 (Error::Internal_Error), as every plot failure is raised when they cannot be finished.
    virtual void generateContoursOnPort();
    void generateContourLabelsOnPort();
    void updateHemisphere();

    /// Faults and planes keep the great-circle marker 8; lines, lineations
    /// and results the reserved marker 12.
    Graphics_Symbol reservedSymbol(Plot_Data_Type kind) const override {
        return kind == Plot_Fault || kind == Plot_Plane ? Symbol_Great_Circle : Symbol_Reserved_Marker;
    }
    bool skipsSymbolUpdateToReserved() const override { return true; }
    void addDrawnColors(std::set<RGBColor, RGBColorLess>& colors) const override;
    bool keyToUnitCircle(const TwoDPoint<int>& key, TwoDPoint<float>& out) const override {
        mapTPToUnitCircle(key, out);
        return true;
    }

    /// Projection radius of a plunge (degrees, fractions kept).
    double radiusOf(double plunge) const;

    StereoPlotParams m_params;
    std::unique_ptr<ContourParams> m_contour;
    ContourOutcome m_contourOutcome = ContourOutcome::No_Data;
    std::string m_contourMessage;
    std::function<void()> m_underlay;

private:
    /// The frame; without `background` only its lines (over filled
    /// contours), not the paper-coloured disc.
    void drawFrame(bool background);
    /// A generator that has counted and found the levels of the record;
    /// null without a record.
    std::unique_ptr<ContourGenerator> prepareContours();
    /// Draws what it prepared, in a group, then the contour labels.
    void drawContours(ContourGenerator& generator);
    bool insertPlanar(const GeoData* record, Store& store, Planar_Plot_Style style, const RGBColor& color,
                      const GraphicsStyle& symbols);
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_STEREOPLOTCORE_H
