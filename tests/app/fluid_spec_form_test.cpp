// The fluid specification window over a coolant: the rules of the additive, pressure and
// user-defined rows as the user meets them in the grid, the status line and its colour in the
// unit of the temperature row, Cancel and the settings kept at close.
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QtTest>

#include "app/widgets/entry_grid.hpp"
#include "app/widgets/units_form.hpp"
#include "app/windows/fluid_spec_form.hpp"
#include "documents/settings_stores.hpp"
#include "fluids/liquid_correlations.hpp"
#include "support/app_test_env.hpp"
#include "support/grid_input.hpp"
#include "units/unit_prefs.hpp"

using namespace qdx;
using namespace qdx::app;

namespace {

enum { rTemperature = 1, rPressure, rFluid, rAdditive, rVolume, rUser, rDensity };

const QColor kTeal(0, 128, 128), kMaroon(128, 0, 0);

void Enter(TEntryGrid* grid, int row, const QString& text) { test::EnterCell(*grid, row, text); }

// The next (or previous) choice of a pick-list row, as the arrow keys give it.
void Step(TEntryGrid* grid, int row, bool forward = true) {
    grid->SetCurrentCell(1, row);
    grid->StepPickList(row, forward);
}

QColor StatusColour(const QLabel* label) { return label->palette().color(QPalette::WindowText); }

}  // namespace

class FluidSpecFormTest : public QObject {
    Q_OBJECT
private slots:
    void init() {
        env_ = std::make_unique<test::TAppTestEnv>();
        UnitPrefs().Reset();
        liquid_ = std::make_unique<TLiquid>("Coolant", 2.0, 6.0, 12.0, liWater);
        form_ = std::make_unique<TFluidSpecForm>();
        form_->SetLiquid(liquid_.get());
        form_->show();
        grid_ = form_->Grid();
    }
    void cleanup() {
        form_.reset();
        liquid_.reset();
        env_.reset();
    }

    void showsTheLiquidAndItsValidRange() {
        QCOMPARE(form_->windowTitle(), QString("Fluid Specification"));
        QCOMPARE(grid_->DisplayText(1, rTemperature), QString("9.0"));
        QCOMPARE(grid_->DisplayText(1, rFluid), QString::fromStdString(LiquidListName(0)));
        QCOMPARE(grid_->RowEnumItems(rFluid).size(), 14);
        QCOMPARE(grid_->DisplayText(1, rAdditive), QString("None"));
        QCOMPARE(grid_->DisplayText(1, rUser), QString("False"));
        QCOMPARE(grid_->Cells(2, rVolume), QString("%"));
        QVERIFY(!grid_->RowEnabled(rPressure));
        QVERIFY(!grid_->RowEnabled(rVolume));
        QVERIFY(!grid_->RowEnabled(rDensity));
        QCOMPARE(form_->StatusLabel()->text(),
                 QString("Valid range = [%1 .. %2] °C")
                     .arg(liquid_->tLower, 0, 'f', 1)
                     .arg(liquid_->tUpper, 0, 'f', 1));
        QCOMPARE(StatusColour(form_->StatusLabel()), kTeal);
    }

    void anAdditiveStartsAtOnePercentAndNoneTurnsItOff() {
        Step(grid_, rAdditive);
        QCOMPARE(grid_->DisplayText(1, rAdditive), QString("Ethylene Glycol"));
        QCOMPARE(grid_->DisplayText(1, rVolume), QString("1.0"));
        QVERIFY(grid_->RowEnabled(rVolume));
        QCOMPARE(liquid_->AdditiveVolume, 0.01);
        QCOMPARE(liquid_->Caption, std::string("Water (1% Ethylene Glycol)"));
        QCOMPARE(form_->StatusLabel()->text(), QString("Valid range = [-30.0 .. 300.0] °C"));

        Step(grid_, rAdditive, false);
        QCOMPARE(grid_->DisplayText(1, rAdditive), QString("None"));
        QCOMPARE(grid_->DisplayText(1, rVolume), QString("0.0"));
        QVERIFY(!grid_->RowEnabled(rVolume));
        QCOMPARE(liquid_->AdditiveVolume, 0.0);
    }

    void otherLiquidsHaveNoAdditiveAndOnlyCompressedAirAPressure() {
        Step(grid_, rAdditive, false);  // wraps round to Calcium Chloride
        Enter(grid_, rVolume, "20");
        QCOMPARE(liquid_->AdditiveVolume, 0.2);
        Step(grid_, rFluid);
        QVERIFY(!grid_->RowEnabled(rAdditive));
        QVERIFY(!grid_->RowEnabled(rVolume));
        QCOMPARE(grid_->DisplayText(1, rAdditive), QString("None"));
        QCOMPARE(grid_->DisplayText(1, rVolume), QString("0.0"));
        QVERIFY(!grid_->RowEnabled(rPressure));

        Step(grid_, rFluid, false);  // back to water
        Step(grid_, rFluid, false);  // wraps round to compressed air
        QCOMPARE(grid_->DisplayText(1, rFluid), QString::fromStdString(LiquidListName(liCompressedAir)));
        QVERIFY(grid_->RowEnabled(rPressure));
        Enter(grid_, rPressure, "8");
        QCOMPARE(liquid_->Caption, std::string("Compressed Air (8.0-bar)"));
        Step(grid_, rFluid);
        QVERIFY(!grid_->RowEnabled(rPressure));
    }

    void userDefinedStartsFromTheShownProperties() {
        const QString density = grid_->DisplayText(1, rDensity);
        Step(grid_, rUser);
        QCOMPARE(liquid_->GetCaption(), std::string("User Specified Fluid"));
        QVERIFY(grid_->RowEnabled(rDensity));
        QCOMPARE(grid_->DisplayText(1, rDensity), density);
        Enter(grid_, rDensity, "1050");
        QCOMPARE(liquid_->ro, 1050.0);
        QCOMPARE(liquid_->UserRo, 1050.0);
    }

    void cancelPutsTheLiquidAndItsRangeBack() {
        const double lower = liquid_->tLower, upper = liquid_->tUpper, ro = liquid_->ro;
        Step(grid_, rFluid);
        Enter(grid_, rTemperature, "340");
        QCOMPARE(StatusColour(form_->StatusLabel()), kMaroon);
        Step(grid_, rUser);
        form_->CancelButton()->click();
        QCOMPARE(form_->result(), 2);
        QCOMPARE(int(liquid_->LiquidSpec), 0);
        QCOMPARE(liquid_->t, 9.0);
        QVERIFY(!liquid_->UserProps);
        QCOMPARE(liquid_->ro, ro);
        QCOMPARE(liquid_->tLower, lower);
        QCOMPARE(liquid_->tUpper, upper);
    }

    void theStatusLineFollowsTheTemperatureUnit() {
        QTimer::singleShot(0, [&] {
            TUnitsForm* units = grid_->UnitsForm();
            QVERIFY(units && units->isVisible());
            QTest::keyClick(units->ListBox1, Qt::Key_Down);
            QTest::keyClick(units->ListBox1, Qt::Key_Return);
        });
        const QRect cell = grid_->visualRect(grid_->model()->index(rTemperature - 1, 2));
        QTest::mouseClick(grid_->viewport(), Qt::LeftButton, {}, cell.center());
        QCOMPARE(grid_->Cells(2, rTemperature), QString("°F"));
        QCOMPARE(form_->StatusLabel()->text(),
                 QString("Valid range = [%1 .. %2] °F")
                     .arg(liquid_->tLower * 1.8 + 32, 0, 'f', 1)
                     .arg(liquid_->tUpper * 1.8 + 32, 0, 'f', 1));

        form_->AcceptButton()->click();
        QCOMPARE(form_->result(), 1);
        auto settings = OpenProgramSettings();
        QCOMPARE(settings->ReadInteger("FluidSpecForm", "Units.iTemp", -1), 1);
        QCOMPARE(settings->ReadInteger("FluidSpecForm", "Units.iMu", -1), 3);
        TFluidSpecForm again;
        QCOMPARE(again.Grid()->Cells(2, rTemperature), QString("°F"));
    }

private:
    std::unique_ptr<test::TAppTestEnv> env_;
    std::unique_ptr<TLiquid> liquid_;
    std::unique_ptr<TFluidSpecForm> form_;
    TEntryGrid* grid_ = nullptr;
};

QTEST_MAIN(FluidSpecFormTest)
#include "fluid_spec_form_test.moc"
