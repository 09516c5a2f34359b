#include <cmath>

#include "engine/saturated_air.hpp"
#include "engine_fixture.hpp"
#include "fluids/air_state_text.hpp"
#include "fluids/liquid_correlations.hpp"

namespace qdx::test {
namespace {

// Air-side and liquid-side duties of a rated coil, kW.
double AirSideDuty(const TColdWaterCoil& c) { return c.MassFlow * (c.AirIn->ha - c.AirOut->ha); }
double LiquidSideDuty(const TColdWaterCoil& c) {
    const TLiquid& l = *c.Liquid;
    return l.m * l.Cp * (l.tfo - l.tfi);
}

void ExpectBalanced(const TColdWaterCoil& c, const char* what) {
    SCOPED_TRACE(what);
    EXPECT_NEAR(AirSideDuty(c), c.Qt, 1e-6 * std::max(1.0, c.Qt));
    EXPECT_NEAR(LiquidSideDuty(c), c.Qt, 1e-3 * std::max(1.0, c.Qt));
    EXPECT_LE(c.Qs, c.Qt + 1e-9);
    EXPECT_LE(c.AirOut->rh, 1.0 + 1e-9);
}

TEST_F(CoilProjectTest, FirstRunCoilMatchesTheDefaults) {
    auto& c = coil();
    EXPECT_EQ(c.GetDesignation(), "635 x 720  4r  12f  7c");
    EXPECT_EQ(c.FinAndTube->Record().Mnf, "Typical");
    EXPECT_TRUE(c.DesignationValid);
    EXPECT_DOUBLE_EQ(c.FaceVelocity, 2.5);
    EXPECT_NEAR(c.LiquidState->vw, 1.0, 1e-12);
    EXPECT_NEAR(c.Liquid->m, c.LiquidState->area * c.Liquid->ro, 1e-9);
    EXPECT_NEAR(c.LiquidState->area, 7 * c.FinAndTube->TubeFlowArea(), 1e-15);
    EXPECT_DOUBLE_EQ(c.LiquidState->designdt, 5.5);
    EXPECT_EQ(c.LiquidState->ctrl, wcFlow);
    EXPECT_EQ(c.TypeCaption, "Cold Water Coil");
    EXPECT_DOUBLE_EQ(c.DutyPerAirflow, 20.8);
    EXPECT_DOUBLE_EQ(c.AspectRatio, 1.5);
}

TEST_F(CoilProjectTest, DefaultCoilIsPartWetAndBalanced) {
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    EXPECT_EQ(c.SolveStatus, ssSolved);
    // Its surface reaches the entering dew point only towards the air outlet, and the fully wet
    // pass gives less duty than the dry one, whose results stand.
    EXPECT_EQ(c.SurfaceState, ssPartWet);
    EXPECT_GT(c.WarmEndSurfaceTemp, c.AirIn->td);
    EXPECT_GT(c.Qt, 15);
    EXPECT_LT(c.Qs, c.Qt);
    EXPECT_LT(c.AirOut->wa, c.AirIn->wa);
    EXPECT_DOUBLE_EQ(LastADP(), c.ADP);
    EXPECT_TRUE(c.AirCooling);
    EXPECT_DOUBLE_EQ(project.DesignDuty, c.Qt);
    EXPECT_EQ(project.SolveStatusText, "Solved...");
    ExpectBalanced(c, "default");
}

TEST_F(CoilProjectTest, HumidAirWetsTheWholeSurface) {
    project.SetOnCoil("27/22");
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    EXPECT_EQ(c.SurfaceState, ssWet);
    EXPECT_LT(c.WarmEndSurfaceTemp, c.AirIn->td);
    EXPECT_LT(c.Qs, 0.7 * c.Qt);
    ExpectBalanced(c, "wet");
}

TEST_F(CoilProjectTest, RatedCasesCloseTheirBalances) {
    struct Case {
        const char* name;
        const char* air;
        int ctrl;
        double inlet;
    };
    const Case cases[] = {
        {"dry air, flow control", "30/15", wcFlow, 6},
        {"humid air, flow control", "27/22", wcFlow, 7},
        {"humid air, temperature control", "27/22", wcTemp, 7},
        {"warm water", "26/19", wcFlow, 13},
    };
    for (const Case& k : cases) {
        project.CreateCoil(settings);
        project.SetOnCoil(k.air);
        project.SetFluidControl(k.ctrl);
        project.SetFluidInlet(k.inlet);
        ASSERT_TRUE(project.SolveCoil()) << k.name << " " << project.LastError;
        ExpectBalanced(coil(), k.name);
    }
}

TEST_F(CoilProjectTest, DewPointBelowFreezingGivesADryCoil) {
    project.SetOnCoil("20/5");
    ASSERT_LE(coil().AirIn->td, 0);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_EQ(coil().SurfaceState, ssDry);
    EXPECT_NEAR(coil().Qs, coil().Qt, 0.01);
    EXPECT_NEAR(coil().AirOut->wa, coil().AirIn->wa, 1e-12);
}

TEST_F(CoilProjectTest, ZeroLiquidFlow) {
    // Flow control: nothing to rate; the air leaves as it came.
    project.SetFluidFlow(0);
    EXPECT_EQ(coil().Solve(), ssSolved);
    EXPECT_EQ(coil().Qt, 0);
    EXPECT_EQ(coil().Qs, 0);
    EXPECT_EQ(coil().AirOut->db, coil().AirIn->db);
    EXPECT_EQ(coil().AirOut->wa, coil().AirIn->wa);
    // Temperature control: the flow is set for 1 m/s in the tubes and the coil rated.
    project.SetFluidControl(wcTemp);
    EXPECT_EQ(coil().Solve(), ssSolved);
    EXPECT_GT(coil().Qt, 10);
}

TEST_F(CoilProjectTest, TemperatureControlCutsALeavingLiquidAboveTheAir) {
    project.SetOnCoil("12/8");
    project.SetFluidControl(wcTemp);
    project.SetFluidInlet(6);
    project.SetDesignDT(10);
    const std::uint8_t status = coil().Solve();
    EXPECT_EQ(status, ssFailed);
    EXPECT_DOUBLE_EQ(coil().Liquid->tfo, coil().AirIn->db);
    EXPECT_DOUBLE_EQ(coil().LiquidState->designdt, coil().AirIn->db - 6);
}

TEST_F(CoilProjectTest, NewCoilStartsFromTheLastApparatusDewPoint) {
    ASSERT_TRUE(project.SolveCoil());
    const double adp = coil().ADP;
    TCoilProject other;
    other.CreateCoil(settings);
    EXPECT_DOUBLE_EQ(other.Coil().ADP, adp);
}

TEST_F(CoilProjectTest, PressureChangeKeepsBulbsAndFaceVelocity) {
    const double m = coil().MassFlow;
    project.SetBarometer(90);
    EXPECT_DOUBLE_EQ(coil().AirIn->pa, 90);
    EXPECT_NEAR(coil().AirIn->db, 25, 1e-9);
    EXPECT_NEAR(coil().AirIn->wb, 17, 1e-9);
    EXPECT_DOUBLE_EQ(coil().FaceVelocity, 2.5);
    EXPECT_LT(coil().MassFlow, m * 0.95);
    EXPECT_DOUBLE_EQ(coil().AirIn->ma, coil().MassFlow);
    EXPECT_DOUBLE_EQ(coil().AirOut->ma, coil().MassFlow);
}

TEST_F(CoilProjectTest, AirPressureDrop) {
    auto& c = coil();
    ASSERT_TRUE(project.SolveCoil());
    const double wet = c.AirPressureDrop();
    EXPECT_GT(wet, 50);
    EXPECT_LT(wet, 300);
    c.AirDPFactor = 2;
    EXPECT_NEAR(c.AirPressureDrop(), 2 * wet, 1e-9);
    // No air flow: 5 Pa per started row, without the factor.
    c.SetRows(3.5);
    c.SetFaceVelocity(0);
    EXPECT_DOUBLE_EQ(c.AirPressureDrop(), 20);
    // Dry below a 1.6 K dew-point depression; the wet multiplier is never below 1.
    c.AirDPFactor = 1;
    c.SetRows(4);
    c.SetFaceVelocity(2.5);
    c.LiquidState->SetInletTemp(c.AirIn->td - 1.59);
    const double dry = c.AirPressureDrop();
    c.LiquidState->SetInletTemp(c.AirIn->td - 1.6);
    const double atThreshold = c.AirPressureDrop();
    EXPECT_GE(atThreshold, dry);
    c.LiquidState->SetInletTemp(c.AirIn->td - 12);
    EXPECT_GT(c.AirPressureDrop(), dry * 1.01);
}

TEST_F(CoilProjectTest, InLinePatternScalesTheOutsideCoefficient) {
    auto& c = coil();
    TAirSideResult r{};
    TAirSideGeometry g = c.AirSide;
    g.tp = 0;
    const double staggered = PlateFinCoefficient(g, *c.AirIn, r);
    const double plain = r.h;
    EXPECT_DOUBLE_EQ(staggered, plain);
    g.tp = 1;
    const double inLine = PlateFinCoefficient(g, *c.AirIn, r);
    TAirSideGeometry s = g;
    s.tp = 0;
    EXPECT_DOUBLE_EQ(inLine, plain * TubeBankCoefficient(g, *c.AirIn) / TubeBankCoefficient(s, *c.AirIn));
    EXPECT_NE(inLine, staggered);
    EXPECT_DOUBLE_EQ(r.h, plain);
}

TEST_F(CoilProjectTest, CondensateAndIce) {
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    const double rate = c.CondensateRate();
    EXPECT_NEAR(rate, (c.AirIn->wa - c.AirOut->wa) * c.MassFlow, 1e-15);
    EXPECT_EQ(c.IceRate, 0);
    c.ADP = -1;
    c.CondensateRate();
    EXPECT_NEAR(c.IceRate, rate / 920 / c.Ao, 1e-18);
}

TEST_F(CoilProjectTest, SizingRefusesATinyDutyWithoutTouchingTheCoil) {
    auto& c = coil();
    const double h = c.FinHeight(), l = c.FinnedLength(), m = c.Liquid->m;
    using Op = std::uint8_t (TColdWaterCoil::*)(double, double);
    for (Op op : {&TColdWaterCoil::SizeFaceArea, &TColdWaterCoil::SizeFinHeight,
                  &TColdWaterCoil::SizeFinnedLength, &TColdWaterCoil::SizeRowsAndFins,
                  &TColdWaterCoil::SizeRows, &TColdWaterCoil::SizeFins}) {
        EXPECT_EQ((c.*op)(0, 0.009), ssFailed);
        EXPECT_EQ(c.SolveStatus, ssFailed);
    }
    EXPECT_EQ(c.FinHeight(), h);
    EXPECT_EQ(c.FinnedLength(), l);
    EXPECT_EQ(c.Liquid->m, m);
}

TEST_F(CoilProjectTest, SizeFaceAreaMeetsTheDuty) {
    auto& c = coil();
    ASSERT_EQ(c.SizeFaceArea(0, 20), ssSolved);
    EXPECT_NEAR(c.Qt, 20, 1e-3);
    // Whole pairs of tube pitches, the design face velocity, the ideal tube velocity.
    const double s = 2 * c.FinAndTube->Sy();
    EXPECT_NEAR(std::fmod(c.FinHeight() + 1e-12, s), 0, 1e-9);
    EXPECT_DOUBLE_EQ(c.FaceVelocity, 2.5);
    EXPECT_EQ(c.LiquidState->ctrl, wcFlow);
    EXPECT_NEAR(c.DutyPerAirflow, std::clamp(c.Qt / c.VolumeFlow, 10.0, 40.0), 1e-12);
    // With a fixed air volume.
    ASSERT_EQ(c.SizeFaceArea(1.0, 25), ssSolved);
    EXPECT_NEAR(c.Qt, 25, 1e-3);
    EXPECT_NEAR(c.VolumeFlow, 1.0, 1e-12);
}

TEST_F(CoilProjectTest, PreparingTheLiquidPicksCircuitsForTheIdealVelocity) {
    auto& c = coil();
    c.PrepareLiquidForDuty(40);
    const TLiquid& l = *c.Liquid;
    EXPECT_EQ(c.LiquidState->ctrl, wcFlow);
    EXPECT_DOUBLE_EQ(c.LiquidState->designdt, 6.0);
    EXPECT_DOUBLE_EQ(l.tfo, l.tfi + 6.0);
    const double wanted = 40 / (l.Cp * 6.0) / l.ro / c.FinAndTube->TubeFlowArea();
    EXPECT_EQ(c.Circuits(), std::nearbyint(wanted));
    EXPECT_NEAR(c.LiquidState->vw, c.LiquidState->vwideal, 1e-12);
}

TEST_F(CoilProjectTest, SizeFaceAreaNeverGoesBelowTheSmallestArea) {
    auto& c = coil();
    c.SizeFaceArea(0, 0.05);
    EXPECT_GE(c.FaceArea(), 0.00254 - 1e-12);
}

TEST_F(CoilProjectTest, SizingSearchWithoutProgressFails) {
    // Cold dry air: beyond some face area the duty no longer grows, two trials give the same
    // duty and the secant step divides by zero.
    project.SetOnCoil("12.7/4.7");
    project.SetFluidInlet(6.8);
    auto& c = coil();
    EXPECT_EQ(c.SizeFaceArea(0, 13), ssFailed);
    EXPECT_TRUE(std::isfinite(c.FinHeight()));
    EXPECT_TRUE(std::isfinite(c.FinnedLength()));
    EXPECT_EQ(c.Solve(), ssSolved);
    EXPECT_TRUE(std::isfinite(c.FluidPressureDrop()));
}

TEST_F(CoilProjectTest, OtherSizingsApproachTheDuty) {
    auto& c = coil();
    EXPECT_EQ(c.SizeFinnedLength(0, 25), ssSolved);
    EXPECT_NEAR(c.Qt, 25, 1e-3);
    EXPECT_EQ(c.SizeFinHeight(0, 25), ssSolved);
    EXPECT_GE(c.Qt, 0.98 * 25);
    struct Case {
        std::uint8_t (TColdWaterCoil::*op)(double, double);
        bool rows, fins;
    };
    for (Case k : {Case{&TColdWaterCoil::SizeRowsAndFins, true, true},
                   Case{&TColdWaterCoil::SizeRows, true, false},
                   Case{&TColdWaterCoil::SizeFins, false, true}}) {
        project.CreateCoil(settings);
        auto& d = coil();
        const double rows = d.Rows(), fins = d.FinsPerInch();
        EXPECT_EQ((d.*k.op)(0, 30), ssSolved);
        if (!k.rows) {
            EXPECT_EQ(d.Rows(), rows);
        }
        if (!k.fins) {
            EXPECT_EQ(d.FinsPerInch(), fins);
        }
        // No other candidate comes closer to the duty than the chosen one.
        const double chosen = std::fabs(d.Qt - 30);
        const double chosenRows = d.Rows(), chosenFins = d.FinsPerInch();
        for (double r : {3.0, 4.0, 5.0, 6.0}) {
            for (double f : {8.0, 10.0, 12.0, 14.0}) {
                if ((!k.rows && r != chosenRows) || (!k.fins && f != chosenFins)) continue;
                if (k.fins && !k.rows && f == 14) continue;
                d.SetRows(r);
                d.SetFinsPerInch(f);
                d.Solve();
                EXPECT_GE(std::fabs(d.Qt - 30), chosen - 1e-9) << r << " rows " << f << " fpi";
            }
        }
    }
}

TEST_F(CoilProjectTest, GlycolRatesLowerThanWater) {
    ASSERT_TRUE(project.SolveCoil());
    const double water = coil().Qt;
    project.SetCoolant(0, 1, 0.3);
    EXPECT_EQ(project.Coolant().WaterAdditive, 1);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_LT(coil().Qt, water);
    ExpectBalanced(coil(), "glycol");
}

TEST_F(CoilProjectTest, CoilSizeModeSizesThenShowsTheAchievedDuty) {
    project.SetDesignDuty(25);
    project.SetCalcMode(cmCoilSize);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_NEAR(coil().Qt, 25, 1e-3);
    EXPECT_DOUBLE_EQ(project.DesignDuty, coil().Qt);
}

TEST_F(CoilProjectTest, GridEditsFollowTheRowHandler) {
    auto& c = coil();
    // Fluid inlet with flow control: leaving = inlet + design dT.
    project.SetFluidInlet(8);
    EXPECT_DOUBLE_EQ(c.Liquid->tfo, 8 + 5.5);
    EXPECT_TRUE(project.Modified);
    EXPECT_FALSE(project.Saved);
    // With temperature control the flow is re-applied instead.
    project.SetFluidControl(wcTemp);
    const double flow = c.Liquid->m;
    project.SetFluidInlet(7);
    EXPECT_DOUBLE_EQ(c.Liquid->m, flow);
    // A bad designation keeps the last good one.
    EXPECT_FALSE(project.SetCoilModel("abc"));
    EXPECT_EQ(c.GetDesignation(), "635 x 720  4r  12f  7c");
    // In range, but lower than one tube pitch: no tubes, nothing to rate.
    EXPECT_FALSE(project.SetCoilModel("15 x 720 4r 12f 7c"));
    EXPECT_EQ(c.GetDesignation(), "635 x 720  4r  12f  7c");
    EXPECT_TRUE(c.DesignationValid);
    EXPECT_DOUBLE_EQ(c.FaceArea(), 0.635 * 0.72);
    // A new designation keeps the face and tube velocities: the flows follow the new areas.
    const double vw = c.LiquidState->vw;
    EXPECT_TRUE(project.SetCoilModel("544 x 720 4r 12f  (14c)"));
    EXPECT_DOUBLE_EQ(c.FaceVelocity, 2.5);
    EXPECT_NEAR(c.LiquidState->vw, vw, 1e-12);
    EXPECT_EQ(c.Circuits(), 14);
}

TEST_F(CoilProjectTest, AGeometryEditedInPlaceBecomesTheRememberedModel) {
    TColdWaterCoil& c = coil();
    project.SetSaved(true);
    // The fin and tube editor changes the geometry itself, and the flows with it.
    c.SetFinHeight(0.762);
    c.SetFaceVelocity(3.1);
    ASSERT_TRUE(project.KeepEditedCoilModel(2.5, 1.0));
    EXPECT_EQ(project.CoilModel, c.GetDesignation());
    EXPECT_NE(project.CoilModel, "635 x 720  4r  12f  7c");
    // The velocities the grid showed come back, so the flows follow the new face.
    EXPECT_DOUBLE_EQ(c.FaceVelocity, 2.5);
    EXPECT_NEAR(c.VolumeFlow, 2.5 * c.FaceArea(), 1e-12);
    EXPECT_NEAR(c.LiquidState->vw, 1.0, 1e-12);
    EXPECT_TRUE(project.Modified);
    // A bad text in the row afterwards brings this model back.
    EXPECT_FALSE(project.SetCoilModel("abc"));
    EXPECT_EQ(c.GetDesignation(), project.CoilModel);
}

}  // namespace
}  // namespace qdx::test

namespace qdx::test {
namespace {

TEST_F(CoilProjectTest, DamagedAirSettingsFallBackToTheFirstRun) {
    struct Case {
        double pressure;
        const char* on;
        const char* off;
        double expectedPressure, onDb, offDb;
    };
    const Case cases[] = {
        {101.325, "abc", "11/10", 101.325, 25, 11},   // not a number
        {95, "27/22", "", 95, 27, 11},                // empty leaving air
        {-5, "25/17", "11/10", 101.325, 25, 11},      // no pressure at all
        {1e-9, "99/99", "11/10", 101.325, 25, 11},    // nothing the pressure can hold
    };
    for (const Case& k : cases) {
        settings.Pressure = k.pressure;
        settings.AirOn = k.on;
        settings.AirOff = k.off;
        ASSERT_NO_THROW(project.CreateCoil(settings)) << k.on;
        EXPECT_DOUBLE_EQ(project.Barometer, k.expectedPressure) << k.on;
        EXPECT_DOUBLE_EQ(project.OnCoilAir.db, k.onDb) << k.on;
        EXPECT_DOUBLE_EQ(project.OffCoilAir.db, k.offDb) << k.on;
        EXPECT_EQ(project.Coil().Solve(), ssSolved) << k.on;
    }
}

TEST_F(CoilProjectTest, AnotherCatalogueTubeMovesTheLiquidSide) {
    // The 3/8 inch entry of the catalogue: a smaller bore and wall than the first entry's.
    settings.CoilMR = FormatSpecification(FindTube("Typical", 3));
    project.CreateCoil(settings);
    auto& c = coil();
    const TTubeSideGeometry tube = c.FinAndTube->TubeSide();
    EXPECT_NEAR(tube.ID, 0.0093, 1e-9);
    EXPECT_DOUBLE_EQ(c.LiquidState->area, tube.FlowArea);
    EXPECT_DOUBLE_EQ(c.WallThickness, tube.WallThickness);
    EXPECT_NEAR(c.LiquidState->vw, 1.0, 1e-12);
    EXPECT_NEAR(TubeVelocity(c.TubeSide, *c.Liquid), 1.0, 1e-12);
}

TEST_F(CoilProjectTest, TrickleOfLiquidTakesTheEffectivenessLimit) {
    // A deep coil with a trickle of liquid: Cr above 50 overflows the exponential, and the
    // liquid side limits the duty to heating the liquid up to the entering dry bulb.
    ASSERT_TRUE(project.SetCoilModel("1500 4000 20r 30f 1c"));
    project.SetOnCoil("13.9/9.6");
    project.SetAirVelocity(0.92);
    project.SetFluidInlet(12.4);
    project.SetTubeVelocity(0.25);
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    EXPECT_EQ(c.SolveStatus, ssSolved);
    EXPECT_GT(c.Cr, 50);
    EXPECT_DOUBLE_EQ(c.e, 1 / c.Cr);
    EXPECT_NEAR(c.Liquid->tfo, c.AirIn->db, 1e-9);
    EXPECT_NEAR(c.Qt, 0.193, 0.001);
    ExpectBalanced(c, "liquid-limited");
}

TEST_F(CoilProjectTest, BypassFactorStaysAFraction) {
    struct Case {
        const char* air;
        double inlet;
    };
    // Heating coils, the last two with saturated entering air (the dew point equals the dry bulb
    // to rounding): they keep the bypass factor of their pass.
    for (const Case& k : {Case{"10/8", 15}, Case{"10/10", 12}, Case{"1/1", 0.999}}) {
        SCOPED_TRACE(k.air);
        project.CreateCoil(settings);
        project.SetOnCoil(k.air);
        project.SetFluidInlet(k.inlet);
        ASSERT_TRUE(project.SolveCoil());
        auto& c = coil();
        EXPECT_EQ(c.SolveStatus, ssSolved);
        EXPECT_LT(c.Qt, 0);
        EXPECT_DOUBLE_EQ(c.BypassFactor, std::exp(-c.NtuAir));
    }
    // A cooling coil that cannot dehumidify still takes the ratio of the dry bulbs.
    project.CreateCoil(settings);
    project.SetOnCoil("30/12");
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    ASSERT_GT(c.Qt, 0);
    EXPECT_DOUBLE_EQ(c.BypassFactor, (c.AirOut->db - c.ADP) / (c.AirIn->db - c.ADP));
    EXPECT_GT(c.BypassFactor, 0);
    EXPECT_LT(c.BypassFactor, 1);
}

TEST_F(CoilProjectTest, LiquidAtTheEnteringDryBulbExchangesNothing) {
    project.SetFluidInlet(25);  // the first-run air is 25/17
    const TAirState in = *coil().AirIn;
    for (int pass = 0; pass < 2; ++pass) {
        ASSERT_TRUE(project.SolveCoil());
        auto& c = coil();
        EXPECT_EQ(c.SolveStatus, ssSolved);
        EXPECT_EQ(c.Qt, 0);
        EXPECT_EQ(c.Qs, 0);
        EXPECT_EQ(c.Liquid->tfo, 25);
        EXPECT_DOUBLE_EQ(c.BypassFactor, 1);
        // The entering air stays as the user set it, and the air leaves as it came.
        for (int f = 0; f < kAirStateFields; ++f) {
            EXPECT_EQ(AirField(*c.AirIn, f), AirField(in, f)) << f;
            EXPECT_EQ(AirField(*c.AirOut, f), AirField(in, f)) << f;
        }
    }
    // A liquid just below the air still rates a small duty.
    project.SetFluidInlet(24.95);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_GT(coil().Qt, 0.05);
    EXPECT_LT(coil().Qt, 0.06);
    EXPECT_EQ(coil().AirIn->db, 25);
}

TEST_F(CoilProjectTest, WetPassThatRunsAwayFails) {
    // Hot, humid air at altitude on a single circuit: the wet pass heated the liquid past the
    // boiling point to a false convergence (1221 kW, 254 degC).
    ASSERT_TRUE(project.SetCoilModel("1000 2500 4r 12f 1c"));
    project.SetBarometer(74.66);
    project.SetOnCoil("42.8/40.7");
    project.SetAirVelocity(2.91);
    project.SetFluidInlet(-0.4);
    project.SetFluidFlow(1.118);
    EXPECT_FALSE(project.SolveCoil());
    EXPECT_EQ(coil().SolveStatus, ssFailed);

    // A deep coil sized on warm water: a trial's wet pass ran away to Cr = -380 and 4456 kW and
    // was taken as the answer. Now the search fails, and the coil where it stopped rates with
    // the liquid below the entering air.
    project.CreateCoil(settings);
    ASSERT_TRUE(project.SetCoilModel("635 720 12r 12f 7c"));
    project.SetOnCoil("23/22");
    project.SetFluidInlet(17);
    auto& c = coil();
    EXPECT_EQ(c.SizeFaceArea(0, 26.1), ssFailed);
    EXPECT_EQ(c.Solve(), ssSolved);
    EXPECT_GT(c.Cr, 0);
    EXPECT_LT(c.Qt, 26.1);
    EXPECT_LE(c.Liquid->tfo, c.AirIn->db + 1e-9);
}

TEST_F(CoilProjectTest, SizingStoppedAtABoundFailsUnlessItMeetsTheDuty) {
    using Op = std::uint8_t (TColdWaterCoil::*)(double, double);
    struct Case {
        const char* name;
        const char* model;
        Op op;
        double duty;
    };
    const Case cases[] = {
        // Two trials clamped to the same length read as a converged search.
        {"longest coil too small", nullptr, &TColdWaterCoil::SizeFinnedLength, 400},
        {"shortest coil too large", nullptr, &TColdWaterCoil::SizeFinnedLength, 2},
        // A first height of 32 m, above the bound and above what a designation can hold.
        {"tallest coil too small", "635 300 4r 12f 7c", &TColdWaterCoil::SizeFinHeight, 500},
        {"lowest coil too large", nullptr, &TColdWaterCoil::SizeFinHeight, 0.5},
    };
    for (const Case& k : cases) {
        SCOPED_TRACE(k.name);
        project.CreateCoil(settings);
        if (k.model) {
            ASSERT_TRUE(project.SetCoilModel(k.model));
        }
        auto& c = coil();
        EXPECT_EQ((c.*k.op)(0, k.duty), ssFailed);
        EXPECT_LE(c.FinHeight(), c.MaxFinHeight);
        EXPECT_LE(c.FinnedLength(), c.MaxFinnedLength);
        EXPECT_GE(c.FinnedLength(), c.MinFinnedLength);
        EXPECT_LE(c.Circuits(), c.FinAndTube->TubeCount());
        EXPECT_GT(std::fabs(c.Qt - k.duty), 0.01 * k.duty);
    }
    // Fins do not add tubes: the 129 circuits of a 400 kW duty are cut to the coil's 68 tubes.
    project.CreateCoil(settings);
    auto& c = coil();
    c.SizeFins(0, 400);
    EXPECT_EQ(c.Circuits(), 68);
    EXPECT_EQ(c.FinAndTube->TubeCount(), 68);
}

TEST_F(CoilProjectTest, CarbonDioxidePastItsRangeRatesAndStaysOutOfRange) {
    // Leaving at 39 degC put the mean past the specific heat's pole at 31.67 degC: a negative
    // capacity rate, no duty and status 0.
    project.SetCoolant(liCarbonDioxide, 0, 0);
    project.SetFluidInlet(24.5);
    project.SetDesignDT(14.5);
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    EXPECT_GT(c.Qt, 0.3);
    EXPECT_LT(c.Liquid->tfo, c.AirIn->db);
    ExpectBalanced(c, "flow control");
    // A rise that keeps the liquid above its 30 degC limit rates, and says so in its status.
    project.SetOnCoil("45/25");
    project.SetFluidControl(wcTemp);
    project.SetFluidInlet(24);
    project.SetDesignDT(14);
    ASSERT_TRUE(project.SolveCoil());
    EXPECT_GT(c.LiquidState->cw, 0);
    EXPECT_EQ(project.Coolant().status, 1);
    ExpectBalanced(c, "temperature control");
}

}  // namespace
}  // namespace qdx::test
