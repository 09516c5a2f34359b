// Pictures of the data-entry widgets: a property grid with a row of every kind (one picture per
// kind of row control on the current cell), the formatted edits with their units labels, and the
// units pop-up.
#include <QFormLayout>
#include <QLabel>
#include <QTimer>
#include <QVBoxLayout>

#include "app/widgets/entry_grid.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/widgets/units_form.hpp"
#include "screenshots/scene.hpp"

namespace {

using namespace qdx;
using namespace qdx::app;

// A coil window's kind of grid: every row kind, units on the numeric rows, one disabled row.
std::unique_ptr<QWidget> GridScene(int currentRow, bool openPickList) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("GridSample");
    auto* layout = new QVBoxLayout(window.get());
    layout->setContentsMargins(4, 4, 4, 4);
    auto* grid = new TEntryGrid(window.get());
    grid->setObjectName("Grid");
    layout->addWidget(grid);
    grid->SetLines({"Property; Value; Units",
                    "Coil Model; %s; ; PE",
                    "Barometer; %0.3f; kPa; PE; 70; 120",
                    "On Coil; %0.1f/%0.1f; °C; PE; 0; 45",
                    "Air Velocity; %0.3f; m/s; Spin; 0.5; 10; 0.5",
                    "Fluid Control; enum; ; Temperature; Flow",
                    "Design dT; %0.1f; °C; NPE; 0.1; 18",
                    "Fluid flow; %0.3f; kg/s; NPE; 0.01; 20",
                    "Include Fouling; check",
                    "Calculate; enum; ; Cooling Duty; Coil Size"});
    grid->SetValue(1, 1, "544 x 720 4r 12f  (14c)");
    grid->SetRowUnits(2, utPressureBar, 0, 1, ft_Fixed, 0, 0);
    grid->SetValue(1, 2, 101.325);
    grid->SetRowUnits(3, utTemperature, 0, 1, ft_Fixed, 0, 0);
    grid->SetValue(1, 3, "24/16");
    grid->SetRowUnits(4, utVelocity, 0, 1, ft_Fixed, 0, 0);
    grid->SetValue(1, 4, 2.5);
    grid->SetRowUnits(6, utTemperatureChange, 0, 1, ft_Fixed, 0, 0);
    grid->SetValue(1, 6, 5.0);
    grid->SetRowUnits(7, utMassFlow, 0, 1, ft_Fixed, 0, 0);
    grid->SetValue(1, 7, 1.2);
    grid->SetRowEnabled(7, false);  // as with Fluid Control = Temperature
    grid->SetValue(1, 8, true);
    grid->SetCells(2, 1, "Calorix");
    grid->SetColWidths(0, 110);
    grid->SetColWidths(1, 150);
    grid->SetColWidths(2, 60);
    grid->SetCurrentCell(1, currentRow);
    window->resize(334, 180);
    if (openPickList) QTimer::singleShot(0, grid, [grid] { grid->OpenPickList(); });
    return window;
}

test::RegisterScene gridEditButton("entry_grid_property_editor", [](test::TAppTestEnv&) {
    return GridScene(2, false);
});
test::RegisterScene gridSpin("entry_grid_spin", [](test::TAppTestEnv&) {
    return GridScene(4, false);
});
test::RegisterScene gridPickList("entry_grid_pick_list", [](test::TAppTestEnv&) {
    return GridScene(5, true);
});
test::RegisterScene gridCheck("entry_grid_check", [](test::TAppTestEnv&) {
    return GridScene(8, false);
});

// The pressure calculator's kind of form: two edits with their units labels.
test::RegisterScene fmtEdits("fmt_edit_units", [](test::TAppTestEnv&) {
    auto window = std::make_unique<QWidget>();
    window->setObjectName("FmtEditSample");
    auto* form = new QFormLayout(window.get());
    struct Row {
        const char* caption;
        TUnitsType type;
        int units;
        double value, lo, hi;
    };
    for (const Row& r : {Row{"Pressure", utPressureBar, 0, 101.325, 70, 120},
                         Row{"Altitude", utAltitude, 1, 250, -1401.35, 3063.8},
                         Row{"Air On", utTemperature, 1, 24, 0, 45}}) {
        auto* line = new QHBoxLayout;
        auto* edit = new TFmtEdit(window.get());
        edit->setObjectName(QString(r.caption) + "Edit");
        auto* label = new TFmtEditLabel(window.get());
        label->setObjectName(QString(r.caption) + "Units");
        edit->SetUnitsLabel(label);
        edit->SetUnitsType(r.type);
        edit->SetUnitsValue(r.units);
        edit->SetRangeLo(r.lo);
        edit->SetRangeHi(r.hi);
        edit->SetValue(r.value);
        line->addWidget(edit);
        line->addWidget(label);
        form->addRow(r.caption, line);
    }
    window->resize(240, 100);
    return window;
});

test::RegisterScene unitsPopup("units_popup", [](test::TAppTestEnv&) {
    auto form = std::make_unique<TUnitsForm>();
    form->Prepare(utAirPressDrop, 1);
    return std::unique_ptr<QWidget>(std::move(form));
});

}  // namespace
