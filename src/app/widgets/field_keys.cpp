#include "app/widgets/field_keys.hpp"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QWidget>

namespace qdx::app {

namespace {

bool TakesFocus(const QWidget* w) {
    return (w->focusPolicy() & Qt::TabFocus) && w->isEnabled() && w->isVisible();
}

// The next (or previous) widget of from's window that Tab would reach.
QWidget* Neighbour(QWidget* from, bool forward) {
    QWidget* w = forward ? from->nextInFocusChain() : from->previousInFocusChain();
    while (w && w != from && !(TakesFocus(w) && w->window() == from->window()))
        w = forward ? w->nextInFocusChain() : w->previousInFocusChain();
    return w == from ? nullptr : w;
}

class TFieldKeys : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        if (event->type() != QEvent::KeyPress) return false;
        auto* edit = qobject_cast<QLineEdit*>(watched);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (!edit || (key->modifiers() & ~Qt::KeypadModifier)) return false;
        bool forward;
        switch (key->key()) {
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Down: forward = true; break;
            case Qt::Key_Up: forward = false; break;
            default: return false;
        }
        if (QWidget* to = Neighbour(edit, forward))
            to->setFocus(forward ? Qt::TabFocusReason : Qt::BacktabFocusReason);
        return true;
    }
};

}  // namespace

void InstallFieldKeys(QWidget* window) {
    auto* keys = new TFieldKeys(window);
    for (QLineEdit* edit : window->findChildren<QLineEdit*>()) {
        // The edits inside spin boxes and combo boxes keep their own keys.
        QWidget* owner = edit->parentWidget();
        if (qobject_cast<QAbstractSpinBox*>(owner) || qobject_cast<QComboBox*>(owner)) continue;
        edit->installEventFilter(keys);
    }
}

}  // namespace qdx::app
