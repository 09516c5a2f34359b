#pragma once
// The fifteen members of the automation interface IQDXoil, written once over the project of the
// main coil window; the D-Bus service and the Python module forward to them.
//
// A member reads or writes the project's coil, coolant and air records directly, as a client
// of the automation interface expects: no put solves, marks the document modified or checks
// its value against the grid's ranges, and every put but Qt and Qs ends with the holder's
// UpdateGrid. A fault inside a member leaves the project as it was and raises AutomationError
// with the fault's message; nothing is shown to the user.
//
// Units: temperatures °C, duties kW, face velocity m/s, volume flow m³/s at the entering
// density, air and liquid mass flows kg/s.

#include <cstdint>
#include <functional>
#include <stdexcept>
#include <string>

#include "engine/coil_project.hpp"

namespace qdx {

class AutomationError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

class TQDXoilMembers {
public:
    // The holder: the project, the window's calculation (an empty one runs the project's
    // SolveCoil) and the window's grid refresh (an empty one does nothing). The project
    // outlives the members.
    explicit TQDXoilMembers(TCoilProject& project, std::function<void()> solveCoil = {},
                            std::function<void()> updateGrid = {});

    // The coil's designation. A text that does not parse is no error: the geometry keeps its
    // numbers and the coil's DesignationValid turns false.
    std::string GetModel();
    void SetModel(const std::string& text);
    // The coolant's inlet temperature; the put re-evaluates the coolant at the new mean
    // temperature and leaves the liquid state's velocity and capacity rate as they were.
    double GetWaterOn();
    void SetWaterOn(double degC);
    // Runs the holder's calculation and returns the total duty it left; a calculation that
    // fails returns normally (CalcState tells).
    double Solve();
    // The result fields of the last calculation; a put stores the value and nothing else.
    double GetQt();
    void SetQt(double kW);
    double GetQs();
    void SetQs(double kW);
    // Air flow: each put keeps the other two and both air records' mass flow consistent.
    double GetAirFaceVelocity();
    void SetAirFaceVelocity(double ms);
    double GetInletAirflow();
    void SetInletAirflow(double m3s);
    double GetAirMassFlow();
    void SetAirMassFlow(double kgs);
    // The liquid mass flow; the put sets the tube velocity and capacity rate from it.
    double GetWaterFlow();
    void SetWaterFlow(double kgs);
    // Entering air: a new dry bulb keeps the moisture content, a new wet bulb keeps the
    // relative humidity. Neither re-applies the air flow.
    double GetDBon();
    void SetDBon(double degC);
    double GetWBon();
    void SetWBon(double degC);
    // Leaving air and liquid.
    double GetDBo();
    double GetWBo();
    double GetWaterOff();
    // The coil's SolveStatus: 0 solved, 1 iterating, 2 not converged, 5 failed.
    std::int32_t GetCalcState();

private:
    // Runs change as one automation put: all of it or, after a fault, none of it.
    void Put(const std::function<void(TCoilProject&)>& change, bool updateGrid = true);

    TCoilProject& project_;
    std::function<void()> solveCoil_;
    std::function<void()> updateGrid_;
};

}  // namespace qdx
