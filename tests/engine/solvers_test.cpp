#include <gtest/gtest.h>

#include <cmath>

#include "engine/solvers.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

TEST(RootFinder, ConvergesOnSmoothResidual) {
    int calls = 0;
    TRoot root([&](double x) {
        ++calls;
        return x * x - 2;
    });
    const double x = root.FindRoot(1.0);
    EXPECT_EQ(root.RootStatus, TRoot::rsConverged);
    EXPECT_NEAR(x, std::sqrt(2.0), 1e-6);
    EXPECT_LE(std::fabs(root.LastResidual), 1e-6);
    EXPECT_GT(root.Iterations, 0);
    // The numeric slope costs two evaluations, then one per step.
    EXPECT_EQ(calls, 2 + root.Iterations);
}

TEST(RootFinder, StartPointWithinToleranceIsReturnedUnchanged) {
    int calls = 0;
    TRoot root([&](double x) {
        ++calls;
        return x - 3.0000000001;
    });
    EXPECT_EQ(root.FindRoot(3.0), 3.0);
    EXPECT_EQ(root.RootStatus, TRoot::rsConverged);
    EXPECT_EQ(root.Iterations, 0);
    EXPECT_EQ(calls, 2);
}

TEST(RootFinder, FlatStartGivesZeroSlopeStatus) {
    TRoot root([](double) { return 5.0; });
    EXPECT_EQ(root.FindRoot(2.5), 2.5);
    EXPECT_EQ(root.RootStatus, TRoot::rsZeroSlope);
}

TEST(RootFinder, IterationLimitWinsOverConvergenceOnTheLastStep) {
    // A straight line converges on the first (Newton) step.
    auto line = [](double x) { return 2 * x - 3; };
    TRoot limited(line);
    limited.SetLimits(0, 1e-6);
    EXPECT_NEAR(limited.FindRoot(0), 1.5, 1e-9);
    EXPECT_EQ(limited.RootStatus, TRoot::rsIterationLimit);
    EXPECT_EQ(limited.Iterations, 1);

    TRoot free(line);
    free.SetLimits(1, 1e-6);
    EXPECT_NEAR(free.FindRoot(0), 1.5, 1e-9);
    EXPECT_EQ(free.RootStatus, TRoot::rsConverged);
    EXPECT_EQ(free.Iterations, 1);
}

TEST(RootFinder, StopsWhenTheResidualNoLongerChanges) {
    // Beyond 1 the residual is constant, so the second step changes nothing.
    TRoot root([](double x) { return x < 1 ? x - 2 : -0.5; });
    root.FindRoot(0);
    EXPECT_EQ(root.RootStatus, TRoot::rsStalled);
}

TEST(RootFinder, ReachesTheIterationLimitWithoutThrowing) {
    // An oscillating residual with no root.
    TRoot root([](double x) { return 1 + x * x; });
    root.SetLimits(5, 1e-12);
    const double x = root.FindRoot(1);
    EXPECT_EQ(root.RootStatus, TRoot::rsIterationLimit);
    EXPECT_EQ(root.Iterations, 6);
    EXPECT_TRUE(std::isfinite(x));
}

TEST(RootFinder, UsesTheCallersSlope) {
    int slopeCalls = 0;
    TRoot* self = nullptr;
    auto residual = [](double x) { return std::exp(x) - 2; };
    TRoot root(residual, [&](double x) {
        ++slopeCalls;
        self->LastResidual = residual(x);
        return std::exp(x);
    });
    self = &root;
    EXPECT_NEAR(root.FindRoot(0), std::log(2.0), 1e-6);
    EXPECT_EQ(root.RootStatus, TRoot::rsConverged);
    EXPECT_EQ(slopeCalls, 1);
}

TEST(RootFinder, NumericSlopeStepAndResidual) {
    TRoot root([](double x) { return x * x; });
    EXPECT_NEAR(root.NumericSlope(10), 20, 0.01);
    EXPECT_DOUBLE_EQ(root.Step, (10 + 3.44e-3) - 10);
    EXPECT_EQ(root.LastResidual, 100);
    root.NumericSlope(0);
    EXPECT_EQ(root.Step, 3.44e-4);
}

TEST(ScalarFunctions, Table) {
    EXPECT_EQ(SafeQuotient(7, 2, 3), 1.5);
    EXPECT_EQ(SafeQuotient(7, 0, -3), -7);
    EXPECT_EQ(SafeQuotient(7, 0, 0), 7);
    EXPECT_EQ(SignOf(0), 1);
    EXPECT_EQ(SignOf(-1e-300), -1);
    EXPECT_EQ(FloatRemainder(3, 10.5), 1);
    EXPECT_EQ(FloatRemainder(3, -10.5), -1);
    EXPECT_EQ(Lerp(0.25, 10, 30), 15);
    EXPECT_EQ(InverseLerp(15, 10, 30), 0.25);
    EXPECT_THROW(InverseLerp(1, 2, 2), CalcError);
    EXPECT_EQ(RoundUpToMultiple(0, 500, 1200), 1500);
    EXPECT_EQ(RoundUpToMultiple(0, 500, 1000), 1000);
    EXPECT_EQ(RoundUpToMultiple(0.1, 500, 1020), 1000);  // within tolerance of a multiple
    EXPECT_EQ(RoundUpToMultiple(0, 500, -1200), -1000);
}

}  // namespace
}  // namespace qdx
