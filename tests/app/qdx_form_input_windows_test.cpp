// The buttons of the main window's barometer, entering-air and coolant rows: each opens its tool
// window on the row's value, and what the window accepts reaches the project through the row;
// what it cancels leaves the project as it was.
#include <QAction>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QTimer>
#include <QToolButton>
#include <QtTest>

#include "app/desktop_program.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/windows/air_state_box.hpp"
#include "app/windows/air_state_dlg.hpp"
#include "app/windows/alt_barom_form.hpp"
#include "app/windows/fluid_spec_form.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/select_location_form.hpp"
#include "engine/coil_project.hpp"
#include "fluids/air_state_text.hpp"
#include "fluids/liquid_correlations.hpp"
#include "fluids/psychrometrics.hpp"
#include "geometry/coil_makers.hpp"
#include "support/app_test_env.hpp"
#include "support/grid_input.hpp"
#include "support/location_fixture.hpp"
#include "units/format.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

// Rows of the air state window and of the fluid specification window.
enum { rsRelHumidity = 7 };
enum { rfFluid = 3, rfAdditive, rfVolume };

// The row's button, as the user presses it: the row made current, then its button clicked.
void PressRowButton(TQDXForm& f, int row) {
    TEntryGrid& g = f.Grid();
    g.SetCurrentCell(1, row);
    QToolButton* button = g.PropertyButton();
    QVERIFY(button && button->isVisible());
    button->click();
}

void TypeInto(TFmtEdit* edit, const QString& text) {
    edit->setFocus();
    edit->selectAll();
    QTest::keyClicks(edit, text);
}

struct TProgramEnv : test::TAppTestEnv {
    TProgramEnv() {
        EnsureCatalogue();
        test::WriteTestLocations(CommonDir());
    }
};

}  // namespace

class QDXFormInputWindowsTest : public QObject {
    Q_OBJECT
private slots:
    void onCoilButtonEditsTheEnteringAir() {
        TProgramEnv env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        program.Show();
        TCoilProject& p = f.Project();
        QVERIFY(f.Tools().OnCoil);

        QString caption, itemName, dryBulb;
        bool pressureEditable = true;
        QTimer::singleShot(0, [&] {
            TAirStateBox* box = f.Tools().OnCoil->Box();
            QVERIFY(box && box->isModal());
            caption = box->windowTitle();
            itemName = box->Grid()->DisplayText(1, 1);
            dryBulb = box->Grid()->DisplayText(1, 3);
            pressureEditable = box->Grid()->Field(2)->Editable;
            test::EnterCell(*box->Grid(), rsRelHumidity, "60");
            box->Action("AcceptAction")->trigger();
        });
        PressRowButton(f, TQDXForm::rOnCoil);
        QCOMPARE(caption, QString("On Coil Air"));
        QCOMPARE(itemName, QString("On Coil"));
        QCOMPARE(dryBulb, QString("25.0"));
        QVERIFY(!pressureEditable);

        // The accepted state comes back as the row's text and the project's entering air.
        const double wb = WetBulb(p.Barometer, 25, 0.6, 3);
        const QString text = QString::fromStdString(Format("%0.1f/%0.1f", 25.0, wb));
        QCOMPARE(f.Grid().DisplayText(1, TQDXForm::rOnCoil), text);
        QCOMPARE(p.OnCoilAir.db, 25.0);
        QCOMPARE(p.OnCoilAir.wb, AirStateFromText(text.toStdString(), p.Barometer, 0.5).wb);
        QCOMPARE(QString::fromStdString(p.EditStatus), QString("Modified"));

        // Cancelled, the row and the project stay as they were.
        const TAirState before = p.OnCoilAir;
        QTimer::singleShot(0, [&] {
            TAirStateBox* box = f.Tools().OnCoil->Box();
            test::EnterCell(*box->Grid(), rsRelHumidity, "20");
            box->Action("CancelAction")->trigger();
        });
        PressRowButton(f, TQDXForm::rOnCoil);
        QCOMPARE(f.Grid().DisplayText(1, TQDXForm::rOnCoil), text);
        QCOMPARE(p.OnCoilAir.wb, before.wb);
    }

    void barometerButtonGivesAPressureFromAnAltitudeOrAPlace() {
        TProgramEnv env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        program.Show();
        TCoilProject& p = f.Project();
        TAltBaromForm* calculator = f.Tools().Barometer;
        QVERIFY(calculator);

        QString shown;
        QTimer::singleShot(0, [&] {
            QVERIFY(calculator->isModal() && calculator->isVisible());
            shown = calculator->PressureEdit()->text();
            TypeInto(calculator->AltitudeEdit(), "1000");
            calculator->findChild<QAction*>("AcceptAction")->trigger();
        });
        PressRowButton(f, TQDXForm::rBarometer);
        QCOMPARE(shown, QString("101.325"));
        QCOMPARE(p.Barometer, 89.875);  // AtmPressure(1000) as the edit shows it
        QVERIFY(qAbs(p.Barometer - AtmPressure(1000)) < 0.0005);
        QCOMPARE(p.OnCoilAir.pa, p.Barometer);
        QCOMPARE(f.Grid().DisplayText(1, TQDXForm::rBarometer), QString("89.875"));

        // A place of the location database: its altitude gives the pressure.
        QTimer::singleShot(0, [&] {
            QTimer::singleShot(0, [&] {
                TSelectLocationForm* where = f.Tools().Locations;
                QVERIFY(where->isVisible());
                const QList<QListWidgetItem*> hits = where->PlaceList()->findItems("York", Qt::MatchExactly);
                QCOMPARE(hits.size(), 1);
                where->PlaceList()->setCurrentItem(hits.front());
                where->findChild<QAction*>("AcceptAction")->trigger();
            });
            calculator->SearchButton()->click();
            QCOMPARE(calculator->StatusPanel()->text(), QString("York: 26.0/18.0 °C"));
            calculator->findChild<QAction*>("AcceptAction")->trigger();
        });
        PressRowButton(f, TQDXForm::rBarometer);
        QCOMPARE(calculator->CalcAltitude(), 17.0);
        QCOMPARE(p.Barometer, std::round(AtmPressure(17) * 1000) / 1000);
        QCOMPARE(p.OnCoilAir.pa, p.Barometer);

        // Cancelled, the barometer stays.
        const double kept = p.Barometer;
        QTimer::singleShot(0, [&] {
            TypeInto(calculator->AltitudeEdit(), "2500");
            calculator->findChild<QAction*>("CancelAction")->trigger();
        });
        PressRowButton(f, TQDXForm::rBarometer);
        QCOMPARE(p.Barometer, kept);
    }

    void coolantButtonChangesTheCoolantThatSolveRatesWith() {
        TProgramEnv env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        program.Show();
        TCoilProject& p = f.Project();
        TFluidSpecForm* form = f.Tools().FluidSpec;
        QVERIFY(form);
        p.SolveCoil();
        const double waterDuty = p.Coil().Qt;

        QTimer::singleShot(0, [&] {
            QVERIFY(form->isModal() && form->isVisible());
            QCOMPARE(form->Liquid(), &p.Coolant());
            form->Grid()->SetCurrentCell(1, rfAdditive);
            form->Grid()->StepPickList(rfAdditive, true);  // Ethylene Glycol
            test::EnterCell(*form->Grid(), rfVolume, "30");
            form->AcceptButton()->click();
        });
        PressRowButton(f, TQDXForm::rCoolant);
        TLiquid& coolant = p.Coolant();
        QCOMPARE(int(coolant.WaterAdditive), 1);
        QVERIFY(qAbs(coolant.AdditiveVolume - 0.3) < 1e-12);
        QCOMPARE(f.Grid().DisplayText(1, TQDXForm::rCoolant), QString::fromStdString(coolant.GetCaption()));
        QCOMPARE(QString::fromStdString(coolant.GetCaption()), QString("Water (30% Ethylene Glycol)"));
        QVERIFY(!p.Solved);

        // Solve rates the coil with the glycol mixture: as a project given the same coolant.
        f.SolveCoil();
        QVERIFY(p.Solved);
        TCoilProject reference;
        reference.CreateCoil(f.Settings());
        reference.SetCoolant(liWater, 1, coolant.AdditiveVolume);
        reference.SolveCoil();
        QCOMPARE(p.Coil().Qt, reference.Coil().Qt);
        QCOMPARE(p.LiquidState().GetLeavingTemp(), reference.LiquidState().GetLeavingTemp());
        QVERIFY(p.Coil().Qt != waterDuty);

        // Cancelled, the coolant is as it was and the document not touched.
        p.SolveCoil();
        QTimer::singleShot(0, [&] {
            form->Grid()->SetCurrentCell(1, rfFluid);
            form->Grid()->StepPickList(rfFluid, true);
            form->CancelButton()->click();
        });
        PressRowButton(f, TQDXForm::rCoolant);
        QCOMPARE(int(coolant.LiquidSpec), int(liWater));
        QCOMPARE(int(coolant.WaterAdditive), 1);
        QVERIFY(p.Solved);
    }
};

QTEST_MAIN(QDXFormInputWindowsTest)
#include "qdx_form_input_windows_test.moc"
