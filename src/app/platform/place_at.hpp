#pragma once
// Placing a tool window at a point (the mouse position, as a rule) so that all of it stays on
// the screen: a window that would reach past the right or bottom edge moves back to end there.

class QWidget;

namespace qdx::app {

void PlaceAt(QWidget& window, int x, int y);

}  // namespace qdx::app
