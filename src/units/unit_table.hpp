#pragma once
// Unit categories, the constant table of their units, and the conversions between a stored and
// a display unit. Values are held in a stored unit (as a rule the first unit of a category) and
// shown as  display = stored x Factor + Offset.
//
// A units index outside its category is a caller's mistake: bring it into range with
// CheckUnitsIndex first. The table readers throw std::out_of_range for such an index (and for a
// TUnitsType value outside the enumeration) instead of reading beyond the table.

#include <cstdint>
#include <string>

namespace qdx {

// One byte, in this order: the numeric values are written to settings and files.
enum TUnitsType : std::uint8_t {
    utNone,
    utAirFlowPrim,
    utAirFlowSec,
    utAirFlowSmall,
    utAirFlowRate,
    utAirPressDrop,
    utAltitude,
    utAngularSpeed,
    utArea,
    utCondensateRate,
    utConductance,
    utConductivity,
    utDensity,
    utDiameter,
    utDutyPrim,
    utDutySec,
    utDutyRate,
    utEnergy,
    utEnergyPerVol,
    utEnthalpy,
    utFinDensity,
    utHeatOfRespir,
    utHeatTransCoeff,
    utHumidity,
    utLengthBig,
    utLengthMeasure,
    utLengthPrim,
    utLengthSec,
    utLengthSmall,
    utMass,
    utMassSmall,
    utMassFlow,
    utMassFlowGas,
    utMassFlux,
    utMetRate,
    utPeopleDensity,
    utPower,
    utPressure,
    utPressureBar,
    utPressureSteam,
    utPressureRateGas,
    utPressureRateLiquid,
    utProportion,
    utRate,
    utSpecificHeat,
    utSpecificVol,
    utTemperature,
    utTemperatureChange,
    utThermalCapacity,
    utThermalResist,
    utTime,
    utVelocity,
    utViscosity,
    utVolume,
    utVolumeFluid,
    utWaterFlow,
    utWaterPressDrop,
};

// Number of TUnitsType values (utNone .. utWaterPressDrop).
inline constexpr int kUnitsTypeCount = 57;

// Caption of the category, shown in the units window and used as its settings key.
std::string UnitsCaption(TUnitsType unitsType);

// Number of units of the category (its highest units index + 1); 0 for utNone, which has none.
int UnitsCount(TUnitsType unitsType);

// Display symbol of a unit (UTF-8; may be empty). Empty for utNone whatever the index.
std::string UnitSymbol(TUnitsType unitsType, int index);
// Default display format of a unit, a printf-style pattern with one float conversion.
// "%0.1f" for utNone whatever the index.
std::string UnitFormatStr(TUnitsType unitsType, int index);
// How many of this unit make one of the category's first unit (1 for utNone).
double UnitFactor(TUnitsType unitsType, int index);
// Added after scaling; non-zero only for the absolute temperature units (0 for utNone).
double UnitOffset(TUnitsType unitsType, int index);

// The conversion from stored units index `unitsBase` to display units index `unitsValue`:
// format and symbol of the display unit, Factor = factor(display) / factor(stored), Offset of
// the display unit for utTemperature and 0 otherwise. For utNone, formatStr becomes "%0.1f",
// symbol empty, and offset and factor are left as the caller set them.
void GetUnitsConversion(TUnitsType unitsType, int unitsValue, int unitsBase, std::string& formatStr,
                        double& offset, double& factor, std::string& symbol);

// Stored value -> display value. Throws CalcError when finite inputs overflow.
double ToUnits(double value, double factor, double offset);
// Display value -> stored value. Throws CalcError for a zero factor (or an overflow).
double FromUnits(double value, double factor, double offset);

// Clamps a units index into the category; utNone gives the index unchanged.
int CheckUnitsIndex(TUnitsType unitsType, int index);

// Default units index of the category for SI ("Metric") and Imperial display; `fallback` for
// utNone.
int SIUnitsIndex(TUnitsType unitsType, int fallback);
int ImperialUnitsIndex(TUnitsType unitsType, int fallback);

}  // namespace qdx
