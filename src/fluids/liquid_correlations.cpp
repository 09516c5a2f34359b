#include "fluids/liquid_correlations.hpp"

#include <algorithm>
#include <cmath>
#include <initializer_list>
#include <string_view>

#include "units/format.hpp"

namespace qdx {

namespace {

constexpr double kMicro = 1e-6;

// c0 + c1·t + c2·t² + ..., evaluated by Horner's rule.
double Polynomial(double t, std::initializer_list<double> c) {
    const double* first = c.begin();
    const double* p = c.end();
    double result = *--p;
    while (p != first) result = result * t + *--p;
    return result;
}

double PowerLaw(double c0, double c1, double c2, double t) {
    return std::pow(c0 + c1 * t, -1.0 / c2);
}

double Logistic(double c0, double c1, double c2, double c3, double t) {
    return c0 / std::pow(1.0 + std::exp(c1 - c2 * t), 1.0 / c3);
}

double Rational(double c0, double c1, double c2, double c3, double t) {
    return (c0 + c1 * t) / (1.0 + c2 * t + c3 * t * t);
}

// Water keeps its power-law and logistic terms inside the range, just short of the limits.
double ClampBothEnds(double t, double lower, double upper) {
    if (t < lower) return lower + 0.01;
    if (t > upper) return upper - 0.01;
    return t;
}

// The other power-law liquids only guard the lower end (the power law breaks down below it).
double ClampLowerEnd(double t, double lower) { return t > lower ? t : lower + 0.01; }

// Assigning in place reuses the record's buffers: the coil's solution evaluates its liquid in
// tight loops that must not touch the heap.
void SetNames(TTransportProps& p, std::string_view name, const char* shortName, double lower,
              double upper) {
    p.name.assign(name);
    p.shortName.assign(shortName);
    p.tLower = lower;
    p.tUpper = upper;
}

// The long name of compressed air at pBar, formatted again only when the pressure changes.
const std::string& CompressedAirName(double pBar) {
    thread_local double lastBar = 0;
    thread_local std::string lastName;
    if (lastName.empty() || pBar != lastBar) {
        lastName = Format("Compressed Air (%0.1f-bar)", pBar);
        lastBar = pBar;
    }
    return lastName;
}

void CleanWater(double t, TTransportProps& p) {
    SetNames(p, "Clean Water", "Water", 0.0, 300.0);
    const double tc = ClampBothEnds(t, p.tLower, p.tUpper);
    p.ro = Polynomial(t, {1000.0118, 0.0090785827, -0.0056365427, 1.3593032e-05});
    p.Cp = Polynomial(t, {4.2113407, -0.0022883491, 5.3389636e-05, -4.8856259e-07, 1.9154158e-09});
    p.mu = PowerLaw(0.013345143, 0.0002569035, 0.57775001, tc) * kMicro;
    p.Ko = Logistic(703.7, 0.24865794, 0.022435538, 3.8824647, tc) * kMicro;
}

void ThermalOil(double t, TTransportProps& p) {
    SetNames(p, "Shell Thermia B", "Thermal Oil", 0.0, 300.0);
    p.ro = 880.0 - 11.0 * t / 17.0;
    p.Cp = 1.8 + 0.00375 * t;
    p.mu = 1.0 / (4.9 + 0.03 * t * t);
    p.Ko = (134.5 - 24.5 * t / 330.0) * kMicro;
}

void EngineOil(double t, TTransportProps& p) {
    SetNames(p, "Engine Oil", "Eng Oil", 0.0, 300.0);
    const double tc = ClampLowerEnd(t, p.tLower);
    p.ro = Polynomial(t, {899.60424, -0.59924134, 7.49e-05});
    p.Cp = Polynomial(t, {1.7914, 0.004286667});
    p.mu = PowerLaw(0.075668047, 0.00117007, 0.17023116, tc) * kMicro;
    p.Ko = Polynomial(t, {146.89533, -0.0994}) * kMicro;
}

void Glycerin(double t, TTransportProps& p) {
    SetNames(p, "Glycerin", "Glycerin", 0.0, 50.0);
    const double tc = ClampLowerEnd(t, p.tLower);
    p.ro = Polynomial(t, {1276.2381, -0.61485714});
    p.Cp = Polynomial(t, {2.2555238, 0.006425714});
    p.mu = PowerLaw(0.097799216, 0.001575554, 0.14369868, tc) * kMicro;
    p.Ko = Polynomial(t, {282.57905, 0.088971429}) * kMicro;
}

void PureEthyleneGlycol(double t, TTransportProps& p) {
    SetNames(p, "Pure Ethylene Glycol", "Eth Glycol", 0.0, 100.0);
    const double tc = ClampLowerEnd(t, p.tLower);
    p.ro = Polynomial(t, {1130.5381, -0.70242857});
    p.Cp = Polynomial(t, {2.2926667, 0.00447});
    p.mu = PowerLaw(0.018701052, 0.000459611, 0.35903647, tc) * kMicro;
    p.Ko = Polynomial(t, {242.07821, 0.41365536, -0.002085268}) * kMicro;
}

void PureCalciumChloride(double t, TTransportProps& p) {
    SetNames(p, "Pure Calcium Chloride", "CaCl", -50.0, 50.0);
    const double tc = ClampLowerEnd(t, p.tLower);
    p.ro = Polynomial(t, {1296.0818, -0.47190909});
    p.Cp = Polynomial(t, {2.736, 0.002561818});
    p.mu = PowerLaw(0.028212904, 0.000289641, 0.39683377, tc) * kMicro;
    p.Ko = Polynomial(t, {469.97364, 1.3380636}) * kMicro;
}

void SulphurDioxide(double t, TTransportProps& p) {
    SetNames(p, "Sulphur Dioxide", "SO2", -50.0, 50.0);
    p.ro = Polynomial(t, {1435.2182, -2.5948182});
    p.Cp = Polynomial(t, {1.3629091, 7.64e-05});
    p.mu = Polynomial(t, {369.40375, -5.2715, 0.04496352}) * kMicro;
    p.Ko = Polynomial(t, {211.54107, -0.64466364, -0.000847436}) * kMicro;
}

void Mercury(double t, TTransportProps& p) {
    SetNames(p, "Mercury", "Mercury", 0.0, 316.0);
    p.ro = 13626.224 - 2.4519293 * t;
    p.Cp = 0.13919108 - 1.61e-05 * t;
    p.mu = (1570.9765 - 2.4330312 * t) * kMicro;
    p.Ko = (8440.346 + 18.537967 * t) * kMicro;
}

void LiquidAmmonia(double t, TTransportProps& p) {
    SetNames(p, "Liquid Ammonia", "Liq NH3", -50.0, 50.0);
    p.ro = Polynomial(t, {637.7, -1.3871818});
    p.Cp = Polynomial(t, {4.6275455, 0.006693636, 6.32e-05});
    p.mu = Polynomial(t, {239.25455, -1.0751818}) * kMicro;
    p.Ko = Polynomial(t, {538.13832, -0.68874545, -0.011087413}) * kMicro;
}

void LiquidCarbonDioxide(double t, TTransportProps& p) {
    SetNames(p, "Liquid Carbon Dioxide", "Liq CO2", -50.0, 30.0);
    p.ro = Polynomial(t, {921.19351, -7.6733983, -0.066253247});
    // The rational specific heat has a pole at 31.67 °C, just above the range (and another at
    // -97.8 °C): it is evaluated at the temperature clamped to the range.
    p.Cp = Rational(2.4451618, 0.000675234, -0.021276186, -0.000326264,
                    std::clamp(t, p.tLower, p.tUpper));
    p.mu = Polynomial(t, {99.405221, -1.2968578, -0.01153539}) * kMicro;
    p.Ko = Polynomial(t, {107.38586, -0.65246472, -0.020789069}) * kMicro;
}

void Methylchloride(double t, TTransportProps& p) {
    SetNames(p, "Methylchloride", "CH3Cl", -50.0, 50.0);
    p.ro = Polynomial(t, {959.9, -1.8997273});
    p.Cp = Polynomial(t, {1.5368485, 0.0021, 1.79e-05});
    p.mu = Polynomial(t, {288.97364, -0.99627273}) * kMicro;
    p.Ko = Polynomial(t, {177.36, -0.81449091}) * kMicro;
}

void FreonR12(double t, TTransportProps& p) {
    SetNames(p, "liquid Freon R12", "Liq R12", -50.0, 50.0);
    p.ro = Polynomial(t, {1391.3909, -3.2812727});
    p.Cp = Polynomial(t, {0.93936364, 0.001465455});
    p.mu = Polynomial(t, {294.44893, -2.3197818, 0.023815618}) * kMicro;
    p.Ko = Polynomial(t, {72.555315, 0.007863636, -0.002117133}) * kMicro;
}

void CondensedSteam(double t, TTransportProps& p) {
    SetNames(p, "Condensed steam", "Liq Steam", 0.0, 300.0);
    p.ro = 1002.018 - 0.17232 * t - 0.0025928 * t * t;
    p.Cp = 4.2079 - 0.0012618 * t + 1.3547e-05 * t * t;
    p.mu = 0.53155084 * std::pow(t + 42.970681, -1.5171238);
    p.Ko = (569.8519 + 1.817 * t - 0.0074308 * t * t + 3.5535e-06 * t * t * t) * kMicro;
}

void CompressedAir(double t, double pBar, TTransportProps& p) {
    SetNames(p, CompressedAirName(pBar), "Comp Air", 50.0, 400.0);
    p.ro = 1e5 * pBar / ((t + 273.15) * 287.1);
    p.Cp = Polynomial(t, {1.0014, 6.31899e-05, 2.67673e-07});
    p.mu = Polynomial(t, {17.6874, 0.058335, -4.57116e-05}) * kMicro;
    p.Ko = Polynomial(t, {24.2432, 0.077467, -2.75949e-05}) * kMicro;
}

// Mixture surfaces: ln P = c0 + c1·x + c2·x² + c3·t + c4·t² + x·t·(c5 + c6·x + c7·t + c8·x·t).
struct Surface {
    double scale;
    double c[9];
};

double EvalSurface(const Surface& s, double x, double t) {
    const double* c = s.c;
    const double lnP = c[0] + c[1] * x + c[2] * x * x + c[3] * t + c[4] * t * t +
                       x * t * (c[5] + c[6] * x + c[7] * t + c[8] * x * t);
    return std::exp(lnP) * s.scale;
}

// Rows: ro, Cp, mu, Ko for each additive 1..3.
constexpr Surface kSurfaces[3][4] = {
    {   // ethylene glycol
        {1, {6.908832, 0.1794889, -0.0507766, -0.0001837594, -2.623705e-06, -0.0002260728,
             -4.543736e-05, 3.226073e-07, 3.241066e-09}},
        {1, {1.406849, -0.3410291, -0.2904647, 0.0003312435, -2.551485e-07, 0.001121364,
             0.001249707, 1.306799e-06, -4.120158e-06}},
        {1e-3, {0.2724536, 3.992438, -0.2251732, -0.02101816, 5.641053e-05, -0.03548088,
                -0.008420715, 0.0001645189, 3.188547e-05}},
        {1e-3, {-0.5757472, -0.9424482, 0.1380524, 0.003464035, -1.589163e-05, -0.001089505,
                -0.001871467, 4.213576e-06, 1.134046e-05}},
    },
    {   // propylene glycol
        {1, {6.908573, 0.1366206, -0.07043926, -0.0001767706, -2.507884e-06, -0.0004839677,
             3.138708e-05, -1.325173e-06, 1.622499e-06}},
        {1, {1.41445, -0.1445615, -0.4128028, 0.0003135204, -3.779987e-07, 0.0009113963,
             0.00138883, 2.183251e-06, -5.01317e-06}},
        {1e-3, {0.3524547, 5.306361, 0.04665734, -0.02054708, 4.146016e-05, -0.07402468,
                0.007216168, 0.0004348032, -0.0001283622}},
        {1e-3, {-0.5802013, -0.9180157, -0.05295051, 0.003521125, -1.630104e-05, -0.001783947,
                -0.00256973, 5.672269e-06, 1.020785e-05}},
    },
    {   // calcium chloride
        {1, {6.90516, 0.874903, 0.0408444, -0.000293198, -4.18535e-06, 0.000269838, -0.00249498,
             2.36169e-05, -5.71633e-05}},
        {1, {1.47304, -2.16854, 1.99074, -0.000861589, 4.40557e-05, 0.0165115, -0.0361895,
             -0.000477273, 0.00112324}},
        {1e-3, {0.63204, 0.165707, 12.2757, -0.0512627, 0.00119454, 0.150601, -0.348387,
                -0.00360417, 0.000846518}},
        {1e-3, {-0.572066, -0.165657, -0.148247, 0.00282036, -1.26764e-06, 0.00183451,
                -0.00849362, -4.6045e-05, 0.000134983}},
    },
};

int RangeFlag(double t, double lower, double upper) { return (t < lower || t > upper) ? 1 : 0; }

}  // namespace

std::string LiquidListName(int index) {
    static const char* const kNames[kLiquidCount] = {
        "Water",           "Thermal Oil",    "Engine Oil",      "Glycerin",
        "Ethylene Glycol", "Calcium Chloride", "Sulphur Dioxide", "Mercury",
        "Liquid Ammonia",  "Liquid Carbon Dioxide", "Methylchloride", "Freon - Liquid R12",
        "Condensed Steam", "Compressed Air"};
    return IsLiquidIndex(index) ? kNames[index] : std::string();
}

std::string AdditiveListName(int index) {
    static const char* const kNames[kAdditiveCount] = {"None", "EthyleneGlycol", "PropyleneGlycol",
                                                       "CalciumChloride"};
    return (index >= 0 && index < kAdditiveCount) ? kNames[index] : std::string();
}

TTransportProps& SharedTransportProps() {
    thread_local TTransportProps shared;
    return shared;
}

bool IsLiquidIndex(int index) { return index >= 0 && index < kLiquidCount; }

int EvaluateLiquid(int index, double t, double pBar, TTransportProps& props) {
    switch (index) {
        case liWater: CleanWater(t, props); break;
        case liThermalOil: ThermalOil(t, props); break;
        case liEngineOil: EngineOil(t, props); break;
        case liGlycerin: Glycerin(t, props); break;
        case liEthyleneGlycol: PureEthyleneGlycol(t, props); break;
        case liCalciumChloride: PureCalciumChloride(t, props); break;
        case liSulphurDioxide: SulphurDioxide(t, props); break;
        case liMercury: Mercury(t, props); break;
        case liAmmonia: LiquidAmmonia(t, props); break;
        case liCarbonDioxide: LiquidCarbonDioxide(t, props); break;
        case liMethylchloride: Methylchloride(t, props); break;
        case liFreonR12: FreonR12(t, props); break;
        case liCondensedSteam: CondensedSteam(t, props); break;
        case liCompressedAir: CompressedAir(t, pBar, props); break;
        default: return 0;
    }
    return RangeFlag(t, props.tLower, props.tUpper);
}

int EvaluateLiquid(int index, double t, double pBar) {
    return EvaluateLiquid(index, t, pBar, SharedTransportProps());
}

int EvaluateMixture(int additive, double x, double t, TMixtureProps& props) {
    if (additive < waEthyleneGlycol || additive > waCalciumChloride) return 0;
    const Surface(&s)[4] = kSurfaces[additive - 1];
    props.ro = EvalSurface(s[0], x, t);
    props.Cp = EvalSurface(s[1], x, t);
    props.mu = EvalSurface(s[2], x, t);
    props.Ko = EvalSurface(s[3], x, t);
    return RangeFlag(t, kMixtureLower, kMixtureUpper);
}

}  // namespace qdx
