#include "engine/solvers.hpp"

#include <cmath>
#include <utility>

#include "units/errors.hpp"

namespace qdx {

TRoot::TRoot(Function residual, Function slope)
    : ResidualFn(std::move(residual)), SlopeFn(std::move(slope)) {
    if (!SlopeFn) SlopeFn = [this](double x) { return NumericSlope(x); };
}

double TRoot::NumericSlope(double x) {
    double h = 3.44e-4 * std::fabs(x);
    if (h == 0) h = 3.44e-4;
    const double x1 = x + h;
    // The increment actually representable at x.
    Step = x1 - x;
    LastResidual = ResidualFn(x);
    return (ResidualFn(x1) - LastResidual) / Step;
}

double TRoot::FindRoot(double x0) {
    Iterations = 0;
    double x = x0;
    const double s = SlopeFn(x);
    if (std::fabs(LastResidual) <= Tolerance) {
        RootStatus = rsConverged;
        return x0;
    }
    if (s == 0) {
        RootStatus = rsZeroSlope;
        return x0;
    }
    double q = 1 / s;  // inverse slope: Newton for the first step, secant after it
    RootStatus = rsRunning;
    while (RootStatus == rsRunning) {
        const double f0 = LastResidual;
        Step = -q * f0;
        x += Step;
        LastResidual = ResidualFn(x);
        const double df = LastResidual - f0;
        if (std::fabs(df) < kMinResidualChange) {
            RootStatus = rsStalled;
            break;
        }
        q += (Step - q * df) / df;
        if (std::fabs(LastResidual) <= Tolerance) RootStatus = rsConverged;
        if (Iterations >= MaxIterations) RootStatus = rsIterationLimit;
        ++Iterations;
    }
    return x;
}

double SafeQuotient(double fallback, double d, double n) {
    if (d != 0) return n / d;
    return fallback * SignOf(n);
}

double SignOf(double x) { return x >= 0 ? 1.0 : -1.0; }

double FloatRemainder(double m, double x) {
    return CheckFinite(std::trunc(x - m * std::trunc(x / m)), "Invalid remainder");
}

double Lerp(double f, double a, double b) { return a + (b - a) * f; }

double InverseLerp(double x, double a, double b) {
    return CheckFinite((x - a) / (b - a), "Division by zero in interpolation");
}

double RoundUpToMultiple(double tol, double m, double x) {
    double q = CheckFinite(x / m, "Division by zero in rounding");
    const double frac = q - std::trunc(q);
    if (frac >= 0 && frac > std::fabs(tol)) q += 1;
    return m * std::trunc(q);
}

}  // namespace qdx
