#pragma once
// One-dimensional root finding (a Newton start, then secant steps) and the small scalar helpers
// the engine shares.

#include <cstdint>
#include <functional>

namespace qdx {

// The smallest change of residual between two points that still counts as progress.
inline constexpr double kMinResidualChange = 1e-20;

class TRoot {
public:
    using Function = std::function<double(double)>;

    // RootStatus values.
    static constexpr std::uint8_t rsRunning = 0;
    static constexpr std::uint8_t rsConverged = 4;
    static constexpr std::uint8_t rsIterationLimit = 8;
    static constexpr std::uint8_t rsZeroSlope = 11;
    static constexpr std::uint8_t rsStalled = 14;

    // Without a slope function the numeric slope is used. A slope function of the caller's must
    // also store the residual at its point in LastResidual, as NumericSlope does: the first
    // convergence test reads it.
    explicit TRoot(Function residual, Function slope = nullptr);

    void SetLimits(std::int32_t maxIterations, double tolerance) {
        MaxIterations = maxIterations;
        Tolerance = tolerance;
    }

    // Forward difference with a step relative to x; stores the residual at x in LastResidual.
    double NumericSlope(double x);

    // The root estimate from start x0. Never throws on non-convergence: RootStatus and
    // Iterations tell how the search ended and the last point is returned.
    double FindRoot(double x0);

    Function ResidualFn;
    Function SlopeFn;
    double LastResidual = 0;
    double Tolerance = 1e-6;  // bound on |residual|
    double Step = 0;          // last step, also the increment of NumericSlope
    std::int32_t MaxIterations = 50;
    std::int32_t Iterations = 0;
    std::uint8_t RootStatus = rsRunning;
};

// n/d when d is not 0; otherwise fallback with the sign of n.
double SafeQuotient(double fallback, double d, double n);
// 1 for x >= 0, else -1.
double SignOf(double x);
// Integer part of (x - m * integer part of (x/m)).
double FloatRemainder(double m, double x);
// a + (b - a) * f.
double Lerp(double f, double a, double b);
// (x - a)/(b - a); throws CalcError when a equals b.
double InverseLerp(double x, double a, double b);
// x rounded up to a multiple of m, unless x/m lies within |tol| above a whole number.
double RoundUpToMultiple(double tol, double m, double x);

}  // namespace qdx
