#include "app/windows/fluid_spec_form.hpp"

#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "app/platform/place_at.hpp"
#include "app/platform/placement.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/widgets/unit_choices.hpp"
#include "documents/settings_stores.hpp"
#include "fluids/liquid_correlations.hpp"

namespace qdx::app {

namespace {

using M = TFluidSpecModel;

const QStringList kLines = {
    "Property; Value; Units",
    "Temperature; %0.2f; °C; NPE; -60; 350",
    "Pressure; %0.1f; bar; NPE; 1; 10",
    "Fluid type; enum; ; Water",
    "Additive; enum; ; None; Ethylene Glycol; Propylene Glycol; Calcium Chloride",
    "Additive Volume; %0.2f; 0 to 0.4; NPE; 0.01; 0.45",
    "User Defined; enum; ; False; True",
    "Density; %0.4f; kg/m³; NPE; 0.01; 5000",
    "Specific Heat; %0.3f; kJ/kg·K; NPE; 0.01; 100.0",
    "Dynamic viscosity; %0.4g; kg/m·s; NPE; 1e-9; 10.0",
    "Conductivity; %0.4g; W/m·K; NPE; 1e-9; 10.0",
};

// Unit category, display unit and stored unit of the numeric rows.
struct NumericRow {
    int row;
    TUnitsType type;
    int display, stored;
};
constexpr NumericRow kNumericRows[] = {
    {M::rowTemperature, utTemperature, 0, 0},  {M::rowPressure, utPressureBar, 2, 2},
    {M::rowAdditiveVolume, utProportion, 1, 0}, {M::rowDensity, utDensity, 0, 0},
    {M::rowSpecificHeat, utSpecificHeat, 0, 0}, {M::rowViscosity, utViscosity, 3, 0},
    {M::rowConductivity, utConductivity, 1, 0},
};

// Settings keys of the display unit of rows 1..10.
constexpr const char* kUnitKeys[M::kRows] = {
    nullptr,       "Units.iTemp", "Units.iPres", "Units.iLiqd", "Units.iATyp", "Units.iAVol",
    "Units.iUser", "Units.iRo",   "Units.iCp",   "Units.iMu",   "Units.iKo",
};

bool IsPickRow(int row) {
    return row == M::rowFluidType || row == M::rowAdditive || row == M::rowUserDefined;
}

}  // namespace

TFluidSpecForm::TFluidSpecForm(QWidget* parent) : QDialog(parent) {
    setObjectName("FluidSpecForm");
    setWindowTitle(tr("Fluid Specification"));
    setWindowFlags(Qt::Tool | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                   Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint);
    setMinimumSize(300, 300);
    setMaximumSize(400, 500);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(4, 4, 4, 4);
    auto* top = new QHBoxLayout;
    accept_ = new QPushButton(tr("Accept"), this);
    accept_->setObjectName("AcceptButton");
    accept_->setAutoDefault(false);
    cancel_ = new QPushButton(tr("Cancel"), this);
    cancel_->setObjectName("CancelButton");
    cancel_->setAutoDefault(false);
    connect(accept_, &QPushButton::clicked, this, [this] {
        if (grid_->EditorMode()) grid_->SetEditorMode(false);
        done(1);
    });
    connect(cancel_, &QPushButton::clicked, this, [this] { done(2); });
    top->addWidget(accept_);
    top->addWidget(cancel_);
    top->addStretch(1);
    layout->addLayout(top);

    grid_ = new TEntryGrid(this);
    grid_->setObjectName("Grid");
    layout->addWidget(grid_, 1);
    grid_->SetLines(kLines);
    QStringList liquids;
    for (int i = 0; i < kLiquidCount; ++i) liquids << QString::fromStdString(LiquidListName(i));
    grid_->SetRowEnumStrings(M::rowFluidType, liquids);
    for (const NumericRow& r : kNumericRows)
        grid_->SetRowUnits(r.row, r.type, 0, 1, ft_Fixed, r.display, r.stored);
    // Wide enough for "Dynamic viscosity" and "Ethylene Glycol" in the usual fonts.
    grid_->SetColWidths(0, 116);
    grid_->SetColWidths(1, 118);
    grid_->SetColWidths(2, 62);

    status_ = new QLabel(tr("Status..."), this);
    status_->setObjectName("StatusLabel");
    layout->addWidget(status_);

    connect(grid_, &TEntryGrid::OnDoSetData, this, [this](int col, int row) {
        if (col != 1 || !model_) return;
        model_->Commit(row, grid_->GetValue(1, row).toDouble());
        ShowRows();
        ShowStatus();
    });
    connect(grid_, &TEntryGrid::OnAfterRightClick, this, [this] { ShowStatus(); });

    resize(330, 330);
    RestorePlacement(*this, false, true);
    auto settings = OpenProgramSettings();
    const std::string section = objectName().toStdString();
    for (int col = 0; col < 3; ++col)
        grid_->SetColWidths(col, settings->ReadInteger(section, "ColWidths" + std::to_string(col),
                                                       grid_->ColWidths(col)));
    for (const NumericRow& r : kNumericRows)
        grid_->SetRowUnitsValue(r.row, settings->ReadInteger(section, kUnitKeys[r.row],
                                                             grid_->RowUnitsValue(r.row)));
}

TFluidSpecForm::~TFluidSpecForm() = default;

void TFluidSpecForm::SetLiquid(TLiquid* liquid) {
    liquid_ = liquid;
    model_ = liquid ? std::make_unique<TFluidSpecModel>(*liquid) : nullptr;
}

void TFluidSpecForm::PlaceAt(int x, int y) { app::PlaceAt(*this, x, y); }

void TFluidSpecForm::showEvent(QShowEvent* e) {
    QDialog::showEvent(e);
    ActivateForm();
}

void TFluidSpecForm::ActivateForm() {
    if (!model_) return;
    model_->Activate();
    ShowRows();
    ShowStatus();
}

void TFluidSpecForm::ShowRows() {
    for (int row = M::rowTemperature; row < M::kRows; ++row) {
        const double v = model_->Value(row);
        if (IsPickRow(row))
            grid_->SetValue(1, row, static_cast<int>(v));
        else
            grid_->SetValue(1, row, v);
        grid_->SetRowEnabled(row, model_->Enabled(row));
    }
}

void TFluidSpecForm::ShowStatus() {
    if (!liquid_) return;
    status_->setText(tr("Valid range = [%1 .. %2] %3")
                         .arg(FormatRowValue(*grid_, M::rowTemperature, liquid_->tLower),
                              FormatRowValue(*grid_, M::rowTemperature, liquid_->tUpper),
                              grid_->Cells(2, M::rowTemperature)));
    QPalette p = status_->palette();
    p.setColor(QPalette::WindowText, model_->InRange() ? QColor(0, 128, 128) : QColor(128, 0, 0));
    status_->setPalette(p);
}

void TFluidSpecForm::reject() { done(2); }

void TFluidSpecForm::done(int result) {
    if (result != 1 && model_) model_->Cancel();
    SavePlacement(*this);
    auto settings = OpenProgramSettings();
    const std::string section = objectName().toStdString();
    for (int col = 0; col < 3; ++col)
        settings->WriteInteger(section, "ColWidths" + std::to_string(col), grid_->ColWidths(col));
    for (int row = M::rowTemperature; row < M::kRows; ++row)
        settings->WriteInteger(section, kUnitKeys[row], grid_->RowUnitsValue(row));
    QDialog::done(result);
}

}  // namespace qdx::app
