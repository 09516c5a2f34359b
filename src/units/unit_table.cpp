#include "units/unit_table.hpp"

#include <cmath>
#include <span>
#include <stdexcept>

#include "units/errors.hpp"

namespace qdx {
namespace {

struct UnitEntry {
    const char* symbol;
    double factor;  // units per one of the category's first unit
    double offset;
    const char* format;
};

struct CategoryEntry {
    const char* caption;
    std::span<const UnitEntry> units;
    int si;
    int imperial;
};

// Unit lists. Categories that share a list share symbols, factors and formats but keep their
// own SI and Imperial defaults.

constexpr UnitEntry kAirFlow[] = {
    {"m³/s", 1, 0, "%0.3f"},
    {"m³/min", 60, 0, "%0.2f"},
    {"m³/hr", 3600, 0, "%0.0f"},
    {"l/s", 1000, 0, "%0.0f"},
    {"cfm", 2118.880003, 0, "%0.2f"},
};

constexpr UnitEntry kAirFlowSmall[] = {
    {"l/s", 1, 0, "%0.1f"},
    {"m³/min", 0.06, 0, "%0.2f"},
    {"cfm", 2.118880003, 0, "%0.3f"},
};

constexpr UnitEntry kAirFlowRate[] = {
    {"m³/s/m²", 1, 0, "%0.3f"},
    {"m³/min/m²", 60, 0, "%0.2f"},
    {"m³/hr/m²", 3600, 0, "%0.0f"},
    {"l/s/m²", 1000, 0, "%0.0f"},
    {"cfm/ft²", 196.8503937, 0, "%0.2f"},
};

constexpr UnitEntry kPressure[] = {
    {"kPa", 1, 0, "%0.3f"},
    {"Pa", 1000, 0, "%0.0f"},
    {"Psi", 0.1450376808, 0, "%0.4f"},
    {"Bar", 0.01, 0, "%0.5f"},
    {"Atm", 0.00986923, 0, "%0.5f"},
    {"InchWg", 4.01463076, 0, "%0.4f"},
    {"InchHg", 0.295, 0, "%0.4f"},
    {"mHead", 0.1019716213, 0, "%0.4f"},
};

constexpr UnitEntry kAltitude[] = {
    {"m", 1, 0, "%0.1f"},
    {"ft", 3.280839895, 0, "%0.1f"},
};

constexpr UnitEntry kAngularSpeed[] = {
    {"rpm", 1, 0, "%0.0f"},
    {"Rad/s", 0.1047197551, 0, "%0.3f"},
    {"Rev/s", 0.01666666667, 0, "%0.0f"},
};

constexpr UnitEntry kArea[] = {
    {"m²", 1, 0, "%0.1f"},
    {"cm²", 10000, 0, "%0.1f"},
    {"mm²", 1000000, 0, "%0.0f"},
    {"inch²", 1550.0031, 0, "%0.2f"},
    {"ft²", 10.76391042, 0, "%0.1f"},
};

constexpr UnitEntry kCondensateRate[] = {
    {"g/s", 1, 0, "%0.1f"},
    {"kg/s", 0.001, 0, "%0.4f"},
    {"kg/min", 0.06, 0, "%0.3f"},
    {"lb/hr", 7.936641439, 0, "%0.3f"},
};

constexpr UnitEntry kConductance[] = {
    {"kW/°C", 1, 0, "%0.3f"},
    {"W/°C", 1000, 0, "%0.0f"},
    {"MBH/°F", 1.895633976, 0, "%0.3f"},
    {"Btu/h°F", 1895.633976, 0, "%0.0f"},
};

constexpr UnitEntry kConductivity[] = {
    {"kW/m·K", 1, 0, "%0.6g"},
    {"W/m·K", 1000, 0, "%0.6g"},
    {"mW/m·K", 1000000, 0, "%0.6g"},
    {"Btu/hr·ft°F", 577.7, 0, "%0.6g"},
};

constexpr UnitEntry kDensity[] = {
    {"kg/m³", 1, 0, "%0.5g"},
    {"mg/L", 1000, 0, "%0.1g"},
    {"lb/ft³", 0.06242796058, 0, "%0.4g"},
};

constexpr UnitEntry kDiameter[] = {
    {"m", 1, 0, "%0.3f"},
    {"mm", 1000, 0, "%0.0f"},
    {"inch", 39.37007874, 0, "%0.2f"},
    {"1/8\"", 314.9606299, 0, "%0.0f"},
    {"ft", 3.280839895, 0, "%0.3f"},
};

constexpr UnitEntry kDuty[] = {
    {"kW", 1, 0, "%0.3f"},
    {"W", 1000, 0, "%0.0f"},
    {"Btu/hr", 3412.141156, 0, "%0.0f"},
    {"MBh", 3.412141156, 0, "%0.3f"},
    {"kcal/hr", 859.184, 0, "%0.1f"},
};

constexpr UnitEntry kDutyRate[] = {
    {"W/m²", 1, 0, "%0.1f"},
    {"kW/m²", 0.001, 0, "%0.3f"},
    {"Btu/hr·ft²", 0.3169982863, 0, "%0.1f"},
    {"MBh/ft²", 0.0003169982863, 0, "%0.3f"},
    {"kcal/hr·ft²", 0.07982080552, 0, "%0.1f"},
};

constexpr UnitEntry kEnergy[] = {
    {"kJ", 1, 0, "%0.3f"},
    {"J", 1000, 0, "%0.0f"},
    {"kW-hr", 0.0002777777778, 0, "%0.5g"},
    {"W-hr", 0.2777777778, 0, "%0.5g"},
    {"Btu", 0.9478169879, 0, "%0.5g"},
};

constexpr UnitEntry kEnergyPerVol[] = {
    {"kW/cms", 1, 0, "%0.3f"},
    {"kJ/m³", 1, 0, "%0.3f"},
    {"Btu/ft³", 0.02683918824, 0, "%0.3f"},
};

constexpr UnitEntry kEnthalpy[] = {
    {"kJ/kg", 1, 0, "%0.1f"},
    {"Btu/lb", 0.4299226139, 0, "%0.1f"},
};

constexpr UnitEntry kFinDensity[] = {
    {"fpi", 1, 0, "%0.4f"},
    {"fin/mm", 0.03937007874, 0, "%0.5f"},
    {"fins/m", 39.37007874, 0, "%0.3f"},
    {"fins/ft", 12, 0, "%0.3f"},
};

constexpr UnitEntry kHeatOfRespir[] = {
    {"kJ/kg/day", 1, 0, "%0.2f"},
    {"mW/kg", 11.57407407, 0, "%0.4f"},
    {"Btu/lb/day", 0.4299226139, 0, "%0.2f"},
};

constexpr UnitEntry kHeatTransCoeff[] = {
    {"W/m²°C", 1, 0, "%0.5g"},
    {"Btu/hr·ft²°F", 0.1761183515, 0, "%0.5g"},
};

constexpr UnitEntry kHumidity[] = {
    {"kg/kg", 1, 0, "%0.4f"},
    {"g/kg", 1000, 0, "%0.2f"},
    {"gr/lb", 7000, 0, "%0.1f"},
};

constexpr UnitEntry kLengthBig[] = {
    {"m", 1, 0, "%0.2f"},
    {"ft", 3.280839895, 0, "%0.1f"},
};

constexpr UnitEntry kLengthMeasure[] = {
    {"m", 1, 0, "%0.3f"},
    {"cm", 100, 0, "%0.2f"},
    {"mm", 1000, 0, "%0.1f"},
    {"inch", 39.37007874, 0, "%0.2f"},
    {"ft", 3.280839895, 0, "%0.3f"},
};

constexpr UnitEntry kLengthSmall[] = {
    {"mm", 1, 0, "%0.4f"},
    {"um", 1000, 0, "%0.1f"},
    {"Thou\"", 39.37007874, 0, "%0.3f"},
};

constexpr UnitEntry kMass[] = {
    {"kg", 1, 0, "%0.0f"},
    {"ton SI", 0.001, 0, "%0.3f"},
    {"lb", 2.204622622, 0, "%0.1f"},
};

constexpr UnitEntry kMassSmall[] = {
    {"g", 1, 0, "%0.1f"},
    {"oz", 0.03527396195, 0, "%0.3f"},
};

constexpr UnitEntry kMassFlow[] = {
    {"kg/s", 1, 0, "%0.4f"},
    {"g/s", 1000, 0, "%0.1f"},
    {"kg/hr", 3600, 0, "%0.2f"},
    {"lb/s", 2.204622622, 0, "%0.5f"},
    {"lb/min", 132.2773573, 0, "%0.3f"},
    {"lb/hr", 7936.641439, 0, "%0.1f"},
};

constexpr UnitEntry kMassFlux[] = {
    {"kg/m²s", 1, 0, "%0.3f"},
    {"g/m²s", 1000, 0, "%0.0f"},
    {"kg/m²hr", 3600, 0, "%0.1f"},
    {"lb/ft²s", 0.2048161436, 0, "%0.4f"},
    {"lb/ft²min", 12.28896862, 0, "%0.2f"},
    {"lb/ft²hr", 737.338117, 0, "%0.0f"},
};

constexpr UnitEntry kMetRate[] = {
    {"W/P", 1, 0, "%0.1f"},
    {"Btu/hr/P", 3.412141156, 0, "%0.0f"},
};

constexpr UnitEntry kPeopleDensity[] = {
    {"m²/P", 1, 0, "%0.1f"},
    {"ft²/P", 10.76391042, 0, "%0.2f"},
};

constexpr UnitEntry kPower[] = {
    {"kW", 1, 0, "%0.3f"},
    {"W", 1000, 0, "%0.0f"},
    {"HP", 1.341021859, 0, "%0.2f"},
};

constexpr UnitEntry kPressureBar[] = {
    {"kPa", 1, 0, "%0.3f"},
    {"Psi", 0.1450376808, 0, "%0.4f"},
    {"Bar", 0.01, 0, "%0.5f"},
    {"Atm", 0.00986923, 0, "%0.5f"},
    {"InchHg", 0.295, 0, "%0.4f"},
    {"mHead", 0.1019716213, 0, "%0.4f"},
};

constexpr UnitEntry kPressureRate[] = {
    {"Pa/m", 1, 0, "%0.2f"},
    {"kPa/m", 0.001, 0, "%0.5f"},
    {"iwg/100'", 0.1223659456, 0, "%0.4f"},
    {"Psi/ft", 0.0000442074851, 0, "%0.6f"},
};

constexpr UnitEntry kProportion[] = {
    {"", 1, 0, "%0.3f"},
    {"%", 100, 0, "%0.1f"},
    {"ratio", 1, 0, "%0.3f"},
};

constexpr UnitEntry kRate[] = {
    {"/sec", 1, 0, "%0.4f"},
    {"/min", 60, 0, "%0.2f"},
    {"/hr", 3600, 0, "%0.0f"},
};

constexpr UnitEntry kSpecificHeat[] = {
    {"kJ/kg·K", 1, 0, "%0.4g"},
    {"Btu/lb°F", 0.2388344877, 0, "%0.4g"},
};

constexpr UnitEntry kSpecificVol[] = {
    {"m³/kg", 1, 0, "%0.3f"},
    {"ft³/lb", 16.01846337, 0, "%0.3f"},
};

constexpr UnitEntry kTemperature[] = {
    {"°C", 1, 0, "%0.1f"},
    {"°F", 1.8, 32, "%0.1f"},
    {"K", 1, 273.15, "%0.2f"},
};

// A temperature difference converts by the factor alone.
constexpr UnitEntry kTemperatureChange[] = {
    {"°C", 1, 0, "%0.1f"},
    {"°F", 1.8, 0, "%0.1f"},
    {"K", 1, 0, "%0.2f"},
};

constexpr UnitEntry kThermalCapacity[] = {
    {"W-hr/m²°C", 1, 0, "%0.1f"},
    {"Btu/ft²°F", 0.1761183515, 0, "%0.1f"},
};

constexpr UnitEntry kThermalResist[] = {
    {"m²°C/W", 1, 0, "%0.4f"},
    {"ft²·hr·°F/Btu", 5.678264134, 0, "%0.3f"},
};

constexpr UnitEntry kTime[] = {
    {"sec", 1, 0, "%0.0f"},
    {"min", 0.01666666667, 0, "%0.2f"},
    {"hr", 0.0002777777778, 0, "%0.4f"},
};

constexpr UnitEntry kVelocity[] = {
    {"m/s", 1, 0, "%0.2f"},
    {"fpm", 196.8503937, 0, "%0.1f"},
};

constexpr UnitEntry kViscosity[] = {
    {"kg/m·s", 1, 0, "%0.6g"},
    {"N·s/m²", 1, 0, "%0.6g"},
    {"µPa·s", 1000000, 0, "%0.6g"},
    {"cP", 1000, 0, "%0.6g"},
    {"lbm/ft·s", 0.671955, 0, "%0.6g"},
    {"lbf·s/ft²", 0.020885, 0, "%0.6g"},
    {"lbf·hr/ft²", 0.0000058014, 0, "%0.6g"},
};

constexpr UnitEntry kVolume[] = {
    {"m³", 1, 0, "%0.4f"},
    {"litre", 1000, 0, "%0.2f"},
    {"cc", 1000000, 0, "%0.0f"},
    {"ft³", 35.32, 0, "%0.4f"},
    {"inch³", 61023, 0, "%0.1f"},
};

constexpr UnitEntry kVolumeFluid[] = {
    {"kl", 1, 0, "%0.3f"},
    {"litre", 1000, 0, "%0.5g"},
    {"IP Gal", 220, 0, "%0.5g"},
    {"US Gal", 264.1720524, 0, "%0.5g"},
};

constexpr UnitEntry kWaterFlow[] = {
    {"l/s", 1, 0, "%0.3f"},
    {"l/min", 60, 0, "%0.2f"},
    {"dm³/hr", 3600, 0, "%0.2f"},
    {"m³/hr", 3.6, 0, "%0.2f"},
    {"m³/s", 0.001, 0, "%0.4f"},
    {"usgpm", 15.85032314, 0, "%0.1f"},
};

// Indexed by TUnitsType. utNone has no units; its symbol, format and defaults are handled
// apart.
const CategoryEntry kCategories[kUnitsTypeCount] = {
    {"None", {}, 0, 0},
    {"Air Flow - Primary", kAirFlow, 0, 4},
    {"Air Flow - Secondary", kAirFlow, 3, 4},
    {"Air Flow - Small", kAirFlowSmall, 0, 2},
    {"Air Flow Rate", kAirFlowRate, 3, 4},
    {"Air Pressure Drop", kPressure, 1, 5},
    {"Altitude", kAltitude, 0, 1},
    {"Angular Speed", kAngularSpeed, 0, 0},
    {"Area", kArea, 0, 4},
    {"Condensate Rate", kCondensateRate, 0, 3},
    {"Conductance", kConductance, 0, 2},
    {"Conductivity", kConductivity, 1, 3},
    {"Density", kDensity, 0, 2},
    {"Diameter", kDiameter, 1, 2},
    {"Duty - Primary", kDuty, 0, 2},
    {"Duty - Secondary", kDuty, 1, 2},
    {"Duty Rate", kDutyRate, 0, 2},
    {"Energy", kEnergy, 2, 4},
    {"Energy Per Volume", kEnergyPerVol, 0, 2},
    {"Enthalpy", kEnthalpy, 0, 1},
    {"Fin Density", kFinDensity, 2, 0},
    {"Heat of Respiration", kHeatOfRespir, 0, 2},
    {"Heat Transfer Coefficient", kHeatTransCoeff, 0, 1},
    {"Humidity", kHumidity, 1, 2},
    {"Length - Big", kLengthBig, 0, 1},
    {"Length - Measurement", kLengthMeasure, 2, 3},
    {"Length - Primary", kLengthMeasure, 0, 4},
    {"Length - Secondary", kLengthMeasure, 2, 3},
    {"Length - Small", kLengthSmall, 0, 2},
    {"Mass", kMass, 0, 2},
    {"Mass - Small", kMassSmall, 0, 1},
    {"MassFlow", kMassFlow, 0, 3},
    {"MassFlow - Refrig./Steam", kMassFlow, 2, 5},
    {"MassFlux", kMassFlux, 0, 3},
    {"Metabolic Rate", kMetRate, 0, 1},
    {"People Density", kPeopleDensity, 0, 1},
    {"Power", kPower, 0, 2},
    {"Pressure - Absolute or Gauge", kPressure, 0, 2},
    {"Pressure - Barometric", kPressureBar, 0, 4},
    {"Pressure - Steam", kPressure, 3, 2},
    {"Pressure Rate - Gas", kPressureRate, 0, 2},
    {"Pressure Rate - Liquid", kPressureRate, 1, 3},
    {"Proportion", kProportion, 0, 0},
    {"Rate", kRate, 0, 1},
    {"Specific Heat", kSpecificHeat, 0, 1},
    {"Specific Volume", kSpecificVol, 0, 1},
    {"Temperature", kTemperature, 0, 1},
    {"Temperature Change", kTemperatureChange, 0, 1},
    {"Thermal Capacity", kThermalCapacity, 0, 1},
    {"Thermal Resistance", kThermalResist, 0, 1},
    {"Time", kTime, 0, 1},
    {"Velocity", kVelocity, 0, 1},
    {"Viscosity", kViscosity, 0, 4},
    {"Volume", kVolume, 0, 3},
    {"Fluid Volume", kVolumeFluid, 0, 3},
    {"Water Flow", kWaterFlow, 0, 5},
    {"Water Pressure Drop", kPressure, 0, 2},
};

constexpr const char* kNoneFormat = "%0.1f";

const CategoryEntry& Category(TUnitsType unitsType) {
    const int t = static_cast<int>(unitsType);
    if (t < 0 || t >= kUnitsTypeCount)
        throw std::out_of_range("Units type " + std::to_string(t) + " out of range");
    return kCategories[t];
}

const UnitEntry& Unit(TUnitsType unitsType, int index) {
    const CategoryEntry& c = Category(unitsType);
    if (index < 0 || index >= static_cast<int>(c.units.size()))
        throw std::out_of_range("Units index " + std::to_string(index) + " out of range for " +
                                c.caption);
    return c.units[index];
}

bool AllFinite(double a, double b, double c) {
    return std::isfinite(a) && std::isfinite(b) && std::isfinite(c);
}

}  // namespace

std::string UnitsCaption(TUnitsType unitsType) { return Category(unitsType).caption; }

int UnitsCount(TUnitsType unitsType) {
    return static_cast<int>(Category(unitsType).units.size());
}

std::string UnitSymbol(TUnitsType unitsType, int index) {
    if (unitsType == utNone) return "";
    return Unit(unitsType, index).symbol;
}

std::string UnitFormatStr(TUnitsType unitsType, int index) {
    if (unitsType == utNone) return kNoneFormat;
    return Unit(unitsType, index).format;
}

double UnitFactor(TUnitsType unitsType, int index) {
    if (unitsType == utNone) return 1;
    return Unit(unitsType, index).factor;
}

double UnitOffset(TUnitsType unitsType, int index) {
    if (unitsType == utNone) return 0;
    return Unit(unitsType, index).offset;
}

void GetUnitsConversion(TUnitsType unitsType, int unitsValue, int unitsBase, std::string& formatStr,
                        double& offset, double& factor, std::string& symbol) {
    if (unitsType == utNone) {
        formatStr = kNoneFormat;
        symbol.clear();
        return;
    }
    // Read both entries before writing anything, so a bad index leaves the caller's values.
    const UnitEntry& display = Unit(unitsType, unitsValue);
    const UnitEntry& stored = Unit(unitsType, unitsBase);
    formatStr = display.format;
    symbol = display.symbol;
    factor = display.factor / stored.factor;
    // Only an absolute temperature is shifted; everything else, including a temperature
    // difference, scales alone.
    offset = unitsType == utTemperature ? display.offset : 0.0;
}

double ToUnits(double value, double factor, double offset) {
    const double r = value * factor + offset;
    if (AllFinite(value, factor, offset)) CheckFinite(r, "Floating point overflow");
    return r;
}

double FromUnits(double value, double factor, double offset) {
    if (AllFinite(value, factor, offset) && factor == 0)
        throw CalcError("Floating point division by zero");
    const double r = (value - offset) / factor;
    if (AllFinite(value, factor, offset)) CheckFinite(r, "Floating point overflow");
    return r;
}

int CheckUnitsIndex(TUnitsType unitsType, int index) {
    if (unitsType == utNone) return index;
    const int high = UnitsCount(unitsType) - 1;
    if (index < 0) return 0;
    if (index > high) return high;
    return index;
}

int SIUnitsIndex(TUnitsType unitsType, int fallback) {
    if (unitsType == utNone) return fallback;
    return Category(unitsType).si;
}

int ImperialUnitsIndex(TUnitsType unitsType, int fallback) {
    if (unitsType == utNone) return fallback;
    return Category(unitsType).imperial;
}

}  // namespace qdx
