// `qdx.Project`: the coil project of the main coil window, driven from Python through the same
// operations as the window's grid rows and the command line.

#include <pybind11/stl.h>
#include <pybind11/stl/filesystem.h>

#include <cctype>
#include <cmath>
#include <sstream>
#include <string_view>
#include <vector>

#include "bindings.hpp"
#include "cli/cli_args.hpp"
#include "cli/commands.hpp"
#include "units/format.hpp"

namespace qdx::python {

namespace {

namespace fs = std::filesystem;

[[noreturn]] void RaiseFileNotFound(const fs::path& path) {
    PyErr_SetString(PyExc_FileNotFoundError, ("File not found: " + path.string()).c_str());
    throw py::error_already_set();
}

// A number option as the command line would read it: Python's shortest text of a float reads
// back as the same double.
std::string NumberText(const py::handle& value, const char* name) {
    if (py::isinstance<py::bool_>(value) ||
        !(py::isinstance<py::int_>(value) || py::isinstance<py::float_>(value)))
        throw py::type_error(std::string(name) + " must be a number or a text");
    return py::repr(value).cast<std::string>();
}

std::string OptionText(const py::handle& value, const char* name) {
    if (py::isinstance<py::str>(value)) return value.cast<std::string>();
    return NumberText(value, name);
}

// The keyword arguments of Project(): the long options of `qdx rate` that build and edit the
// coil, with "_" for "-".
cli::CoilOptionTexts OptionsFrom(const py::kwargs& kwargs) {
    cli::CoilOptionTexts t;
    struct Text {
        const char* name;
        std::optional<std::string> cli::CoilOptionTexts::*field;
    };
    static const Text kTexts[] = {
        {"maker", &cli::CoilOptionTexts::maker},
        {"tube", &cli::CoilOptionTexts::tube},
        {"model", &cli::CoilOptionTexts::model},
        {"pressure", &cli::CoilOptionTexts::pressure},
        {"air_on", &cli::CoilOptionTexts::airOn},
        {"face_velocity", &cli::CoilOptionTexts::faceVelocity},
        {"air_volume", &cli::CoilOptionTexts::airVolume},
        {"liquid", &cli::CoilOptionTexts::liquid},
        {"additive", &cli::CoilOptionTexts::additive},
        {"additive_volume", &cli::CoilOptionTexts::additiveVolume},
        {"control", &cli::CoilOptionTexts::control},
        {"fluid_inlet", &cli::CoilOptionTexts::fluidInlet},
        {"design_dt", &cli::CoilOptionTexts::designDt},
        {"tube_velocity", &cli::CoilOptionTexts::tubeVelocity},
        {"fluid_flow", &cli::CoilOptionTexts::fluidFlow},
        {"mode", &cli::CoilOptionTexts::mode},
        {"design_duty", &cli::CoilOptionTexts::designDuty},
    };
    for (const auto& [key, value] : kwargs) {
        const std::string name = py::str(key);
        bool known = false;
        for (const Text& k : kTexts) {
            if (name != k.name) continue;
            t.*k.field = OptionText(value, k.name);
            known = true;
        }
        if (name == "factors") {
            known = true;
            if (py::isinstance<py::str>(value)) {
                t.factors = value.cast<std::string>();
            } else {
                std::string text;
                for (const py::handle item : py::iter(value)) {
                    if (!text.empty()) text += ',';
                    text += NumberText(item, "factors");
                }
                t.factors = text;
            }
        } else if (name == "no_fouling") {
            known = true;
            if (!py::isinstance<py::bool_>(value))
                throw py::type_error("no_fouling must be True or False");
            t.noFouling = value.cast<bool>();
        }
        if (!known) throw py::type_error("Project() got an unexpected keyword argument '" + name + "'");
    }
    return t;
}

double NonNegative(double v, const char* name) {
    if (v < 0) throw py::value_error(Format("%s must not be negative, got %.17g", name, v));
    return v;
}

// An enumerated row by its command-line word or its index.
int Choice(const py::object& value, const char* name, std::initializer_list<const char*> words) {
    if (py::isinstance<py::str>(value)) {
        std::string text = value.cast<std::string>();
        for (char& ch : text) ch = static_cast<char>(std::tolower(static_cast<unsigned char>(ch)));
        int i = 0;
        for (const char* w : words) {
            if (text == w) return i;
            ++i;
        }
    } else if (py::isinstance<py::int_>(value) && !py::isinstance<py::bool_>(value)) {
        const int i = value.cast<int>();
        if (i >= 0 && i < static_cast<int>(words.size())) return i;
    }
    std::string list;
    for (const char* w : words) list += std::string(list.empty() ? "" : " or ") + "'" + w + "'";
    throw py::value_error(std::string(name) + " must be " + list + ", got " +
                          py::repr(value).cast<std::string>());
}

const char* ChoiceWord(int i, std::initializer_list<const char*> words) {
    return static_cast<std::size_t>(i) < words.size() ? words.begin()[i] : "";
}

constexpr std::initializer_list<const char*> kControls = {"temperature", "flow"};
constexpr std::initializer_list<const char*> kModes = {"duty", "size"};

// The rows of the last march as a list of [liquid, air dry bulb, surface, dew point] rows, or
// as a NumPy array of 100 x 4 when NumPy is there.
py::object StepRows(const TFloatMat& m) {
    py::list rows;
    for (int r = 0; r < m.Rows(); ++r) {
        py::list row;
        for (int c = 0; c < 4; ++c) row.append(m.At(c, r));
        rows.append(row);
    }
    py::module_ numpy;
    try {
        numpy = py::module_::import("numpy");
    } catch (py::error_already_set& e) {
        if (!e.matches(PyExc_ImportError)) throw;
        return rows;
    }
    return numpy.attr("array")(rows, py::arg("dtype") = "float64");
}

}  // namespace

ScriptProject::ScriptProject(const std::optional<fs::path>& path,
                             const cli::CoilOptionTexts& options) {
    project_->OnMessage = [this](const std::string& text) { message_ = text; };
    // A script's project does not depend on the projects built before it, as a run of
    // `qdx rate` does not.
    cli::StartLikeANewRun(options, path.has_value());
    cli::PrepareCoilData();
    if (!path) {
        cli::BuildCoil(options, *project_);
        return;
    }
    std::error_code ec;
    if (!fs::exists(*path, ec)) RaiseFileNotFound(*path);
    message_.clear();
    if (!cli::BuildCoilFromFile(options, path->string(), *project_))
        throw ModuleError(message_ + " (" + path->string() + ")");
}

void ScriptProject::Changed() {
    calculated_ = false;
    failure_.clear();
    simulatedDuty_.reset();
}

void ScriptProject::Row(bool applied) {
    if (!applied) throw ModuleError(project_->LastError);
    Changed();
}

bool ScriptProject::Calculated(bool solved, bool quiet) {
    calculated_ = project_->LastError.empty();
    failure_ = cli::CalculationFailure(*project_, calculated_);
    if (!calculated_ && !quiet) throw ModuleError(failure_);
    return solved;
}

bool ScriptProject::Solve(bool quiet) { return Calculated(project_->SolveCoil(), quiet); }

bool ScriptProject::Size(TSizingKind kind, double airVolume) {
    NonNegative(airVolume, "air_volume");
    return Calculated(project_->SizeAndSolve(kind, airVolume), false);
}

void ScriptProject::Simulate() {
    // As `qdx simulate`: a coil that does not solve is not marched.
    if (!project_->Solved) Solve();
    if (!failure_.empty()) throw ModuleError(failure_);
    simulatedDuty_.reset();
    double duty = 0;
    if (!project_->StepSimulation(duty))
        throw ModuleError("Data Error... (" + project_->LastError + ")");
    if (!project_->Coil().StepSettled) throw ModuleError(kStepNotSettledText);
    simulatedDuty_ = duty;
}

std::string ScriptProject::Report(const std::string& kind, const std::string& units) {
    cli::ReportOptionTexts t;
    t.report = kind;
    t.units = units;
    cli::CheckReportOptions(t);
    cli::ApplyUnits(units);
    std::ostringstream out, err;
    cli::CommandContext ctx{out, err};
    if (cli::WriteReport(t, *project_, calculated_, true, ctx) != 0) {
        std::string why = err.str();
        while (!why.empty() && why.back() == '\n') why.pop_back();
        throw ModuleError(why);
    }
    return out.str();
}

std::string ScriptProject::ResultsJson() {
    std::ostringstream out;
    cli::PrintRateJson(*project_, failure_, out);
    return out.str();
}

void ScriptProject::Save(const fs::path& path) {
    if (path.empty()) throw py::value_error("save() needs a file name");
    message_.clear();
    if (!project_->SaveFile(path.string()))
        throw ModuleError(message_ + " (" + project_->FileError + ")");
}

void ScriptProject::Open(const fs::path& path) {
    std::error_code ec;
    if (path.empty() || !fs::exists(path, ec)) RaiseFileNotFound(path);
    message_.clear();
    if (!project_->OpenFile(path.string())) throw ModuleError(message_ + " (" + path.string() + ")");
    Changed();
}

void BindProject(py::module_& m) {
    py::class_<ScriptProject> cls(m, "Project", R"doc(
A chilled water coil project: the coil, its coolant, the entering and leaving air, the
barometer, the design duty and the calculation mode, with the document flags of the main coil
window.

Project(path=None, **options)

Without a path the coil is the first-run coil that `qdx rate` builds; with a path the ".cqx"
(or older) project file is opened into it. The keyword options are the long options of
`qdx rate` with "_" for "-" (maker, tube, model, pressure, air_on, face_velocity, air_volume,
liquid, additive, additive_volume, control, fluid_inlet, design_dt, tube_velocity, fluid_flow,
mode, design_duty, factors, no_fouling), given as texts or numbers in the same SI units and
applied as the same grid edits, so Project(**options).solve() gives what
`qdx rate --OPTION VALUE ... --json` prints.

Values are SI: temperatures °C, pressure kPa, flows kg/s and m³/s, velocities m/s, duties kW.
Setting a property runs its grid row: the document becomes modified and not solved, nothing is
calculated until solve(). A value the model cannot take raises qdx.Error and leaves the
project exactly as it was.
)doc");

    cls.def(py::init([](std::optional<fs::path> path, const py::kwargs& kwargs) {
                return std::make_unique<ScriptProject>(path, OptionsFrom(kwargs));
            }),
            py::arg("path") = py::none());

    cls.def("__repr__", [](ScriptProject& p) {
        return "<qdx.Project " + p.Project().Coil().GetDesignation() + ">";
    });

    // ---- the thirteen rows of the grid ----
    cls.def_property(
        "coil_model", [](ScriptProject& p) { return p.Project().Coil().GetDesignation(); },
        [](ScriptProject& p, const std::string& text) {
            TCoilProject& project = p.Project();
            const bool applied = project.SetCoilModel(text);
            if (!applied && project.LastError.empty())
                throw py::value_error("not a coil designation: '" + text + "'");
            p.Row(applied);
        },
        R"doc(The coil designation, e.g. "635 720 4r 12f 7c" (fin height mm, finned length mm,
rows, fins per inch, circuits). Text that is not a designation raises ValueError and keeps the
geometry.)doc");
    cls.def_property(
        "barometer", [](ScriptProject& p) { return p.Project().Barometer; },
        [](ScriptProject& p, double kPa) {
            p.Row(p.Project().SetBarometer(NonNegative(kPa, "barometer")));
        },
        "Barometric pressure, kPa. The entering and leaving air keep their dry and wet bulbs.");
    cls.def_property(
        "on_coil",
        [](ScriptProject& p) {
            const TAirState& a = p.Project().OnCoilAir;
            return py::make_tuple(a.db, a.wb);
        },
        [](ScriptProject& p, const py::object& value) {
            std::string text;
            if (py::isinstance<py::str>(value)) {
                text = value.cast<std::string>();
            } else if (py::isinstance<py::tuple>(value) || py::isinstance<py::list>(value)) {
                const py::sequence pair = value;
                if (pair.size() != 2) throw py::value_error("on_coil needs (dry bulb, wet bulb)");
                text = NumberText(pair[0], "on_coil") + "/" + NumberText(pair[1], "on_coil");
            } else {
                text = NumberText(value, "on_coil");
            }
            p.Row(p.Project().SetOnCoil(text));
        },
        R"doc(Entering air as (dry bulb, wet bulb), °C. Set it as such a pair, as a text
"db/wb", or as a dry bulb alone (relative humidity 50 %); the face velocity is kept.)doc");
    cls.def_property(
        "air_volume", [](ScriptProject& p) { return p.Project().Coil().VolumeFlow; },
        [](ScriptProject& p, double v) {
            p.Row(p.Project().SetAirVolume(NonNegative(v, "air_volume")));
        },
        "Air volume flow at the entering density, m³/s; the face velocity follows.");
    cls.def_property(
        "air_velocity", [](ScriptProject& p) { return p.Project().Coil().FaceVelocity; },
        [](ScriptProject& p, double v) {
            p.Row(p.Project().SetAirVelocity(NonNegative(v, "air_velocity")));
        },
        "Air face velocity, m/s; the volume flow follows.");
    cls.def_property_readonly(
        "coolant", [](ScriptProject& p) { return p.Project().Coolant().GetCaption(); },
        "The coolant's caption (text, no unit); change it with set_coolant().");
    cls.def(
        "set_coolant",
        [](ScriptProject& p, int liquid, int additive, double additiveVolume) {
            if (liquid < 0 || liquid > 13) throw py::value_error("liquid must be 0 to 13");
            if (additive < 0 || additive > 3) throw py::value_error("additive must be 0 to 3");
            if (!(additiveVolume >= 0 && additiveVolume <= 1))
                throw py::value_error("additive_volume must be a fraction from 0 to 1");
            p.Row(p.Project().SetCoolant(liquid, additive, additiveVolume));
        },
        py::arg("liquid"), py::arg("additive") = 0, py::arg("additive_volume") = 0.0,
        R"doc(Chooses the coolant: liquid index 0 to 13 (0 water), for water an additive 0 to 3
(0 none) and its volume fraction 0 to 1 (no unit).)doc");
    cls.def_property(
        "fluid_control",
        [](ScriptProject& p) { return ChoiceWord(p.Project().LiquidState().ctrl, kControls); },
        [](ScriptProject& p, const py::object& v) {
            p.Row(p.Project().SetFluidControl(Choice(v, "fluid_control", kControls)));
        },
        R"doc(Liquid control: "temperature" holds the design temperature rise and the flow
follows the duty, "flow" holds the flow (also 0 or 1).)doc");
    cls.def_property(
        "fluid_inlet", [](ScriptProject& p) { return p.Project().LiquidState().GetInletTemp(); },
        [](ScriptProject& p, double degC) { p.Row(p.Project().SetFluidInlet(degC)); },
        "Liquid inlet temperature, °C.");
    cls.def_property(
        "design_dt", [](ScriptProject& p) { return p.Project().LiquidState().designdt; },
        [](ScriptProject& p, double k) { p.Row(p.Project().SetDesignDT(k)); },
        "Liquid design temperature rise, K.");
    cls.def_property(
        "fluid_flow", [](ScriptProject& p) { return p.Project().LiquidState().GetMassFlow(); },
        [](ScriptProject& p, double kgs) {
            p.Row(p.Project().SetFluidFlow(NonNegative(kgs, "fluid_flow")));
        },
        "Liquid mass flow, kg/s; the tube velocity follows.");
    cls.def_property(
        "tube_velocity", [](ScriptProject& p) { return p.Project().LiquidState().vw; },
        [](ScriptProject& p, double ms) {
            p.Row(p.Project().SetTubeVelocity(NonNegative(ms, "tube_velocity")));
        },
        "Liquid velocity in the tubes, m/s; the mass flow follows.");
    cls.def_property(
        "design_duty", [](ScriptProject& p) { return p.Project().DesignDuty; },
        [](ScriptProject& p, double kW) {
            p.Row(p.Project().SetDesignDuty(NonNegative(kW, "design_duty")));
        },
        "Design duty, kW: the target of the sizings; every calculation sets it to its duty.");
    cls.def_property(
        "calc_mode", [](ScriptProject& p) { return ChoiceWord(p.Project().CalcMode, kModes); },
        [](ScriptProject& p, const py::object& v) {
            p.Row(p.Project().SetCalcMode(Choice(v, "calc_mode", kModes)));
        },
        R"doc(Calculation of solve(): "duty" rates the coil, "size" first sizes its face area
for the design duty (also 0 or 1).)doc");

    // ---- calculations ----
    cls.def("solve", [](ScriptProject& p) { return p.Solve(); },
            R"doc(Runs the calculation (in "size" mode the face-area sizing first). True when the
coil solved; False when it did not converge or failed (solve_status 2 or 5). A fault raises
qdx.Error "Data Error... (why)" and puts the inputs back as they were.)doc");
    struct Sizing {
        const char* name;
        TSizingKind kind;
        const char* what;
    };
    static const Sizing kSizings[] = {
        {"size_face_area", skFaceArea, "face area (fin height and finned length)"},
        {"size_fin_height", skFinHeight, "fin height"},
        {"size_finned_length", skFinnedLength, "finned length"},
        {"size_rows", skRows, "number of rows"},
        {"size_fins", skFins, "fins per inch"},
        {"size_rows_and_fins", skRowsAndFins, "rows and fins per inch"},
    };
    for (const Sizing& s : kSizings) {
        const std::string doc =
            std::string("Sizes the coil's ") + s.what +
            " for design_duty (kW) with the air volume air_volume (m³/s; 0 for the design face "
            "velocity), then solves. True when the coil solved; sizing_status holds the "
            "sizing's own status. A fault raises qdx.Error and puts the inputs back.";
        const TSizingKind kind = s.kind;
        cls.def(
            s.name, [kind](ScriptProject& p, double v) { return p.Size(kind, v); },
            py::arg("air_volume") = 0.0, doc.c_str());
    }
    cls.def(
        "typical_conditions",
        [](ScriptProject& p) {
            return p.Calculated(p.Project().TypicalConditions());
        },
        R"doc("Typical Airconditioning Conditions": 101.325 kPa, air 24/16 °C at 2.5 m/s, liquid
at 6 °C and 1 m/s, "duty" mode; then solves. True when the coil solved.)doc");
    cls.def(
        "simulate",
        [](ScriptProject& p) {
            p.Simulate();
            return StepRows(p.Project().Coil().StepResults);
        },
        R"doc(The step-by-step simulation: solves first when not solved, then marches the coil
in 100 slices from the air inlet to the air outlet. Returns one row per slice of liquid
temperature, air dry bulb, surface temperature and dew point, all °C: a NumPy array of shape
(100, 4) when NumPy is installed, else a list of lists. simulated_duty then holds the march's
duty. A coil that does not solve, a fault, or a march that does not settle raises qdx.Error.)doc");
    cls.def_property_readonly(
        "simulated_duty", [](ScriptProject& p) { return p.SimulatedDuty(); },
        "Duty of the last step-by-step simulation, kW; None before one or after a change.");
    cls.def(
        "report",
        [](ScriptProject& p, const std::string& kind, const std::string& units) {
            return p.Report(kind, units);
        },
        py::arg("kind") = "performance", py::arg("units") = "metric",
        R"doc(A report text as `qdx rate --report KIND --units UNITS` prints it, lines ending
in CR LF. kind: "performance" (the coil's results; "Not Solved" until a calculation ran since
the last change), "diagnostics", "manufacturing" or "results" (comma-separated label, value,
unit lines). units: "metric", "imperial" or "user" (the units file and the choices of the
common settings).)doc");
    cls.def(
        "results",
        [](ScriptProject& p) {
            return py::module_::import("json").attr("loads")(p.ResultsJson());
        },
        R"doc(The results of the coil as a dict, exactly the object `qdx rate --json` prints:
status, surface, Qt and Qs (kW), air_in (db, wb °C, pa kPa), air_out (db, wb °C), mass_flow
(kg/s), volume_flow (m³/s), face_velocity (m/s), face_area (m²), model, liquid (tfi, tfo °C,
mass_flow kg/s, velocity m/s, designdt K, ctrl), air_dp (Pa), liquid_dp (kPa), pipe_conn (mm),
condensate (kg/s), ADP (°C), bypass_factor, Ntu, Cr, e (no unit), ho, hi, Ui, Uo (kW/(m²·K)),
Qmax (kW), fin_height and finned_length (m), rows, fpi, circuits; "warning" for a liquid
outside its range and "error" after a calculation that did not solve. None stands for a value
that is not a number.)doc");

    // ---- files ----
    cls.def("save", &ScriptProject::Save, py::arg("path"),
            R"doc(Saves the project as a ".cqx" data file. The file is replaced only when the
whole document was written; a failure raises qdx.Error "Error saving file... (why)" and leaves
an existing file as it was.)doc");
    cls.def("open", &ScriptProject::Open, py::arg("path"),
            R"doc(Opens a ".cqx" (or older) data file in place of the current coil. A missing
file raises FileNotFoundError; "Invalid file format..." or "Error reading file..." raise
qdx.Error and leave the project as it was.)doc");

    // ---- document state ----
    cls.def_property_readonly(
        "solve_status", [](ScriptProject& p) { return static_cast<int>(p.Project().Coil().SolveStatus); },
        "Status of the last calculation: 0 solved, 1 iterating, 2 not converged, 5 failed.");
    cls.def_property_readonly(
        "sizing_status", [](ScriptProject& p) { return static_cast<int>(p.Project().SizingStatus); },
        "Status of the last sizing search, as solve_status.");
    cls.def_property_readonly("solved", [](ScriptProject& p) { return p.Project().Solved; },
                              "True after a calculation that solved, until the next change.");
    cls.def_property_readonly("modified", [](ScriptProject& p) { return p.Project().Modified; },
                              "True after a change since the project was created, opened or saved.");
    cls.def_property_readonly("saved", [](ScriptProject& p) { return p.Project().Saved; },
                              "True when nothing changed since the project was created, opened or saved.");
    cls.def_property_readonly(
        "status_texts",
        [](ScriptProject& p) {
            return py::make_tuple(p.Project().EditStatus, p.Project().SolveStatusText);
        },
        R"doc(The two status texts of the main window: ("Ready..." or "Modified", "Solved...",
"Not Solved" or "Data Error...").)doc");
    cls.def_property_readonly(
        "file_name", [](ScriptProject& p) { return p.Project().FileName; },
        "Path of the data file last opened or saved; empty for an unnamed project.");
}

}  // namespace qdx::python
