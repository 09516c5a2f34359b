#pragma once
// The small units pop-up used by the units labels and the property grid's units cells: a
// borderless list of the symbols of one unit category, shown at the mouse with the current
// display unit selected. Enter or Escape in the list, or any mouse press on it, closes it; the
// choice is the list's selected index at that moment (also after Escape).

#include <QDialog>
#include <QListWidget>
#include <QPoint>

#include "units/unit_table.hpp"

namespace qdx::app {

class TUnitsForm : public QDialog {
    Q_OBJECT
public:
    explicit TUnitsForm(QWidget* parent = nullptr);

    // Fills the list with the category's symbols (none for utNone), selects `current` and
    // sizes the pop-up: item height x (items + 0.5) high, 10 pixels wider than the widest
    // symbol and at least 60 pixels wide.
    void Prepare(TUnitsType unitsType, int current);
    // Prepare, place the pop-up's top left at `globalPos`, show it modally with the list
    // focused, and return the selected index when it closes (-1 for an empty list).
    int Execute(TUnitsType unitsType, int current, const QPoint& globalPos);

    QListWidget* ListBox1;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};

}  // namespace qdx::app
