#include "app/windows/tool_windows.hpp"

#include "app/windows/air_state_dlg.hpp"
#include "app/windows/alt_barom_form.hpp"
#include "app/windows/calibrate_form.hpp"
#include "app/windows/coil_maker_form.hpp"
#include "app/windows/coil_settings_form.hpp"
#include "app/windows/data_chart.hpp"
#include "app/windows/fat_form.hpp"
#include "app/windows/fluid_spec_form.hpp"
#include "app/windows/inkwell_form.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/select_location_form.hpp"
#include "app/windows/set_units_form.hpp"
#include "app/windows/view_form.hpp"

namespace qdx::app {

void CreateToolWindows(TQDXForm& main, TToolWindows& tools) {
    tools.Calibrate = new TCalibrateForm(&main);
    tools.Barometer = new TAltBaromForm(&main);
    tools.Locations = new TSelectLocationForm(&main);
    tools.Barometer->SetLocationForm(tools.Locations);
    tools.CoilMaker = new TCoilMakerForm(&main);
    tools.Inkwell = new TInkwellForm(&main);
    tools.CoilMaker->SetInkwell(tools.Inkwell);
    tools.FluidSpec = new TFluidSpecForm(&main);
    tools.Viewer = new TViewForm(&main);
    tools.Units = new TSetUnitsForm(&main);
    tools.DataChart = new TDataChart(&main);
    tools.OnCoil = new TAirStateDlg("OnCoilDlg", &main);
    tools.OnCoil->SetDummy(true);
    tools.FatEditor = new TFatForm(&main);
    tools.DesignSettings = new TCoilSettingsForm(&main);
    tools.FatEditor->SetCoilMaker(tools.CoilMaker);
    tools.FatEditor->SetDesignSettings(tools.DesignSettings);
}

}  // namespace qdx::app
