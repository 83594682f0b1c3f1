#include "qzCore/plot/RosePlotParams.h"

namespace qzCore {

namespace {

/// A class width or count that splits the circle into whole classes.
bool dividesTheCircle(int n) { return n > 0 && n <= 360 && 360 % n == 0; }

}  // namespace

void RosePlotParams::reset() {
    PlotParams::reset();
    m_classStart = 0;
    m_useClassSize = true;
    m_unidirectional = true;
    m_classSize = Default_Class_Size;
    m_numClasses = Default_Num_Classes;
    m_filled = true;
    m_classBoundaries = true;
    m_freqBoundaries = true;
    m_resultant = true;
    m_usePlunge = false;
    m_frameOnClasses = false;
    m_area = true;
    m_petals = true;
    m_outline = false;
    m_runningAverage = false;
    m_window = Default_Window_Size;
    setPlotFrameWidth(1);
}

void RosePlotParams::setClassStart(int start) { m_classStart = start >= 0 && start < 360 ? start : 0; }

void RosePlotParams::setClassSize(int size) {
    // A negative or non-dividing width would give a negative or broken
    // class count: only whole splits of the circle are taken.
    m_classSize = dividesTheCircle(size) ? size : Default_Class_Size;
    m_numClasses = 360 / m_classSize;
}

void RosePlotParams::setNumClasses(int count) {
    m_numClasses = dividesTheCircle(count) ? count : Default_Num_Classes;
    m_classSize = 360 / m_numClasses;
}

void RosePlotParams::setRunningAverageWindowSize(int degrees) {
    // A window of 0 divides by zero; a negative one sums nothing.
    m_window = degrees >= 1 && degrees <= 360 ? degrees : Default_Window_Size;
}

bool operator==(const RosePlotParams& a, const RosePlotParams& b) {
    return static_cast<const PlotParams&>(a) == static_cast<const PlotParams&>(b) &&
           a.m_classStart == b.m_classStart && a.m_useClassSize == b.m_useClassSize &&
           a.m_unidirectional == b.m_unidirectional && a.m_classSize == b.m_classSize &&
           a.m_numClasses == b.m_numClasses && a.m_filled == b.m_filled && a.m_classBoundaries == b.m_classBoundaries &&
           a.m_freqBoundaries == b.m_freqBoundaries && a.m_resultant == b.m_resultant &&
           a.m_usePlunge == b.m_usePlunge && a.m_frameOnClasses == b.m_frameOnClasses && a.m_area == b.m_area &&
           a.m_petals == b.m_petals && a.m_outline == b.m_outline && a.m_runningAverage == b.m_runningAverage &&
           a.m_window == b.m_window;
}

}  // namespace qzCore
