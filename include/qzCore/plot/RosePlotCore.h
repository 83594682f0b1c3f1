// The rose diagram: a circular histogram of azimuths (trends of lines,
// strikes, dip directions or pole trends of planes, by the plane and fault
// styles).  Records are kept in the stores of every plot; only the azimuth
// of each key counts.
//
// Frequencies.  Each datum adds 1 to the class of its azimuth (and, for
// bidirectional data, 1 to the class of the opposite azimuth: an axis has
// both ends).  With a running average the counts per whole degree are
// first summed over a window of 2h + 1 degrees (h = window / 2) and
// divided by the window.  A class's share f is its frequency over the sum;
// a petal's radius is f (linear) or sqrt(n f) (area: the petal's area
// grows with its share), scaled so the largest petal reaches radius 1.
//
// Resultant.  The vector mean of the azimuths (of the doubled azimuths for
// bidirectional data, halved back: an axis, 0-179), its mean resultant
// length r and the angular deviation sqrt(2(1 - r)) (Batschelet 1981; for
// axes half that of the doubled angles).  Data whose vectors cancel have no
// resultant and none is drawn.
#ifndef QZCORE_PLOT_ROSEPLOTCORE_H
#define QZCORE_PLOT_ROSEPLOTCORE_H

#include "qzCore/Export.h"

#include <array>
#include <vector>

#include "qzCore/plot/Plot.h"
#include "qzCore/plot/RosePlotParams.h"

namespace qzCore {

class QZCORE_EXPORT RosePlotCore : public Plot {
public:
    RosePlotCore(const RosePlotParams& params, GraphicsPort* port, const DataManager& manager);
    ~RosePlotCore() override;

    void setPlotParams(const RosePlotParams& params) { m_params = params; }
    void setPlotParams(const PlotParams* params) override;
    PlotParams& getPlotParams() override { return m_params; }
    const PlotParams& getPlotParams() const override { return m_params; }
    const RosePlotParams& getRosePlotParams() const { return m_params; }
    Plot_Type getPlotType() const override { return Rose_Plot; }
    void setPlotState(krtDefaultMaskedBase& state) override;

    bool insertFault(const GeoData* record) override;
    bool insertLine(const GeoData* record) override;
    bool insertLineation(const GeoData* record) override;
    bool insertPlane(const GeoData* record) override;
    bool insertSpecial(const GeoData* record) override;
    using Plot::insert;

    void generatePlot() override;
    /// Draws (with a port), then gives the petals' radii as the scaling
    /// computes them, one per class: the class's share f of the data
    /// (linear scaling) or sqrt(n f) for n classes (area scaling), 0 for an
    /// empty class; and the largest of them, which the drawing scales to the
    /// outer ring.  Without data every radius and the largest are 0.  False
    /// (no radii, 0) only when the drawing fails.
    bool getResults(std::vector<float>& radii, float& largest) override;
    /// Radii of m frequency rings, outermost 1: i/m (linear) or sqrt(i/m)
    /// (area).  Nothing for m <= 0.
    void generateFrameRadii(int m, std::vector<float>& radii) const;

    /// The resultant of the last drawing: its azimuth (degrees; 0-179 for
    /// bidirectional data), or -1 without data or when the vectors cancel.
    double getResultantDirection() const { return m_direction; }
    /// Mean resultant length r (0-1) of the last drawing.
    double getResultantLength() const { return m_meanLength; }
    /// Angular deviation of the last drawing, degrees.
    double getAngularDeviation() const { return m_deviation; }
    /// The records of each class, by data reference (a bidirectional datum
    /// in both of its classes); filled by drawings without running average.
    const std::vector<std::vector<unsigned int>>& getBins() const { return m_bins; }
    /// The frequency of each class in the last drawing.
    const std::vector<float>& getFrequencies() const { return m_frequencies; }

protected:
    /// The rose draws its petals in the plot's colours, not in its points'
    /// styles: an update only clears its bit.
    void updateKind(Plot_Data_Type kind, Update_Aspect aspect) override;
    /// The class of an azimuth (degrees, 0-359).
    int computeBin(int azimuth) const;
    /// Frequencies, bins and resultant of this drawing.
    void computeFrequencies();
    /// Petal radii and the largest share; false when nothing was counted.
    bool computeBinRadii(std::vector<float>& radii, float& maxRadius);
    void initResultant();
    void addToResultant(double azimuth, double weight);
    void computeResultant();
    void generateBinsOnPort(const std::vector<float>& radii, float maxRadius);
    void generateBinOnPort(float radius, unsigned int index);
    void generateFrameOnPort();
    void generateLabelsOnPort();
    void initStorage();

private:
    std::vector<std::vector<unsigned int>> m_bins;
    std::vector<float> m_frequencies;
    double m_total = 0.0;      // weight of the resultant
    double m_frequencySum = 0.0;
    RosePlotParams m_params;
    double m_c = 0.0, m_s = 0.0;
    double m_direction = -1.0, m_meanLength = 0.0, m_deviation = 0.0;
    double m_largest = 0.0;    // the largest share f of this drawing
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_ROSEPLOTCORE_H
