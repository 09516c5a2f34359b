#include "app/windows/calibrate_form.hpp"

#include <QAction>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QStatusBar>
#include <QToolBar>
#include <QVBoxLayout>

#include <exception>

#include "app/widgets/dialog_bars.hpp"
#include "app/widgets/field_keys.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/spin_buttons.hpp"
#include "engine/cold_water_coil.hpp"
#include "units/format.hpp"

namespace qdx::app {

namespace {

struct TRow {
    const char* factor;
    const char* editName;
    const char* result;
    const char* resultName;
    const char* format;
};

constexpr TRow kRows[kCalibrationFactorCount] = {
    {"Q Factor", "QFactorEdit", "Total Duty, kW", "TotalDutyField", "%0.3f"},
    {"ho Factor", "hoFactorEdit", "Sensible Duty, kW", "SensibleDutyField", "%0.3f"},
    {"hi Factor", "hiFactorEdit", "Sensible Heat Ratio", "SHRField", "%0.4g"},
    {"ADP Factor", "ADPFactorEdit", "Air Pressure Drop, Pa", "AirDPField", "%0.1f"},
    {"Fluid DP Factor", "FluidDPFactorEdit", "Fluid Pressure Drop, kPa", "FluidDPField", "%0.1f"},
};

}  // namespace

TCalibrateForm::TCalibrateForm(QWidget* parent) : QDialog(parent) {
    setObjectName("CalibrateForm");
    setWindowTitle("Coil Calibrator");
    setWindowFlags(windowFlags() | Qt::Tool | Qt::WindowStaysOnTopHint);

    auto* toolBar = new QToolBar(this);
    toolBar->setObjectName("ToolBar");
    toolBar->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto add = [&](const char* name, const char* caption, const char* hint) {
        QAction* a = toolBar->addAction(caption);
        a->setObjectName(name);
        a->setToolTip(hint);
        return a;
    };
    connect(add("AcceptAction", "Accept", "Accept"), &QAction::triggered, this, &QDialog::accept);
    connect(add("CancelAction", "Cancel", "Cancel"), &QAction::triggered, this, &QDialog::reject);
    connect(add("UpdateAction", "Update", "Write calibration data"), &QAction::triggered, this,
            &TCalibrateForm::Update);
    connect(add("ResetAction", "Reset", "Reset"), &QAction::triggered, this, &TCalibrateForm::Reset);

    auto* grid = new QGridLayout;
    grid->setHorizontalSpacing(16);
    grid->setVerticalSpacing(2);
    for (int i = 0; i < kCalibrationFactorCount; ++i) {
        const TRow& r = kRows[i];
        factorLabels_[i] = new QLabel(r.factor, this);
        edits_[i] = new TFmtEdit(this);
        TFmtEdit* e = edits_[i];
        e->setObjectName(r.editName);
        e->setAccessibleName(r.factor);
        e->SetFormatStr("%0.4f");
        e->SetFormatType(ft_Manual);
        e->SetValue(1.0);
        factorLabels_[i]->setBuddy(e);
        spins_[i] = new TSpinButtons(r.factor, this);
        results_[i] = new QLineEdit(this);
        results_[i]->setObjectName(r.resultName);
        results_[i]->setAccessibleName(r.result);
        results_[i]->setReadOnly(true);
        resultLabels_[i] = new QLabel(r.result, this);
        resultLabels_[i]->setBuddy(results_[i]);

        auto* editRow = new QHBoxLayout;
        editRow->setSpacing(1);
        editRow->addWidget(e);
        editRow->addWidget(spins_[i]);
        grid->addWidget(factorLabels_[i], 2 * i, 0);
        grid->addLayout(editRow, 2 * i + 1, 0);
        grid->addWidget(resultLabels_[i], 2 * i, 1);
        grid->addWidget(results_[i], 2 * i + 1, 1);

        connect(spins_[i], &TSpinButtons::Up, this, [this, i] { StepFactor(i, true); });
        connect(spins_[i], &TSpinButtons::Down, this, [this, i] { StepFactor(i, false); });
        connect(e, &QLineEdit::editingFinished, this, &TCalibrateForm::Update);
    }
    // Results below the factors in the tab order, after all five factors.
    for (int i = 0; i + 1 < kCalibrationFactorCount; ++i) setTabOrder(edits_[i], edits_[i + 1]);

    QStatusBar* statusBar = MakeStatusBar(this);
    status_ = AddStatusPanel(statusBar, "StatusPanel0");

    auto* body = new QVBoxLayout;
    body->setContentsMargins(10, 8, 10, 8);
    body->addLayout(grid);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(toolBar);
    layout->addLayout(body);
    layout->addWidget(statusBar);

    InstallFieldKeys(this);
}

// The dialog's own destructor hides it, and the focus leaving a factor's edit would run Update on
// a window that is already half destroyed.
TCalibrateForm::~TCalibrateForm() {
    for (TFmtEdit* e : edits_)
        if (e) disconnect(e, nullptr, this, nullptr);
}

QAction* TCalibrateForm::Action(const QString& objectName) const {
    return findChild<QAction*>(objectName);
}

void TCalibrateForm::SetFluidControlsEnabled(bool on) {
    for (QWidget* w : std::initializer_list<QWidget*>{
             edits_[cfFluidDP], spins_[cfFluidDP], results_[cfFluidDP], factorLabels_[cfFluidDP],
             resultLabels_[cfFluidDP]})
        w->setEnabled(on);
}

void TCalibrateForm::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!coil_) return;
    status_->setText(QString::fromStdString(coil_->GetDesignation()));
    factors_ = CoilFactors(*coil_);
    for (int i = 0; i < kCalibrationFactorCount; ++i) ShowFactor(i);
    Recalculate();
}

void TCalibrateForm::ShowFactor(int factor) { edits_[factor]->SetValue(factors_[factor]); }

void TCalibrateForm::Recalculate() {
    if (!coil_) return;
    try {
        const TCalibrationResults r = qdx::Recalculate(*coil_, factors_);
        const double values[kCalibrationFactorCount] = {r.Qt, r.Qs, r.SHR, r.AirDP, r.FluidDP};
        for (int i = 0; i < kCalibrationFactorCount; ++i)
            results_[i]->setText(QString::fromStdString(Format(kRows[i].format, values[i])));
        status_->setText(QString::fromStdString(coil_->GetDesignation()));
    } catch (const std::exception&) {
        for (QLineEdit* field : results_) field->clear();
        status_->setText("Data Error...");
    }
}

void TCalibrateForm::StepFactor(int factor, bool up) {
    TakeTyped(factor);
    const double step = CalibrationStep(factor);
    factors_[factor] = up ? factors_[factor] * step : factors_[factor] / step;
    ShowFactor(factor);
    Recalculate();
}

bool TCalibrateForm::TakeTyped(int factor) {
    // A typed value replaces the held one; a text still showing the held value keeps it.
    TFmtEdit* e = edits_[factor];
    if (e->text() == QString::fromStdString(Format("%0.4f", factors_[factor]))) return false;
    bool ok = false;
    const double typed = e->Value().toDouble(&ok);
    if (!ok) return false;
    factors_[factor] = typed;
    return true;
}

void TCalibrateForm::Update() {
    for (int i = 0; i < kCalibrationFactorCount; ++i) TakeTyped(i);
    // The file only records what was tried; a failure to write it does not matter here.
    WriteCalibrationFile(CalibrationFilePath(), factors_);
    Recalculate();
}

void TCalibrateForm::accept() {
    // A value typed but not yet left counts, as the user sees it.
    bool typed = false;
    for (int i = 0; i < kCalibrationFactorCount; ++i) typed = TakeTyped(i) || typed;
    if (typed) Recalculate();
    QDialog::accept();
}

void TCalibrateForm::Reset() {
    factors_ = kUncalibrated;
    for (int i = 0; i < kCalibrationFactorCount; ++i) ShowFactor(i);
    Recalculate();
}

}  // namespace qdx::app
