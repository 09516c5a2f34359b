#pragma once
// "Fluid Specification": the coolant of a coil in a property grid (temperature, pressure for
// compressed air, liquid, water additive and fraction, and the user's own properties), edited
// in place and re-evaluated after every change, with the valid temperature range of the liquid
// on the status line (teal inside the range, maroon outside). Cancel puts the liquid back as it
// was when the window was shown. Column widths and row units are kept in the program settings
// (section = objectName), with the window's placement.

#include <QDialog>
#include <memory>

#include "fluids/fluid_spec.hpp"

class QLabel;
class QPushButton;

namespace qdx::app {

class TEntryGrid;

class TFluidSpecForm : public QDialog {
    Q_OBJECT
public:
    explicit TFluidSpecForm(QWidget* parent = nullptr);
    ~TFluidSpecForm() override;

    // The liquid to edit, set before showing; not owned.
    TLiquid* Liquid() const { return liquid_; }
    void SetLiquid(TLiquid* liquid);
    // At (x, y), kept wholly on the screen.
    void PlaceAt(int x, int y);

    TEntryGrid* Grid() const { return grid_; }
    QLabel* StatusLabel() const { return status_; }
    QPushButton* AcceptButton() const { return accept_; }
    QPushButton* CancelButton() const { return cancel_; }
    TFluidSpecModel* Model() const { return model_.get(); }

    // What activation does: backup, rows, rules and status line.
    void ActivateForm();

public slots:
    // Modal results 1 (Accept) and 2 (Cancel or closing the window).
    void done(int result) override;
    void reject() override;

protected:
    void showEvent(QShowEvent* e) override;

private:
    void ShowRows();
    void ShowStatus();

    TLiquid* liquid_ = nullptr;
    std::unique_ptr<TFluidSpecModel> model_;
    TEntryGrid* grid_;
    QLabel* status_;
    QPushButton* accept_;
    QPushButton* cancel_;
};

}  // namespace qdx::app
