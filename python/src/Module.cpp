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
    // The facade's refusals are the caller's to mend (ValueError, naming
    // the argument as Python spells it); its failures carry the library's
    // code (qzcore.Error).
    py::register_exception_translator([](std::exception_ptr p) {
        try {
            if (p) std::rethrow_exception(p);
        } catch (const qzCore::facade::Refused& r) {
            std::string field = r.field() == "to" ? "format" : r.field();
            for (char& c : field) c = c == '-' ? '_' : c;
            PyErr_SetString(PyExc_ValueError, (field + " " + r.text()).c_str());
        } catch (const qzCore::facade::Failed& f) {
            std::string message = (f.field().empty() ? "" : f.field() + ": ") + f.what();
            if (!f.hint().empty()) message += " (" + f.hint() + ")";
            PyErr_SetObject(errorType.ptr(), py::make_tuple(f.code(), message).ptr());
        }
    });
    addDataset(m);
    addAnalyses(m);
    addPictures(m);
    addKinematic(m);
    addStress(m);
}
