#include "app/widgets/form_fields.hpp"

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/fmt_edit_label.hpp"

namespace qdx::app {

TFmtEdit* NewFmtEdit(QWidget* parent, const QString& objectName, const QString& accessibleName,
                     const QString& format, TUnitsType unitsType, int unitsValue,
                     TFmtEditLabel* unitsLabel) {
    auto* e = new TFmtEdit(parent);
    e->setObjectName(objectName);
    e->setAccessibleName(accessibleName);
    e->SetFormatStr(format);
    e->SetUnitsLabel(unitsLabel);
    e->SetUnitsType(unitsType);
    e->SetUnitsValue(unitsValue);
    return e;
}

TFmtEditLabel* NewUnitsLabel(QWidget* parent, const QString& objectName) {
    auto* l = new TFmtEditLabel(parent);
    l->setObjectName(objectName);
    l->setMinimumWidth(40);
    return l;
}

TClickLabel::TClickLabel(const QString& text, const QString& hint, QWidget* parent)
    : QPushButton(text, parent) {
    setFlat(true);
    setToolTip(hint);
    setCursor(Qt::PointingHandCursor);
    setStyleSheet("QPushButton { color: #0000c0; text-align: left; padding: 0px 2px; border: none; }"
                  "QPushButton:hover { text-decoration: underline; }");
}

}  // namespace qdx::app
