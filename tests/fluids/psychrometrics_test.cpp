#include <gtest/gtest.h>

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "fluids/psychrometrics.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

constexpr double kStd = 101.325;
const std::vector<int> kAllPairs = {0,  1,  2,  3,  4,  5,  7,  8,  9,  10, 11, 12, 13, 14,
                                    15, 16, 17, 18, 19, 25, 26, 28, 29, 30, 31, 32};

double SpecificVolume(const TAirState& s) { return (1 + s.wa) / s.ro; }

TEST(MoistAir, SaturationMatchesPublishedTables) {
    struct Row {
        double t, pwsPa, ws, hs;
    };
    const Row rows[] = {{5, 872.6, 0.005425, 18.639}, {25, 3169.7, 0.020173, 76.504},
                        {50, 12351.3, -1, -1}};
    for (const Row& r : rows) {
        SCOPED_TRACE(r.t);
        EXPECT_NEAR(psy::SatPressure(r.t) * 1000, r.pwsPa, r.pwsPa * 0.0005);
        if (r.ws < 0) continue;
        const TAirState s = SetState(kStd, r.t, 1.0, 3);
        EXPECT_NEAR(s.wa, r.ws, r.ws * 0.01);
        EXPECT_NEAR(s.ha, r.hs, r.hs * 0.01);
        EXPECT_NEAR(s.wb, r.t, 1e-8);
        EXPECT_NEAR(s.td, r.t, 1e-8);
        EXPECT_EQ(PsyStatus(), 0);
    }
}

// The saturation equations summed term by term as published: other implementations of the same
// equations agree to the last bit only when the terms are added in the same order.
TEST(MoistAir, SaturationPressureSumsTheTermsInPublishedOrder) {
    for (double t : {-60.0, -5.0, 0.0, 0.01, 0.02, 5.0, 25.0, 95.0}) {
        SCOPED_TRACE(t);
        const double T = t + 273.15;
        const double lnPa =
            t <= 0.01 ? -5.6745359e3 / T + 6.3925247 + -9.677843e-3 * T + 6.2215701e-7 * T * T +
                            2.0747825e-9 * T * T * T + -9.484024e-13 * T * T * T * T +
                            4.1635019 * std::log(T)
                      : -5.8002206e3 / T + 1.3914993 + -4.8640239e-2 * T + 4.1764768e-5 * T * T +
                            -1.4452093e-8 * T * T * T + 6.5459673 * std::log(T);
        EXPECT_EQ(psy::SatPressure(t), std::exp(lnPa) * 0.001);
    }
}

TEST(MoistAir, DryAirAndAHotDryState) {
    const TAirState dry = SetState(kStd, 25, 0, 2);
    EXPECT_NEAR(dry.ha, 25.148, 0.005);
    EXPECT_NEAR(SpecificVolume(dry), 0.8443, 0.0005);
    EXPECT_EQ(dry.rh, 0);
    EXPECT_LT(dry.wb, 25);
    EXPECT_EQ(PsyStatus(), 0);

    const TAirState s = SetState(kStd, 40, 20, 0);
    EXPECT_NEAR(s.wa, 0.0065, 0.0002);
    EXPECT_NEAR(s.td, 7, 0.5);
    EXPECT_NEAR(s.rh, 0.14, 0.005);
    EXPECT_NEAR(s.ha, 56.7, 0.1);
    EXPECT_NEAR(SpecificVolume(s), 0.896, 0.001);
    EXPECT_NEAR(s.cp, 1.006 + 1.86 * s.wa, 1e-15);
    EXPECT_NEAR(s.pv / s.ps, s.rh, 1e-15);
    EXPECT_NEAR(s.mu, 1.907e-5, 0.002e-5);
    EXPECT_NEAR(s.k, 2.725e-5, 0.002e-5);
    EXPECT_EQ(s.reserved, 0);
}

TEST(MoistAir, StandardAtmosphere) {
    const double expected[][2] = {{0, 101.325}, {1000, 89.875}, {2000, 79.495}};
    for (const auto& e : expected) {
        EXPECT_NEAR(AtmPressure(e[0]), e[1], 0.001);
        EXPECT_NEAR(Altitude(AtmPressure(e[0])), e[0], 1e-8);
    }
    EXPECT_NEAR(Altitude(kStd), 0, 1e-9);
}

// Every pair code rebuilds the state from the two values it names.
TEST(MoistAir, RoundTripThroughEveryPairCode) {
    struct Base {
        double pa, db, second;
        int pair;
    };
    const Base bases[] = {
        {kStd, 25, 17, 0}, {kStd, 40, 20, 0},  {kStd, 35, 0.9, 3}, {kStd, 5, 2, 0},
        {90, 60, 30, 0},   {kStd, -10, 0.6, 3}, {kStd, 12, 0.3, 3}, {110, 90, 0.05, 3},
    };
    for (const Base& b : bases) {
        const TAirState base = SetState(b.pa, b.db, b.second, b.pair);
        ASSERT_EQ(PsyStatus(), 0);
        for (int pair : kAllPairs) {
            SCOPED_TRACE("base " + std::to_string(b.db) + " pair " + std::to_string(pair));
            TAirState in;
            in.pa = base.pa;
            int first, second;
            ASSERT_TRUE(AirPairFields(pair, first, second));
            AirField(in, first) = AirField(base, first);
            AirField(in, second) = AirField(base, second);
            TAirState out;
            AirState(out, in, pair);
            EXPECT_EQ(PsyStatus(), 0);
            EXPECT_NEAR(out.wa, base.wa, 1e-9);
            EXPECT_NEAR(out.ha, base.ha, 1e-9);
            EXPECT_NEAR(out.db, base.db, 1e-6);
            EXPECT_NEAR(out.wb, base.wb, 1e-6);
            EXPECT_NEAR(out.td, base.td, 1e-6);
        }
    }
}

TEST(MoistAir, AirStateCarriesMassFlowAndMayOverwriteItsInput) {
    TAirState s = SetState(kStd, 25, 17, 0);
    EXPECT_EQ(s.ma, 0);
    const double w = s.wa;
    s.ma = 3.5;
    s.db = 30;  // new dry bulb, humidity ratio kept
    AirState(s, s, 2);
    EXPECT_EQ(s.ma, 3.5);
    EXPECT_EQ(s.db, 30);
    EXPECT_EQ(s.wa, w);
    EXPECT_GT(s.wb, 17);
}

// A march completes its air without the wet bulb and with a dew point close to the exact one;
// everything else is AirState's to the last bit, whatever dew point the record carried in.
TEST(MoistAir, MarchCompletionMatchesAirState) {
    struct Case {
        double pa, db, rh;
    };
    const Case cases[] = {
        {kStd, 25, 0.5},   {kStd, 0.02, 0.999}, {kStd, 0.5, 0.98}, {kStd, -20, 0.7},
        {kStd, 45, 0.05},  {70, 89, 0.97},      {120, 12, 1.0},    {kStd, -60, 0.01},
    };
    for (const Case& c : cases) {
        TAirState in = SetState(c.pa, c.db, c.rh, 3);
        in.ma = 2.5;
        for (double carried : {in.td, in.td - 0.3, in.td + 40, std::nan("")}) {
            SCOPED_TRACE(std::to_string(c.db) + " " + std::to_string(c.rh) + " from " +
                         std::to_string(carried));
            in.td = carried;
            TAirState full, march;
            AirState(full, in, 15);
            AirStateForMarch(march, in, 15);
            EXPECT_EQ(full.td, psy::DewPoint(full.pv));
            EXPECT_LE(std::fabs(march.td - full.td), 1e-12);
            EXPECT_EQ(psy::DewPoint(march.pv), full.td);
            EXPECT_TRUE(std::isnan(march.wb));
            for (int f = 0; f < kAirStateFields; ++f) {
                if (f == afWetBulb || f == afDewPoint) continue;
                EXPECT_EQ(AirField(march, f), AirField(full, f)) << f;
            }
        }
    }
}

TEST(MoistAir, WetBulbOfDryBulbAndRelativeHumidity) {
    const double wb = WetBulb(kStd, 25, 0.5, 3);
    const TAirState s = SetState(kStd, 25, wb, 0);
    EXPECT_NEAR(s.rh, 0.5, 1e-9);
    EXPECT_NEAR(wb, 17.9, 0.1);
    EXPECT_THROW(WetBulb(kStd, 25, 40, 8), std::invalid_argument);
}

TEST(MoistAir, UnknownPairCodes) {
    TAirState s;
    for (int pair : {-1, 6, 20, 27, 33}) {
        EXPECT_FALSE(IsAirPairCode(pair));
        EXPECT_THROW(SetState(s, kStd, 25, 17, pair), std::invalid_argument);
    }
}

TEST(MoistAir, StatusFlagsBadEvaluationsAndClearsOnGoodOnes) {
    struct Case {
        double a, b;
        int pair;
        int flag;
    };
    const Case cases[] = {
        {250, 0.001, 2, psyTemperatureRange},
        {-120, 0.0, 2, psyTemperatureRange},
        {25, -0.001, 2, psyNegativeHumidity},
        {25, 1.5, 3, psySupersaturated},
        {25, 0.05, 2, psySupersaturated},
        {0.01, 5000, 26, psyNotConverged},  // saturation pressure beyond the water line's range
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.pair);
        TAirState s;
        SetState(s, kStd, c.a, c.b, c.pair);
        EXPECT_NE(PsyStatus() & c.flag, 0);
        SetState(s, kStd, 25, 17, 0);
        EXPECT_EQ(PsyStatus(), 0);
    }
    // Slightly supersaturated air is still good.
    SetState(kStd, 25, 1.00005, 3);
    EXPECT_EQ(PsyStatus(), 0);
}

TEST(MoistAir, NonFiniteResultsAreCalculationErrors) {
    TAirState s;
    EXPECT_THROW(SetState(s, kStd, 0.01, 0, 25), CalcError);  // no relative humidity to divide by
    EXPECT_NE(PsyStatus(), 0);
    EXPECT_THROW(SetState(s, 0, 25, 17, 0), CalcError);
}

TEST(MoistAir, DryAirHasItsDewPointAtAbsoluteZero) {
    const TAirState s = SetState(kStd, 10, 0, 2);
    EXPECT_EQ(s.td, -273.15);
    EXPECT_EQ(PsyStatus(), 0);
}

class LeavingStateTest : public ::testing::Test {
protected:
    TAirState in = [] {
        TAirState s = SetState(kStd, 27, 19, 0);
        s.ma = 2.0;
        return s;
    }();
};

TEST_F(LeavingStateTest, LiesOnTheLineToTheApparatusDewPoint) {
    const double dh = -15, bf = 0.12;
    double adp = 10;
    TAirState out;
    LeavingState(out, in, 0, dh, bf, adp);
    EXPECT_EQ(PsyStatus(), 0);
    EXPECT_NEAR(out.ha, in.ha + dh, 1e-9);
    EXPECT_EQ(out.ma, 2.0);
    EXPECT_EQ(out.pa, in.pa);
    const TAirState sat = SetState(kStd, adp, 1.0, 3);
    // The apparatus dew point is saturated air whose enthalpy continues the line.
    EXPECT_NEAR(psy::SatEnthalpy(adp, kStd), (out.ha - bf * in.ha) / (1 - bf), 1e-6);
    EXPECT_NEAR((out.ha - sat.ha) / (in.ha - sat.ha), bf, 1e-6);
    EXPECT_NEAR((out.wa - sat.wa) / (in.wa - sat.wa), bf, 1e-9);
    EXPECT_LT(out.rh, 1);
    EXPECT_GT(adp, 5);
    EXPECT_LT(adp, in.td);

    // The solved dew point does not depend on where the search starts.
    double adp2 = 40;
    TAirState out2;
    LeavingState(out2, in, 0, dh, bf, adp2);
    EXPECT_NEAR(adp2, adp, 2e-9);
    EXPECT_NEAR(out2.wa, out.wa, 1e-12);
}

TEST_F(LeavingStateTest, FullBypassKeepsHumidityAndStartingPoint) {
    double adp = 7.5;
    TAirState out;
    LeavingState(out, in, 0, -3, 1.0, adp);
    EXPECT_EQ(adp, 7.5);
    EXPECT_EQ(out.wa, in.wa);
    EXPECT_NEAR(out.ha, in.ha - 3, 1e-12);
    EXPECT_LT(out.db, in.db);
}

TEST_F(LeavingStateTest, NeverLeavesSupersaturated) {
    // Sensible-only cooling far below the dew point, and a line extended past the dew point.
    struct Case {
        double dh, bf;
    };
    for (const Case c : {Case{-40, 1.0}, Case{-20, -0.5}}) {
        SCOPED_TRACE(c.bf);
        double adp = 10;
        TAirState out;
        LeavingState(out, in, 0, c.dh, c.bf, adp);
        EXPECT_NEAR(out.ha, in.ha + c.dh, 1e-6);
        EXPECT_NEAR(out.rh, 1, 1e-8);
        EXPECT_NEAR(out.wb, out.db, 1e-8);
        EXPECT_NEAR(out.td, out.db, 1e-8);
        EXPECT_LT(out.wa, in.wa);
        EXPECT_EQ(PsyStatus(), 0);
    }
}

}  // namespace
}  // namespace qdx
