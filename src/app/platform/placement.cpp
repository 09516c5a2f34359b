#include "app/platform/placement.hpp"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

#include "documents/settings_stores.hpp"

namespace qdx::app {

namespace {

constexpr int kNormal = 0, kMinimised = 1, kMaximised = 2;

int WinState(const QWidget& w) {
    const Qt::WindowStates s = w.windowState();
    if (s.testFlag(Qt::WindowMinimized)) return kMinimised;
    if (s.testFlag(Qt::WindowMaximized)) return kMaximised;
    return kNormal;
}

Qt::WindowStates ToWindowState(int state, Qt::WindowStates current) {
    current &= ~(Qt::WindowMinimized | Qt::WindowMaximized);
    if (state == kMinimised) return current | Qt::WindowMinimized;
    if (state == kMaximised) return current | Qt::WindowMaximized;
    return current;
}

QSize ScreenSize(const QWidget& w) {
    const QScreen* screen = w.screen();
    if (screen == nullptr) screen = QGuiApplication::primaryScreen();
    return screen ? screen->geometry().size() : QSize(1024, 768);
}

// A maximised or minimised window keeps the placement it comes back to.
QRect NormalPlacement(const QWidget& w) {
    if (w.isWindow() && WinState(w) != kNormal && w.normalGeometry().isValid()) {
        return w.normalGeometry();
    }
    return QRect(w.pos(), w.size());
}

}  // namespace

QPoint OnScreenPosition(QPoint pos, QSize screen) {
    int left = pos.x(), top = pos.y();
    if (left < 0) left = 0;
    if (top < 0) top = 0;
    if (left > screen.width() - 100) left = screen.width() - 200;
    if (top > screen.height() - 100) top = screen.height() - 200;
    return {left, top};
}

void RestorePlacementFrom(const TCustomIniFile& store, QWidget& w, TPlacementKeys keys) {
    const std::string section = w.objectName().toStdString();
    QPoint pos(store.ReadInteger(section, "Left", w.x()), store.ReadInteger(section, "Top", w.y()));
    if (keys.size) {
        const int width = store.ReadInteger(section, "Width", w.width());
        const int height = store.ReadInteger(section, "Height", w.height());
        if (width > 0 && height > 0) w.resize(width, height);
    }
    if (keys.visible) w.setVisible(store.ReadBool(section, "Visible", false));
    w.move(OnScreenPosition(pos, ScreenSize(w)));
    if (keys.winState) {
        const int state = store.ReadInteger(section, "WinState", WinState(w));
        w.setWindowState(ToWindowState(state, w.windowState()));
    }
}

void SavePlacementTo(TCustomIniFile& store, const QWidget& w, TPlacementKeys keys) {
    const std::string section = w.objectName().toStdString();
    const QRect r = NormalPlacement(w);
    store.WriteInteger(section, "Left", r.x());
    store.WriteInteger(section, "Top", r.y());
    if (keys.size) {
        store.WriteInteger(section, "Width", r.width());
        store.WriteInteger(section, "Height", r.height());
    }
    if (keys.visible) store.WriteBool(section, "Visible", w.isVisible());
    if (keys.winState) store.WriteInteger(section, "WinState", WinState(w));
}

void RestorePlacement(QWidget& w, bool withVisible, bool withSize) {
    RestorePlacementFrom(*OpenProgramSettings(), w, {withSize, withVisible, true});
}

void SavePlacement(const QWidget& w) {
    SavePlacementTo(*OpenProgramSettings(), w, {true, true, true});
}

void RestoreCommonPlacement(QWidget& w) {
    RestorePlacementFrom(*OpenCommonSettings(), w, {true, false, true});
}

void SaveCommonPlacement(const QWidget& w) {
    SavePlacementTo(*OpenCommonSettings(), w, {true, false, true});
}

void RestoreIniPlacement(QWidget& w) {
    RestorePlacementFrom(*OpenProgramIniFile(), w, {true, false, false});
}

void SaveIniPlacement(const QWidget& w) {
    SavePlacementTo(*OpenProgramIniFile(), w, {true, false, false});
}

}  // namespace qdx::app
