#pragma once
// The Python module `qdx`: a coil project as `qdx.Project` and the automation members over it
// as `qdx.QDXoil`. The module holds the interpreter's lock throughout, so the program-wide
// state of the core is only ever used by one thread at a time.

#include <pybind11/pybind11.h>

#include <filesystem>
#include <memory>
#include <optional>
#include <stdexcept>
#include <string>

#include "cli/coil_command.hpp"
#include "engine/coil_project.hpp"

namespace qdx::python {

namespace py = pybind11;

// A fault of the model or of a file operation: `qdx.Error` with the message.
class ModuleError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A coil project as the module's `Project` holds it: the project, and whether the results it
// holds come from a calculation that ran to its end since the last change.
class ScriptProject {
public:
    // The first-run coil built as `qdx rate` builds it, the options applied as its grid edits,
    // or, with a path, that project file opened into it.
    ScriptProject(const std::optional<std::filesystem::path>& path,
                  const cli::CoilOptionTexts& options);

    TCoilProject& Project() { return *project_; }

    // The result of a grid row's operation: raises the project's fault when it took nothing.
    void Row(bool applied);
    // SolveCoil; raises after a fault unless quiet (the automation member returns normally).
    bool Solve(bool quiet = false);
    bool Size(TSizingKind kind, double airVolume);
    // After a calculation: its results are the report's and the JSON's until the next change;
    // raises after a fault unless quiet. Returns solved.
    bool Calculated(bool solved, bool quiet = false);
    // Solves when not solved, then the step simulation; raises unless it settled.
    void Simulate();
    std::optional<double> SimulatedDuty() const { return simulatedDuty_; }
    std::string Report(const std::string& kind, const std::string& units);
    // The results as `qdx rate --json` prints them.
    std::string ResultsJson();
    void Save(const std::filesystem::path& path);
    void Open(const std::filesystem::path& path);

private:
    void Changed();

    std::unique_ptr<TCoilProject> project_ = std::make_unique<TCoilProject>();
    // The last message of the project (a file that did not open or save).
    std::string message_;
    bool calculated_ = false;
    std::string failure_;
    std::optional<double> simulatedDuty_;
};

void BindProject(py::module_& m);
void BindQDXoil(py::module_& m);

}  // namespace qdx::python
