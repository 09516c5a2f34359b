#pragma once
// The key moves of the tool windows' fields: in a single-line edit, Enter and the down arrow
// move the focus to the next field and the up arrow to the previous one; the key is consumed
// (so Enter does not press the window's default button). Leaving the edit validates it as
// any focus change does.

class QWidget;

namespace qdx::app {

// Installs the moves on every single-line edit below window, now and not for edits added
// later.
void InstallFieldKeys(QWidget* window);

}  // namespace qdx::app
