#include "app/widgets/fmt_edit_label.hpp"

#include <QCursor>
#include <QMouseEvent>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/units_form.hpp"

namespace qdx::app {

TFmtEditLabel::TFmtEditLabel(QWidget* parent) : QLabel(parent) {}

TFmtEditLabel::~TFmtEditLabel() {
    // The edits outlive their label: each forgets it.
    const QList<TxCustomEdit*> edits = edits_;
    edits_.clear();
    for (TxCustomEdit* edit : edits) edit->SetUnitsLabel(nullptr);
}

void TFmtEditLabel::Link(TxCustomEdit* edit) {
    if (edit && !edits_.contains(edit)) edits_.append(edit);
}

void TFmtEditLabel::Unlink(TxCustomEdit* edit) { edits_.removeAll(edit); }

void TFmtEditLabel::ChooseUnits(const QPoint& globalPos) {
    if (edits_.isEmpty()) return;
    TxCustomEdit* first = edits_.first();
    if (!unitsForm_) {
        unitsForm_ = new TUnitsForm(this);
        unitsForm_->setObjectName(objectName() + QStringLiteral("UnitsForm"));
    }
    const int chosen =
        unitsForm_->Execute(first->UnitsType(), first->UnitsValue(), globalPos + QPoint(5, 5));
    if (chosen < 0) return;
    // The list may be changed by a handler: work on a copy.
    const QList<TxCustomEdit*> edits = edits_;
    for (TxCustomEdit* edit : edits) {
        edit->SetUnitsValue(chosen);
        emit edit->OnUnitsEdited();
    }
}

void TFmtEditLabel::mouseReleaseEvent(QMouseEvent* event) {
    QLabel::mouseReleaseEvent(event);
    if (event->button() == Qt::LeftButton && rect().contains(event->position().toPoint()))
        ChooseUnits(event->globalPosition().toPoint());
}

}  // namespace qdx::app
