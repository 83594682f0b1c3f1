// The parameters of a rose diagram: the classes (bins) azimuths are counted
// in, whether the data are directions or axes, the scaling of the petals,
// the running average, and what the frame and labels show.
//
// Classes have equal widths that divide 360 degrees and start at the class
// start (degrees clockwise from north): class k holds azimuths from start +
// k x size (included) to start + (k + 1) x size (excluded).
#ifndef QZCORE_PLOT_ROSEPLOTPARAMS_H
#define QZCORE_PLOT_ROSEPLOTPARAMS_H

#include "qzCore/Export.h"

#include "qzCore/plot/PlotParams.h"

namespace qzCore {

class QZCORE_EXPORT RosePlotParams : public PlotParams {
public:
    static constexpr int Default_Class_Size = 20;
    static constexpr int Default_Num_Classes = 18;
    static constexpr int Default_Window_Size = 20;

    /// Classes of 20 degrees from north, unidirectional data, area scaling,
    /// filled petals with class and frequency boundaries, the resultant, no
    /// running average (window 20), frame width 1.
    RosePlotParams() { reset(); }
    void reset() override;

    /// Degrees, 0 <= start < 360; anything else gives 0.
    int getClassStart() const { return m_classStart; }
    void setClassStart(int start);
    bool getUseClassSize() const { return m_useClassSize; }
    void setUseClassSize(bool on) { m_useClassSize = on; }
    /// Directions (unidirectional: a trend, a dip direction) or axes
    /// (bidirectional: a strike is the same line as strike + 180).
    bool getIsUnidirectional() const { return m_unidirectional; }
    void setIsUnidirectional(bool on) { m_unidirectional = on; }
    /// Degrees.  A positive divisor of 360 sets the size and 360 / size
    /// classes; anything else the defaults (20 degrees, 18 classes).
    int getClassSize() const { return m_classSize; }
    void setClassSize(int size);
    /// A positive divisor of 360 sets the count and 360 / count degrees a
    /// class; anything else the defaults.
    int getNumClasses() const { return m_numClasses; }
    void setNumClasses(int count);
    /// Petals filled (else outlined only).
    bool getFilledClasses() const { return m_filled; }
    void setFilledClasses(bool on) { m_filled = on; }
    bool getShowClassBoundaries() const { return m_classBoundaries; }
    void setShowClassBoundaries(bool on) { m_classBoundaries = on; }
    /// The rings of equal frequency.
    bool getShowFreqBoundaries() const { return m_freqBoundaries; }
    void setShowFreqBoundaries(bool on) { m_freqBoundaries = on; }
    bool getShowResultantDirection() const { return m_resultant; }
    void setShowResultantDirection(bool on) { m_resultant = on; }
    bool getUsePlunge() const { return m_usePlunge; }
    void setUsePlunge(bool on) { m_usePlunge = on; }
    /// Radial lines on every class boundary (else every 30 degrees).
    bool getFrameOnClassBoundaries() const { return m_frameOnClasses; }
    void setFrameOnClassBoundaries(bool on) { m_frameOnClasses = on; }
    /// A petal's area (radius squared) proportional to its frequency; else
    /// its radius.
    bool getIsAreaProportional() const { return m_area; }
    void setIsAreaProportional(bool on) { m_area = on; }
    bool getGenerateRosePetals() const { return m_petals; }
    void setGenerateRosePetals(bool on) { m_petals = on; }
    /// One polygon through the class middles instead of petals.
    bool getGenerateRoseOutline() const { return m_outline; }
    void setGenerateRoseOutline(bool on) { m_outline = on; }
    /// Counts per degree smoothed over a window of whole degrees before
    /// they are binned.
    bool getApplyRunningAverage() const { return m_runningAverage; }
    void setApplyRunningAverage(bool on) { m_runningAverage = on; }
    /// Degrees, 1 to 360; anything else gives the default, 20.
    int getRunningAverageWindowSize() const { return m_window; }
    void setRunningAverageWindowSize(int degrees);

    friend bool operator==(const RosePlotParams& a, const RosePlotParams& b);
    friend bool operator!=(const RosePlotParams& a, const RosePlotParams& b) { return !(a == b); }

private:
    int m_classStart = 0;
    bool m_useClassSize = true;
    bool m_unidirectional = true;
    int m_classSize = Default_Class_Size;
    int m_numClasses = Default_Num_Classes;
    bool m_filled = true;
    bool m_classBoundaries = true;
    bool m_freqBoundaries = true;
    bool m_resultant = true;
    bool m_usePlunge = false;
    bool m_frameOnClasses = false;
    bool m_area = true;
    bool m_petals = true;
    bool m_outline = false;
    bool m_runningAverage = false;
    int m_window = Default_Window_Size;
};

}  // namespace qzCore

#endif  // QZCORE_PLOT_ROSEPLOTPARAMS_H
