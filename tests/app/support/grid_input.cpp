#include "support/grid_input.hpp"

#include <QtTest>

#include "app/widgets/entry_grid.hpp"

namespace qdx::test {

void EnterCell(app::TEntryGrid& grid, int row, const QString& text) {
    grid.setFocus();
    grid.SetCurrentCell(1, row);
    grid.SetEditorMode(true);
    QVERIFY(grid.InplaceEditor());
    grid.InplaceEditor()->selectAll();
    QTest::keyClicks(grid.InplaceEditor(), text);
    QTest::keyClick(grid.InplaceEditor(), Qt::Key_Return);
}

}  // namespace qdx::test
