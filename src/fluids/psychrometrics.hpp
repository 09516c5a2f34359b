#pragma once
// The moist-air library: full states of moist air at a given barometric pressure from any two
// of their properties, the leaving air of a cooling coil and the standard atmosphere.
//
// Properties follow the usual ASHRAE SI formulation for moist air as an ideal-gas mixture
// (no enhancement factor). Temperatures in °C, pressures in kPa, enthalpies in kJ/kg dry air,
// humidity ratios in kg/kg dry air.
//
// Every evaluation records a status (PsyStatus): 0 when the state is good, otherwise a set of
// the psy* flags below. A computation that would give a non-finite value throws CalcError.

#include <cstddef>

namespace qdx {

// The moist-air state record, fifteen doubles copied whole (and written as such to files).
struct TAirState {
    double pa = 0;        // pressure, kPa
    double db = 0;        // dry bulb, °C
    double wb = 0;        // wet bulb, °C
    double ha = 0;        // enthalpy, kJ/kg dry air
    double wa = 0;        // humidity ratio, kg/kg dry air
    double rh = 0;        // relative humidity, fraction 0..1
    double td = 0;        // dew point, °C
    double pv = 0;        // vapour pressure, kPa
    double ps = 0;        // saturation pressure at the dry bulb, kPa
    double ro = 0;        // density of the moist air, kg/m³
    double cp = 0;        // specific heat, kJ/(kg·K) dry air
    double reserved = 0;  // not used; always 0
    double k = 0;         // thermal conductivity, kW/(m·K)
    double mu = 0;        // dynamic viscosity, Pa·s
    double ma = 0;        // dry-air mass flow, kg/s (carried for the coil, never computed)
};
static_assert(sizeof(TAirState) == 15 * sizeof(double), "TAirState is 15 packed doubles");

// Number of fields and access by position (0 = pa .. 14 = ma), the order of the record.
inline constexpr int kAirStateFields = 15;
double& AirField(TAirState& s, int index);
double AirField(const TAirState& s, int index);

// Field positions of the properties that pair codes name.
enum TAirFieldIndex : int {
    afPressure = 0,
    afDryBulb = 1,
    afWetBulb = 2,
    afEnthalpy = 3,
    afHumidity = 4,
    afRelHumidity = 5,
    afDewPoint = 6,
    afVapourPressure = 7,
    afSatPressure = 8,
    afDensity = 9,
};

// Pair codes: which two properties fix a state, first then second.
//  0 db+wb   1 db+ha   2 db+wa   3 db+rh   4 db+td   5 db+pv   7 db+ro
//  8 wb+ha   9 wb+wa  10 wb+rh  11 wb+td  12 wb+pv  13 wb+ps  14 wb+ro
// 15 ha+wa  16 ha+rh  17 ha+td  18 ha+pv  19 ha+ps
// 25 wa+rh  26 wa+ps  28 rh+td  29 rh+pv  30 rh+ps  31 td+ps  32 pv+ps
bool IsAirPairCode(int pair);
// Field positions of the pair's first and second value; false for an unknown code.
bool AirPairFields(int pair, int& first, int& second);

// Status flags of the last evaluation.
enum TPsyStatusFlag : int {
    psyTemperatureRange = 1,  // dry or wet bulb outside -100..200 °C
    psyNegativeHumidity = 2,  // humidity ratio below 0
    psySupersaturated = 4,    // relative humidity above 1.0001
    psyNotConverged = 8,      // an inner iteration found no solution
};

// Full state at pressure pa (kPa) from the pair's two values a and b; ma is 0.
// Throws std::invalid_argument for an unknown pair code.
void SetState(TAirState& out, double pa, double a, double b, int pair);
TAirState SetState(double pa, double a, double b, int pair);

// Completes a state from in.pa and in's fields named by the pair; ma is copied from in.
// out may be the same record as in.
void AirState(TAirState& out, const TAirState& in, int pair);
// AirState for a march that completes a state at every step: the wet bulb, the costliest
// field to solve, is left NaN, and the dew point is Newton's root of the saturation line,
// within 1e-12 K of AirState's (psy::DewPoint(out.pv) gives AirState's exactly). Every other
// field is AirState's to the last bit.
void AirStateForMarch(TAirState& out, const TAirState& in, int pair);

// Wet bulb (°C) at pressure pa of dry bulb db and a second value of a pair that begins with the
// dry bulb (0, 1, 2, 3, 4, 5, 7); the coil code uses pair 3, where value is the relative
// humidity. Throws std::invalid_argument for other pair codes.
double WetBulb(double pa, double db, double value, int pair);

// Leaving air of a cooling coil: enthalpy change dh (kJ/kg dry air) and bypass factor bf. The
// leaving state lies on the straight line from the entering state to the saturated state at the
// apparatus dew point adp (°C), which is solved starting from the given adp and returned in it.
// A line that would end beyond saturation ends on it instead: the leaving air is then the
// saturated air of the same enthalpy. mode is 0 (the only process the coils use).
void LeavingState(TAirState& out, TAirState in, int mode, double dh, double bf, double& adp);

// The standard atmosphere: altitude (m) of a pressure (kPa) and the pressure at an altitude.
double Altitude(double pa);
double AtmPressure(double altitude);

// Status of the last SetState, AirState, WetBulb or LeavingState: 0 good, else psy* flags.
int PsyStatus();

// The formulation itself, for callers that need single properties.
namespace psy {

// Saturation pressure of water vapour, kPa: over ice up to 0.01 °C, over water above.
double SatPressure(double t);
// Humidity ratio of vapour pressure pw at total pressure p (both kPa).
double HumidityRatio(double pw, double p);
// Vapour pressure (kPa) of humidity ratio w at total pressure p.
double VapourPressure(double w, double p);
// Enthalpy (kJ/kg dry air) of dry bulb t and humidity ratio w; and the dry bulb back.
double Enthalpy(double t, double w);
double DryBulbOfEnthalpy(double h, double w);
// Humidity ratio from dry bulb and wet bulb at pressure p.
double HumidityRatioOfWetBulb(double db, double wb, double p);
// Saturated air at t: humidity ratio and enthalpy at pressure p.
double SatHumidityRatio(double t, double p);
double SatEnthalpy(double t, double p);
// Dew point of vapour pressure pw (kPa): the temperature whose saturation pressure is pw.
// Dry air (pw = 0) has its dew point at absolute zero.
double DewPoint(double pw);

}  // namespace psy

}  // namespace qdx
