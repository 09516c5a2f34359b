#include "engine/step_simulation.hpp"

#include <algorithm>
#include <cmath>

#include "engine/cold_water_coil.hpp"
#include "engine/saturated_air.hpp"
#include "fluids/liquid.hpp"

namespace qdx {

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
    double twOut = Liquid->tfo;
    const TAirState air0 = *AirIn;
    const double cl = LiquidState->cw;
    const double ma = MassFlow;
    double total = 0;
    for (int k = 0;; ++k) {
        TAirState air = air0;
        double tw = twOut;
        total = 0;
        for (int j = 0; j < 100; ++j) {
            double ts = (ConductanceRatio * air.db + tw) / (ConductanceRatio + 1);
            double dq;
            const bool dry = ts > air.td;
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
            AirState(air, air, 15);
            StoreStepRow(j, tw, ts, air.db, air.td);
        }
        const double err = tw - twi;
        twOut -= 0.1 * err;
        twOut = std::max(std::min(twOut, air0.db - 0.5), twi + 0.1);
        if (std::fabs(err) <= 1e-5 || k > 100) break;
    }
    return total;
}

}  // namespace qdx
