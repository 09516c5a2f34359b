// The property grid read through the accessibility layer, as a screen reader or a GUI test tool
// reads it: the table's cells and headers, and the row controls with their names, which can be
// pressed from there.
#include <QAccessible>
#include <QAccessibleActionInterface>
#include <QAccessibleTableInterface>
#include <QVBoxLayout>
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// The first interface under `root` with this role and name, depth first.
QAccessibleInterface* Find(QAccessibleInterface* root, QAccessible::Role role, const QString& name) {
    if (!root) return nullptr;
    if (root->role() == role && root->text(QAccessible::Name) == name) return root;
    for (int i = 0; i < root->childCount(); ++i)
        if (QAccessibleInterface* found = Find(root->child(i), role, name)) return found;
    return nullptr;
}

}  // namespace

class EntryGridAccessibilityTest : public QObject {
    Q_OBJECT
private slots:
    void screenReaderReadsCellsAndRowButtons() {
        test::TAppTestEnv env;
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        auto* grid = new TEntryGrid(&window);
        grid->setObjectName("Grid");
        layout->addWidget(grid);
        grid->SetLines({"Property; Value; Units", "Barometer; %0.3f; kPa; PE; 70; 120",
                        "Fluid Control; enum; ; Temperature; Flow",
                        "Face Velocity; %0.2f; m/s; Spin; 0.5; 10; 0.5", "Frozen; check"});
        grid->SetValue(1, 1, 101.325);
        grid->SetRowUnits(3, utVelocity, 0, 1, ft_Fixed, 1, 0);
        grid->SetValue(1, 3, 2.5);
        int edits = 0;
        grid->SetRowPropertyEditor(1, [&](QVariant&) { return ++edits, 0; });
        grid->SetColWidths(0, 110);
        window.resize(320, 140);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));

        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid);
        QVERIFY(table);
        QCOMPARE(table->role(), QAccessible::Table);
        QAccessibleTableInterface* cells = table->tableInterface();
        QVERIFY(cells);
        QCOMPARE(cells->rowCount(), 4);
        QCOMPARE(cells->columnCount(), 3);
        const QStringList expected[] = {
            {"Barometer", "101.325", "kPa"},
            {"Fluid Control", "Temperature", ""},
            {"Face Velocity", "492.1", "fpm"},
            {"Frozen", "", ""},
        };
        for (int r = 0; r < 4; ++r)
            for (int c = 0; c < 3; ++c)
                QCOMPARE(cells->cellAt(r, c)->text(QAccessible::Name), expected[r][c]);
        QCOMPARE(cells->columnDescription(1), QString("Value"));

        // The row buttons of the current cell are in the window's tree with their names.
        QAccessibleInterface* root = QAccessible::queryAccessibleInterface(&window);
        grid->SetCurrentCell(1, 1);
        QAccessibleInterface* edit = Find(root, QAccessible::Button, "Edit Barometer");
        QVERIFY(edit);
        QCOMPARE(edit->role(), QAccessible::Button);
        QVERIFY(!edit->state().invisible);
        QVERIFY(edit->actionInterface());
        edit->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(edits, 1);

        grid->SetCurrentCell(1, 2);
        QAccessibleInterface* choose = Find(root, QAccessible::Button, "Choose Fluid Control");
        QVERIFY(choose && !choose->state().invisible);
        choose->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QAccessibleInterface* list = Find(root, QAccessible::List, "Fluid Control");
        QVERIFY(list);
        QVERIFY(!list->state().invisible);
        QCOMPARE(list->childCount(), 2);
        QCOMPARE(list->child(1)->text(QAccessible::Name), QString("Flow"));

        grid->SetCurrentCell(1, 3);
        QAccessibleInterface* up = Find(root, QAccessible::Button, "Increase Face Velocity");
        QAccessibleInterface* down = Find(root, QAccessible::Button, "Decrease Face Velocity");
        QVERIFY(up && down && !up->state().invisible && !down->state().invisible);
        up->actionInterface()->doAction(QAccessibleActionInterface::pressAction());
        QCOMPARE(cells->cellAt(2, 1)->text(QAccessible::Name), QString("492.5"));

        grid->SetCurrentCell(1, 4);
        QAccessibleInterface* box = Find(root, QAccessible::CheckBox, "Frozen");
        QVERIFY(box && !box->state().invisible);
        box->actionInterface()->doAction(QAccessibleActionInterface::toggleAction());
        QCOMPARE(cells->cellAt(3, 1)->text(QAccessible::Name), QString("[x]"));
    }
};

QTEST_MAIN(EntryGridAccessibilityTest)
#include "entry_grid_accessibility_test.moc"
