#pragma once
// Building blocks of the tool windows' layouts: a formatted edit set up in one call, and a
// label that acts when clicked (a flat, link-coloured button, so that screen readers and the
// keyboard reach it as a button).

#include <QPushButton>

#include "units/unit_table.hpp"

namespace qdx::app {

class TFmtEdit;
class TFmtEditLabel;

// An edit with its format, unit category and display unit (stored in the category's first
// unit), linked to its units label when one is given; the accessible name is the field's name.
TFmtEdit* NewFmtEdit(QWidget* parent, const QString& objectName, const QString& accessibleName,
                     const QString& format, TUnitsType unitsType = utNone, int unitsValue = 0,
                     TFmtEditLabel* unitsLabel = nullptr);

// A units label for the edits of one quantity.
TFmtEditLabel* NewUnitsLabel(QWidget* parent, const QString& objectName);

class TClickLabel : public QPushButton {
    Q_OBJECT
public:
    TClickLabel(const QString& text, const QString& hint, QWidget* parent = nullptr);
};

}  // namespace qdx::app
