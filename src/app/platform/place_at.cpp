#include "app/platform/place_at.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace qdx::app {

void PlaceAt(QWidget& window, int x, int y) {
    QScreen* screen = QGuiApplication::screenAt(QPoint(x, y));
    if (!screen) screen = QGuiApplication::primaryScreen();
    const QSize area = screen ? screen->geometry().size() : QSize(x + window.width(), y + window.height());
    const QSize size = window.frameGeometry().size();
    int left = x, top = y;
    if (left + size.width() > area.width()) left = area.width() - size.width();
    if (top + size.height() > area.height()) top = area.height() - size.height();
    window.move(left, top);
}

}  // namespace qdx::app
