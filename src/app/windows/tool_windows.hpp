#pragma once
// The tool windows the main coil window opens. Each is created once at start-up, in the order
// of CreateToolWindows, as a child window of the main window, and lives until the program ends.
// A tool window the program does not have stays null, and the command that would open it does
// nothing.
//
// Adding a tool window: a pointer here, its creation in CreateToolWindows, and the body of the
// main window's command that shows it.

namespace qdx::app {

class TAirStateDlg;
class TAltBaromForm;
class TCalibrateForm;
class TCoilMakerForm;
class TCoilSettingsForm;
class TDataChart;
class TFatForm;
class TFluidSpecForm;
class TInkwellForm;
class TQDXForm;
class TSelectLocationForm;
class TSetUnitsForm;
class TViewForm;

struct TToolWindows {
    // The pressure calculator of the barometer row and the location window it searches with.
    TAltBaromForm* Barometer = nullptr;
    TSelectLocationForm* Locations = nullptr;
    // The coolant row's window.
    TFluidSpecForm* FluidSpec = nullptr;
    // The on-coil air state component of the entering-air row; its window layout is kept in
    // the common settings.
    TAirStateDlg* OnCoil = nullptr;
    // The viewer of the diagnostics and the manufacturing report.
    TViewForm* Viewer = nullptr;
    // "Customise Units", which holds the unit choices of every category.
    TSetUnitsForm* Units = nullptr;
    // The simulation chart of "Step-by-Step Simulation".
    TDataChart* DataChart = nullptr;
    // "Calibrate Coil Performance".
    TCalibrateForm* Calibrate = nullptr;
    // The coil maker, the INI file editor behind its "Edit Coil Database", the fin and tube
    // editor of the Coil Model row and the design settings behind the editor's "Settings".
    TCoilMakerForm* CoilMaker = nullptr;
    TInkwellForm* Inkwell = nullptr;
    TFatForm* FatEditor = nullptr;
    TCoilSettingsForm* DesignSettings = nullptr;
};

// Creates the tool windows for the main window in the program's order: calibration, pressure
// calculator and location, coil maker, INI file editor, fluid specification, viewer, units,
// data chart, fin and tube editor and design settings.
void CreateToolWindows(TQDXForm& main, TToolWindows& tools);

}  // namespace qdx::app
