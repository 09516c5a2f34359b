#pragma once
// "Coil Calibrator": the five correction factors of the coil beside the results they give. Every
// change rates the coil again, so the factors can be nudged until duty, sensible heat ratio and
// pressure drops match a known performance; the factors tried are kept in the calibration file.
// Accept ends with OK (the caller then takes the coil's factors as the program's), Cancel with
// Cancel (the coil keeps the factors last applied).

#include <QDialog>

#include <array>

#include "engine/calibration.hpp"

class QAction;
class QLabel;
class QLineEdit;

namespace qdx {
class TColdWaterCoil;
}

namespace qdx::app {

class TFmtEdit;
class TSpinButtons;

class TCalibrateForm : public QDialog {
    Q_OBJECT
public:
    explicit TCalibrateForm(QWidget* parent = nullptr);
    ~TCalibrateForm() override;

    void SetCoil(TColdWaterCoil* coil) { coil_ = coil; }
    TColdWaterCoil* Coil() const { return coil_; }
    // The liquid pressure drop's edit, buttons, result and labels.
    void SetFluidControlsEnabled(bool on);

    // The factors as the window holds them (an up press multiplies the held value, not the
    // four decimals shown).
    const TCalibrationFactors& Factors() const { return factors_; }

    // Gives the coil the factors, rates it and fills the results.
    void Recalculate();
    // The factors (with any value typed) into the calibration file, then Recalculate. Leaving a
    // factor's edit does the same.
    void Update();
    // Every factor back to 1, then Recalculate.
    void Reset();
    void StepFactor(int factor, bool up);

    TFmtEdit* FactorEdit(int factor) const { return edits_[factor]; }
    TSpinButtons* FactorSpin(int factor) const { return spins_[factor]; }
    QLineEdit* ResultField(int factor) const { return results_[factor]; }
    QLabel* StatusText() const { return status_; }
    QAction* Action(const QString& objectName) const;

public slots:
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void ShowFactor(int factor);
    // Takes a value typed into the factor's edit; false when there is none.
    bool TakeTyped(int factor);

    TColdWaterCoil* coil_ = nullptr;
    TCalibrationFactors factors_ = kUncalibrated;
    std::array<TFmtEdit*, kCalibrationFactorCount> edits_{};
    std::array<TSpinButtons*, kCalibrationFactorCount> spins_{};
    std::array<QLineEdit*, kCalibrationFactorCount> results_{};
    std::array<QLabel*, kCalibrationFactorCount> factorLabels_{};
    std::array<QLabel*, kCalibrationFactorCount> resultLabels_{};
    QLabel* status_ = nullptr;
};

}  // namespace qdx::app
