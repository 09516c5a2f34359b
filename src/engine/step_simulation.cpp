#include "engine/step_simulation.hpp"

#include <algorithm>
#include <array>
#include <cmath>
#include <limits>

#include "engine/cold_water_coil.hpp"
#include "engine/saturated_air.hpp"
#include "fluids/liquid.hpp"
#include "units/errors.hpp"

namespace qdx {

namespace {

constexpr double kInf = std::numeric_limits<double>::infinity();

}  // namespace

TCoilSurfaceTemp::TCoilSurfaceTemp() : root([this](double x) { return Residual(x); }) {
    root.SetLimits(50, 1e-6);
}

double TCoilSurfaceTemp::Residual(double x) const {
    return (ho / air.cp) * dAo * (air.ha - SatEnthalpy(x, air.pa)) - Ui * dAi * (x - tw);
}

double TCoilSurfaceTemp::SurfaceTemperature(const TAirState& a, double ts0, double liquidTemp,
                                            double areaIn, double areaOut, double ui, double hout) {
    air = a;
    tw = liquidTemp;
    dAi = areaIn;
    dAo = areaOut;
    Ui = ui;
    ho = hout;
    return root.FindRoot(ts0);
}

double TColdWaterCoil::StepSimulation() {
    AllocateStepResults();
    TCoilSurfaceTemp surface;
    const double dAo = Ao / 100;
    const double dAi = Ai / 100;
    const double twi = Liquid->tfi;
    const TAirState air0 = *AirIn;
    const double cl = LiquidState->cw;
    const double ma = MassFlow;
    double total = 0;
    // The vapour pressure of each stored row's air, for its exact dew point at the end; NaN for
    // a row no march reached.
    std::array<double, 100> rowPv;
    rowPv.fill(std::numeric_limits<double>::quiet_NaN());
    // One march from the air inlet, where the liquid leaves at twOut: fills StepResults and
    // total, and returns the marched liquid temperature at the air outlet less the true inlet
    // temperature. With bounds, a march whose liquid runs more than 1 K outside them stops
    // there: it can no longer end at the inlet temperature, and the sign of its error is known.
    auto march = [&](double twOut, double lowest = -kInf, double highest = kInf) {
        TAirState air = air0;
        double tw = twOut;
        total = 0;
        for (int j = 0; j < 100; ++j) {
            if (tw < lowest - 1 || tw > highest + 1) break;
            double ts = (ConductanceRatio * air.db + tw) / (ConductanceRatio + 1);
            double dq;
            // The marched air carries a dew point within 1e-12 K of the exact one: a surface
            // that close to it is compared with the exact one.
            double td = air.td;
            if (j > 0 && std::fabs(ts - td) < 1e-9) td = psy::DewPoint(air.pv);
            const bool dry = ts > td;
            double ws = 0;
            if (dry) {
                dq = ho * dAo * (air.db - ts);
            } else {
                ts = surface.SurfaceTemperature(air, ts, tw, dAi, dAo, Ui, ho);
                const double hs = SatEnthalpy(ts, air.pa);
                ws = SatHumidityRatio(ts, air.pa);
                dq = (ho / air.cp) * dAo * (air.ha - hs);
            }
            total += dq;
            tw -= dq / cl;
            if (!dry) air.wa -= (ho / air.cp) * dAo * (air.wa - ws) / ma;
            air.ha -= dq / ma;
            // The march reads no wet bulb, and needs the dew point only as above.
            AirStateForMarch(air, air, 15);
            rowPv[j] = air.pv;
            StoreStepRow(j, tw, ts, air.db, air.td);
        }
        return tw - twi;
    };
    constexpr double kSettled = 1e-5;  // K
    double twOut = Liquid->tfo;
    double err = kInf;
    try {
        for (int k = 0;; ++k) {
            err = march(twOut);
            twOut -= 0.1 * err;
            twOut = std::max(std::min(twOut, air0.db - 0.5), twi + 0.1);
            if (std::fabs(err) <= kSettled || k > 100) break;
        }
    } catch (const CalcError&) {
        // A march whose liquid ran away (below absolute zero, say) faulted: no settling there.
        err = kInf;
    }
    StepSettled = std::fabs(err) <= kSettled;
    if (!StepSettled) {
        // The relaxation overshoots at low liquid flows (or runs away until a march faults), and
        // a heating coil has no room between its clamps: the leaving temperature is bracketed
        // by the liquid inlet and the entering dry bulb instead, and bisected on the sign of the
        // error.
        const double lowest = std::min(twi, air0.db);
        const double highest = std::max(twi, air0.db);
        double lo = lowest;
        double hi = highest;
        const double errLo = march(lo, lowest, highest);
        StepSettled = std::fabs(errLo) <= kSettled;
        if (!StepSettled) {
            const double errHi = march(hi, lowest, highest);
            StepSettled = std::fabs(errHi) <= kSettled;
            const bool bracketed = (errLo < 0 && errHi > 0) || (errLo > 0 && errHi < 0);
            while (!StepSettled && bracketed) {
                const double mid = 0.5 * (lo + hi);
                if (!(mid > lo && mid < hi)) break;
                const double e = march(mid, lowest, highest);
                StepSettled = std::fabs(e) <= kSettled;
                if ((e < 0) == (errLo < 0))
                    lo = mid;
                else
                    hi = mid;
            }
        }
    }
    for (int j = 0; j < 100; ++j)
        if (!std::isnan(rowPv[j])) StepResults.At(3, j) = psy::DewPoint(rowPv[j]);
    return StepSettled ? total : std::numeric_limits<double>::quiet_NaN();
}

}  // namespace qdx
