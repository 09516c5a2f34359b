#pragma once
// "Customise Units": the display unit of every unit category, one pick-list row each, with
// Metric and Imperial switches. The window edits the program's unit-choice table (UnitPrefs),
// which it creates, fills with the SI defaults and reads from the common settings, section
// "SetUnitsForm" (one entry per category under its caption, beside "ColWidth 0" and
// "ColWidth 1" and the window placement); all of it is written back when the window is
// destroyed. Created once at start-up, it lives for the whole run.
//
// Shown (exec): the table is snapshot and shown. Metric and Imperial change the table at once;
// Accept takes the rows into the table; Cancel (or closing the window) puts the snapshot back.

#include <QDialog>

#include <array>
#include <vector>

#include "units/unit_prefs.hpp"

class QAction;
class QLabel;
class QStatusBar;
class QToolBar;

namespace qdx::app {

class TEntryGrid;

class TSetUnitsForm : public QDialog {
    Q_OBJECT
public:
    explicit TSetUnitsForm(QWidget* parent = nullptr);
    ~TSetUnitsForm() override;

    // The program's unit-choice table.
    TUnitChoiceTable& Table() const;

    // Every row's pick list shows the table entry of its category.
    void ShowTable();
    // Every row's choice becomes the table entry of its category.
    void ReadTable();
    // Every entry but Proportion to its category's SI or Imperial default, then ShowTable.
    void SetMetric();
    void SetImperial();

    // The category of a grid row (1 ...), and the row of a category (0 when not shown).
    TUnitsType RowCategory(int row) const;
    int CategoryRow(TUnitsType unitsType) const;

    TEntryGrid* Grid() const { return grid_; }
    QLabel* StatusPanel() const { return status_; }
    QAction* MetricAction() const { return metric_; }
    QAction* ImperialAction() const { return imperial_; }
    QAction* AcceptAction() const { return accept_; }
    QAction* CancelAction() const { return cancel_; }

    // The status line for a category and a chosen unit: the conversion from the category's
    // first unit, "From °C to °F  X 1.8 + 32".
    static QString ConversionText(TUnitsType unitsType, int chosen);

public slots:
    // Cancel: the snapshot comes back.
    void reject() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void UpdateStatus(int row);
    void ReadSettings();
    void WriteSettings() const;

    TEntryGrid* grid_;
    QToolBar* toolBar_;
    QStatusBar* statusBar_;
    QLabel* status_;
    QAction* metric_;
    QAction* imperial_;
    QAction* accept_;
    QAction* cancel_;
    std::vector<TUnitsType> rowTypes_;  // row 1 is rowTypes_[0]
    std::array<int, kUnitsTypeCount> snapshot_{};
};

}  // namespace qdx::app
