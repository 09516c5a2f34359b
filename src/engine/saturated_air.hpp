#pragma once
// Saturated air for the wet-coil calculation, evaluated without the moist-air library so that
// the inner loops stay cheap: temperatures in °C, pressures in kPa.

namespace qdx {

// Saturation pressure of water vapour (kPa): over liquid water for t >= 0, over ice below; the
// critical pressure above the critical temperature.
double SatPressure(double t);
// Humidity ratio of saturated air (kg/kg dry air) at pressure p, with an enhancement factor;
// 0.01 when the calculation fails (the vapour pressure reaching p).
double SatHumidityRatio(double t, double p);
// Enthalpy of water vapour (kJ/kg) used by SatEnthalpy.
double VapourEnthalpy(double t);
// Enthalpy of saturated air, kJ/kg dry air.
double SatEnthalpy(double t, double p);

}  // namespace qdx
