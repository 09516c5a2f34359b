// The automation members over a first-run project: what each put changes and what it leaves,
// that no put solves or marks the document, and that a fault changes nothing.

#include <cmath>
#include <cstdint>
#include <functional>
#include <limits>
#include <string>
#include <type_traits>
#include <vector>

#include "engine/qdxoil_members.hpp"
#include "engine_fixture.hpp"
#include "fluids/psychrometrics.hpp"

namespace qdx::test {
namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class QDXoilMembersTest : public CoilProjectTest {
protected:
    void SetUp() override {
        CoilProjectTest::SetUp();
        project.OnMessage = [this](const std::string& m) { messages.push_back(m); };
    }
    // The document flags and status texts, which no member touches.
    std::string Flags() const {
        return std::to_string(project.Saved) + std::to_string(project.Solved) +
               std::to_string(project.Modified) + project.EditStatus + project.SolveStatusText;
    }

    int gridUpdates = 0;
    std::vector<std::string> messages;
    TQDXoilMembers members{project, {}, [this] { ++gridUpdates; }};
};

TEST_F(QDXoilMembersTest, EnteringDryBulbKeepsTheMoistureAndWetBulbKeepsTheHumidity) {
    const TAirState before = project.OnCoilAir;
    const double mass = members.GetAirMassFlow();
    const std::string flags = Flags();

    members.SetDBon(30);
    EXPECT_EQ(members.GetDBon(), 30);
    EXPECT_GT(members.GetWBon(), before.wb);
    EXPECT_DOUBLE_EQ(project.OnCoilAir.wa, before.wa);
    EXPECT_LT(project.OnCoilAir.rh, before.rh);
    // The flow is not re-applied: the record keeps the coil's mass flow.
    EXPECT_EQ(project.OnCoilAir.ma, mass);
    EXPECT_EQ(members.GetAirMassFlow(), mass);
    EXPECT_EQ(gridUpdates, 1);
    EXPECT_EQ(Flags(), flags);

    project.OnCoilAir = before;
    members.SetWBon(19);
    EXPECT_EQ(members.GetWBon(), 19);
    EXPECT_GT(members.GetDBon(), before.db);
    EXPECT_NEAR(project.OnCoilAir.rh, before.rh, 1e-9);
    EXPECT_GT(project.OnCoilAir.wa, before.wa);
    EXPECT_EQ(gridUpdates, 2);
    EXPECT_EQ(Flags(), flags);
}

TEST_F(QDXoilMembersTest, AirFlowPutsKeepTheThreeFlowsAndBothRecordsConsistent) {
    const double area = coil().FaceArea();
    const double density = project.OnCoilAir.ro;

    members.SetAirFaceVelocity(2.5);
    EXPECT_DOUBLE_EQ(members.GetInletAirflow(), 2.5 * area);
    EXPECT_DOUBLE_EQ(members.GetAirMassFlow(), 2.5 * area * density);

    members.SetInletAirflow(3);
    EXPECT_DOUBLE_EQ(members.GetAirMassFlow(), 3 * density);
    EXPECT_DOUBLE_EQ(members.GetAirFaceVelocity(), 3 / area);

    members.SetAirMassFlow(4);
    EXPECT_DOUBLE_EQ(members.GetInletAirflow(), 4 / density);
    EXPECT_DOUBLE_EQ(members.GetAirFaceVelocity(), 4 / density / area);
    EXPECT_EQ(project.OnCoilAir.ma, 4);
    EXPECT_EQ(project.OffCoilAir.ma, 4);
    EXPECT_DOUBLE_EQ(coil().AirCapacityRate, 4 * project.OnCoilAir.cp);
    EXPECT_EQ(gridUpdates, 3);
    EXPECT_FALSE(project.Modified);
}

TEST_F(QDXoilMembersTest, LiquidPuts) {
    TLiquidState& ls = project.LiquidState();
    const double velocity = ls.vw;
    const double capacity = ls.cw;
    const double leaving = members.GetWaterOff();

    members.SetWaterOn(8);
    EXPECT_EQ(members.GetWaterOn(), 8);
    EXPECT_EQ(project.Coolant().t, (8 + leaving) / 2);
    // No flow is re-applied: velocity and capacity rate keep their values until it is.
    EXPECT_EQ(ls.vw, velocity);
    EXPECT_EQ(ls.cw, capacity);

    members.SetWaterFlow(1.5);
    EXPECT_DOUBLE_EQ(members.GetWaterFlow(), 1.5);
    EXPECT_DOUBLE_EQ(ls.vw, 1.5 / project.Coolant().ro / ls.area);
    EXPECT_DOUBLE_EQ(ls.cw, 1.5 * project.Coolant().Cp);
    EXPECT_EQ(gridUpdates, 2);
}

TEST_F(QDXoilMembersTest, DutyPutsStoreTheValueAndSolveCalculatesAgain) {
    ASSERT_TRUE(project.SolveCoil());
    const double qt = coil().Qt;
    const double qs = coil().Qs;
    const double leavingDb = members.GetDBo();
    const double leavingWb = members.GetWBo();
    const std::string flags = Flags();

    members.SetQt(123);
    members.SetQs(45);
    EXPECT_EQ(members.GetQt(), 123);
    EXPECT_EQ(members.GetQs(), 45);
    EXPECT_EQ(gridUpdates, 0);
    EXPECT_EQ(Flags(), flags);

    // The stored duty is only where the next calculation's convergence test starts.
    const double solved = members.Solve();
    EXPECT_EQ(solved, members.GetQt());
    EXPECT_NEAR(solved, qt, 1e-4);
    EXPECT_NEAR(members.GetQs(), qs, 1e-4);
    EXPECT_NEAR(members.GetDBo(), leavingDb, 1e-4);
    EXPECT_NEAR(members.GetWBo(), leavingWb, 1e-4);
    EXPECT_EQ(members.GetCalcState(), 0);
    EXPECT_LT(leavingDb, members.GetDBon());
    EXPECT_GT(members.GetWaterOff(), members.GetWaterOn());
    static_assert(std::is_same_v<decltype(members.GetCalcState()), std::int32_t>);
}

TEST_F(QDXoilMembersTest, SolveRunsTheHoldersCalculationAndReturnsItsDuty) {
    int solves = 0;
    TQDXoilMembers window(project, [&] {
        ++solves;
        project.SolveCoil();
        coil().Qt = 42;  // what the window's calculation left is what Solve returns
    });
    EXPECT_EQ(window.Solve(), 42);
    EXPECT_EQ(solves, 1);
    EXPECT_TRUE(project.Solved);
}

TEST_F(QDXoilMembersTest, AFailingSolveReturnsNormally) {
    ASSERT_TRUE(project.SolveCoil());
    members.SetAirMassFlow(0);
    double qt = -1;
    ASSERT_NO_THROW(qt = members.Solve());
    const int state = members.GetCalcState();
    EXPECT_TRUE(state == 5 || state == 2) << state;
    EXPECT_EQ(qt, members.GetQt());
    EXPECT_FALSE(project.Solved);
    EXPECT_TRUE(messages.empty());
}

TEST_F(QDXoilMembersTest, ModelPut) {
    const double area = coil().FaceArea();
    const TModelRec geometry = coil().FinAndTube->Record();

    ASSERT_NO_THROW(members.SetModel("not a coil"));
    EXPECT_FALSE(coil().DesignationValid);
    EXPECT_EQ(coil().FaceArea(), area);
    EXPECT_EQ(coil().FinAndTube->Record().fHeight, geometry.fHeight);
    EXPECT_EQ(coil().FinAndTube->Record().Rows, geometry.Rows);
    EXPECT_TRUE(messages.empty());
    EXPECT_FALSE(project.Modified);

    members.SetModel("762 1200 6r 10f 12c");
    EXPECT_TRUE(coil().DesignationValid);
    EXPECT_EQ(coil().Rows(), 6);
    EXPECT_NEAR(coil().FaceArea(), 0.762 * 1.2, 1e-12);
    EXPECT_EQ(members.GetModel(), coil().FinAndTube->Designation());
    EXPECT_EQ(gridUpdates, 2);
}

TEST_F(QDXoilMembersTest, AFaultInAPutChangesNothingAndRaisesItsMessage) {
    ASSERT_TRUE(project.SolveCoil());
    project.SetSaved(true);
    struct Case {
        const char* what;
        std::function<void()> put;
    };
    const Case cases[] = {
        {"DBon NaN", [&] { members.SetDBon(kNaN); }},
        {"WBon 1e308", [&] { members.SetWBon(1e308); }},
        {"WaterOn 1e308", [&] { members.SetWaterOn(1e308); }},
        {"WaterFlow NaN", [&] { members.SetWaterFlow(kNaN); }},
        {"AirMassFlow NaN", [&] { members.SetAirMassFlow(kNaN); }},
        {"InletAirflow 1e308", [&] { members.SetInletAirflow(1e308); }},
        {"Qt NaN", [&] { members.SetQt(kNaN); }},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.what);
        const std::string before = ProjectState(project);
        try {
            k.put();
            ADD_FAILURE() << "no error";
        } catch (const AutomationError& e) {
            EXPECT_FALSE(std::string(e.what()).empty());
            EXPECT_EQ(e.what(), project.LastError);
        }
        EXPECT_EQ(ProjectState(project), before);
    }
    EXPECT_EQ(gridUpdates, 0);
    EXPECT_TRUE(messages.empty());
    // The project's own messages still reach the user.
    EXPECT_FALSE(project.SetBarometer(kNaN));
    EXPECT_EQ(messages.size(), 1u);
}

}  // namespace
}  // namespace qdx::test
