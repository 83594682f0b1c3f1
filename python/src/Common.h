// What the parts of the qzcore module share: the dataset object and the
// error Python sees.
#ifndef QZ_PYTHON_COMMON_H
#define QZ_PYTHON_COMMON_H

#include <pybind11/numpy.h>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>

#include <memory>
#include <string>

#include "qzCore/qzCore.h"

namespace qzpy {

namespace py = pybind11;

/// A dataset with the managers it lives in.  Not copyable: the data
/// manager points at its error and file managers.
struct Dataset {
    Dataset() = default;
    Dataset(const Dataset&) = delete;
    Dataset& operator=(const Dataset&) = delete;

    qzCore::ErrorManager errors;
    qzCore::FileManager files;
    qzCore::DataManager manager{&errors, &files};
    unsigned char id = 0;
    bool open = false;
    std::string name;
    /// How the file was read, in words, and whether its columns are the
    /// default layout's guess.
    std::string layout;
    bool layoutGuessed = false;

    qzCore::Data& data() const { return *manager.getDatasetFromID(id); }
    std::string message(int code) const { return errors.getMessage(code); }
};

using DatasetPtr = std::shared_ptr<Dataset>;

/// Raises qzcore.Error(code, message).
[[noreturn]] void raise(int code, const std::string& message);

void addDataset(py::module_& m);
void addAnalyses(py::module_& m);
void addPictures(py::module_& m);

}  // namespace qzpy

#endif  // QZ_PYTHON_COMMON_H
