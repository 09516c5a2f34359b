#pragma once
// Window placement in the settings stores, one section per window named after the window's
// objectName: Left, Top, Width, Height, Visible and WinState (0 normal, 1 minimised,
// 2 maximised). A restored window is brought back on screen: a negative Left or Top becomes 0,
// and a window whose corner lies within 100 pixels of the screen's right or bottom edge (or
// beyond) moves to 200 pixels from that edge.
//
// Three stores: the program settings (RestorePlacement/SavePlacement: every key), the common
// settings shared with the maker's other programs (RestoreCommonPlacement/SaveCommonPlacement:
// no Visible), and the program INI file (RestoreIniPlacement/SaveIniPlacement: position and
// size only). Left and Top are the frame's position, Width and Height the client area's.

#include <QPoint>
#include <QSize>

class QWidget;

namespace qdx {
class TCustomIniFile;
}

namespace qdx::app {

// The on-screen correction of a restored position on a screen of the given size.
QPoint OnScreenPosition(QPoint pos, QSize screen);

// What a placement reads and writes.
struct TPlacementKeys {
    bool size = true;
    bool visible = false;
    bool winState = true;
};

// The placement of w from / into store, section w.objectName(). A missing key keeps the
// window's current value; the screen is the one w is on.
void RestorePlacementFrom(const TCustomIniFile& store, QWidget& w, TPlacementKeys keys);
void SavePlacementTo(TCustomIniFile& store, const QWidget& w, TPlacementKeys keys);

void RestorePlacement(QWidget& w, bool withVisible, bool withSize);
void SavePlacement(const QWidget& w);
void RestoreCommonPlacement(QWidget& w);
void SaveCommonPlacement(const QWidget& w);
void RestoreIniPlacement(QWidget& w);
void SaveIniPlacement(const QWidget& w);

}  // namespace qdx::app
