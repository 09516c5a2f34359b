// "Customise Units": its rows, the status line, Metric and Imperial, Accept and Cancel, and the
// section it keeps in the common settings.
#include <QLabel>
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "app/windows/set_units_form.hpp"
#include "documents/settings_stores.hpp"
#include "support/app_test_env.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;

class SetUnitsFormTest : public QObject {
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

    void oneRowPerCategoryWithItsUnits() {
        TSetUnitsForm form;
        QCOMPARE(form.windowTitle(), QString("Customise Units"));
        TEntryGrid* grid = form.Grid();
        QCOMPARE(grid->ColCount(), 2);
        QCOMPARE(grid->RowCount(), 56);  // the header and 55 categories
        QCOMPARE(grid->Cells(0, 0), QString("Property"));
        QCOMPARE(grid->Cells(1, 0), QString("Units"));
        QCOMPARE(grid->Cells(0, 1), QString("Air Flow - Primary"));
        QCOMPARE(grid->Cells(0, 55), QString("Water Pressure Drop"));
        QCOMPARE(form.CategoryRow(utEnergyPerVol), 0);
        QCOMPARE(form.CategoryRow(utNone), 0);
        const int row = form.CategoryRow(utTemperature);
        QCOMPARE(form.RowCategory(row), utTemperature);
        QCOMPARE(grid->Cells(0, row), QString("Temperature"));
        QCOMPARE(grid->RowEnumItems(row), QStringList({"°C", "°F", "K"}));
        QCOMPARE(grid->RowEnumItems(form.CategoryRow(utAirPressDrop)).size(), 8);
        // Every caption fits its column.
        for (int r = 1; r < grid->RowCount(); ++r)
            QVERIFY(grid->fontMetrics().horizontalAdvance(grid->Cells(0, r)) < grid->ColWidths(0));
        QVERIFY(env_->Dialogs().messages.isEmpty());
    }

    void sectionWithoutKeysLeavesTheSIDefaults() {
        TSetUnitsForm form;
        QCOMPARE(form.Table().Units, TUnitChoiceTable{}.Units);
        QCOMPARE(form.Grid()->Cells(1, form.CategoryRow(utTemperature)), QString("°C"));
        QCOMPARE(form.Grid()->Cells(1, form.CategoryRow(utAirFlowSec)), QString("l/s"));
        QCOMPARE(UnitChoice(utAirPressDrop), 1);  // Pa
    }

    void statusLineShowsTheConversion_data() {
        QTest::addColumn<int>("category");
        QTest::addColumn<int>("steps");  // Right arrows on the row's pick list
        QTest::addColumn<QString>("status");
        QTest::newRow("°F") << int(utTemperature) << 1 << "From °C to °F  X 1.8 + 32";
        QTest::newRow("kPa") << int(utAirPressDrop) << 7 << "From kPa to kPa  X 1.000";
        QTest::newRow("usgpm") << int(utWaterFlow) << 5 << "From l/s to usgpm  X 15.9";
        QTest::newRow("temperature change") << int(utTemperatureChange) << 1
                                            << "From °C to °F  X 1.8";
    }
    void statusLineShowsTheConversion() {
        QFETCH(int, category);
        QFETCH(int, steps);
        QFETCH(QString, status);
        TSetUnitsForm form;
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TEntryGrid* grid = form.Grid();
        const int row = form.CategoryRow(static_cast<TUnitsType>(category));
        grid->setFocus();
        grid->SetCurrentCell(1, row);
        QCOMPARE(form.StatusPanel()->text(),
                 TSetUnitsForm::ConversionText(static_cast<TUnitsType>(category),
                                               form.Table().Get(static_cast<TUnitsType>(category))));
        for (int i = 0; i < steps; ++i) QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(form.StatusPanel()->text(), status);
    }

    void imperialAcceptWritesTheSection() {
        OpenCommonSettings()->WriteInteger("SetUnitsForm", "Proportion", 1);
        {
            TSetUnitsForm form;
            QCOMPARE(form.Table().Get(utProportion), 1);
            form.show();
            form.ImperialAction()->trigger();
            QCOMPARE(form.Grid()->Cells(1, form.CategoryRow(utTemperature)), QString("°F"));
            form.AcceptAction()->trigger();
            QCOMPARE(form.result(), int(QDialog::Accepted));
            QVERIFY(!form.isVisible());
            QCOMPARE(UnitChoice(utWaterFlow), 5);
        }
        const auto store = OpenCommonSettings();
        QCOMPARE(store->ReadInteger("SetUnitsForm", "Temperature", -1), 1);
        QCOMPARE(store->ReadInteger("SetUnitsForm", "Water Flow", -1), 5);
        QCOMPARE(store->ReadInteger("SetUnitsForm", "Proportion", -1), 1);
        QCOMPARE(store->ReadInteger("SetUnitsForm", "None", -1), 0);
        QVERIFY(store->ReadInteger("SetUnitsForm", "ColWidth 0", -1) > 0);
        QVERIFY(store->ReadInteger("SetUnitsForm", "ColWidth 1", -1) > 0);
    }

    void acceptTakesTheRowsCancelPutsTheSnapshotBack() {
        OpenCommonSettings()->WriteInteger("SetUnitsForm", "Temperature", 2);
        TSetUnitsForm form;
        const auto atShow = form.Table().Units;
        QCOMPARE(atShow[utTemperature], 2);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        TEntryGrid* grid = form.Grid();
        grid->setFocus();
        grid->SetCurrentCell(1, form.CategoryRow(utTemperature));
        QTest::keyClick(grid, Qt::Key_Right);  // K -> °C
        form.MetricAction()->trigger();
        QCOMPARE(form.Table().Get(utWaterFlow), 0);
        form.ImperialAction()->trigger();
        QVERIFY(form.Table().Units != atShow);
        form.CancelAction()->trigger();
        QCOMPARE(form.result(), int(QDialog::Rejected));
        QCOMPARE(form.Table().Units, atShow);

        // Shown again: a row changed by hand reaches the table only through Accept.
        form.show();
        grid->setFocus();
        grid->SetCurrentCell(1, form.CategoryRow(utVelocity));
        QTest::keyClick(grid, Qt::Key_Right);
        QCOMPARE(form.Table().Get(utVelocity), 0);
        form.AcceptAction()->trigger();
        QCOMPARE(form.Table().Get(utVelocity), 1);
        QCOMPARE(form.Table().Get(utTemperature), 2);
    }

    void storedChoicesAndColumnWidthsAreRead() {
        {
            const auto store = OpenCommonSettings();
            store->WriteInteger("SetUnitsForm", "Velocity", 1);
            store->WriteInteger("SetUnitsForm", "Pressure - Barometric", 9);  // clamped to 5
            store->WriteInteger("SetUnitsForm", "ColWidth 0", 150);
            store->WriteInteger("SetUnitsForm", "ColWidth 1", 70);
        }
        TSetUnitsForm form;
        QCOMPARE(form.Grid()->Cells(1, form.CategoryRow(utVelocity)), QString("fpm"));
        QCOMPARE(form.Grid()->Cells(1, form.CategoryRow(utPressureBar)), QString("mHead"));
        QCOMPARE(form.Grid()->ColWidths(0), 150);
        QCOMPARE(form.Grid()->ColWidths(1), 70);
    }

    void placementAndColumnWidthsComeBack() {
        {
            TSetUnitsForm form;
            form.show();
            QVERIFY(QTest::qWaitForWindowExposed(&form));
            form.move(140, 90);
            form.resize(380, 420);
            form.Grid()->SetColWidths(0, 170);
        }
        QVERIFY(OpenCommonSettings()->SectionExists("SetUnitsForm"));
        TSetUnitsForm form;
        QCOMPARE(form.pos(), QPoint(140, 90));
        QCOMPARE(form.size(), QSize(380, 420));
        QCOMPARE(form.Grid()->ColWidths(0), 170);
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
};

QTEST_MAIN(SetUnitsFormTest)
#include "set_units_form_test.moc"
