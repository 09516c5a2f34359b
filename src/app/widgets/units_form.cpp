#include "app/widgets/units_form.hpp"

#include <QEvent>
#include <QGuiApplication>
#include <QScreen>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace qdx::app {

TUnitsForm::TUnitsForm(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::FramelessWindowHint | Qt::WindowStaysOnTopHint) {
    setObjectName(QStringLiteral("UnitsForm"));
    setWindowTitle(QStringLiteral("Units"));
    setModal(true);
    ListBox1 = new QListWidget(this);
    ListBox1->setObjectName(QStringLiteral("ListBox1"));
    ListBox1->setAccessibleName(QStringLiteral("Units"));
    // The window has no border; the list's thin frame sets it off from what lies behind.
    ListBox1->setFrameShape(QFrame::Box);
    ListBox1->setLineWidth(1);
    ListBox1->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ListBox1->installEventFilter(this);
    ListBox1->viewport()->installEventFilter(this);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(ListBox1);
}

void TUnitsForm::Prepare(TUnitsType unitsType, int current) {
    ListBox1->clear();
    const int count = UnitsCount(unitsType);
    int widest = 0;
    const QFontMetrics fm = ListBox1->fontMetrics();
    for (int i = 0; i < count; ++i) {
        const QString symbol = QString::fromStdString(UnitSymbol(unitsType, i));
        ListBox1->addItem(symbol);
        widest = std::max(widest, fm.horizontalAdvance(symbol));
    }
    if (current >= 0 && current < count) ListBox1->setCurrentRow(current);
    const int itemHeight = count > 0 ? ListBox1->sizeHintForRow(0) : fm.height();
    setFixedSize(std::max(60, widest + 10),
                 static_cast<int>(std::lround(itemHeight * (count + 0.5))));
}

int TUnitsForm::Execute(TUnitsType unitsType, int current, const QPoint& globalPos) {
    Prepare(unitsType, current);
    // Kept on the screen of the mouse, whole.
    QPoint pos = globalPos;
    if (const QScreen* screen = QGuiApplication::screenAt(globalPos)) {
        const QRect area = screen->availableGeometry();
        pos.setX(std::max(area.left(), std::min(pos.x(), area.right() + 1 - width())));
        pos.setY(std::max(area.top(), std::min(pos.y(), area.bottom() + 1 - height())));
    }
    move(pos);
    show();
    raise();
    activateWindow();
    ListBox1->setFocus(Qt::PopupFocusReason);
    exec();
    return ListBox1->currentRow();
}

bool TUnitsForm::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::KeyPress) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter || key == Qt::Key_Escape) {
            // Escape closes like Enter: the choice is the list's selection either way.
            accept();
            return true;
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == ListBox1->viewport()) {
        // A press selects the item under the mouse, if any, and closes the pop-up.
        const QPoint pos = static_cast<QMouseEvent*>(event)->position().toPoint();
        if (QListWidgetItem* item = ListBox1->itemAt(pos)) ListBox1->setCurrentItem(item);
        accept();
        return true;
    }
    return QDialog::eventFilter(watched, event);
}

}  // namespace qdx::app
