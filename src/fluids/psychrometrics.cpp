#include "fluids/psychrometrics.hpp"

#include <algorithm>
#include <cmath>
#include <limits>
#include <stdexcept>
#include <string>

#include "units/errors.hpp"

namespace qdx {

namespace {

constexpr double kKelvin = 273.15;
constexpr double kAbsoluteZero = -273.15;
// The lowest temperature the inner solvers look at: 1 K, where every saturation pressure has
// long underflowed but the logarithmic form is still finite.
constexpr double kLowestT = -272.15;
constexpr double kHighestT = 200.0;
constexpr double kTempTolerance = 1e-9;  // K, every inner temperature solve
constexpr double kMw = 0.621945;         // ratio of the molar masses of water and dry air
constexpr double kInf = std::numeric_limits<double>::infinity();
constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

thread_local int g_status = 0;

// ln of the saturation pressure in Pa: over ice up to the triple point, over water above. The
// terms are summed in the order the equations are published, so that the last digits agree with
// other implementations of them.
double LnPws(double t) {
    const double T = t + kKelvin;
    if (t <= 0.01) {
        return -5.6745359e3 / T + 6.3925247 + -9.677843e-3 * T + 6.2215701e-7 * T * T +
               2.0747825e-9 * T * T * T + -9.484024e-13 * T * T * T * T + 4.1635019 * std::log(T);
    }
    return -5.8002206e3 / T + 1.3914993 + -4.8640239e-2 * T + 4.1764768e-5 * T * T +
           -1.4452093e-8 * T * T * T + 6.5459673 * std::log(T);
}

double Pws(double t) { return std::exp(LnPws(t)) * 0.001; }

// The slope of LnPws, 1/K.
double LnPwsSlope(double t) {
    const double T = t + kKelvin;
    if (t <= 0.01) {
        return 5.6745359e3 / (T * T) - 9.677843e-3 + 2 * 6.2215701e-7 * T +
               3 * 2.0747825e-9 * T * T - 4 * 9.484024e-13 * T * T * T + 4.1635019 / T;
    }
    return 5.8002206e3 / (T * T) - 4.8640239e-2 + 2 * 4.1764768e-5 * T -
           3 * 1.4452093e-8 * T * T + 6.5459673 / T;
}

// Humidity ratio at saturation for the inner solvers: air at or above its boiling point holds
// unlimited vapour, which keeps the residuals monotone without faulting.
double WsOrInf(double t, double p) {
    const double pws = Pws(t);
    if (pws >= p) return kInf;
    return kMw * pws / (p - pws);
}

double WOfWetBulb(double db, double wb, double p) {
    const double ws = WsOrInf(wb, p);
    if (wb >= 0) return ((2501 - 2.326 * wb) * ws - 1.006 * (db - wb)) / (2501 + 1.86 * db - 4.186 * wb);
    return ((2830 - 0.24 * wb) * ws - 1.006 * (db - wb)) / (2830 + 1.86 * db - 2.1 * wb);
}

double HsOrInf(double t, double p) {
    const double ws = WsOrInf(t, p);
    if (std::isinf(ws)) return kInf;
    return 1.006 * t + ws * (2501 + 1.86 * t);
}

// Bisection of an increasing function on [lo, hi] down to a bracket of kTempTolerance. When
// the ends do not enclose a root, x is the end nearer to one and the solve has failed.
template <typename F>
bool Bisect(F f, double lo, double hi, double& x) {
    double flo = f(lo);
    double fhi = f(hi);
    if (flo == 0) {
        x = lo;
        return true;
    }
    if (fhi == 0) {
        x = hi;
        return true;
    }
    if (!(flo < 0) || !(fhi > 0)) {
        x = (fhi < 0) ? hi : lo;
        return hi - lo <= kTempTolerance;
    }
    while (hi - lo > kTempTolerance) {
        const double m = 0.5 * (lo + hi);
        if (m <= lo || m >= hi) break;
        const double fm = f(m);
        if (fm < 0) {
            lo = m;
            flo = fm;
        } else {
            hi = m;
            fhi = fm;
        }
    }
    // Over so short a bracket the function is straight to rounding: interpolate, so that the
    // properties derived from the root carry no trace of the bracket's width.
    x = lo - flo * (hi - lo) / (fhi - flo);
    if (!(x >= lo && x <= hi)) x = 0.5 * (lo + hi);
    return true;
}

// How far a guessed root may lie from the true one and still guide BisectNear, K: far above
// the rounding of a converged guess, far below the bisection's own tolerance.
constexpr double kGuideMargin = 1e-10;

// Bisect(f, lo, hi, x) to the last bit, for an increasing f whose root lies within
// kGuideMargin of guess, at a fraction of its cost: every midpoint farther than the margin
// from the guess takes its side without an evaluation of f, and only the midpoints near the
// guess and the two final ends are evaluated. False, with x untouched, when the signs at the
// final ends show that the guess misled it (or when an end of [lo, hi] is one of them, where
// Bisect's checks of the ends decide); the caller then bisects plainly.
template <typename F>
bool BisectNear(F f, double lo, double hi, double guess, double& x) {
    if (!std::isfinite(guess)) return false;
    const double lo0 = lo;
    const double hi0 = hi;
    double flo = 0;
    double fhi = 0;
    bool knownLo = false;
    bool knownHi = false;
    while (hi - lo > kTempTolerance) {
        const double m = 0.5 * (lo + hi);
        if (m <= lo || m >= hi) break;
        if (std::fabs(m - guess) > kGuideMargin) {
            // Written without a branch: the side changes from step to step as the digits of
            // the root do, which no branch predictor foresees.
            const bool below = m < guess;
            lo = below ? m : lo;
            hi = below ? hi : m;
            knownLo = knownLo && !below;
            knownHi = knownHi && below;
        } else {
            const double fm = f(m);
            if (fm < 0) {
                lo = m;
                flo = fm;
                knownLo = true;
            } else {
                hi = m;
                fhi = fm;
                knownHi = true;
            }
        }
    }
    if (lo == lo0 || hi == hi0) return false;
    if (!knownLo) flo = f(lo);
    if (!knownHi) fhi = f(hi);
    // Bisection keeps f(lo) < 0 <= f(hi); a side taken wrongly would have lost the root.
    if (!(flo < 0 && fhi >= 0 && std::isfinite(fhi))) return false;
    x = lo - flo * (hi - lo) / (fhi - flo);
    if (!(x >= lo && x <= hi)) x = 0.5 * (lo + hi);
    return true;
}

// A root of f inside the bracket [a, b] (f(a) < 0 < f(b)) by secant steps, kept inside the
// shrinking bracket: a guess for BisectNear, which checks it. False when the steps do not
// settle.
template <typename F>
bool SecantGuess(F f, double a, double fa, double b, double fb, double& root) {
    double x0 = a, f0 = fa, x1 = b, f1 = fb;
    for (int i = 0; i < 60; ++i) {
        double x = x1 - f1 * (x1 - x0) / (f1 - f0);
        if (!(x > a && x < b)) x = 0.5 * (a + b);
        const double fx = f(x);
        if (fx == 0) {
            root = x;
            return true;
        }
        if (fx < 0)
            a = x;
        else
            b = x;
        const double step = std::fabs(x - x1);
        x0 = x1;
        f0 = f1;
        x1 = x;
        f1 = fx;
        // The error left after a step this short is about its square times |f''/2f'|.
        if (step < 1e-8) {
            root = x;
            return true;
        }
    }
    return false;
}

// Bisect(f, lo, hi, x), the same root to the last bit, at a fraction of the evaluations: when
// the ends enclose a root, secant steps guess it and only the midpoints near the guess are
// evaluated (BisectNear); otherwise, or when the guess misled, the plain bisection decides.
template <typename F>
bool BisectGuided(F f, double lo, double hi, double& x) {
    const double flo = f(lo);
    const double fhi = f(hi);
    double guess = 0;
    if (flo < 0 && fhi > 0 && SecantGuess(f, lo, flo, hi, fhi, guess) &&
        BisectNear(f, lo, hi, guess, x))
        return true;
    return Bisect(f, lo, hi, x);
}

// An increasing function solved near a start point: the bracket around x0 doubles until it
// encloses the root or meets the limits, then bisection finishes.
template <typename F>
bool SolveFrom(F f, double x0, double minX, double maxX, double& x) {
    if (!std::isfinite(x0)) x0 = 0.5 * (minX + maxX);
    x0 = std::clamp(x0, minX, maxX);
    double width = 1.0;
    double lo = std::max(minX, x0 - width);
    double hi = std::min(maxX, x0 + width);
    while (!(f(lo) <= 0) && lo > minX) {
        width *= 2;
        hi = lo;
        lo = std::max(minX, x0 - width);
    }
    width = 1.0;
    while (!(f(hi) >= 0) && hi < maxX) {
        width *= 2;
        lo = hi;
        hi = std::min(maxX, x0 + width);
    }
    return BisectGuided(f, lo, hi, x);
}

// Newton steps towards the temperature whose LnPws is target, from start (a nearby dew point
// when the caller knows one) or from the Magnus approximation. converged tells that the last
// step was below 1e-6 K: the error left is then about that step squared times
// |LnPws''/2 LnPws'| (below 1/K), far inside kGuideMargin.
double SatTemperatureNewton(double target, double start, bool& converged) {
    double t = start;
    if (!(t >= kLowestT && t <= kHighestT)) {
        const double g = target - 6.4154242;  // ln(pw / 611.2 Pa)
        t = g < 17 ? 243.12 * g / (17.62 - g) : kHighestT;
        t = std::clamp(t, kLowestT, kHighestT);
    }
    converged = false;
    for (int i = 0; i < 30 && !converged; ++i) {
        const double step = (LnPws(t) - target) / LnPwsSlope(t);
        if (!std::isfinite(step)) break;
        t = std::clamp(t - step, kLowestT, kHighestT);
        converged = std::fabs(step) < 1e-6;
    }
    return t;
}

// The temperature whose saturation pressure is pw (kPa), to kTempTolerance; absolute zero for
// no vapour at all. near, when a temperature, is a dew point close to the one sought: it only
// speeds the solve up. exact: the bisection's root to the last bit; otherwise Newton's, which
// lies within 1e-12 K of it (the bisection's when Newton does not converge).
double SatTemperature(double pw, int& status, double near = kNaN, bool exact = true) {
    CheckFinite(pw, "Invalid vapour pressure");
    if (pw <= 0) return kAbsoluteZero;
    const double target = std::log(pw * 1000.0);
    bool converged = false;
    const double guess = SatTemperatureNewton(target, near, converged);
    if (converged && !exact) return guess;
    auto f = [target](double x) { return LnPws(x) - target; };
    double t = 0;
    if (converged && BisectNear(f, kLowestT, kHighestT, guess, t)) return t;
    if (!Bisect(f, kLowestT, kHighestT, t)) status |= psyNotConverged;
    return t;
}

// The wet bulb of (db, w): it lies between the dew point and the dry bulb.
double WetBulbOf(double db, double w, double p, double td, int& status) {
    // A little margin keeps the ends on their sides of the root when the air is saturated and
    // dew point, wet bulb and dry bulb coincide to rounding.
    const double lo = std::max(std::min(td, db) - 1e-6, kLowestT);
    const double hi = std::max(td, db) + 1e-6;
    double wb = db;
    if (!BisectGuided([&](double x) { return WOfWetBulb(db, x, p) - w; }, lo, hi, wb))
        status |= psyNotConverged;
    return wb;
}

// Dry bulb of a wet bulb and humidity ratio: the wet-bulb relation is linear in the dry bulb.
double DryBulbOfWetBulb(double wb, double w, double p) {
    const double ws = WsOrInf(wb, p);
    if (wb >= 0) return ((2501 - 2.326 * wb) * ws + 1.006 * wb - w * (2501 - 4.186 * wb)) / (1.006 + 1.86 * w);
    return ((2830 - 0.24 * wb) * ws + 1.006 * wb - w * (2830 - 2.1 * wb)) / (1.006 + 1.86 * w);
}

// Dry bulb of a wet bulb and enthalpy. Along a wet-bulb line the enthalpy is a ratio of two
// linear functions of the dry bulb whose squares cancel, so the dry bulb is explicit.
double DryBulbOfWetBulbEnthalpy(double wb, double h, double p) {
    const double ws = WsOrInf(wb, p);
    double n0, d0;
    if (wb >= 0) {
        n0 = (2501 - 2.326 * wb) * ws + 1.006 * wb;
        d0 = 2501 - 4.186 * wb;
    } else {
        n0 = (2830 - 0.24 * wb) * ws + 1.006 * wb;
        d0 = 2830 - 2.1 * wb;
    }
    return (h * d0 - 2501 * n0) / (1.006 * d0 + 1.86 * n0 - 2501 * 1.006 - 1.86 * h);
}

double WOfPw(double pw, double p) { return kMw * pw / (p - pw); }
double PwOfW(double w, double p) { return p * w / (kMw + w); }
double EnthalpyOf(double t, double w) { return 1.006 * t + w * (2501 + 1.86 * t); }
double DbOfHW(double h, double w) { return (h - 2501 * w) / (1.006 + 1.86 * w); }

struct Solved {
    double db = 0;
    double w = 0;
    double wb = std::numeric_limits<double>::quiet_NaN();  // known exactly when given
    double td = std::numeric_limits<double>::quiet_NaN();
};

// Wet-bulb lines: relative humidity falls as the dry bulb rises from the wet bulb.
double DryBulbOfWetBulbRh(double wb, double rh, double p, int& status) {
    auto g = [&](double db) {
        const double w = WOfWetBulb(db, wb, p);
        return rh - PwOfW(w, p) / Pws(db);
    };
    double db = wb;
    if (!SolveFrom(g, wb, kLowestT, 2 * kHighestT, db)) status |= psyNotConverged;
    return db;
}

double DryBulbOfWetBulbDensity(double wb, double ro, double p, int& status) {
    auto g = [&](double db) {
        const double w = WOfWetBulb(db, wb, p);
        const double v = 0.287042 * (db + kKelvin) * (1 + 1.607858 * w) / p;
        return ro - (1 + w) / v;
    };
    double db = wb;
    if (!SolveFrom(g, wb, kLowestT, 2 * kHighestT, db)) status |= psyNotConverged;
    return db;
}

double DryBulbOfEnthalpyRh(double h, double rh, double p, int& status) {
    auto g = [&](double db) {
        const double pw = rh * Pws(db);
        const double w = pw >= p ? kInf : WOfPw(pw, p);
        return EnthalpyOf(db, w) - h;
    };
    double db = 0;
    if (!SolveFrom(g, h / 1.006, kLowestT, 2 * kHighestT, db)) status |= psyNotConverged;
    return db;
}

Solved SolvePair(double p, double a, double b, int pair, int& status) {
    Solved s;
    switch (pair) {
        case 0: s.db = a; s.wb = b; s.w = WOfWetBulb(a, b, p); break;
        case 1: s.db = a; s.w = (b - 1.006 * a) / (2501 + 1.86 * a); break;
        case 2: s.db = a; s.w = b; break;
        case 3: s.db = a; s.w = WOfPw(b * Pws(a), p); break;
        case 4: s.db = a; s.td = b; s.w = WOfPw(Pws(b), p); break;
        case 5: s.db = a; s.w = WOfPw(b, p); break;
        case 7: {
            const double k = b * 0.287042 * (a + kKelvin);
            s.db = a;
            s.w = (p - k) / (1.607858 * k - p);
            break;
        }
        case 8: s.wb = a; s.db = DryBulbOfWetBulbEnthalpy(a, b, p); s.w = WOfWetBulb(s.db, a, p); break;
        case 9: s.wb = a; s.w = b; s.db = DryBulbOfWetBulb(a, b, p); break;
        case 10: s.wb = a; s.db = DryBulbOfWetBulbRh(a, b, p, status); s.w = WOfWetBulb(s.db, a, p); break;
        case 11: s.wb = a; s.td = b; s.w = WOfPw(Pws(b), p); s.db = DryBulbOfWetBulb(a, s.w, p); break;
        case 12: s.wb = a; s.w = WOfPw(b, p); s.db = DryBulbOfWetBulb(a, s.w, p); break;
        case 13: s.wb = a; s.db = SatTemperature(b, status); s.w = WOfWetBulb(s.db, a, p); break;
        case 14: s.wb = a; s.db = DryBulbOfWetBulbDensity(a, b, p, status); s.w = WOfWetBulb(s.db, a, p); break;
        case 15: s.w = b; s.db = DbOfHW(a, b); break;
        case 16: s.db = DryBulbOfEnthalpyRh(a, b, p, status); s.w = WOfPw(b * Pws(s.db), p); break;
        case 17: s.td = b; s.w = WOfPw(Pws(b), p); s.db = DbOfHW(a, s.w); break;
        case 18: s.w = WOfPw(b, p); s.db = DbOfHW(a, s.w); break;
        case 19: s.db = SatTemperature(b, status); s.w = (a - 1.006 * s.db) / (2501 + 1.86 * s.db); break;
        case 25: s.w = a; s.db = SatTemperature(PwOfW(a, p) / b, status); break;
        case 26: s.w = a; s.db = SatTemperature(b, status); break;
        case 28: s.td = b; s.db = SatTemperature(Pws(b) / a, status); s.w = WOfPw(Pws(b), p); break;
        case 29: s.db = SatTemperature(b / a, status); s.w = WOfPw(b, p); break;
        case 30: s.db = SatTemperature(b, status); s.w = WOfPw(a * b, p); break;
        case 31: s.td = a; s.db = SatTemperature(b, status); s.w = WOfPw(Pws(a), p); break;
        case 32: s.db = SatTemperature(b, status); s.w = WOfPw(a, p); break;
        default: throw std::invalid_argument("Unknown air pair code " + std::to_string(pair));
    }
    return s;
}

// What a completion may take from its caller: a dew point close to the one sought (it only
// speeds the solve up), and whether the wet bulb is wanted at all.
struct Hints {
    double nearTd = kNaN;
    bool wetBulb = true;
    bool exactDewPoint = true;
};

// Every property of the state (db, w) at p; a given wet bulb or dew point is kept as given.
// Without the wet bulb, wb is left NaN and the other fields are the same to the last bit.
void Complete(TAirState& out, double p, const Solved& s, double ma, int& status,
              const Hints& hints = {}) {
    CheckFinite(p, "Invalid air pressure");
    const double db = CheckFinite(s.db, "Invalid dry bulb");
    const double w = CheckFinite(s.w, "Invalid humidity ratio");
    TAirState r;
    r.pa = p;
    r.db = db;
    r.wa = w;
    r.pv = CheckFinite(PwOfW(w, p), "Invalid vapour pressure");
    r.ps = CheckFinite(Pws(db), "Invalid saturation pressure");
    r.rh = CheckFinite(r.pv / r.ps, "Invalid relative humidity");
    r.td = std::isnan(s.td) ? SatTemperature(r.pv, status, hints.nearTd, hints.exactDewPoint)
                            : s.td;
    if (!hints.wetBulb)
        r.wb = kNaN;
    else
        r.wb = std::isnan(s.wb) ? WetBulbOf(db, w, p, r.td, status) : s.wb;
    r.ha = CheckFinite(EnthalpyOf(db, w), "Invalid enthalpy");
    const double T = db + kKelvin;
    const double v = 0.287042 * T * (1 + 1.607858 * w) / p;
    r.ro = CheckFinite((1 + w) / v, "Invalid density");
    r.cp = 1.006 + 1.86 * w;
    r.reserved = 0;
    // Sutherland's law for both: one power of the temperature ratio serves the two.
    const double ratio15 = std::pow(T / kKelvin, 1.5);
    r.mu = CheckFinite(1.716e-5 * ratio15 * (kKelvin + 110.4) / (T + 110.4), "Invalid viscosity");
    r.k = CheckFinite(0.0241e-3 * ratio15 * (kKelvin + 194) / (T + 194), "Invalid conductivity");
    r.ma = ma;
    if (hints.wetBulb) CheckFinite(r.wb, "Invalid wet bulb");
    CheckFinite(r.td, "Invalid dew point");

    if (r.db < -100 || r.db > 200 || r.wb < -100 || r.wb > 200) status |= psyTemperatureRange;
    if (r.wa < 0) status |= psyNegativeHumidity;
    if (r.rh > 1.0001) status |= psySupersaturated;
    out = r;
}

void Evaluate(TAirState& out, double p, double a, double b, int pair, double ma,
              const Hints& hints = {}) {
    int status = 0;
    // An evaluation that throws leaves a failed status behind.
    g_status = psyNotConverged;
    const Solved s = SolvePair(p, a, b, pair, status);
    Complete(out, p, s, ma, status, hints);
    g_status = status;
}

void EvaluateFrom(TAirState& out, const TAirState& in, int pair, bool forMarch) {
    int first, second;
    if (!AirPairFields(pair, first, second))
        throw std::invalid_argument("Unknown air pair code " + std::to_string(pair));
    // The record being completed is usually the state just before this one: its dew point is
    // a close start for the new one.
    Evaluate(out, in.pa, AirField(in, first), AirField(in, second), pair, in.ma,
             Hints{in.td, !forMarch, !forMarch});
}

}  // namespace

namespace {

constexpr double TAirState::*kFieldMembers[kAirStateFields] = {
    &TAirState::pa, &TAirState::db, &TAirState::wb, &TAirState::ha,       &TAirState::wa,
    &TAirState::rh, &TAirState::td, &TAirState::pv, &TAirState::ps,       &TAirState::ro,
    &TAirState::cp, &TAirState::reserved, &TAirState::k, &TAirState::mu, &TAirState::ma,
};

}  // namespace

double& AirField(TAirState& s, int index) {
    if (index < 0 || index >= kAirStateFields) throw std::out_of_range("TAirState field index");
    return s.*kFieldMembers[index];
}

double AirField(const TAirState& s, int index) {
    if (index < 0 || index >= kAirStateFields) throw std::out_of_range("TAirState field index");
    return s.*kFieldMembers[index];
}

bool AirPairFields(int pair, int& first, int& second) {
    // Property letters by field: t db, b wb, h ha, w wa, f rh, d td, v pv, s ps, r ro.
    struct Entry {
        int code, first, second;
    };
    static constexpr Entry kPairs[] = {
        {0, afDryBulb, afWetBulb},         {1, afDryBulb, afEnthalpy},
        {2, afDryBulb, afHumidity},        {3, afDryBulb, afRelHumidity},
        {4, afDryBulb, afDewPoint},        {5, afDryBulb, afVapourPressure},
        {7, afDryBulb, afDensity},         {8, afWetBulb, afEnthalpy},
        {9, afWetBulb, afHumidity},        {10, afWetBulb, afRelHumidity},
        {11, afWetBulb, afDewPoint},       {12, afWetBulb, afVapourPressure},
        {13, afWetBulb, afSatPressure},    {14, afWetBulb, afDensity},
        {15, afEnthalpy, afHumidity},      {16, afEnthalpy, afRelHumidity},
        {17, afEnthalpy, afDewPoint},      {18, afEnthalpy, afVapourPressure},
        {19, afEnthalpy, afSatPressure},   {25, afHumidity, afRelHumidity},
        {26, afHumidity, afSatPressure},   {28, afRelHumidity, afDewPoint},
        {29, afRelHumidity, afVapourPressure}, {30, afRelHumidity, afSatPressure},
        {31, afDewPoint, afSatPressure},   {32, afVapourPressure, afSatPressure},
    };
    for (const Entry& e : kPairs) {
        if (e.code == pair) {
            first = e.first;
            second = e.second;
            return true;
        }
    }
    return false;
}

bool IsAirPairCode(int pair) {
    int a, b;
    return AirPairFields(pair, a, b);
}

void SetState(TAirState& out, double pa, double a, double b, int pair) {
    Evaluate(out, pa, a, b, pair, 0.0);
}

TAirState SetState(double pa, double a, double b, int pair) {
    TAirState s;
    SetState(s, pa, a, b, pair);
    return s;
}

void AirState(TAirState& out, const TAirState& in, int pair) { EvaluateFrom(out, in, pair, false); }

void AirStateForMarch(TAirState& out, const TAirState& in, int pair) {
    EvaluateFrom(out, in, pair, true);
}

double WetBulb(double pa, double db, double value, int pair) {
    if (pair > 7 || !IsAirPairCode(pair))
        throw std::invalid_argument("Wet bulb needs a pair beginning with the dry bulb, not " +
                                    std::to_string(pair));
    TAirState s;
    SetState(s, pa, db, value, pair);
    return s.wb;
}

namespace {

// The boiling point of water at p, with the status of its solve: every leaving state needs it,
// and a coil's pressure seldom changes, so the last one is kept.
double BoilingPoint(double p, int& status) {
    thread_local double lastP = kNaN;
    thread_local double lastT = kNaN;
    thread_local int lastStatus = 0;
    if (!(p == lastP)) {
        int s = 0;
        const double t = SatTemperature(p, s);
        lastP = p;
        lastT = t;
        lastStatus = s;
    }
    status |= lastStatus;
    return lastT;
}

}  // namespace

void LeavingState(TAirState& out, TAirState in, int /*mode*/, double dh, double bf, double& adp) {
    int status = 0;
    g_status = psyNotConverged;
    const double p = in.pa;
    const double hIn = in.ha;
    const double wIn = in.wa;
    const double hOut = CheckFinite(hIn + dh, "Invalid leaving enthalpy");
    auto satResidual = [p](double target) {
        return [p, target](double t) { return HsOrInf(t, p) - target; };
    };
    // Saturated air stops at the boiling point of water at this pressure.
    const double tBoil = std::min(kHighestT, BoilingPoint(p, status));

    Solved s;
    s.w = wIn;
    if (bf < 1 - 1e-9) {
        const double hAdp = CheckFinite((hOut - bf * hIn) / (1 - bf), "Invalid apparatus enthalpy");
        double t = adp;
        if (!SolveFrom(satResidual(hAdp), adp, kLowestT, tBoil, t)) status |= psyNotConverged;
        const double wsAdp = CheckFinite(WsOrInf(t, p), "Invalid apparatus humidity");
        s.w = wsAdp + bf * (wIn - wsAdp);
        adp = t;
    }
    s.db = CheckFinite(DbOfHW(hOut, s.w), "Invalid leaving dry bulb");
    if (s.w > WsOrInf(s.db, p)) {
        // Beyond saturation the excess water condenses: saturated air of the same enthalpy.
        double t = s.db;
        if (!SolveFrom(satResidual(hOut), s.db, kLowestT, tBoil, t)) status |= psyNotConverged;
        s.db = t;
        s.w = WsOrInf(t, p);
        s.wb = t;
        s.td = t;
    }
    Complete(out, p, s, in.ma, status);
    g_status = status;
}

double AtmPressure(double altitude) {
    return CheckFinite(101.325 * std::pow(1 - 2.25577e-5 * altitude, 5.2559), "Invalid altitude");
}

double Altitude(double pa) {
    return CheckFinite((1 - std::pow(pa / 101.325, 1 / 5.2559)) / 2.25577e-5, "Invalid pressure");
}

int PsyStatus() { return g_status; }

namespace psy {

double SatPressure(double t) { return CheckFinite(Pws(t), "Invalid saturation pressure"); }

double HumidityRatio(double pw, double p) {
    return CheckFinite(WOfPw(pw, p), "Invalid humidity ratio");
}

double VapourPressure(double w, double p) {
    return CheckFinite(PwOfW(w, p), "Invalid vapour pressure");
}

double Enthalpy(double t, double w) { return CheckFinite(EnthalpyOf(t, w), "Invalid enthalpy"); }

double DryBulbOfEnthalpy(double h, double w) {
    return CheckFinite(DbOfHW(h, w), "Invalid dry bulb");
}

double HumidityRatioOfWetBulb(double db, double wb, double p) {
    return CheckFinite(WOfWetBulb(db, wb, p), "Invalid humidity ratio");
}

double SatHumidityRatio(double t, double p) {
    return CheckFinite(WOfPw(Pws(t), p), "Invalid humidity ratio");
}

double SatEnthalpy(double t, double p) {
    return CheckFinite(EnthalpyOf(t, SatHumidityRatio(t, p)), "Invalid enthalpy");
}

double DewPoint(double pw) {
    int status = 0;
    return SatTemperature(pw, status);
}

}  // namespace psy

}  // namespace qdx
