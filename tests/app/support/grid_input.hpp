#pragma once
// Typing into a property grid as the user does.

#include <QString>

namespace qdx::app {
class TEntryGrid;
}

namespace qdx::test {

// Types text into the value cell of a row through the in-place editor and commits it with
// Enter.
void EnterCell(app::TEntryGrid& grid, int row, const QString& text);

}  // namespace qdx::test
