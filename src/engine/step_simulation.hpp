#pragma once
// The surface temperature of a wet slice of coil: the temperature at which the enthalpy-driven
// heat from the air to the wet surface equals the heat conducted to the liquid.

#include "engine/solvers.hpp"
#include "fluids/psychrometrics.hpp"

namespace qdx {

class TCoilSurfaceTemp {
public:
    TCoilSurfaceTemp();

    // Surface temperature (°C) of a slice with air state air, liquid at tw (°C), slice areas
    // dAi and dAo (m²) and coefficients Ui and ho (kW/(m²·K)), searched from ts0.
    double SurfaceTemperature(const TAirState& air, double ts0, double tw, double dAi, double dAo,
                              double Ui, double ho);

    // Heat balance residual at surface temperature x, kW.
    double Residual(double x) const;

    TAirState air{};
    double tw = 0;
    double ho = 0;
    double Ui = 0;
    double dAo = 0;
    double dAi = 0;
    TRoot root;
};

}  // namespace qdx
