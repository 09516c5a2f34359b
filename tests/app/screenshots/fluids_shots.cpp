// The tool windows of the coil's inputs: the moist air state window as the On Coil button opens
// it, the pressure calculator, the location window on a place of the shipped database, and the
// fluid specification window on a glycol mixture.
#include <QListWidget>

#include "app/widgets/entry_grid.hpp"
#include "app/windows/air_state_box.hpp"
#include "app/windows/air_state_dlg.hpp"
#include "app/windows/alt_barom_form.hpp"
#include "app/windows/fluid_spec_form.hpp"
#include "app/windows/select_location_form.hpp"
#include "fluids/liquid_correlations.hpp"
#include "screenshots/scene.hpp"

namespace {

using namespace qdx;
using namespace qdx::app;
using qdx::test::RegisterScene;
using qdx::test::TAppTestEnv;

RegisterScene airState("air_state_box", [](TAppTestEnv&) -> std::unique_ptr<QWidget> {
    static std::unique_ptr<TAirStateDlg> dlg;
    dlg = std::make_unique<TAirStateDlg>("OnCoilDlg");
    dlg->SetCaption("On Coil Air");
    dlg->SetItemName("On Coil");
    dlg->SetEditItemName(false);
    dlg->SetEditPressure(false);
    dlg->SetFormLeft(0);
    dlg->SetFormTop(0);
    dlg->SetTemperature("27/19.5");
    dlg->Execute();
    TAirStateBox* box = dlg->Box();
    box->Grid()->SetCurrentCell(1, 7);
    return std::unique_ptr<QWidget>(box);
});

RegisterScene barometer("alt_barom_form", [](TAppTestEnv&) -> std::unique_ptr<QWidget> {
    auto form = std::make_unique<TAltBaromForm>();
    form->EnterAltitude(450);
    return form;
});

RegisterScene location("select_location_form", [](TAppTestEnv&) -> std::unique_ptr<QWidget> {
    auto form = std::make_unique<TSelectLocationForm>();
    form->Browser().Database = "Europe";
    form->SelectLocation("Manchester, United Kingdom");
    form->show();
    return form;
});

RegisterScene fluid("fluid_spec_form", [](TAppTestEnv&) -> std::unique_ptr<QWidget> {
    static std::unique_ptr<TLiquid> liquid;
    liquid = std::make_unique<TLiquid>("Coolant", 2.0, 6.0, 12.0, liWater);
    liquid->WaterAdditive = waEthyleneGlycol;
    liquid->AdditiveVolume = 0.3;
    liquid->Update();
    auto form = std::make_unique<TFluidSpecForm>();
    form->SetLiquid(liquid.get());
    return form;
});

}  // namespace
