// The coil calibrator: stepping, typing, Reset and Update of the five factors, the results they
// give, the calibration file and the key moves.
#include <QtTest>

#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QToolButton>

#include <cmath>
#include <cstring>
#include <memory>

#include "app/widgets/fmt_edit.hpp"
#include "app/widgets/spin_buttons.hpp"
#include "app/windows/calibrate_form.hpp"
#include "engine/coil_project.hpp"
#include "geometry/coil_makers.hpp"
#include "units/format.hpp"
#include "support/app_test_env.hpp"

using namespace qdx;
using namespace qdx::app;
using qdx::test::TAppTestEnv;

class CalibrateFormTest : public QObject {
    Q_OBJECT

    std::unique_ptr<TAppTestEnv> env;
    std::unique_ptr<TCoilProject> project;
    std::unique_ptr<TCalibrateForm> form;

    QString Result(int i) const { return form->ResultField(i)->text(); }

private slots:
    void init() {
        env = std::make_unique<TAppTestEnv>();
        ClearMakerCache();
        EnsureCatalogue();
        project = std::make_unique<TCoilProject>();
        project->CreateCoil(TCoilSettings{});
        form = std::make_unique<TCalibrateForm>();
        form->SetCoil(&project->Coil());
        form->show();
        QVERIFY(QTest::qWaitForWindowExposed(form.get()));
    }
    void cleanup() {
        form.reset();
        project.reset();
        env.reset();
    }

    void opensOnTheCoilsFactorsAndResults() {
        QCOMPARE(form->windowTitle(), QString("Coil Calibrator"));
        QCOMPARE(form->StatusText()->text(), QString("635 x 720  4r  12f  7c"));
        for (int i = 0; i < kCalibrationFactorCount; ++i)
            QCOMPARE(form->FactorEdit(i)->text(), QString("1.0000"));
        const TColdWaterCoil& c = project->Coil();
        QCOMPARE(Result(0), QString::fromStdString(Format("%0.3f", c.Qt)));
        QCOMPARE(Result(1), QString::fromStdString(Format("%0.3f", c.Qs)));
        QCOMPARE(Result(2), QString::fromStdString(Format("%0.4g", c.Qs / c.Qt)));
        QCOMPARE(Result(3), QString::fromStdString(Format("%0.1f", c.AirPressureDrop())));
        QCOMPARE(Result(4), QString::fromStdString(Format("%0.1f", project->Coil().FluidPressureDrop())));
        QCOMPARE(form->FactorSpin(0)->UpButton()->accessibleName(), QString("Increase Q Factor"));
    }

    void tenUpPressesMultiplyTheHeldFactor() {
        const QString before = Result(0);
        for (int k = 0; k < 10; ++k) QTest::mouseClick(form->FactorSpin(cfDuty)->UpButton(), Qt::LeftButton);
        double expected = 1;
        for (int k = 0; k < 10; ++k) expected *= 1.0001;
        QCOMPARE(form->FactorEdit(cfDuty)->text(), QString("1.0010"));
        QCOMPARE(form->Factors()[cfDuty], expected);
        QCOMPARE(project->Coil().DutyFactor, expected);
        QVERIFY(Result(0).toDouble() > before.toDouble());

        // The pressure drop factors step by a tenth of a percent.
        QTest::mouseClick(form->FactorSpin(cfAirDP)->DownButton(), Qt::LeftButton);
        QCOMPARE(form->Factors()[cfAirDP], 1 / 1.001);
        QCOMPARE(form->FactorEdit(cfAirDP)->text(), QString("0.9990"));
    }

    void resetGivesTheUncalibratedResults() {
        const QStringList plain = {Result(0), Result(1), Result(2), Result(3), Result(4)};
        QTest::mouseClick(form->FactorSpin(cfOutside)->UpButton(), Qt::LeftButton);
        form->FactorEdit(cfAirDP)->setText("1.2");
        form->FactorEdit(cfFluidDP)->setText("1.5");
        form->Action("UpdateAction")->trigger();
        QVERIFY(Result(3) != plain[3]);
        QVERIFY(Result(4) != plain[4]);
        form->Action("ResetAction")->trigger();
        for (int i = 0; i < kCalibrationFactorCount; ++i) {
            QCOMPARE(form->FactorEdit(i)->text(), QString("1.0000"));
            QCOMPARE(form->Factors()[i], 1.0);
            QCOMPARE(Result(i), plain[i]);
        }
    }

    void aTypedFactorIsTakenWhenLeftAndWrittenToTheFile() {
        TFmtEdit* q = form->FactorEdit(cfDuty);
        q->setFocus();
        q->selectAll();
        QTest::keyClicks(q, "1.05");
        QTest::keyClick(q, Qt::Key_Return);  // Enter moves on, leaving the edit
        QCOMPARE(QApplication::focusWidget(), form->FactorEdit(cfOutside));
        QCOMPARE(project->Coil().DutyFactor, 1.05);

        QFile file(QString::fromStdString(CalibrationFilePath()));
        QVERIFY(file.open(QIODevice::ReadOnly));
        const QByteArray bytes = file.readAll();
        QCOMPARE(bytes.size(), 40);
        double first;
        std::memcpy(&first, bytes.constData(), 8);  // this machine is little-endian too
        QCOMPARE(first, 1.05);
        QVERIFY(!(file.permissions() & (QFileDevice::WriteOwner | QFileDevice::WriteGroup |
                                        QFileDevice::WriteOther)));

        // Up goes back, Down forward.
        QTest::keyClick(form->FactorEdit(cfOutside), Qt::Key_Up);
        QCOMPARE(QApplication::focusWidget(), q);
        QTest::keyClick(q, Qt::Key_Down);
        QCOMPARE(QApplication::focusWidget(), form->FactorEdit(cfOutside));

        // Update writes again over the read-only file.
        form->FactorEdit(cfInside)->setText("0.9");
        form->Action("UpdateAction")->trigger();
        QCOMPARE(project->Coil().hiFactor, 0.9);
        QFile again(QString::fromStdString(CalibrationFilePath()));
        QVERIFY(again.open(QIODevice::ReadOnly));
        const QByteArray after = again.readAll();
        double third;
        std::memcpy(&third, after.constData() + 16, 8);
        QCOMPARE(third, 0.9);
    }

    void acceptTakesATypedValueAndCancelKeepsTheLastApplied() {
        form->FactorEdit(cfDuty)->setText("1.02");
        form->Action("AcceptAction")->trigger();
        QCOMPARE(form->result(), int(QDialog::Accepted));
        QCOMPARE(project->Coil().DutyFactor, 1.02);

        form->show();
        QCOMPARE(form->FactorEdit(cfDuty)->text(), QString("1.0200"));
        QTest::mouseClick(form->FactorSpin(cfDuty)->UpButton(), Qt::LeftButton);
        form->Action("CancelAction")->trigger();
        QCOMPARE(form->result(), int(QDialog::Rejected));
        QCOMPARE(project->Coil().DutyFactor, 1.02 * 1.0001);
    }

    void noDutyShowsARatioOfZero() {
        project->LiquidState().SetMassFlow(0);  // flow control: no liquid, no duty
        form->Recalculate();
        QCOMPARE(Result(0), QString("0.000"));
        QCOMPARE(Result(2), QString("0"));
    }

    void fluidControlsFollowTheCaller() {
        form->SetFluidControlsEnabled(false);
        QVERIFY(!form->FactorEdit(cfFluidDP)->isEnabled());
        QVERIFY(!form->FactorSpin(cfFluidDP)->isEnabled());
        QVERIFY(!form->ResultField(cfFluidDP)->isEnabled());
        form->SetFluidControlsEnabled(true);
        QVERIFY(form->FactorEdit(cfFluidDP)->isEnabled());
    }
};

QTEST_MAIN(CalibrateFormTest)
#include "calibrate_form_test.moc"
