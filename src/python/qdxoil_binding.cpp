// `qdx.QDXoil`: the fifteen members of the automation interface IQDXoil, in-process over a
// `qdx.Project`, with the names, units and effects they have for an automation client.

#include "bindings.hpp"
#include "engine/qdxoil_members.hpp"

namespace qdx::python {

namespace {

class ScriptQDXoil {
public:
    explicit ScriptQDXoil(py::object project)
        : holder_(std::move(project)),
          script_(holder_.cast<ScriptProject&>()),
          members_(script_.Project(), [this] { script_.Solve(true); }) {}

    TQDXoilMembers& Members() { return members_; }
    py::object ProjectObject() const { return holder_; }

private:
    py::object holder_;  // keeps the project alive as long as this object
    ScriptProject& script_;
    TQDXoilMembers members_;
};

template <double (TQDXoilMembers::*Get)(), void (TQDXoilMembers::*Set)(double)>
void Number(py::class_<ScriptQDXoil>& cls, const char* name, const char* doc) {
    cls.def_property(
        name, [](ScriptQDXoil& o) { return (o.Members().*Get)(); },
        [](ScriptQDXoil& o, double v) { (o.Members().*Set)(v); }, doc);
}

template <double (TQDXoilMembers::*Get)()>
void ReadOnly(py::class_<ScriptQDXoil>& cls, const char* name, const char* doc) {
    cls.def_property_readonly(name, [](ScriptQDXoil& o) { return (o.Members().*Get)(); }, doc);
}

}  // namespace

void BindQDXoil(py::module_& m) {
    py::class_<ScriptQDXoil> cls(m, "QDXoil", R"doc(
The automation object "QDX.QDXoil": the fifteen members of the interface IQDXoil over a
project, as the desktop program serves them to other programs.

QDXoil(project=None)

Without a project it makes a first-run Project of its own (the project property). A put
changes the model directly: it does not solve, does not mark the project modified and checks no
range; Solve() runs the project's calculation and returns Qt. A fault inside a member raises
qdx.Error with its message and leaves the project as it was.
)doc");
    cls.def(py::init([](py::object project) {
                if (project.is_none())
                    project = py::module_::import("qdx").attr("Project")();
                else if (!py::isinstance<ScriptProject>(project))
                    throw py::type_error("QDXoil() needs a qdx.Project");
                return std::make_unique<ScriptQDXoil>(std::move(project));
            }),
            py::arg("project") = py::none());
    cls.def_property_readonly("project", &ScriptQDXoil::ProjectObject,
                              "The qdx.Project the members act on.");

    cls.def_property(
        "Model", [](ScriptQDXoil& o) { return o.Members().GetModel(); },
        [](ScriptQDXoil& o, const std::string& text) { o.Members().SetModel(text); },
        R"doc(Dispid 1. The coil designation (text). A text that does not parse is no error: the
geometry keeps its numbers.)doc");
    Number<&TQDXoilMembers::GetWaterOn, &TQDXoilMembers::SetWaterOn>(
        cls, "WaterOn",
        "Dispid 2. Liquid inlet temperature, °C; the put re-evaluates the coolant only.");
    cls.def("Solve", [](ScriptQDXoil& o) { return o.Members().Solve(); },
            R"doc(Dispid 3. Runs the project's calculation and returns the total duty, kW. A
calculation that fails returns normally: read CalcState.)doc");
    Number<&TQDXoilMembers::GetQt, &TQDXoilMembers::SetQt>(
        cls, "Qt", "Dispid 4. Total duty of the last calculation, kW; a put only stores it.");
    Number<&TQDXoilMembers::GetQs, &TQDXoilMembers::SetQs>(
        cls, "Qs", "Dispid 5. Sensible duty of the last calculation, kW; a put only stores it.");
    Number<&TQDXoilMembers::GetAirFaceVelocity, &TQDXoilMembers::SetAirFaceVelocity>(
        cls, "AirFaceVelocity", "Dispid 6. Air face velocity, m/s.");
    Number<&TQDXoilMembers::GetWaterFlow, &TQDXoilMembers::SetWaterFlow>(
        cls, "WaterFlow", "Dispid 7. Liquid mass flow, kg/s.");
    Number<&TQDXoilMembers::GetDBon, &TQDXoilMembers::SetDBon>(
        cls, "DBon", "Dispid 8. Entering dry bulb, °C; a put keeps the moisture content.");
    Number<&TQDXoilMembers::GetWBon, &TQDXoilMembers::SetWBon>(
        cls, "WBon", "Dispid 9. Entering wet bulb, °C; a put keeps the relative humidity.");
    ReadOnly<&TQDXoilMembers::GetDBo>(cls, "DBo", "Dispid 10. Leaving dry bulb, °C.");
    ReadOnly<&TQDXoilMembers::GetWBo>(cls, "WBo", "Dispid 11. Leaving wet bulb, °C.");
    cls.def_property_readonly(
        "CalcState", [](ScriptQDXoil& o) { return o.Members().GetCalcState(); },
        "Dispid 12. Status of the last calculation: 0 solved, 1 iterating, 2 not converged, "
        "5 failed.");
    ReadOnly<&TQDXoilMembers::GetWaterOff>(cls, "WaterOff",
                                           "Dispid 13. Liquid leaving temperature, °C.");
    Number<&TQDXoilMembers::GetInletAirflow, &TQDXoilMembers::SetInletAirflow>(
        cls, "InletAirflow", "Dispid 14. Air volume flow at the entering density, m³/s.");
    Number<&TQDXoilMembers::GetAirMassFlow, &TQDXoilMembers::SetAirMassFlow>(
        cls, "AirMassFlow", "Dispid 15. Air mass flow, kg/s.");
}

}  // namespace qdx::python
