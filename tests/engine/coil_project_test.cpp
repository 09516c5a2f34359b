// The operations of the coil project never let a fault escape: a value the model cannot take
// leaves the whole project as it was, its message goes through the message callback and the
// operation reports false.

#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

#include "engine_fixture.hpp"
#include "reports/report_document.hpp"
#include "units/format.hpp"

namespace qdx::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
constexpr double kInf = std::numeric_limits<double>::infinity();

class CoilProjectFaults : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        project.OnMessage = [this](const std::string& m) { messages.push_back(m); };
    }
    std::vector<std::string> messages;
};

TEST_F(CoilProjectFaults, RowValuesTheModelCannotTakeChangeNothing) {
    ASSERT_TRUE(project.SolveCoil());
    const double defaultQt = coil().Qt;
    const double defaultQs = coil().Qs;
    project.SetSaved(true);  // so that a wrongly marked edit shows in the flags
    // What a window holds on to stays valid.
    const TColdWaterCoil* coilAddress = &coil();
    const TFinAndTube* geometryAddress = coil().FinAndTube.get();
    const TLiquidState* liquidStateAddress = coil().LiquidState.get();
    const TLiquid* coolantAddress = &project.Coolant();

    struct Case {
        const char* what;
        std::function<bool(TCoilProject&)> row;
    };
    const Case cases[] = {
        {"barometer 0", [](TCoilProject& p) { return p.SetBarometer(0); }},
        {"barometer -101", [](TCoilProject& p) { return p.SetBarometer(-101); }},
        {"barometer 1e-300", [](TCoilProject& p) { return p.SetBarometer(1e-300); }},
        {"barometer NaN", [](TCoilProject& p) { return p.SetBarometer(kNaN); }},
        {"barometer inf", [](TCoilProject& p) { return p.SetBarometer(kInf); }},
        {"on coil not a state", [](TCoilProject& p) { return p.SetOnCoil("20/abc"); }},
        {"air volume 1e308", [](TCoilProject& p) { return p.SetAirVolume(1e308); }},
        {"air volume NaN", [](TCoilProject& p) { return p.SetAirVolume(kNaN); }},
        {"air velocity NaN", [](TCoilProject& p) { return p.SetAirVelocity(kNaN); }},
        {"air velocity inf", [](TCoilProject& p) { return p.SetAirVelocity(kInf); }},
        {"fluid inlet 1e308", [](TCoilProject& p) { return p.SetFluidInlet(1e308); }},
        {"fluid inlet -1e308", [](TCoilProject& p) { return p.SetFluidInlet(-1e308); }},
        {"fluid inlet NaN", [](TCoilProject& p) { return p.SetFluidInlet(kNaN); }},
        {"design dT -1e308", [](TCoilProject& p) { return p.SetDesignDT(-1e308); }},
        {"design dT 1e308", [](TCoilProject& p) { return p.SetDesignDT(1e308); }},
        {"fluid flow 1e308", [](TCoilProject& p) { return p.SetFluidFlow(1e308); }},
        {"fluid flow -1e308", [](TCoilProject& p) { return p.SetFluidFlow(-1e308); }},
        {"fluid flow NaN", [](TCoilProject& p) { return p.SetFluidFlow(kNaN); }},
        {"tube velocity 1e308", [](TCoilProject& p) { return p.SetTubeVelocity(1e308); }},
        {"tube velocity NaN", [](TCoilProject& p) { return p.SetTubeVelocity(kNaN); }},
        {"design duty NaN", [](TCoilProject& p) { return p.SetDesignDuty(kNaN); }},
        {"design duty -inf", [](TCoilProject& p) { return p.SetDesignDuty(-kInf); }},
        {"additive 1e308", [](TCoilProject& p) { return p.SetCoolant(0, 1, 1e308); }},
        {"additive NaN", [](TCoilProject& p) { return p.SetCoolant(0, 2, kNaN); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        messages.clear();
        const std::string before = ProjectState(project);
        bool ok = true;
        ASSERT_NO_THROW(ok = k.row(project));
        EXPECT_FALSE(ok);
        EXPECT_EQ(ProjectState(project), before);
        ASSERT_EQ(messages.size(), 1u);
        EXPECT_FALSE(messages[0].empty());
        EXPECT_EQ(project.LastError, messages[0]);
    }

    EXPECT_EQ(&coil(), coilAddress);
    EXPECT_EQ(coil().FinAndTube.get(), geometryAddress);
    EXPECT_EQ(coil().LiquidState.get(), liquidStateAddress);
    EXPECT_EQ(&project.Coolant(), coolantAddress);
    EXPECT_EQ(coil().AirIn, &project.OnCoilAir);
    EXPECT_EQ(coil().LiquidState->liquid, coolantAddress);

    // The next ordinary rating gives the default results.
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_DOUBLE_EQ(coil().Qt, defaultQt);
    EXPECT_DOUBLE_EQ(coil().Qs, defaultQs);
    EXPECT_TRUE(project.LastError.empty());
}

TEST_F(CoilProjectFaults, AcceptedRowsStillMarkTheDocument) {
    project.SetSaved(true);
    EXPECT_TRUE(project.SetFluidInlet(7));
    EXPECT_TRUE(project.Modified);
    EXPECT_FALSE(project.Saved);
    EXPECT_EQ(project.EditStatus, "Modified");
    // A designation that does not parse is no fault: nothing is shown.
    EXPECT_FALSE(project.SetCoilModel("abc"));
    EXPECT_TRUE(messages.empty());
    EXPECT_TRUE(project.LastError.empty());
}

TEST_F(CoilProjectFaults, FailedCalculationPutsTheInputsBack) {
    // Accepted as inputs, but not an air state the coil can be rated for: the solve faults
    // part way, after the liquid side has taken some duty.
    ASSERT_TRUE(project.SetOnCoil("95/90"));
    const std::string before = ProjectState(project);
    const TLiquid& l = project.Coolant();
    const double tfo = l.tfo;
    bool ok = true;
    ASSERT_NO_THROW(ok = project.SolveCoil());
    EXPECT_FALSE(ok);
    EXPECT_FALSE(project.LastError.empty());
    EXPECT_EQ(project.SolveStatusText, "Data Error...");
    EXPECT_FALSE(project.Solved);
    EXPECT_EQ(coil().SolveStatus, ssFailed);
    EXPECT_DOUBLE_EQ(l.tfo, tfo);
    // Everything but the status is as it was; the status says the calculation failed.
    coil().SolveStatus = ssSolved;
    project.SolveStatusText = "Not Solved";
    EXPECT_EQ(ProjectState(project), before);
    // A calculation fault is shown in the status, not as a message.
    EXPECT_TRUE(messages.empty());

    // A sizing that faults is undone as a whole, geometry included.
    ASSERT_TRUE(project.SetCalcMode(cmCoilSize));
    ASSERT_TRUE(project.SetDesignDuty(40));
    const double height = coil().FinHeight();
    EXPECT_FALSE(project.SolveCoil());
    EXPECT_DOUBLE_EQ(coil().FinHeight(), height);

    ASSERT_TRUE(project.SetOnCoil("25/17"));
    ASSERT_TRUE(project.SetCalcMode(cmCoolingDuty));
    EXPECT_TRUE(project.SolveCoil());
    EXPECT_TRUE(project.LastError.empty());
}

TEST_F(CoilProjectFaults, TypicalConditionsAndTheStepSimulation) {
    ASSERT_TRUE(project.SetBarometer(90));
    EXPECT_TRUE(project.TypicalConditions());
    EXPECT_DOUBLE_EQ(project.Barometer, 101.325);
    EXPECT_TRUE(project.Solved);

    double duty = 0;
    EXPECT_TRUE(project.StepSimulation(duty));
    EXPECT_NEAR(duty, coil().Qt, 0.05 * coil().Qt);
    EXPECT_EQ(coil().StepResults.Rows(), 100);

    // Not solved and not solvable: nothing marched, nothing escapes.
    ASSERT_TRUE(project.SetBarometer(1e308));
    duty = 1;
    bool ok = true;
    ASSERT_NO_THROW(ok = project.StepSimulation(duty));
    EXPECT_FALSE(ok);
    EXPECT_EQ(duty, 0);
    EXPECT_EQ(project.SolveStatusText, "Data Error...");
}

TEST_F(CoilProjectFaults, SettingsTheModelCannotTakeBuildTheFirstRunCoil) {
    settings.WaterIn = 1e308;
    settings.WaterTemp = 1e308;
    bool ok = true;
    ASSERT_NO_THROW(ok = project.CreateCoil(settings));
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_DOUBLE_EQ(project.Coolant().tfi, TCoilSettings().WaterIn);
    EXPECT_TRUE(project.SolveCoil());
}

TEST_F(CoilProjectFaults, ManufacturingSheetOfAGeometryWithoutAWeight) {
    TTextReport sheet;
    ASSERT_TRUE(project.WriteManufacturingReport(sheet));
    EXPECT_NE(sheet.Text().find("Weight"), std::string::npos);
    EXPECT_TRUE(messages.empty());

    // A casing thickness a damaged file may hold: every length finite, the weight not.
    TModelRec record = coil().FinAndTube->Record();
    record.tc = 1e306;
    coil().FinAndTube->SetRecord(record);
    project.SetSaved(true);
    TTextReport refused;
    bool ok = true;
    ASSERT_NO_THROW(ok = project.WriteManufacturingReport(refused));
    EXPECT_FALSE(ok);
    ASSERT_EQ(messages.size(), 1u);
    EXPECT_EQ(project.LastError, messages[0]);
    EXPECT_TRUE(project.Saved);
    EXPECT_EQ(coil().FinAndTube->Record().tc, 1e306);
}

}  // namespace
}  // namespace qdx::test
