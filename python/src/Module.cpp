// The qzcore module: datasets (reading, arrays, writing), analyses and
// pictures of qzCore, for Python.
#include "Common.h"

namespace qzpy {

namespace {
py::object errorType;
}  // namespace

void raise(int code, const std::string& message) {
    PyErr_SetObject(errorType.ptr(), py::make_tuple(code, message).ptr());
    throw py::error_already_set();
}

}  // namespace qzpy

PYBIND11_MODULE(qzcore, m) {
    using namespace qzpy;
    m.doc() = "Orientation data of structural geology: read, analyse and plot with qzCore.";
    // qzcore.Error(code, message): code is the library's error code.
    errorType = py::reinterpret_steal<py::object>(
        PyErr_NewExceptionWithDoc("qzcore.Error",
                                  "An operation of qzCore failed; args are (code, message): the library's error "
                                  "code and its message.",
                                  PyExc_RuntimeError, nullptr));
    m.attr("Error") = errorType;
    m.attr("__version__") = qzCore::libraryVersion();
    addDataset(m);
    addAnalyses(m);
    addPictures(m);
}
