// Pictures drawn on a matplotlib Axes (see MatplotlibPort.cpp).
#ifndef QZ_PYTHON_MATPLOTLIBPORT_H
#define QZ_PYTHON_MATPLOTLIBPORT_H

#include "Common.h"
#include "qzCore/shared/RecordingPort.h"

namespace qzpy {

/// Adds the recorded drawing to `ax` as matplotlib artists; `halfSize` is
/// the plot's radius in device units (what its geometric circles' sizes
/// are divided by).  Imports matplotlib only when called.
void drawOnAxes(const qzCore::RecordingPort& port, py::object ax, float halfSize);

}  // namespace qzpy

#endif  // QZ_PYTHON_MATPLOTLIBPORT_H
