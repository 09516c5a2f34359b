#include <gtest/gtest.h>

#include <cmath>
#include <string>

#include "fluids/liquid_correlations.hpp"

namespace qdx {
namespace {

TTransportProps Eval(int index, double t, double pBar = 5.0, int* flag = nullptr) {
    TTransportProps p;
    const int f = EvaluateLiquid(index, t, pBar, p);
    if (flag) *flag = f;
    return p;
}

TEST(CleanWater, MatchesReferenceValuesAt20C) {
    int flag = -1;
    const TTransportProps p = Eval(liWater, 20.0, 5.0, &flag);
    EXPECT_EQ(flag, 0);
    EXPECT_EQ(p.name, "Clean Water");
    EXPECT_EQ(p.shortName, "Water");
    EXPECT_NEAR(p.ro, 998.05, 0.005);
    EXPECT_NEAR(p.Cp, 4.1833, 0.00005);
    EXPECT_NEAR(p.mu, 0.0009999, 0.00000005);
    EXPECT_NEAR(p.Ko, 0.0006032, 0.00000005);
    EXPECT_NEAR(p.Cp * p.mu / p.Ko, 6.93, 0.005);
}

// Saturated liquid water at atmospheric pressure (steam tables); the correlations were fitted
// to such data and hold density to a few hundredths of a percent, specific heat to a tenth,
// viscosity and conductivity to about one and a half percent.
TEST(CleanWater, AgreesWithSteamTables) {
    struct Row {
        double t, ro, cp, mu, k;  // °C, kg/m³, kJ/(kg·K), Pa·s, W/(m·K)
    };
    const Row rows[] = {
        {10, 999.70, 4.1921, 1.3059e-3, 0.5800}, {20, 998.21, 4.1818, 1.0016e-3, 0.5984},
        {40, 992.22, 4.1785, 0.6527e-3, 0.6306}, {60, 983.20, 4.1843, 0.4665e-3, 0.6506},
        {80, 971.80, 4.1964, 0.3544e-3, 0.6700},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.t);
        const TTransportProps p = Eval(liWater, r.t);
        EXPECT_NEAR(p.ro / r.ro, 1.0, 0.0005);
        EXPECT_NEAR(p.Cp / r.cp, 1.0, 0.001);
        EXPECT_NEAR(p.mu / r.mu, 1.0, 0.015);
        EXPECT_NEAR(p.Ko * 1000.0 / r.k, 1.0, 0.015);
    }
}

TEST(CleanWater, ClampsViscosityAndConductivityJustInsideTheRange) {
    int flag = -1;
    const TTransportProps cold = Eval(liWater, -5.0, 5.0, &flag);
    EXPECT_EQ(flag, 1);
    const TTransportProps atLowClamp = Eval(liWater, 0.01);
    EXPECT_EQ(cold.mu, atLowClamp.mu);
    EXPECT_EQ(cold.Ko, atLowClamp.Ko);
    // Density and specific heat keep following their polynomials.
    const TTransportProps zero = Eval(liWater, 0.0);
    EXPECT_NE(cold.ro, zero.ro);
    EXPECT_NEAR(cold.ro, 1000.0118 - 5 * 0.0090785827 - 25 * 0.0056365427 - 125 * 1.3593032e-05,
                1e-9);
    EXPECT_GT(cold.Cp, zero.Cp);

    const TTransportProps hot = Eval(liWater, 320.0, 5.0, &flag);
    EXPECT_EQ(flag, 1);
    const TTransportProps atHighClamp = Eval(liWater, 299.99);
    EXPECT_EQ(hot.mu, atHighClamp.mu);
    EXPECT_EQ(hot.Ko, atHighClamp.Ko);
    EXPECT_NE(hot.ro, atHighClamp.ro);

    // Exactly on a limit is in range and unclamped.
    EXPECT_EQ(EvaluateLiquid(liWater, 0.0, 5.0, SharedTransportProps()), 0);
    EXPECT_EQ(EvaluateLiquid(liWater, 300.0, 5.0, SharedTransportProps()), 0);
    EXPECT_NE(zero.mu, atLowClamp.mu);
}

// The lower-clamped power laws move to just above the limit already at the limit itself, and
// have no upper clamp.
TEST(NamedLiquids, LowerClampedPowerLaws) {
    for (int index : {liEthyleneGlycol, liCalciumChloride, liEngineOil, liGlycerin}) {
        SCOPED_TRACE(index);
        const TTransportProps atLower = Eval(index, Eval(index, 0).tLower);
        const TTransportProps justAbove = Eval(index, atLower.tLower + 0.01);
        const TTransportProps below = Eval(index, atLower.tLower - 20.0);
        EXPECT_EQ(atLower.mu, justAbove.mu);
        EXPECT_EQ(below.mu, justAbove.mu);
        EXPECT_NE(below.ro, justAbove.ro);
    }
    int flag = -1;
    const TTransportProps hot = Eval(liEthyleneGlycol, 120.0, 5.0, &flag);
    EXPECT_EQ(flag, 1);
    EXPECT_DOUBLE_EQ(hot.mu, std::pow(0.018701052 + 0.000459611 * 120.0, -1.0 / 0.35903647) * 1e-6);
    EXPECT_LT(hot.mu, Eval(liEthyleneGlycol, 100.0).mu);
}

TEST(NamedLiquids, CarbonDioxideSpecificHeatStopsAtItsRange) {
    // The specific heat's pole lies at 31.67 degC, just above the 30 degC limit (1313 at 31.6,
    // -1066 at 31.7 unclamped): outside the range it keeps its value at the limit, and the
    // liquid stays out of range.
    for (double t : {31.6, 31.7, 40.0}) {
        int flag = -1;
        const TTransportProps p = Eval(liCarbonDioxide, t, 5.0, &flag);
        EXPECT_EQ(flag, 1) << t;
        EXPECT_EQ(p.Cp, Eval(liCarbonDioxide, 30.0).Cp) << t;
        EXPECT_NE(p.ro, Eval(liCarbonDioxide, 30.0).ro) << t;
    }
    EXPECT_EQ(Eval(liCarbonDioxide, -120.0).Cp, Eval(liCarbonDioxide, -50.0).Cp);
    const double t = 20.0;
    EXPECT_DOUBLE_EQ(Eval(liCarbonDioxide, t).Cp,
                     (2.4451618 + 0.000675234 * t) / (1 - 0.021276186 * t - 0.000326264 * t * t));
}

TEST(NamedLiquids, NamesRangesAndInclusiveLimits) {
    struct Row {
        int index;
        const char* list;
        const char* name;
        const char* shortName;
        double lower, upper;
    };
    const Row rows[] = {
        {0, "Water", "Clean Water", "Water", 0, 300},
        {1, "Thermal Oil", "Shell Thermia B", "Thermal Oil", 0, 300},
        {2, "Engine Oil", "Engine Oil", "Eng Oil", 0, 300},
        {3, "Glycerin", "Glycerin", "Glycerin", 0, 50},
        {4, "Ethylene Glycol", "Pure Ethylene Glycol", "Eth Glycol", 0, 100},
        {5, "Calcium Chloride", "Pure Calcium Chloride", "CaCl", -50, 50},
        {6, "Sulphur Dioxide", "Sulphur Dioxide", "SO2", -50, 50},
        {7, "Mercury", "Mercury", "Mercury", 0, 316},
        {8, "Liquid Ammonia", "Liquid Ammonia", "Liq NH3", -50, 50},
        {9, "Liquid Carbon Dioxide", "Liquid Carbon Dioxide", "Liq CO2", -50, 30},
        {10, "Methylchloride", "Methylchloride", "CH3Cl", -50, 50},
        {11, "Freon - Liquid R12", "liquid Freon R12", "Liq R12", -50, 50},
        {12, "Condensed Steam", "Condensed steam", "Liq Steam", 0, 300},
        {13, "Compressed Air", "Compressed Air (5.0-bar)", "Comp Air", 50, 400},
    };
    for (const Row& r : rows) {
        SCOPED_TRACE(r.list);
        EXPECT_EQ(LiquidListName(r.index), r.list);
        int flag = -1;
        const TTransportProps p = Eval(r.index, r.lower, 5.0, &flag);
        EXPECT_EQ(flag, 0);
        EXPECT_EQ(p.name, r.name);
        EXPECT_EQ(p.shortName, r.shortName);
        EXPECT_EQ(p.tLower, r.lower);
        EXPECT_EQ(p.tUpper, r.upper);
        EXPECT_GT(p.ro, 0);
        EXPECT_GT(p.Cp, 0);
        EXPECT_GT(p.mu, 0);
        EXPECT_GT(p.Ko, 0);
        Eval(r.index, r.upper, 5.0, &flag);
        EXPECT_EQ(flag, 0);
        Eval(r.index, r.lower - 0.001, 5.0, &flag);
        EXPECT_EQ(flag, 1);
        Eval(r.index, r.upper + 0.001, 5.0, &flag);
        EXPECT_EQ(flag, 1);
    }
    EXPECT_EQ(LiquidListName(14), "");
    EXPECT_EQ(AdditiveListName(0), "None");
    EXPECT_EQ(AdditiveListName(1), "EthyleneGlycol");
    EXPECT_EQ(AdditiveListName(2), "PropyleneGlycol");
    EXPECT_EQ(AdditiveListName(3), "CalciumChloride");
    EXPECT_EQ(AdditiveListName(4), "");
}

TEST(NamedLiquids, CompressedAirUsesPressure) {
    int flag = -1;
    const TTransportProps p = Eval(liCompressedAir, 20.0, 5.0, &flag);
    EXPECT_EQ(flag, 1);  // below 50 °C
    EXPECT_NEAR(p.ro, 5.94, 0.005);
    EXPECT_EQ(p.name, "Compressed Air (5.0-bar)");
    const TTransportProps q = Eval(liCompressedAir, 20.0, 7.25);
    EXPECT_EQ(q.name, "Compressed Air (7.3-bar)");
    EXPECT_DOUBLE_EQ(q.ro / p.ro, 7.25 / 5.0);
    EXPECT_EQ(q.Cp, p.Cp);
}

TEST(NamedLiquids, SharedRecordHoldsTheLastEvaluation) {
    EvaluateLiquid(liMercury, 20.0);
    EXPECT_EQ(SharedTransportProps().name, "Mercury");
    EXPECT_EQ(EvaluateLiquid(liWater, -1.0), 1);
    EXPECT_EQ(SharedTransportProps().name, "Clean Water");

    // An index outside the list touches nothing.
    TTransportProps p = Eval(liGlycerin, 20.0);
    const double ro = p.ro;
    EXPECT_FALSE(IsLiquidIndex(14));
    EXPECT_EQ(EvaluateLiquid(14, 500.0, 5.0, p), 0);
    EXPECT_EQ(p.name, "Glycerin");
    EXPECT_EQ(p.ro, ro);
}

TEST(Mixtures, EthyleneGlycolThirtyPercentAtZero) {
    TMixtureProps m;
    EXPECT_EQ(EvaluateMixture(waEthyleneGlycol, 0.3, 0.0, m), 0);
    EXPECT_NEAR(m.ro, 1051.6, 0.05);
    EXPECT_NEAR(m.Cp, 3.591, 0.0005);
    EXPECT_NEAR(m.mu, 0.004263, 0.0000005);
    EXPECT_NEAR(m.Ko, 0.0004291, 0.00000005);
}

TEST(Mixtures, RangeIsMinus30To300AndAdditivesBehavePhysically) {
    TMixtureProps m;
    for (int a : {1, 2, 3}) {
        SCOPED_TRACE(a);
        EXPECT_EQ(EvaluateMixture(a, 0.2, -30.0, m), 0);
        EXPECT_EQ(EvaluateMixture(a, 0.2, 300.0, m), 0);
        EXPECT_EQ(EvaluateMixture(a, 0.2, -30.5, m), 1);
        EXPECT_EQ(EvaluateMixture(a, 0.2, 300.5, m), 1);
        // More additive: denser, more viscous, lower specific heat, than less at 10 °C.
        TMixtureProps lean, rich;
        EvaluateMixture(a, 0.1, 10.0, lean);
        EvaluateMixture(a, 0.3, 10.0, rich);
        EXPECT_GT(rich.ro, lean.ro);
        EXPECT_GT(rich.mu, lean.mu);
        EXPECT_LT(rich.Cp, lean.Cp);
    }
    // An unknown additive leaves the record as it was.
    m = TMixtureProps{1, 2, 3, 4};
    EXPECT_EQ(EvaluateMixture(0, 0.3, 500.0, m), 0);
    EXPECT_EQ(m.ro, 1);
    EXPECT_EQ(m.Ko, 4);
}

}  // namespace
}  // namespace qdx
