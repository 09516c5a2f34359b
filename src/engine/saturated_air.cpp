#include "engine/saturated_air.hpp"

#include <cmath>

#include "units/errors.hpp"

namespace qdx {

namespace {

// Saturation line of water, T in K, result in MPa.
double SaturationPressureWater(double T) {
    constexpr double n1 = 0.11670521452767e4, n2 = -0.72421316703206e6, n3 = -0.17073846940092e2,
                     n4 = 0.12020824702470e5, n5 = -0.32325550322333e7, n6 = 0.14915108613530e2,
                     n7 = -0.48232657361591e4, n8 = 0.40511340542057e6, n9 = -0.23855557567849,
                     n10 = 0.65017534844798e3;
    const double theta = T + n9 / (T - n10);
    const double a = theta * theta + n1 * theta + n2;
    const double b = n3 * theta * theta + n4 * theta + n5;
    const double c = n6 * theta * theta + n7 * theta + n8;
    const double r = 2 * c / (-b + std::sqrt(b * b - 4 * a * c));
    return r * r * r * r;
}

// Sublimation pressure over ice, T in K, result in Pa.
double SaturationPressureIce(double T) {
    return std::exp(-5.6745359e3 / T + 6.3925247 - 9.677843e-3 * T + 6.2215701e-7 * T * T +
                    2.0747825e-9 * T * T * T - 9.484024e-13 * T * T * T * T +
                    4.1635019 * std::log(T));
}

}  // namespace

double SatPressure(double t) {
    if (t > 373.946) return 22064;
    const double T = t + 273.15;
    if (t >= 0) return CheckFinite(SaturationPressureWater(T) * 1000, "Invalid saturation pressure");
    return CheckFinite(SaturationPressureIce(T) * 0.001, "Invalid saturation pressure");
}

double SatHumidityRatio(double t, double p) {
    // Any arithmetic failure gives a fixed 0.01, so that the wet-coil iterations carry on. Air
    // at or above its boiling point (vapour pressure not below the total pressure) is one: the
    // formula would give an infinite or negative humidity and a negative saturated enthalpy.
    try {
        const double f = 1.0044 * SatPressure(t);
        const double d = p - f;
        if (d <= 0) return 0.01;
        const double w = 0.6219779385109358 * f / d;
        return std::isfinite(w) ? w : 0.01;
    } catch (const CalcError&) {
        return 0.01;
    }
}

double VapourEnthalpy(double t) {
    if (t >= 0) return 2499.10964596 + 1.96172245152 * t - 0.00205657589432 * t * t;
    return 2500.80085377 + 1.84281114093 * t - 0.000107145092391 * t * t;
}

double SatEnthalpy(double t, double p) {
    return CheckFinite(1.006 * t + SatHumidityRatio(t, p) * VapourEnthalpy(t), "Invalid enthalpy");
}

}  // namespace qdx
