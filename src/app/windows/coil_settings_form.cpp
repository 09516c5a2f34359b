#include "app/windows/coil_settings_form.hpp"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QTabWidget>
#include <QUrl>
#include <QVBoxLayout>

#include <exception>

#include "app/platform/dialogs.hpp"
#include "app/widgets/field_keys.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "app/widgets/form_fields.hpp"
#include "documents/folders.hpp"
#include "documents/settings_stores.hpp"
#include "engine/cold_water_coil.hpp"
#include "fluids/air_state_text.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

namespace {

// A row of a page: the field's caption, its edit and the unit text or label.
void AddRow(QFormLayout* form, const QString& caption, TFmtEdit* edit, QWidget* unit) {
    auto* row = new QHBoxLayout;
    row->addWidget(edit);
    row->addWidget(unit);
    row->addStretch();
    auto* label = new QLabel(caption);
    label->setBuddy(edit);
    form->addRow(label, row);
}

QWidget* NewPage(QTabWidget* pages, const QString& name, const QString& caption) {
    auto* page = new QWidget;
    page->setObjectName(name);
    pages->addTab(page, caption);
    return page;
}

}  // namespace

TCoilSettingsForm::TCoilSettingsForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CoilSettingsForm");
    setWindowTitle("Design Settings");
    setMinimumWidth(380);
    const TUnitPrefs& u = UnitPrefs();

    pages_ = new QTabWidget(this);
    pages_->setObjectName("Pages");

    QWidget* autoSize = NewPage(pages_, "AutoSizePage", "Auto Size");
    auto* autoForm = new QFormLayout(autoSize);
    aspect_ = NewFmtEdit(autoSize, "AspectEdit", "Aspect Ratio", "%0.1f");
    AddRow(autoForm, "Aspect Ratio", aspect_, new QLabel("L/H"));
    TFmtEditLabel* vfUnit = NewUnitsLabel(autoSize, "VfUnits");
    vf_ = NewFmtEdit(autoSize, "VfEdit", "Face Velocity", "%0.2f", utVelocity,
                     u[urAirV].UnitsValue, vfUnit);
    AddRow(autoForm, "Face Velocity", vf_, vfUnit);

    QWidget* typical = NewPage(pages_, "TypicalPage", "Typical");
    auto* typicalForm = new QFormLayout(typical);
    TFmtEditLabel* airUnit = NewUnitsLabel(typical, "AirOnUnits");
    airOn_ = NewFmtEdit(typical, "AirOnEdit", "Air On", "%0.1f/%0.1f", utTemperature,
                        u[urAirT].UnitsValue, airUnit);
    AddRow(typicalForm, "Air On", airOn_, airUnit);
    TFmtEditLabel* fluidUnit = NewUnitsLabel(typical, "FluidInUnits");
    fluidIn_ = NewFmtEdit(typical, "FluidInEdit", "Fluid In", "%0.1f", utTemperature,
                          u[urLiquidT].UnitsValue, fluidUnit);
    AddRow(typicalForm, "Fluid In", fluidIn_, fluidUnit);
    rows_ = NewFmtEdit(typical, "RowsEdit", "Rows", "%0.1f");
    AddRow(typicalForm, "Rows", rows_, new QLabel("rows"));
    TFmtEditLabel* finUnit = NewUnitsLabel(typical, "FinsUnits");
    fins_ = NewFmtEdit(typical, "FinsEdit", "Fins", "%0.4f", utFinDensity,
                       u[urFatFinSpacing].UnitsValue, finUnit);
    AddRow(typicalForm, "Fins", fins_, finUnit);

    QWidget* circuits = NewPage(pages_, "CircuitsPage", "Circuits");
    auto* circuitsLayout = new QVBoxLayout(circuits);
    auto* circuitsText = new QLabel(
        "A coil sized for a design duty gets the number of circuits that carries the liquid "
        "for a 6 K rise at the ideal tube velocity.");
    circuitsText->setWordWrap(true);
    moreInfo_ = new TClickLabel("More Information...", "More Information", circuits);
    moreInfo_->setObjectName("MoreInformationLabel");
    circuitsLayout->addWidget(circuitsText);
    circuitsLayout->addWidget(moreInfo_, 0, Qt::AlignLeft);
    circuitsLayout->addStretch();
    connect(moreInfo_, &QPushButton::clicked, this, [this] {
        Dialogs().OpenUrl(QUrl::fromLocalFile(QString::fromStdString(MakerCommonDir()) + "coils.htm"));
    });

    QWidget* factors = NewPage(pages_, "FactorsPage", "Factors");
    auto* factorsLayout = new QVBoxLayout(factors);
    fouling_ = new QCheckBox("Include fouling factors", factors);
    fouling_->setObjectName("FoulingBox");
    factorsLayout->addWidget(fouling_);
    auto* foulingText = new QLabel(
        "Every rating then adds a fouling resistance of 0.0048 m²·K/kW to the coil's overall "
        "resistance to heat transfer.");
    foulingText->setWordWrap(true);
    factorsLayout->addWidget(foulingText);
    factorsLayout->addStretch();

    restore_ = new TClickLabel("Restore Defaults", "Restore Defaults", this);
    restore_->setObjectName("RestoreDefaultsLabel");
    connect(restore_, &QPushButton::clicked, this, &TCoilSettingsForm::RestoreDefaults);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    buttons->setObjectName("Buttons");
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* bottom = new QHBoxLayout;
    bottom->addWidget(restore_);
    bottom->addStretch();
    bottom->addWidget(buttons);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(pages_);
    layout->addLayout(bottom);

    connect(aspect_, &QLineEdit::editingFinished, this, [this] { Limit(aspect_, LimitAspect); });
    connect(vf_, &QLineEdit::editingFinished, this, [this] { Limit(vf_, LimitVf); });
    connect(rows_, &QLineEdit::editingFinished, this, [this] { Limit(rows_, LimitRows); });
    connect(fins_, &QLineEdit::editingFinished, this, [this] { Limit(fins_, LimitFins); });
    connect(fluidIn_, &QLineEdit::editingFinished, this, [this] { Limit(fluidIn_, LimitFluidIn); });
    connect(airOn_, &QLineEdit::editingFinished, this, &TCoilSettingsForm::LimitAirOn);
    InstallFieldKeys(this);
}

void TCoilSettingsForm::LoadForCoil(TCoil* coil) {
    coil_ = coil;
    if (!coil_) return;
    const auto store = OpenProgramSettings();
    const TDesignSettings s = LoadDesignSettings(*store, *coil_);
    ShowFields(s);
    ApplyDesignSettings(s, *coil_);
}

TDesignSettings TCoilSettingsForm::Fields() const {
    // A text that is not a number gives the coil's default.
    const TDesignSettings d = coil_ ? DesignDefaults(*coil_) : TDesignSettings{};
    auto number = [](const TFmtEdit* e, double fallback) {
        bool ok = false;
        const double v = e->Value().toDouble(&ok);
        return ok ? v : fallback;
    };
    TDesignSettings s;
    s.Aspect = LimitAspect(number(aspect_, d.Aspect));
    s.Vf = LimitVf(number(vf_, d.Vf));
    s.AirOn = airOn_->Value().toString().toStdString();
    s.FluidIn = LimitFluidIn(number(fluidIn_, d.FluidIn));
    s.Rows = LimitRows(number(rows_, d.Rows));
    s.Fins = LimitFins(number(fins_, d.Fins));
    s.UseFouling = fouling_->isChecked();
    return s;
}

void TCoilSettingsForm::ShowFields(const TDesignSettings& s) {
    aspect_->SetValue(s.Aspect);
    vf_->SetValue(s.Vf);
    airOn_->SetValue(QString::fromStdString(s.AirOn));
    fluidIn_->SetValue(s.FluidIn);
    rows_->SetValue(s.Rows);
    fins_->SetValue(s.Fins);
    fouling_->setChecked(s.UseFouling);
}

void TCoilSettingsForm::RestoreDefaults() {
    if (coil_) ShowFields(DesignDefaults(*coil_));
}

void TCoilSettingsForm::Limit(TFmtEdit* edit, double (*limit)(double)) {
    bool ok = false;
    const double v = edit->Value().toDouble(&ok);
    if (ok) edit->SetValue(limit(v));
}

void TCoilSettingsForm::LimitAirOn() {
    const std::string text = airOn_->Value().toString().toStdString();
    const double pa = coil_ ? coil_->MeanPressure() : 101.325;
    try {
        airOn_->SetValue(QString::fromStdString(NormaliseAirText(text, pa)));
    } catch (const std::exception&) {
        // Not an air state: the default comes back.
        Dialogs().Beep();
        airOn_->SetValue(QString::fromStdString(coil_ ? coil_->DesignAirOnDefault : "25.0/17.0"));
    }
}

void TCoilSettingsForm::done(int result) {
    if (coil_) {
        LimitAirOn();
        const TDesignSettings s = Fields();
        const auto store = OpenProgramSettings();
        SaveDesignSettings(*store, s);
        ApplyDesignSettings(s, *coil_);
    }
    QDialog::done(result);
}

}  // namespace qdx::app
