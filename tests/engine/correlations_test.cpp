#include <gtest/gtest.h>

#include <cmath>

#include "engine/correlations.hpp"

namespace qdx {
namespace {

TEST(Effectiveness, ClosedFormsAndOverflowFallback) {
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(2, 0), 1 - std::exp(-2.0));
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(2, 1), 2.0 / 3.0);
    // Cr = 0.5, Ntu = 1: (1 - e^-0.5) / (1 - 0.5 e^-0.5).
    const double e = std::exp(-0.5);
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(1, 0.5), (1 - e) / (1 - 0.5 * e));
    // Cr = 2 with a large Ntu overflows the exponential (or Cr times it): the effectiveness
    // tends to 1/Cr there.
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(800, 2), 0.5);
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(709.5, 2), 0.5);
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(1e6, 53.5), 1 / 53.5);
    // Cr = 2 with a small Ntu is still the closed form.
    const double e2 = std::exp(1.0);
    EXPECT_DOUBLE_EQ(CounterflowEffectiveness(1, 2), (1 - e2) / (1 - 2 * e2));
}

TEST(FrictionFactor, Branches) {
    EXPECT_DOUBLE_EQ(FrictionFactor(1.5e-6, 0.0125, 2299.9, 0.015), 64 / 2299.9);
    // Turbulent Colebrook: the result satisfies the equation.
    const double f = FrictionFactor(1.5e-6, 0.0125, 2300, 0.015);
    const double x = 1 / std::sqrt(f);
    EXPECT_NEAR(x + 2 * std::log10(1.5e-6 / 0.0125 / 3.7 + 2.51 / 2300 * x), 0, 1e-6);
    // Smooth tube law: 1/sqrt(f) = 2 log10(Re sqrt(f)) - 0.8.
    const double fs = FrictionFactor(0, 0.0125, 1e5, 0);
    EXPECT_NEAR(1 / std::sqrt(fs), 2 * std::log10(1e5 * std::sqrt(fs)) - 0.8, 1e-6);
    // Fully rough.
    const double r = 0.01;
    EXPECT_DOUBLE_EQ(FrictionFactor(r, 1, 1e8, 0), 1 / std::pow(1.14 - 2 * std::log10(r), 2));
    // Laminar with a tiny Reynolds number, and no flow.
    EXPECT_DOUBLE_EQ(FrictionFactor(1.5e-6, 0.0125, 10, 0.015), 0.02);
    EXPECT_DOUBLE_EQ(FrictionFactor(1.5e-6, 0.0125, 0, 0.015), 0.015);
    EXPECT_DOUBLE_EQ(FrictionFactor(1.5e-6, 0.0125, 0, 3), 0.02);
}

TEST(PipeSize, NominalSizes) {
    EXPECT_EQ(NominalPipeSize(2), 40);  // 27 * 2^0.45 = 36.9
    EXPECT_EQ(NominalPipeSize(0), 15);
    EXPECT_EQ(NominalPipeSize(-2), 40);
    EXPECT_EQ(NominalPipeSize(1e6), 750);
}

TEST(LogMeanTempDiff, Cases) {
    EXPECT_DOUBLE_EQ(LogMeanTempDiff(25, 15, 5, 15), 10);  // equal differences
    EXPECT_DOUBLE_EQ(LogMeanTempDiff(25, 12, 6, 25), 0);   // d1 = 0
    EXPECT_DOUBLE_EQ(LogMeanTempDiff(25, 4, 6, 12), 0);    // opposite signs
    EXPECT_NEAR(LogMeanTempDiff(25, 12, 6, 11), (14.0 - 6.0) / std::log(14.0 / 6.0), 1e-12);
}

}  // namespace
}  // namespace qdx
