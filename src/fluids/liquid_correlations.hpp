#pragma once
// Temperature correlations for every liquid a coil can carry: clean water, water with an
// additive, and the other named liquids.
//
// Units throughout: t in °C; ro in kg/m³; Cp in kJ/(kg·K); mu in Pa·s; Ko in kW/(m·K) (so that
// Cp·mu/Ko is the Prandtl number without further factors); compressed-air pressure in bar.
//
// Properties are always computed, also outside a liquid's valid range; the evaluation only
// reports the range and an out-of-range flag.

#include <string>

namespace qdx {

// The result of one named-liquid evaluation.
struct TTransportProps {
    std::string name;       // long display name, e.g. "Clean Water"
    std::string shortName;  // short display name, e.g. "Water"
    double tLower = 0;      // lowest valid temperature, °C
    double tUpper = 0;      // highest valid temperature, °C
    double ro = 0;          // density, kg/m³
    double Cp = 0;          // specific heat, kJ/(kg·K)
    double mu = 0;          // dynamic viscosity, Pa·s
    double Ko = 0;          // thermal conductivity, kW/(m·K)
};

// Liquid indices as stored with a liquid.
enum TLiquidIndex : int {
    liWater = 0,
    liThermalOil = 1,
    liEngineOil = 2,
    liGlycerin = 3,
    liEthyleneGlycol = 4,
    liCalciumChloride = 5,
    liSulphurDioxide = 6,
    liMercury = 7,
    liAmmonia = 8,
    liCarbonDioxide = 9,
    liMethylchloride = 10,
    liFreonR12 = 11,
    liCondensedSteam = 12,
    liCompressedAir = 13,
};
inline constexpr int kLiquidCount = 14;

// Additives of water (liquid index 0).
enum TWaterAdditive : int {
    waNone = 0,
    waEthyleneGlycol = 1,
    waPropyleneGlycol = 2,
    waCalciumChloride = 3,
};
inline constexpr int kAdditiveCount = 4;

// List names ("Water", "Thermal Oil", ...; "None", "EthyleneGlycol", ...); empty for an index
// outside the list.
std::string LiquidListName(int index);
std::string AdditiveListName(int index);

// The program's one evaluation record: every evaluation without an explicit record overwrites it.
TTransportProps& SharedTransportProps();

// Evaluates named liquid `index` (0 = clean water) at t; pBar is used by compressed air only.
// Fills every field of `props` and returns 1 when t lies outside the valid range (limits
// inclusive), else 0. An index outside 0..13 leaves `props` unchanged and returns 0; use
// IsLiquidIndex to tell.
int EvaluateLiquid(int index, double t, double pBar, TTransportProps& props);
// The same into the shared record.
int EvaluateLiquid(int index, double t, double pBar = 5.0);
bool IsLiquidIndex(int index);

// Water with an additive (1..3) at fraction x (0.3 = 30 %); valid from −30 to 300 °C.
struct TMixtureProps {
    double ro = 0, Cp = 0, mu = 0, Ko = 0;
};
inline constexpr double kMixtureLower = -30.0;
inline constexpr double kMixtureUpper = 300.0;
// Returns the out-of-range flag; an additive outside 1..3 leaves `props` unchanged.
int EvaluateMixture(int additive, double x, double t, TMixtureProps& props);

}  // namespace qdx
