#include <cmath>

#include "engine/saturated_air.hpp"
#include "engine/step_simulation.hpp"
#include "engine_fixture.hpp"

namespace qdx::test {
namespace {

TEST_F(CoilProjectTest, WetMarchFollowsTheRating) {
    project.SetOnCoil("27/22");
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    const TAirState in = *c.AirIn, out = *c.AirOut;
    const double qt = c.Qt, tfo = c.Liquid->tfo;
    const double duty = c.StepSimulation();
    const TFloatMat& m = c.StepResults;
    ASSERT_EQ(m.Columns(), 4);
    ASSERT_EQ(m.Rows(), 100);
    // The march ends at the liquid inlet temperature and is close to the rated duty.
    EXPECT_NEAR(m.At(0, 99), c.Liquid->tfi, 1e-3);
    EXPECT_NEAR(duty, qt, 0.1 * qt);
    for (int j = 1; j < 100; ++j) {
        EXPECT_LE(m.At(1, j), m.At(1, j - 1) + 1e-12) << j;  // the air cools
        EXPECT_LE(m.At(0, j), m.At(0, j - 1) + 1e-12) << j;  // the liquid, met counterflow, too
        EXPECT_GT(m.At(2, j), m.At(0, j)) << j;              // surface between liquid and air
        EXPECT_LT(m.At(2, j), m.At(1, j) + 1e-9) << j;
    }
    // The simulation changes neither the results nor the air records nor the liquid.
    EXPECT_EQ(c.Qt, qt);
    EXPECT_EQ(c.Liquid->tfo, tfo);
    EXPECT_EQ(c.AirIn->db, in.db);
    EXPECT_EQ(c.AirOut->db, out.db);
}

TEST_F(CoilProjectTest, DryMarchKeepsTheDewPointAndSplitsBySurfaceRatio) {
    project.SetOnCoil("30/12");
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    c.StepSimulation();
    const TFloatMat& m = c.StepResults;
    const double dew = c.AirIn->td;
    for (int j = 0; j < 100; ++j) {
        EXPECT_NEAR(m.At(3, j), dew, 1e-6) << j;
        // Row j holds the state after slice j: the surface of slice j lay between the liquid
        // before it and the air entering it.
        const double airBefore = j == 0 ? c.AirIn->db : m.At(1, j - 1);
        const double liquidBefore = m.At(0, j) + c.ho * c.Ao / 100 * (airBefore - m.At(2, j)) /
                                                     c.LiquidState->cw;
        EXPECT_NEAR(m.At(2, j),
                    (c.ConductanceRatio * airBefore + liquidBefore) / (c.ConductanceRatio + 1),
                    1e-9);
    }
}

TEST_F(CoilProjectTest, MarchThatOvershootsIsSettledByBisection) {
    struct Case {
        const char* name;
        const char* model;
        const char* air;
        double inlet, flow;
    };
    // Low flows, where the relaxation overshot (5.61 kW against 3.85 kW rated, and 85 kW with
    // the liquid marched to -382 degC), a heating coil, whose clamps leave no room, and one
    // circuit on a wide coil, where the overshooting march faulted below absolute zero.
    const Case cases[] = {
        {"low flow", nullptr, nullptr, 0, 0.05},
        {"low flow, eight rows", "635 720 8r 12f 7c", nullptr, 0, 0.05},
        {"heating", nullptr, "10/8", 15, 0},
        {"one circuit", "1000 2500 4r 12f 1c", "29/18.4", 22.3, 0},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        project.CreateCoil(settings);
        if (k.model) {
            ASSERT_TRUE(project.SetCoilModel(k.model));
        }
        if (k.air) project.SetOnCoil(k.air);
        if (k.inlet) project.SetFluidInlet(k.inlet);
        if (k.flow) project.SetFluidFlow(k.flow);
        ASSERT_TRUE(project.SolveCoil());
        auto& c = coil();
        const double duty = c.StepSimulation();
        EXPECT_TRUE(c.StepSettled);
        EXPECT_NEAR(c.StepResults.At(0, 99), c.Liquid->tfi, 1e-5);
        EXPECT_NEAR(duty, c.Qt, 0.01 * std::fabs(c.Qt));
    }
}

TEST_F(CoilProjectTest, MarchThatCannotSettleSaysSo) {
    // One circuit heated to the entering dry bulb: the error jumps by more than its bound
    // between neighbouring leaving temperatures, and no march meets the inlet temperature.
    ASSERT_TRUE(project.SetCoilModel("1000 2500 4r 12f 1c"));
    project.SetOnCoil("39.7/24.9");
    project.SetAirVelocity(2.96);
    project.SetFluidInlet(3.5);
    project.SetTubeVelocity(0.67);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_TRUE(std::isnan(coil().StepSimulation()));
    EXPECT_FALSE(coil().StepSettled);
    // The next coil settles again.
    project.SetCoilModel("635 720 4r 12f 7c");
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_TRUE(std::isfinite(coil().StepSimulation()));
    EXPECT_TRUE(coil().StepSettled);
}

TEST_F(CoilProjectTest, SurfaceTemperatureBalancesTheSlice) {
    TCoilSurfaceTemp s;
    TAirState air = SetState(101.325, 25, 20, 0);
    const double ts = s.SurfaceTemperature(air, 12, 8, 0.05, 0.8, 2.5, 0.05);
    EXPECT_NEAR(s.Residual(ts), 0, 1e-6);
    EXPECT_GT(ts, 8);
    EXPECT_LT(ts, air.td);
}

}  // namespace
}  // namespace qdx::test
