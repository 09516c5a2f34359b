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
