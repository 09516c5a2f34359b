// The design tools as the main coil window opens them: the calibrator from "Calibrate Coil
// Performance" and the fin and tube editor from the Coil Model row's button, with what their
// Accept and Cancel leave in the project, the grid and the settings of the next start.
#include <QCheckBox>
#include <QLabel>
#include <QComboBox>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include <functional>

#include "app/desktop_program.hpp"
#include "app/widgets/entry_grid.hpp"
#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/spin_buttons.hpp"
#include "app/windows/calibrate_form.hpp"
#include "app/windows/coil_maker_form.hpp"
#include "app/windows/fat_form.hpp"
#include "app/windows/qdx_form.hpp"
#include "engine/calibration.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "units/unit_prefs.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

const QString kCalibrated = QString("Design Duty \u00A4");
const QString kUncalibratedCaption = QString("Design Duty  ");

struct TFirstRun : test::TAppTestEnv {
    TFirstRun() {
        UnitPrefs().Reset();
        ClearMakerCache();
        EnsureCatalogue();
    }
};

void Start(TQDXForm& f) {
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QTRY_VERIFY(!f.FirstActivationPending());
}

// Runs what the user does in a modal tool window once it shows.
void WhenShown(QWidget* window, std::function<void()> act) {
    QTimer::singleShot(0, window, [window, act = std::move(act)] {
        QVERIFY(window->isVisible());
        act();
    });
}

// Types a factor into the calibrator.
void TypeFactor(TCalibrateForm& c, int factor, const QString& text) {
    TFmtEdit* e = c.FactorEdit(factor);
    e->selectAll();
    QTest::keyClicks(e, text);
}

}  // namespace

class QdxFormDesignToolsTest : public QObject {
    Q_OBJECT

private slots:
    void acceptedCalibrationIsTheNextStartsAndCancelledIsNot() {
        TFirstRun env;
        {
            TDesktopProgram program({});
            TQDXForm& f = program.MainForm();
            Start(f);
            TCalibrateForm& c = *f.Tools().Calibrate;
            QCOMPARE(f.Grid().Cells(0, TQDXForm::rDesignDuty), kUncalibratedCaption);

            // Cancel after a trial: the coil keeps it, the program's factors stay.
            WhenShown(&c, [&c] {
                TypeFactor(c, cfDuty, "1.2");
                c.Action("UpdateAction")->trigger();
                c.Action("CancelAction")->trigger();
            });
            f.CalibrateCoil();
            QCOMPARE(f.Project().Coil().DutyFactor, 1.2);
            QCOMPARE(f.Settings().DutyFactor, 1.0);
            QVERIFY(!f.Project().Modified);

            WhenShown(&c, [&c] {
                QVERIFY(c.FactorEdit(cfFluidDP)->isEnabled());
                QCOMPARE(c.FactorEdit(cfDuty)->text(), QString("1.2000"));
                TypeFactor(c, cfDuty, "1.05");
                c.Action("AcceptAction")->trigger();
            });
            f.CalibrateCoil();
            QCOMPARE(f.Settings().DutyFactor, 1.05);
            QCOMPARE(f.Project().Coil().DutyFactor, 1.05);
            QVERIFY(f.Project().Modified);
            QCOMPARE(f.Panel(0).text(), QString("Modified"));
            QCOMPARE(f.Grid().Cells(0, TQDXForm::rDesignDuty), kCalibrated);
            QVERIFY(f.close());
        }
        UnitPrefs().Reset();
        {
            TDesktopProgram program({});
            TQDXForm& f = program.MainForm();
            QCOMPARE(f.Project().Coil().DutyFactor, 1.05);
            QCOMPARE(CoilFactors(f.Project().Coil()), (TCalibrationFactors{1.05, 1, 1, 1, 1}));
            QCOMPARE(f.Grid().Cells(0, TQDXForm::rDesignDuty), kCalibrated);
        }
    }

    void coilModelButtonRunsTheFinAndTubeEditor() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        Start(f);
        TFatForm& fat = *f.Tools().FatEditor;
        TEntryGrid& g = f.Grid();
        const std::string before = f.Project().Coil().GetDesignation();
        const double velocity = g.GetValue(1, TQDXForm::rAirVelocity).toDouble();

        // Every change shows in the Coil Model row at once, solved; Cancel puts it back.
        WhenShown(&fat, [&] {
            QCOMPARE(fat.Coil(), &f.Project().Coil());
            QCOMPARE(fat.DesignDutyEd()->Value().toDouble(), f.Project().DesignDuty);
            QVERIFY(!fat.KeepAirFlowBox()->isChecked());
            QTest::mouseClick(fat.Spin("Rows Deep")->UpButton(), Qt::LeftButton);
            QCOMPARE(f.Project().Coil().Rows(), 5.0);
            QCOMPARE(g.GetValue(1, TQDXForm::rCoilModel).toString(),
                     QString::fromStdString(f.Project().Coil().GetDesignation()));
            QVERIFY(f.Project().Solved);
            QCOMPARE(f.Project().Coil().FaceVelocity, velocity);
            fat.reject();
        });
        g.PropertyEdit(TQDXForm::rCoilModel);
        QCOMPARE(f.Project().Coil().GetDesignation(), before);
        QCOMPARE(g.GetValue(1, TQDXForm::rCoilModel).toString(), QString::fromStdString(before));

        // Accept keeps the edited geometry as the project's model, with its maker.
        WhenShown(&fat, [&] {
            QTest::mouseClick(fat.Spin("Rows Deep")->UpButton(), Qt::LeftButton);
            QTest::mouseClick(fat.Spin("Fin Density")->UpButton(), Qt::LeftButton);
            QTest::mouseClick(fat.findChild<QPushButton*>("AcceptButton"), Qt::LeftButton);
        });
        g.PropertyEdit(TQDXForm::rCoilModel);
        const std::string edited = f.Project().Coil().GetDesignation();
        QCOMPARE(edited, std::string("635 x 720  5r  14f  7c"));
        QCOMPARE(f.Project().CoilModel, edited);
        QVERIFY(f.Project().Modified);
        QCOMPARE(g.GetValue(1, TQDXForm::rCoilModel).toString(), QString::fromStdString(edited));
        QCOMPARE(g.Cells(2, TQDXForm::rCoilModel), QString("Typical"));
    }

    void theEditorsMakerButtonAndUnitsFollowTheProgram() {
        TFirstRun env;
        TDesktopProgram program({});
        TQDXForm& f = program.MainForm();
        Start(f);
        TFatForm& fat = *f.Tools().FatEditor;
        TCoilMakerForm& maker = *f.Tools().CoilMaker;
        bool makerShown = false;
        WhenShown(&fat, [&] {
            WhenShown(&maker, [&] {
                makerShown = true;
                // The main window's editor shows the maker list but not the catalogue edit.
                QVERIFY(maker.MakerList()->isEnabled());
                QVERIFY(!maker.EditDatabaseButton()->isVisible());
                maker.reject();
            });
            QTest::mouseClick(fat.findChild<QPushButton*>("MakerButton"), Qt::LeftButton);
            fat.reject();
        });
        f.Grid().PropertyEdit(TQDXForm::rCoilModel);
        QVERIFY(makerShown);

        f.SetImperial();
        QCOMPARE(fat.DesignDutyEd()->UnitsValue(), UnitPrefs()[urHexDuty].UnitsValue);
        QCOMPARE(fat.FinnedLengthEd()->UnitsValue(), UnitPrefs()[urFatLength].UnitsValue);
        QVERIFY(fat.DesignDutyEd()->UnitsValue() != 0);
    }
};

QTEST_MAIN(QdxFormDesignToolsTest)
#include "qdx_form_design_tools_test.moc"
