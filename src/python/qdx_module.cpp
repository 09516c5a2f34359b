// The module `qdx`: its exception, the translation of the core's exceptions, and its classes.

#include "bindings.hpp"
#include "cli/cli_args.hpp"
#include "engine/qdxoil_members.hpp"
#include "units/format.hpp"
#include "version.hpp"

namespace qdx::python {
namespace {

// Kept for the life of the interpreter: the translator below may run until it ends.
PyObject* g_error = nullptr;

void Translate(std::exception_ptr p) {
    try {
        if (p) std::rethrow_exception(p);
    } catch (const cli::ArgumentError& e) {
        PyErr_SetString(PyExc_ValueError, e.message.c_str());
    } catch (const cli::ModelError& e) {
        PyErr_SetString(g_error, e.message.c_str());
    } catch (const ModuleError& e) {
        PyErr_SetString(g_error, e.what());
    } catch (const AutomationError& e) {
        PyErr_SetString(g_error, e.what());
    }
}

}  // namespace
}  // namespace qdx::python

PYBIND11_MODULE(qdx, m) {
    using namespace qdx::python;
    m.doc() = R"doc(QDX: rating and sizing of chilled water cooling coils.

qdx.Project is a coil project (the model of the main coil window) with its grid rows as
properties in SI units, the calculation, the sizings, the step-by-step simulation, the report
texts and the data files; qdx.QDXoil offers the fifteen members of the automation interface
IQDXoil over a Project. Faults of the model raise qdx.Error; a bad argument raises ValueError
or TypeError.)doc";
    m.attr("__version__") = qdx::Format("%d.%d.%d", qdx::build::kVersionMajor,
                                        qdx::build::kVersionMinor, qdx::build::kVersionPatch);
    g_error = PyErr_NewExceptionWithDoc(
        "qdx.Error", "A fault of the coil model or of a data file; the message says what.",
        PyExc_RuntimeError, nullptr);
    m.attr("Error") = py::handle(g_error);
    py::register_exception_translator(Translate);
    BindProject(m);
    BindQDXoil(m);
}
