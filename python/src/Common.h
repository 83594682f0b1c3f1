// What the parts of the qzcore module share: the dataset object and the
// error Python sees.
#ifndef QZ_PYTHON_COMMON_H
#define QZ_PYTHON_COMMON_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <string>

#include "qzCore/facade/Analyses.h"
#include "qzCore/facade/Pictures.h"
#include "qzCore/qzCore.h"

namespace qzpy {

namespace py = pybind11;

/// A dataset: the facade's value, shared between the Python objects that
/// hold it (pictures keep theirs).
using Dataset = qzCore::facade::Dataset;
using DatasetPtr = std::shared_ptr<Dataset>;

/// The dataset, or ValueError for None.
inline Dataset& opened(const DatasetPtr& ds) {
    if (!ds) throw py::value_error("the dataset holds no data");
    return *ds;
}

/// A Python (trend, plunge) pair into `to`; None leaves it.
inline void setDirection(const py::object& pair, qzCore::facade::Direction& to) {
    if (pair.is_none()) return;
    const auto d = pair.cast<std::pair<double, double>>();
    to = {d.first, d.second};
}

/// Raises qzcore.Error(code, message).
[[noreturn]] void raise(int code, const std::string& message);

void addDataset(py::module_& m);
void addAnalyses(py::module_& m);
void addPictures(py::module_& m);
void addKinematic(py::module_& m);
void addStress(py::module_& m);

}  // namespace qzpy

#endif  // QZ_PYTHON_COMMON_H
