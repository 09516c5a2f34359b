#include "app/widgets/fmt_edit.hpp"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QKeyEvent>
#include <QTimer>
#include <QWheelEvent>

#include <exception>

#include "app/platform/dialogs.hpp"
#include "app/widgets/fmt_edit_label.hpp"
#include "units/number_text.hpp"

namespace qdx::app {

TEntryValue ToEntryValue(const QVariant& value) {
    switch (value.typeId()) {
        case QMetaType::Double:
        case QMetaType::Float:
            return value.toDouble();
        case QMetaType::Int:
        case QMetaType::UInt:
        case QMetaType::LongLong:
        case QMetaType::ULongLong:
        case QMetaType::Long:
        case QMetaType::Short:
        case QMetaType::Bool:
            return static_cast<long long>(value.toLongLong());
        default:
            return value.toString().toStdString();
    }
}

QVariant ToVariant(const TEntryValue& value) {
    if (auto p = std::get_if<double>(&value)) return *p;
    if (auto p = std::get_if<long long>(&value)) return static_cast<qlonglong>(*p);
    return QString::fromStdString(std::get<std::string>(value));
}

TxCustomEdit::TxCustomEdit(QWidget* parent) : QLineEdit(parent) {
    setText(QStringLiteral("0.0"));
    // Deleting, pasting and cutting change the text as typing does.
    connect(this, &QLineEdit::textEdited, this, [this] { modified_ = true; });
}

TxCustomEdit::~TxCustomEdit() {
    if (unitsLabel_) unitsLabel_->Unlink(this);
}

void TxCustomEdit::SetFormatStr(const QString& formatStr) {
    formatStr_ = formatStr;
    if (formatStr == QLatin1String("%S") && text() == QLatin1String("0.0")) clear();
}

int TxCustomEdit::Decimals() const { return FormatDecimals(formatStr_.toStdString()); }

void TxCustomEdit::SetUnitsType(TUnitsType unitsType) {
    unitsType_ = unitsType;
    unitsValue_ = CheckUnitsIndex(unitsType, unitsValue_);
    unitsBase_ = CheckUnitsIndex(unitsType, unitsBase_);
    factor_ = 1.0;
    offset_ = 0.0;
    ApplyUnits();
}

void TxCustomEdit::SetUnitsValue(int unitsValue) {
    unitsValue_ = CheckUnitsIndex(unitsType_, unitsValue);
    ApplyUnits();
}

void TxCustomEdit::SetUnitsBase(int unitsBase) {
    unitsBase_ = CheckUnitsIndex(unitsType_, unitsBase);
    ApplyUnits();
}

void TxCustomEdit::SetUnitsLabel(TFmtEditLabel* label) {
    if (label == unitsLabel_) return;
    if (unitsLabel_) unitsLabel_->Unlink(this);
    unitsLabel_ = label;
    if (label) label->Link(this);
}

TEntryFormat TxCustomEdit::EntryFormat() const {
    return {formatStr_.toStdString(), formatType_, sigDigs_};
}

QVariant TxCustomEdit::Value() const {
    return ToVariant(ReadEntryValue(text().toStdString(), formatStr_.toStdString(), factor_,
                                    offset_));
}

void TxCustomEdit::SetValue(const QVariant& value) {
    setText(QString::fromStdString(
        WriteEntryValue(ToEntryValue(value), EntryFormat(), factor_, offset_)));
}

void TxCustomEdit::ApplyUnits() {
    const TFormatKind kind = FormatKind(formatStr_.toStdString());
    if (unitsType_ == utNone && (kind == TFormatKind::String || kind == TFormatKind::Integer))
        return;
    try {
        const QVariant stored = Value();
        std::string format, symbol;
        GetUnitsConversion(unitsType_, unitsValue_, unitsBase_, format, offset_, factor_, symbol);
        if (formatType_ != ft_Manual && unitsType_ != utNone)
            formatStr_ = QString::fromStdString(format);
        if (FormatKind(formatStr_.toStdString()) == TFormatKind::String) return;
        if (unitsLabel_) unitsLabel_->setText(QString::fromStdString(symbol));
        if (kind == TFormatKind::Pair && !formatStr_.contains('/'))
            formatStr_ = formatStr_ + '/' + formatStr_;
        SetValue(stored);
    } catch (const std::exception&) {
        // A unit the table does not hold leaves the edit as it was.
    }
}

bool TxCustomEdit::Validate() {
    if (!modified_) return false;
    const double lo = ToUnits(rangeLo_, factor_, offset_);
    const double hi = ToUnits(rangeHi_, factor_, offset_);
    const TValidatedText v = ValidateEntryText(text().toStdString(), EntryFormat(), lo, hi);
    const QString shown = QString::fromStdString(v.Text);
    if (shown != text()) setText(shown);
    modified_ = true;
    if (v.RangeChanged) {
        Dialogs().Beep();
        RangeSnapped();
    }
    return v.RangeChanged;
}

void TxCustomEdit::RangeSnapped() {
    // Taken back once the focus change that left the edit has finished; the visit goes on, so
    // the text stays modified and Escape still goes back to the text of its start.
    reclaiming_ = true;
    QTimer::singleShot(0, this, [this] {
        if (hasFocus())
            reclaiming_ = false;
        else
            setFocus(Qt::OtherFocusReason);
    });
}

bool TxCustomEdit::Admits(QChar c) const {
    const std::string format = formatStr_.toStdString();
    const bool digit = c >= '0' && c <= '9';
    switch (FormatKind(format)) {
        case TFormatKind::String:
            return true;
        case TFormatKind::Pair:
            return digit || c == '-' || c == '.' || c == '/';
        case TFormatKind::Integer:
            return digit || c == '-';
        case TFormatKind::Float:
        case TFormatKind::Other:
            break;
    }
    return digit || c == '-' || c == '.' ||
           (IsGeneralFormat(format) && (c == 'e' || c == 'E'));
}

void TxCustomEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Escape:
            if (modified_) {
                setText(focusText_);
                modified_ = false;
                event->accept();
                return;
            }
            event->ignore();  // nothing to undo: a dialog may take it
            return;
        case Qt::Key_Return:
        case Qt::Key_Enter:
            // A snapped value keeps the Enter from reaching a default button.
            if (Validate())
                event->accept();
            else
                event->ignore();
            return;
        case Qt::Key_Backspace:
            QLineEdit::keyPressEvent(event);
            modified_ = true;
            return;
        default:
            break;
    }
    const QString typed = event->text();
    const bool isCharacter = typed.size() == 1 && typed[0].isPrint() &&
                             !(event->modifiers() & (Qt::ControlModifier | Qt::AltModifier));
    if (!isCharacter) {
        // Navigation, clipboard keys and shortcuts as a line edit handles them.
        QLineEdit::keyPressEvent(event);
        return;
    }
    event->accept();
    if (isReadOnly()) return;
    if (selectedText().size() >= 2) del();
    const QChar c = typed[0];
    if (Admits(c))
        insert(QString(c));
    else
        Dialogs().Beep();
    modified_ = true;
}

void TxCustomEdit::focusInEvent(QFocusEvent* event) {
    QLineEdit::focusInEvent(event);
    // Coming back from a menu, or after a range snap, is not a new visit.
    if (event->reason() == Qt::PopupFocusReason || reclaiming_) {
        reclaiming_ = false;
        return;
    }
    modified_ = false;
    focusText_ = text();
}

void TxCustomEdit::focusOutEvent(QFocusEvent* event) {
    QLineEdit::focusOutEvent(event);
    if (event->reason() == Qt::PopupFocusReason) return;
    Validate();
}

TFmtEdit::TFmtEdit(QWidget* parent) : TxCustomEdit(parent) {}

TxInplaceEdit::TxInplaceEdit(QWidget* parent, QWidget* grid) : TxCustomEdit(parent), grid_(grid) {
    SetFormatStr(QStringLiteral("%S"));
    setFrame(false);
    setFocusPolicy(Qt::ClickFocus);
}

void TxInplaceEdit::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
        case Qt::Key_Up:
        case Qt::Key_Down:
        case Qt::Key_PageUp:
        case Qt::Key_PageDown:
            if (grid_) {
                QApplication::sendEvent(grid_, event);
                return;
            }
            break;
        default:
            break;
    }
    TxCustomEdit::keyPressEvent(event);
}

void TxInplaceEdit::wheelEvent(QWheelEvent* event) {
    // A scrolling grid takes the wheel on its viewport.
    if (auto* area = qobject_cast<QAbstractScrollArea*>(grid_)) {
        QApplication::sendEvent(area->viewport(), event);
        return;
    }
    TxCustomEdit::wheelEvent(event);
}

}  // namespace qdx::app
