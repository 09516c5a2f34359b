#pragma once
// The correlations of the coil model: film coefficients, effectiveness, mean temperature
// difference, friction factor and pipe sizes. Pure functions of the geometry records, the air
// state (including its mass-flow field) and the liquid's properties. Coefficients are in
// kW/(m²·K), lengths in m, flows in kg/s.

#include "fluids/psychrometrics.hpp"
#include "geometry/fin_and_tube.hpp"

namespace qdx {

class TFluid;

// What the last air-side evaluation found (the diagnostics report prints Re and Nu).
struct TAirSideResult {
    double Dh = 0;  // hydraulic diameter, m
    double G = 0;   // mass velocity, kg/(m²·s)
    double Re = 0;  // Reynolds number
    double Pr = 0;  // Prandtl number
    double Nu = 0;  // Nusselt number
    double j = 0;   // Colburn factor
    double h = 0;   // coefficient before any in-line correction, kW/(m²·K)
};

using EffectivenessFunction = double (*)(double ntu, double cr);
using AirCoefficientFunction = double (*)(const TAirSideGeometry& geometry, const TAirState& air,
                                          TAirSideResult& result);

// Liquid velocity in the tubes, m/s: |m / ro / flow area of all circuits|.
double TubeVelocity(const TTubeSideGeometry& tube, const TFluid& liquid);

// Inside film coefficient of the liquid; heated selects the Prandtl exponent (0.4, else 0.3).
double InsideFilmCoefficient(const TTubeSideGeometry& tube, const TFluid& liquid, bool heated);

// Raw outside coefficient of a plate-fin coil from the entering air; fills result. An in-line
// coil is corrected by the ratio of its tube-bank coefficient to the staggered one.
double PlateFinCoefficient(const TAirSideGeometry& geometry, const TAirState& air,
                           TAirSideResult& result);

// Coefficient of the plain tube bank of the geometry (for the in-line correction).
double TubeBankCoefficient(const TAirSideGeometry& geometry, const TAirState& air);

// Counterflow effectiveness of Ntu and capacity rate ratio Cr.
double CounterflowEffectiveness(double ntu, double cr);

// Log-mean temperature difference of a counterflow coil, K (reports only).
double LogMeanTempDiff(double airIn, double airOut, double liquidIn, double liquidOut);

// Darcy friction factor for roughness eps (m), diameter d (m), Reynolds number re and starting
// guess f0. Total over every Reynolds number.
double FrictionFactor(double eps, double d, double re, double f0);

// Nominal pipe sizes, mm, ascending.
inline constexpr int kNominalPipeSizes[20] = {15,  20,  25,  35,  40,  50,  65,  80,  100, 125,
                                              150, 200, 250, 300, 350, 400, 450, 500, 600, 750};

// The first nominal size not below 27 |m|^0.45 (750 when above every size), mm.
int NominalPipeSize(double massFlow);

}  // namespace qdx
