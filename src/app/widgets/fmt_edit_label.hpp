#pragma once
// The units label beside one or more formatted edits: it shows their unit symbol and, when
// clicked, pops up the units of the first edit's category so the user can switch the display
// unit of every linked edit at once.

#include <QLabel>
#include <QList>

namespace qdx::app {

class TxCustomEdit;
class TUnitsForm;

class TFmtEditLabel : public QLabel {
    Q_OBJECT
public:
    explicit TFmtEditLabel(QWidget* parent = nullptr);
    // Unlinks every edit.
    ~TFmtEditLabel() override;

    // The edits that name this label as their UnitsLabel, each once, in the order of linking.
    // Edits link and unlink themselves (TxCustomEdit::SetUnitsLabel, and at destruction).
    const QList<TxCustomEdit*>& Edits() const { return edits_; }
    void Link(TxCustomEdit* edit);
    void Unlink(TxCustomEdit* edit);

    // Opens the units pop-up for the first edit's category at globalPos + (5, 5) with its
    // display unit selected; when it closes every edit takes the chosen unit and raises its
    // OnUnitsEdited. Does nothing without edits.
    void ChooseUnits(const QPoint& globalPos);

    // The pop-up, created at the first click; for tests and accessibility tools.
    TUnitsForm* UnitsForm() const { return unitsForm_; }

protected:
    void mouseReleaseEvent(QMouseEvent* event) override;

private:
    QList<TxCustomEdit*> edits_;
    TUnitsForm* unitsForm_ = nullptr;
};

}  // namespace qdx::app
