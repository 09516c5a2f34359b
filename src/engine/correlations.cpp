#include "engine/correlations.hpp"

#include <cmath>

#include "fluids/liquid.hpp"
#include "units/errors.hpp"

namespace qdx {

double TubeVelocity(const TTubeSideGeometry& tube, const TFluid& liquid) {
    return CheckFinite(std::fabs(liquid.m / liquid.ro / tube.FlowArea), "Invalid tube velocity");
}

double InsideFilmCoefficient(const TTubeSideGeometry& tube, const TFluid& liquid, bool heated) {
    const double v = TubeVelocity(tube, liquid);
    const double re = liquid.ro * v * tube.ID / liquid.mu;
    const double n = heated ? 0.4 : 0.3;
    const double hi = 0.026 * std::pow(re, 0.8) * std::pow(liquid.Pr, n) * liquid.Ko / tube.ID;
    return CheckFinite(hi, "Invalid inside coefficient");
}

double PlateFinCoefficient(const TAirSideGeometry& g, const TAirState& air, TAirSideResult& r) {
    const double s = g.FinGap;
    const double l = g.EquivalentFinHeight;
    const double dh = g.HydraulicDiameter;
    const double G = air.ma / (g.Sigma * g.FaceArea);
    const double re = G * dh / air.mu;
    const double pr = air.mu * air.cp / air.k;
    const double n = -0.323 * std::pow(g.tf / l, 0.049) * std::pow(s / g.tf, 0.077);
    const double j = 0.159 * std::pow(g.tf / l, 0.141) * std::pow(dh / g.tf, 0.065) * std::pow(re, n);
    const double h = 0.85 * G * air.cp * j * std::pow(pr, -0.667);
    const double nu = h * dh / air.k;
    r = TAirSideResult{dh, G, re, pr, nu, j, h};
    double result = h;
    if (g.tp == 1) {
        TAirSideGeometry staggered = g;
        staggered.tp = 0;
        result = h * TubeBankCoefficient(g, air) / TubeBankCoefficient(staggered, air);
    }
    return CheckFinite(result, "Invalid outside coefficient");
}

double TubeBankCoefficient(const TAirSideGeometry& g, const TAirState& air) {
    const double dc = g.CollarDiameter;
    const double n = g.Rows;
    const double r = g.Sy / g.Sx;
    const double G = air.ma / (g.Sigma * g.FaceArea);
    const double re = G * dc / air.mu;
    const double pr = air.mu * air.cp / air.k;
    double f = 1;
    double c, m, z;
    if (g.tp == 1) {
        if (re <= 1000) {
            c = 0.52;
            m = 0.5;
        } else if (re > 200000) {
            c = 0.033;
            m = 0.8;
        } else {
            c = 0.27;
            m = 0.63;
        }
        z = (0.95 + std::pow(n, 1.36)) / (1.8 + std::pow(n, 1.36));
    } else {
        if (re <= 1000) {
            c = 0.71;
            m = 0.5;
        } else if (re > 200000) {
            c = 0.031;
            m = 0.8;
            f = std::pow(r, 0.2);
        } else if (r > 2) {
            c = 0.4;
            m = 0.6;
        } else {
            c = 0.35;
            m = 0.6;
            f = std::pow(r, 0.2);
        }
        z = (0.94 + std::pow(n, 1.45)) / (2 + std::pow(n, 1.45));
    }
    const double nu = c * std::pow(re, m) * f * std::pow(pr, 0.34) * z;
    return CheckFinite(nu * air.k / dc, "Invalid tube bank coefficient");
}

double CounterflowEffectiveness(double ntu, double cr) {
    if (cr == 0) return 1 - std::exp(-ntu);
    // Only for Cr > 1 can the exponential overflow; the effectiveness then tends to 1/Cr (the
    // liquid side limits the duty), not to 1.
    const double fallback = cr > 1 ? 1 / cr : ntu / (ntu + 0.5);
    double result;
    if (cr == 1) {
        result = ntu / (1 + ntu);
    } else {
        const double e = std::exp(-ntu * (1 - cr));
        const double ce = cr * e;
        if (!std::isfinite(ce)) return fallback;
        if (std::fabs(ce - 1) < 1e-9)
            result = ntu / (1 + ntu);
        else
            result = (1 - e) / (1 - ce);
    }
    return std::isfinite(result) ? result : fallback;
}

double LogMeanTempDiff(double airIn, double airOut, double liquidIn, double liquidOut) {
    const double d1 = airIn - liquidOut;
    const double d2 = airOut - liquidIn;
    if (d1 == 0 || d2 == 0) return 0;
    if (d1 == d2) return d1;
    if (d1 / d2 <= 0) return 0;
    return (d1 - d2) / std::log(d1 / d2);
}

double FrictionFactor(double eps, double d, double re, double f0) {
    if (re >= 2300) {
        if (eps == 0) {
            double x = f0 == 0 ? 7.0 : 1 / std::sqrt(f0);
            for (int i = 0; i <= 20; ++i) {
                const double next = 2 * std::log10(re / x) - 0.8;
                const bool done = std::fabs(next - x) <= 1e-6;
                x = next;
                if (done) break;
            }
            return 1 / (x * x);
        }
        const double r = eps / d;
        const double rough = 1 / std::pow(1.14 - 2 * std::log10(r), 2);
        if (f0 == 0) f0 = rough;
        if (std::sqrt(f0) * re * r > 200) return rough;
        const double a = r / 3.7;
        const double b = 2.51 / re;
        auto F = [&](double x) { return x + 2 * std::log10(a + b * x); };
        double x = 1 / std::sqrt(f0);
        double q = (b * x + a) / ((0.868588963 + x) * b + a);
        double F0 = F(x);
        for (int i = 0; i < 21; ++i) {
            const double step = -q * F0;
            x += step;
            const double F1 = F(x);
            double dd = step * q * (F1 - F0);
            if (std::fabs(dd) < 1e-12) dd = dd < 0 ? -1e-12 : 1e-12;
            q -= q * (dd - step * step) / dd;
            F0 = F1;
            if (std::fabs(F1) <= 1e-6) break;
        }
        return 1 / (x * x);
    }
    if (re > 0) {
        const double f = 64 / re;
        return f > 1 ? 0.02 : f;
    }
    return (f0 >= 0 && f0 <= 1) ? f0 : 0.02;
}

int NominalPipeSize(double massFlow) {
    const double value = 27 * std::pow(std::fabs(massFlow), 0.45);
    for (int size : kNominalPipeSizes)
        if (size >= value) return size;
    return 750;
}

}  // namespace qdx
