// The property grid as its windows and users meet it: rows built from their lines, values in
// stored units, unit settings, the row operations and their messages, the row controls of the
// current cell, the in-place editor, pick lists, spin buttons, the units cell and painting.
#include <QAbstractItemModelTester>
#include <QScrollBar>
#include <QSignalSpy>
#include <QVBoxLayout>
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "app/widgets/unit_choices.hpp"
#include "app/widgets/units_form.hpp"
#include "support/app_test_env.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

const QStringList kRows = {
    "Property; Value; Units",
    "Barometer; %0.3f; kPa; PE; 70; 120",
    "On Coil; %0.1f/%0.1f; °C; PE; 0; 45",
    "Step; %0.2f; m; Spin; 0; 3; 0.5",
    "Fluid Control; enum; ; Temperature; Flow",
    "Frozen; check",
    "Coil Model; %s; ; PE",
    "Design dT; %0.1f; °C; NPE; 0.1; 18",
};
enum { rBarometer = 1, rOnCoil, rStep, rControl, rFrozen, rModel, rDesignDt };

// A window holding one grid, as the program's windows do.
struct GridWindow {
    QWidget window;
    TEntryGrid* grid;
    QSignalSpy* setData;

    explicit GridWindow(const QStringList& lines = kRows) {
        auto* layout = new QVBoxLayout(&window);
        grid = new TEntryGrid(&window);
        grid->setObjectName("Grid");
        layout->addWidget(grid);
        grid->SetLines(lines);
        grid->SetColWidths(0, 110);
        grid->SetColWidths(1, 90);
        window.resize(300, 40 + 18 * lines.size());
        setData = new QSignalSpy(grid, &TEntryGrid::OnDoSetData);
        window.show();
        window.activateWindow();
        grid->setFocus();
    }
    ~GridWindow() { delete setData; }

    // The value cell's rectangle in the window's coordinates.
    QRect CellRect(int col, int row) const {
        const QRect r = grid->visualRect(grid->model()->index(row - 1, col));
        return QRect(grid->viewport()->mapTo(&window, r.topLeft()), r.size());
    }
    QPoint CellCentre(int col, int row) const {
        return grid->visualRect(grid->model()->index(row - 1, col)).center();
    }
};

// Types as the keyboard does: into whatever has the focus (the grid, then its editor).
void Type(const QString& text) {
    for (QChar c : text) QTest::keyClick(QApplication::focusWidget(), c.toLatin1());
}

}  // namespace

class EntryGridTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        UnitPrefs().Reset();
    }
    void cleanup() {
        UnitPrefs().Reset();
        env_.reset();
    }

    void lineGrammar_data() {
        QTest::addColumn<QString>("line");
        QTest::addColumn<QString>("kind");  // descriptor class
        QTest::addColumn<int>("fieldKind");
        QTest::addColumn<QString>("value");
        QTest::addColumn<QString>("units");
        QTest::addColumn<double>("lo");
        QTest::addColumn<double>("hi");
        QTest::addColumn<double>("step");
        QTest::addColumn<QString>("message");
        QTest::newRow("numeric with editor") << "Barometer; %0.3f; kPa; PE; 70; 120" << "num" << 1
                                             << "0.000" << "kPa" << 70.0 << 120.0 << 1.0 << "";
        QTest::newRow("pair") << "On Coil; %0.1f/%0.1f; °C; PE; 0; 45" << "pair" << 1 << "0.0/0.0"
                              << "°C" << 0.0 << 45.0 << 1.0 << "";
        QTest::newRow("integer spin with step") << "Rows ; %d ; ; spin ; 1 ; 20 ; 2" << "num" << 3
                                                << "0" << "" << 1.0 << 20.0 << 2.0 << "";
        QTest::newRow("plain numeric, units text kept")
            << "Additive Volume; %0.2f; 0 to 0.4; NPE; 0.01; 0.45" << "num" << 0 << "0.00"
            << "0 to 0.4" << 0.01 << 0.45 << 1.0 << "";
        QTest::newRow("no range given") << "Area; %0.1f; m²" << "num" << 0 << "0.0" << "m²" << 0.0
                                        << 0.0 << 1.0 << "";
        QTest::newRow("pick list") << "Fluid Control; ENUM; ; Temperature; Flow" << "enum" << 2
                                   << "Temperature" << "" << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("empty pick list") << "Choice; enum" << "enum" << 2 << "" << "" << 0.0
                                         << 0.0 << 0.0 << "";
        QTest::newRow("check box") << "Frozen; Check" << "bool" << 4 << "" << "" << 0.0 << 0.0
                                   << 0.0 << "";
        QTest::newRow("plain text with editor") << "Coil Model; %s; ; PE" << "plain" << 1 << ""
                                                << "" << 0.0 << 0.0 << 0.0 << "";
        QTest::newRow("bad range") << "Bad Row; %0.1f; m; NPE; abc; 5" << "plain" << 0 << "" << "m"
                                   << 0.0 << 0.0 << 0.0 << "Error initialising Bad Row";
        QTest::newRow("bad step") << "Bad Step; %d; ; Spin; 0; 5; x" << "plain" << 0 << "" << ""
                                  << 0.0 << 0.0 << 0.0 << "Error initialising Bad Step";
    }
    void lineGrammar() {
        QFETCH(QString, line);
        QFETCH(QString, kind);
        QFETCH(int, fieldKind);
        QFETCH(QString, value);
        QFETCH(QString, units);
        QFETCH(double, lo);
        QFETCH(double, hi);
        QFETCH(double, step);
        QFETCH(QString, message);
        TEntryGrid grid;
        grid.SetLines({"Property; Value; Units", line});
        QCOMPARE(grid.RowCount(), 2);
        const TField* f = grid.Field(1);
        QVERIFY(f);
        const QString actual = dynamic_cast<const TDelimNumField*>(f) ? "pair"
                               : dynamic_cast<const TNumField*>(f)    ? "num"
                               : dynamic_cast<const TEnumField*>(f)   ? "enum"
                               : dynamic_cast<const TBoolField*>(f)   ? "bool"
                                                                      : "plain";
        QCOMPARE(actual, kind);
        QCOMPARE(int(f->Kind), fieldKind);
        QCOMPARE(grid.Cells(1, 1), value);
        QCOMPARE(grid.Cells(2, 1), units);
        QCOMPARE(grid.Cells(0, 1), line.split(';').first().trimmed());
        if (auto* nf = dynamic_cast<const TNumField*>(f)) {
            QCOMPARE(grid.RowRangeLo(1), lo);
            QCOMPARE(grid.RowRangeHi(1), hi);
            QCOMPARE(nf->Step, step);
        }
        if (message.isEmpty()) {
            QVERIFY(env_->Dialogs().messages.isEmpty());
        } else {
            QCOMPARE(env_->Dialogs().messages.size(), 1);
            QCOMPARE(env_->Dialogs().LastMessage(), message);
            QCOMPARE(env_->Dialogs().messages[0].buttons, TMsgButtons::Ok);
            QCOMPARE(grid.RowFormatStr(1), QString("%S"));
        }
    }

    void headerHiddenPartsAndEmptyLines() {
        TEntryGrid grid;
        grid.SetLines({"Property; Value; Units", "Control; enum; ; Temperature; Flow; Both"});
        QCOMPARE(grid.Cells(1, 0), QString("Value"));
        QCOMPARE(grid.model()->headerData(2, Qt::Horizontal).toString(), QString("Units"));
        QCOMPARE(grid.Cells(5, 1), QString("Both"));  // beyond the visible columns
        QCOMPARE(grid.RowEnumItems(1), QStringList({"Temperature", "Flow", "Both"}));
        grid.SetLines({});
        QCOMPARE(grid.RowCount(), 2);
        QCOMPARE(grid.Field(0), nullptr);
        QCOMPARE(grid.Field(1), nullptr);
    }

    void modelPassesTheModelTester() {
        TEntryGrid grid;
        QAbstractItemModelTester tester(grid.model(),
                                        QAbstractItemModelTester::FailureReportingMode::QtTest);
        grid.SetLines(kRows);
        grid.SetValue(1, rBarometer, 101.325);
        grid.SetColCount(2);
        grid.SetLines({});
        grid.SetColCount(3);
        grid.SetLines(kRows);
    }

    void valuesInStoredUnits() {
        TEntryGrid grid;
        grid.SetLines(kRows);
        grid.SetValue(1, rBarometer, 101.325);
        QCOMPARE(grid.Cells(1, rBarometer), QString("101.325"));
        QCOMPARE(grid.GetValue(1, rBarometer).toDouble(), 101.325);
        // Pairs travel as text; an empty cell reads as 0.0/0.0, a single value in "%0.4g".
        QCOMPARE(grid.GetValue(1, rOnCoil).toString(), QString("0.0/0.0"));
        grid.SetValue(1, rOnCoil, "24/16");
        QCOMPARE(grid.Cells(1, rOnCoil), QString("24.0/16.0"));
        QCOMPARE(grid.GetValue(1, rOnCoil).toString(), QString("24.0/16.0"));
        grid.SetCells(1, rOnCoil, "24.25");
        QCOMPARE(grid.GetValue(1, rOnCoil).toString(), QString("24.25"));
        grid.SetCells(1, rOnCoil, "");
        QCOMPARE(grid.GetValue(1, rOnCoil).toString(), QString("0.0/0.0"));
        // Pick lists by index, check boxes as bools, text as text.
        grid.SetValue(1, rControl, 1);
        QCOMPARE(grid.Cells(1, rControl), QString("Flow"));
        QCOMPARE(grid.GetValue(1, rControl).toInt(), 1);
        grid.SetCells(1, rControl, "Neither");
        QCOMPARE(grid.GetValue(1, rControl).toInt(), -1);
        grid.SetValue(1, rFrozen, true);
        QCOMPARE(grid.Cells(1, rFrozen), QString("[x]"));
        grid.SetCells(1, rFrozen, "[X]");
        QCOMPARE(grid.GetValue(1, rFrozen), QVariant(true));
        grid.SetValue(1, rFrozen, false);
        QCOMPARE(grid.Cells(1, rFrozen), QString("[ ]"));
        grid.SetValue(1, rModel, "544 x 720 4r 12f  (14c)");
        QCOMPARE(grid.GetValue(1, rModel).toString(), QString("544 x 720 4r 12f  (14c)"));
        // Text that does not convert is the value; other columns are their text.
        grid.SetCells(1, rBarometer, "high");
        QCOMPARE(grid.GetValue(1, rBarometer), QVariant(QString("high")));
        grid.SetValue(2, rBarometer, "Pa");
        QCOMPARE(grid.GetValue(2, rBarometer), QVariant(QString("Pa")));
        // An integer row gives an integer.
        grid.SetLines({"P; V; U", "Rows; %d; ; Spin; 1; 20"});
        grid.SetValue(1, 1, 3.6);
        QCOMPARE(grid.Cells(1, 1), QString("4"));
        QCOMPARE(grid.GetValue(1, 1).typeId(), int(QMetaType::LongLong));
    }

    void unitRowsShowTheDisplayUnit() {
        TEntryGrid grid;
        grid.SetLines(kRows);
        grid.SetRowUnits(rDesignDt, utTemperatureChange, 0, 1, ft_Fixed, 1, 0);
        QCOMPARE(grid.Cells(2, rDesignDt), QString("°F"));
        grid.SetValue(1, rDesignDt, 5.0);
        QCOMPARE(grid.Cells(1, rDesignDt), QString("9.0"));
        QCOMPARE(grid.GetValue(1, rDesignDt).toDouble(), 5.0);
        QCOMPARE(grid.RowRangeLo(rDesignDt), 0.18);
        QCOMPARE(grid.RowRangeHi(rDesignDt), 32.4);
        QCOMPARE(grid.RowFactor(rDesignDt), 1.8);
        QCOMPARE(grid.RowOffset(rDesignDt), 0.0);
        QVERIFY(grid.RowHasUnits(rDesignDt));
        QVERIFY(!grid.RowHasUnits(rBarometer));

        // The display unit changes, the quantity stays; a pair changes value by value.
        grid.SetRowUnitsValue(rDesignDt, 0);
        QCOMPARE(grid.Cells(1, rDesignDt), QString("5.0"));
        grid.SetValue(1, rOnCoil, "24/16");
        grid.SetRowUnits(rOnCoil, utTemperature, 0, 1, ft_Fixed, 1, 0);
        QCOMPARE(grid.RowFormatStr(rOnCoil), QString("%0.1f/%0.1f"));
        QCOMPARE(grid.Cells(1, rOnCoil), QString("75.2/60.8"));
        QCOMPARE(grid.Cells(2, rOnCoil), QString("°F"));

        // An index the category does not have falls back to its first unit.
        grid.SetRowUnits(rBarometer, utPressureBar, 0, 1, ft_Fixed, 9, 0);
        QCOMPARE(grid.RowUnitsValue(rBarometer), 0);
        QCOMPARE(grid.Cells(2, rBarometer), QString("kPa"));
        QVERIFY(env_->Dialogs().messages.isEmpty());
        // A manual format survives the change of unit; utNone takes the given conversion.
        grid.SetRowUnits(rStep, utNone, 10, 2, ft_Manual, 0, 0);
        grid.SetValue(1, rStep, 1.0);
        QCOMPARE(grid.Cells(1, rStep), QString("12.00"));
        QCOMPARE(grid.Cells(2, rStep), QString("m"));  // no category: the line's units text stays
        // A grid of two columns writes the symbol after the caption's comma.
        TEntryGrid two;
        two.SetColCount(2);
        two.SetLines({"Property; Value", "Air On, °C; %0.1f"});
        two.SetRowUnits(1, utTemperature, 0, 1, ft_Fixed, 1, 0);
        QCOMPARE(two.Cells(0, 1), QString("Air On,°F"));
    }

    void unitChoicesAppliedToEveryRow() {
        GridWindow w;
        w.grid->SetRowUnits(rDesignDt, utTemperatureChange, 0, 1, ft_Fixed, 0, 0);
        w.grid->SetValue(1, rDesignDt, 5.0);
        ApplyUnitChoices(*w.grid);  // no units window yet: nothing happens
        QCOMPARE(w.grid->RowUnitsValue(rDesignDt), 0);
        UnitPrefs().CreateUnitChoices().Set(utTemperatureChange, 1);
        ApplyUnitChoices(*w.grid);
        QCOMPARE(w.grid->Cells(1, rDesignDt), QString("9.0"));
        QCOMPARE(FormatRowValue(*w.grid, rDesignDt, 2.5), QString("4.5"));
        QCOMPARE(FormatRowValue(*w.grid, rModel, 2.5), QString());  // "%s" takes no number
        QVERIFY(env_->Dialogs().messages.isEmpty());
    }

    void rowOperationsReportTheirRow() {
        TEntryGrid grid;
        grid.SetLines(kRows);
        struct Case {
            std::function<void()> op;
            QString message;
        };
        const QList<Case> cases = {
            {[&] { grid.SetRowUnits(rControl, utTemperature, 0, 1, ft_Fixed, 0, 0); },
             "Error setting units, row 4"},
            {[&] { grid.SetRowSigDigs(rModel, 3); }, "Error setting significant digits, row 6"},
            {[&] { grid.SetRowPropertyEditor(20, {}); }, "Error setting property editor, row 20"},
            {[&] { grid.SetRowEnumStrings(20, {"a"}); }, "Error setting enum strings, row 20"},
            {[&] { grid.SetRowEnabled(20, false); }, "Error setting enabled row 20"},
            {[&] { grid.RowRangeHi(20); }, "Error getting range hi, row 20"},
            {[&] { grid.RowRangeLo(20); }, "Error getting range lo, row 20"},
            {[&] { grid.RowFactor(20); }, "Error getting units factor, row 20"},
            {[&] { grid.RowOffset(20); }, "Error getting units zero value, row 20"},
            {[&] { grid.RowUnitsValue(20); }, "Error getting units value, row 20"},
            {[&] { grid.RowUnitsType(20); }, "Error getting units type, row 20"},
            {[&] { grid.SetRowUnitsValue(20, 1); }, "Error setting units value, row 20"},
            {[&] { QCOMPARE(grid.RowFormatStr(20), QString("%S")); },
             "Error getting format string, row 20"},
        };
        for (const Case& c : cases) {
            env_->Dialogs().messages.clear();
            c.op();
            QCOMPARE(env_->Dialogs().messages.size(), 1);
            QCOMPARE(env_->Dialogs().LastMessage(), c.message);
            QCOMPARE(env_->Dialogs().messages[0].kind, TMsgKind::Plain);
        }
        // Reading a non-numeric row is no error.
        env_->Dialogs().messages.clear();
        QCOMPARE(grid.RowFactor(rControl), 0.0);
        QCOMPARE(grid.RowUnitsType(rModel), utNone);
        QCOMPARE(grid.RowFormatStr(rControl), QString("enum"));
        grid.SetRowUnitsValue(rModel, 1);
        QVERIFY(grid.RowEnabled(20));
        QVERIFY(env_->Dialogs().messages.isEmpty());
        // Another row becomes a pick list.
        grid.SetRowEnumStrings(rModel, {"A", "B"});
        QVERIFY(dynamic_cast<TEnumField*>(grid.Field(rModel)));
        QCOMPARE(grid.RowEnumItems(rModel), QStringList({"A", "B"}));
    }

    void rowControlsOfTheCurrentCell() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        // Every control is a child of the grid's parent, over the value cell.
        QCOMPARE(g.PropertyButton()->parentWidget(), &w.window);
        const QRect cell = w.CellRect(1, rBarometer);
        QVERIFY(g.PropertyButton()->isVisible());
        QCOMPARE(g.PropertyButton()->geometry().right(), cell.right() - 1);
        QCOMPARE(g.PropertyButton()->geometry().top(), cell.top());
        QCOMPARE(g.PropertyButton()->height(), cell.height() - 1);
        QCOMPARE(g.PropertyButton()->width(), g.PropertyButton()->height());
        QVERIFY(!g.PullDownButton()->isVisible());

        g.SetCurrentCell(1, rStep);
        QVERIFY(!g.PropertyButton()->isVisible());
        QVERIFY(g.SpinUpButton()->isVisible() && g.SpinDownButton()->isVisible());
        QCOMPARE(g.SpinUpButton()->height() + g.SpinDownButton()->height(),
                 w.CellRect(1, rStep).height() - 1);
        QVERIFY(g.SpinUpButton()->geometry().bottom() < g.SpinDownButton()->geometry().top());

        g.SetCurrentCell(1, rControl);
        QVERIFY(g.PullDownButton()->isVisible());
        g.SetCurrentCell(1, rFrozen);
        QVERIFY(g.CheckBox()->isVisible());
        QCOMPARE(g.CheckBox()->geometry().left(), w.CellRect(1, rFrozen).left() + 1);
        QCOMPARE(g.CheckBox()->width(), g.CheckBox()->height() - 2);
        // Columns 0 and 2 show none; neither does a disabled row.
        g.SetCurrentCell(2, rBarometer);
        for (QWidget* c : std::initializer_list<QWidget*>{g.PropertyButton(), g.PullDownButton(),
                                                          g.SpinUpButton(), g.CheckBox()})
            QVERIFY(!c->isVisible());
        g.SetRowEnabled(rBarometer, false);
        g.SetCurrentCell(1, rBarometer);
        QVERIFY(!g.PropertyButton()->isVisible());
        QCOMPARE(g.model()->data(g.model()->index(rBarometer - 1, 0), Qt::ForegroundRole)
                     .value<QColor>(),
                 g.palette().color(QPalette::Disabled, QPalette::Text));
        QVERIFY(!(g.model()->flags(g.model()->index(rBarometer - 1, 1)) & Qt::ItemIsEditable));
        QVERIFY(!g.RowEnabled(rBarometer));
        // OnSelectCell comes with every new current cell.
        QSignalSpy select(&g, &TEntryGrid::OnSelectCell);
        g.SetCurrentCell(1, rModel);
        QCOMPARE(select.count(), 1);
        QCOMPARE(select.last(), (QList<QVariant>{1, rModel}));
    }

    void controlsMoveWithTheGridToItsParent() {
        TEntryGrid grid;
        QCOMPARE(grid.PropertyButton()->parentWidget(), &grid);
        QWidget host;
        grid.setParent(&host);
        for (QWidget* c : std::initializer_list<QWidget*>{grid.PropertyButton(), grid.PullDownButton(),
                                                          grid.SpinUpButton(), grid.SpinDownButton(),
                                                          grid.CheckBox(), grid.PickList()})
            QCOMPARE(c->parentWidget(), &host);
        grid.setParent(nullptr);  // the controls go with the grid, not with the old parent
        QCOMPARE(grid.CheckBox()->parentWidget(), &grid);
    }

    void controlsFollowTheCellWhenScrolling() {
        QStringList lines = {"Property; Value; Units"};
        for (int i = 1; i <= 30; ++i) lines << QString("Row %1; %0.2f; m; PE").arg(i);
        GridWindow w(lines);
        w.window.resize(300, 200);
        w.grid->SetScrollBars(false, true);
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.grid->SetCurrentCell(1, 3);
        QToolButton* b = w.grid->PropertyButton();
        QVERIFY(b->isVisible());
        const int before = b->y();
        w.grid->verticalScrollBar()->setValue(2);  // two rows up
        QCOMPARE(b->y(), before - 2 * w.grid->DefaultRowHeight());
        QCOMPARE(b->geometry().top(), w.CellRect(1, 3).top());
        w.grid->verticalScrollBar()->setValue(10);  // out of sight
        QVERIFY(!b->isVisible());
        w.grid->verticalScrollBar()->setValue(0);
        QVERIFY(b->isVisible());
        // The wheel over the in-place editor scrolls the grid.
        QTest::keyClick(w.grid, Qt::Key_F2);
        QVERIFY(w.grid->InplaceEditor());
        QWheelEvent wheel(QPointF(5, 5), w.grid->InplaceEditor()->mapToGlobal(QPointF(5, 5)),
                          QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                          Qt::NoScrollPhase, false);
        QApplication::sendEvent(w.grid->InplaceEditor(), &wheel);
        QVERIFY(w.grid->verticalScrollBar()->value() > 0);
    }

    void inPlaceEditorValidatesAndCommits() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        g.SetValue(1, rBarometer, 101.325);
        g.SetCurrentCell(1, rBarometer);
        // Typing opens the editor with the whole text selected: the first key replaces it.
        Type("150");
        QVERIFY(g.EditorMode());
        TxInplaceEdit* ed = g.InplaceEditor();
        QVERIFY(ed);
        QCOMPARE(ed->text(), QString("150"));
        QCOMPARE(ed->FormatStr(), QString("%0.3f"));
        QCOMPARE(ed->RangeHi(), 120.0);
        QTest::keyClick(ed, Qt::Key_Return);
        QVERIFY(!g.EditorMode());
        QCOMPARE(g.Cells(1, rBarometer), QString("120.000"));  // snapped, with a beep
        QCOMPARE(env_->Dialogs().beeps, 1);
        QCOMPARE(w.setData->count(), 1);
        QCOMPARE(w.setData->last(), (QList<QVariant>{1, rBarometer}));

        // Enter opens the editor; moving to another cell commits it.
        QTest::keyClick(&g, Qt::Key_Return);
        QVERIFY(g.EditorMode());
        g.InplaceEditor()->selectAll();
        QTest::keyClicks(g.InplaceEditor(), "95.5");
        QTest::keyClick(g.InplaceEditor(), Qt::Key_Down);
        QVERIFY(!g.EditorMode());
        QCOMPARE(g.Row(), rOnCoil);
        QCOMPARE(g.Cells(1, rBarometer), QString("95.500"));
        QCOMPARE(w.setData->count(), 2);

        // Escape puts the text back and commits nothing.
        g.SetCurrentCell(1, rBarometer);
        QTest::keyClick(&g, Qt::Key_F2);
        QTest::keyClicks(g.InplaceEditor(), "7");
        QTest::keyClick(g.InplaceEditor(), Qt::Key_Escape);
        QVERIFY(!g.EditorMode());
        QCOMPARE(g.Cells(1, rBarometer), QString("95.500"));
        QCOMPARE(w.setData->count(), 2);

        // Opening and closing without typing commits nothing; committing from the program does.
        QTest::keyClick(&g, Qt::Key_Return);
        QTest::keyClick(g.InplaceEditor(), Qt::Key_Return);
        QCOMPARE(w.setData->count(), 2);
        Type("80");
        g.SetEditorMode(false);
        QCOMPARE(g.Cells(1, rBarometer), QString("80.000"));
        QCOMPARE(w.setData->count(), 3);
    }

    void editorOnlyWhereTheRowAllows() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        for (int row : {rControl, rFrozen}) {
            g.SetCurrentCell(1, row);
            QTest::keyClick(&g, Qt::Key_F2);
            QVERIFY2(!g.EditorMode(), qPrintable(QString::number(row)));
        }
        g.SetCurrentCell(0, rBarometer);
        QTest::keyClick(&g, Qt::Key_F2);
        QVERIFY(!g.EditorMode());
        QList<int> asked;
        g.OnCanEditShow = [&](int col, int row) {
            asked << col << row;
            return false;
        };
        g.SetCurrentCell(1, rModel);
        QTest::keyClick(&g, Qt::Key_F2);
        QVERIFY(!g.EditorMode());
        QVERIFY(!asked.isEmpty());
        for (int i = 0; i < asked.size(); i += 2)
            QCOMPARE((QList<int>{asked[i], asked[i + 1]}), (QList<int>{1, rModel}));
        g.OnCanEditShow = nullptr;
        g.Field(rModel)->Editable = false;
        QTest::keyClick(&g, Qt::Key_F2);
        QVERIFY(!g.EditorMode());
    }

    void spinButtons_data() {
        QTest::addColumn<QString>("start");
        QTest::addColumn<bool>("up");
        QTest::addColumn<QString>("shown");
        QTest::addColumn<int>("commits");
        QTest::newRow("up from 2.35") << "2.35" << true << "2.50" << 1;
        QTest::newRow("up from 2.5") << "2.50" << true << "3.00" << 1;
        QTest::newRow("down from 2.35") << "2.35" << false << "2.00" << 1;
        QTest::newRow("up at the high limit") << "3.00" << true << "3.00" << 0;
        QTest::newRow("down at the low limit") << "0.00" << false << "0.00" << 0;
        QTest::newRow("up clamped") << "2.90" << true << "3.00" << 1;
    }
    void spinButtons() {
        QFETCH(QString, start);
        QFETCH(bool, up);
        QFETCH(QString, shown);
        QFETCH(int, commits);
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.grid->SetCells(1, rStep, start);
        w.grid->SetCurrentCell(1, rStep);
        QToolButton* b = up ? w.grid->SpinUpButton() : w.grid->SpinDownButton();
        QVERIFY(b->isVisible());
        QTest::mouseClick(b, Qt::LeftButton);
        QCOMPARE(w.grid->Cells(1, rStep), shown);
        QCOMPARE(w.setData->count(), commits);
    }

    void pickListKeysWrapAndMouseCommits() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        g.SetCurrentCell(1, rControl);
        QCOMPARE(g.Cells(1, rControl), QString("Temperature"));
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.Cells(1, rControl), QString("Flow"));
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.Cells(1, rControl), QString("Temperature"));
        QTest::keyClick(&g, Qt::Key_Left);
        QCOMPARE(g.Cells(1, rControl), QString("Flow"));
        QCOMPARE(g.Col(), 1);  // the arrows did not move the current cell
        QTest::mouseDClick(g.viewport(), Qt::LeftButton, {}, w.CellCentre(1, rControl));
        QCOMPARE(g.Cells(1, rControl), QString("Temperature"));
        QCOMPARE(w.setData->count(), 4);

        // The pull-down button opens the list under the cell with the current item selected.
        QTest::mouseClick(g.PullDownButton(), Qt::LeftButton);
        QListWidget* list = g.PickList();
        QVERIFY(list->isVisible());
        QCOMPARE(list->parentWidget(), &w.window);
        QCOMPARE(list->currentRow(), 0);
        QCOMPARE(list->count(), 2);
        QCOMPARE(list->y(), w.CellRect(1, rControl).bottom());
        QCOMPARE(list->height(), 3 * g.DefaultRowHeight() + 2 * list->frameWidth());
        QVERIFY(list->width() >= w.CellRect(1, rControl).width() - 1);
        QVERIFY(list->hasFocus());
        // A key released in the list commits its selection; Escape closes it.
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(g.Cells(1, rControl), QString("Flow"));
        QCOMPARE(w.setData->count(), 5);
        QTest::keyPress(list, Qt::Key_Escape);
        QVERIFY(!list->isVisible());
        QTRY_VERIFY(g.hasFocus());
        // A click on an item commits it and closes the list.
        QTest::mouseClick(g.PullDownButton(), Qt::LeftButton);
        QVERIFY(list->isVisible());
        const QRect first = list->visualItemRect(list->item(0));
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, first.center());
        QCOMPARE(g.Cells(1, rControl), QString("Temperature"));
        QVERIFY(!list->isVisible());
        QCOMPARE(w.setData->count(), 6);
        // The button closes an open list; so does the mouse leaving the cell.
        QTest::mouseClick(g.PullDownButton(), Qt::LeftButton);
        QTest::mouseClick(g.PullDownButton(), Qt::LeftButton);
        QVERIFY(!list->isVisible());
        QTest::mouseClick(g.PullDownButton(), Qt::LeftButton);
        QTest::mouseMove(g.viewport(), w.CellCentre(0, rBarometer));
        QVERIFY(!list->isVisible());
        // A disabled pick list does not step.
        g.SetRowEnabled(rControl, false);
        QTest::keyClick(&g, Qt::Key_Right);
        QCOMPARE(g.Cells(1, rControl), QString("Temperature"));
    }

    void checkBoxWritesItsState() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        w.grid->SetValue(1, rFrozen, false);
        w.grid->SetCurrentCell(1, rFrozen);
        QVERIFY(!w.grid->CheckBox()->isChecked());
        QTest::mouseClick(w.grid->CheckBox(), Qt::LeftButton);
        QCOMPARE(w.grid->Cells(1, rFrozen), QString("[x]"));
        QCOMPARE(w.setData->count(), 1);
        QCOMPARE(w.setData->last(), (QList<QVariant>{1, rFrozen}));
        w.grid->SetCurrentCell(1, rModel);
        w.grid->SetCurrentCell(1, rFrozen);
        QVERIFY(w.grid->CheckBox()->isChecked());
    }

    void propertyEditorResults() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        g.SetValue(1, rBarometer, 101.325);
        int result = 1;
        QVariant seen;
        g.SetRowPropertyEditor(rBarometer, [&](QVariant& value) {
            seen = value;
            value = 95.0;
            return result;
        });
        g.SetCurrentCell(1, rBarometer);
        QTest::mouseClick(g.PropertyButton(), Qt::LeftButton);
        QCOMPARE(seen.toDouble(), 101.325);
        QCOMPARE(g.Cells(1, rBarometer), QString("95.000"));
        QCOMPARE(w.setData->count(), 1);
        for (int other : {2, 0}) {
            result = other;
            g.SetValue(1, rBarometer, 101.325);
            QTest::mouseClick(g.PropertyButton(), Qt::LeftButton);
            QCOMPARE(g.Cells(1, rBarometer), QString("101.325"));
            QCOMPARE(w.setData->count(), 1);
        }
    }

    void unitsCellOpensThePopup() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        g.SetRowUnits(rDesignDt, utTemperatureChange, 0, 1, ft_Fixed, 0, 0);
        g.SetValue(1, rDesignDt, 5.0);
        QSignalSpy after(&g, &TEntryGrid::OnAfterRightClick);
        int listed = 0;
        QTimer::singleShot(0, [&] {
            TUnitsForm* form = g.UnitsForm();
            QVERIFY(form && form->isVisible());
            listed = form->ListBox1->count();
            QTest::keyClick(form->ListBox1, Qt::Key_Down);
            QTest::keyClick(form->ListBox1, Qt::Key_Return);
        });
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.CellCentre(2, rDesignDt));
        QCOMPARE(listed, 3);
        QCOMPARE(g.Cells(2, rDesignDt), QString("°F"));
        QCOMPARE(g.Cells(1, rDesignDt), QString("9.0"));
        QCOMPARE(g.RowUnitsValue(rDesignDt), 1);
        QCOMPARE(after.count(), 1);
        QCOMPARE(after.last(), QList<QVariant>{rDesignDt});
        QCOMPARE(g.Col(), 2);
        QCOMPARE(g.Row(), rDesignDt);
        // A row without a category opens nothing; the grid still reports the press.
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.CellCentre(2, rBarometer));
        QCOMPARE(after.count(), 2);
        QCOMPARE(g.Cells(2, rBarometer), QString("kPa"));
        // A negative units column turns the presses off.
        g.SetUnitsCol(-1);
        QTest::mouseClick(g.viewport(), Qt::LeftButton, {}, w.CellCentre(2, rDesignDt));
        QCOMPARE(after.count(), 2);
    }

    void valueColumnColourAndInactiveSelection() {
        GridWindow w;
        QVERIFY(QTest::qWaitForWindowActive(&w.window));
        TEntryGrid& g = *w.grid;
        const QColor yellow(255, 255, 192);
        g.SetColorEditCol(yellow);
        g.SetCurrentCell(1, rModel);
        g.selectionModel()->select(g.currentIndex(), QItemSelectionModel::ClearAndSelect);
        auto pixel = [&] {
            QCoreApplication::processEvents();
            const QRect r = g.visualRect(g.currentIndex());
            return g.viewport()->grab(r).toImage().pixelColor(r.width() / 2, 2);
        };
        auto near = [](const QColor& a, const QColor& b) {
            return std::abs(a.red() - b.red()) < 12 && std::abs(a.green() - b.green()) < 12 &&
                   std::abs(a.blue() - b.blue()) < 12;
        };
        QVERIFY(near(pixel(), g.palette().color(QPalette::Active, QPalette::Highlight)));
        auto* outside = new QLineEdit(&w.window);
        outside->show();
        outside->setFocus();
        QTRY_VERIFY(!g.hasFocus());
        QCOMPARE(pixel(), yellow);
        // The other columns keep the grid colour; numbers are drawn with the row's format.
        QCOMPARE(g.model()->data(g.model()->index(0, 0), Qt::BackgroundRole), QVariant());
        g.SetCells(1, rBarometer, "101.3");
        QCOMPARE(g.model()->data(g.model()->index(rBarometer - 1, 1)).toString(),
                 QString("101.300"));
        g.SetCells(1, rOnCoil, "24");
        QCOMPARE(g.DisplayText(1, rOnCoil), QString("24.0"));
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
};

QTEST_MAIN(EntryGridTest)
#include "entry_grid_test.moc"
