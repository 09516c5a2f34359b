#pragma once
// Unit preferences at two levels:
//  - one unit setting record (UnitRec) per named quantity, used by the reports and the coil
//    windows: its category, the display unit the user chose, the unit the value is stored in,
//    and the cached conversion; the display choices are kept in the units file (its reading
//    and writing are the documents layer's, documents/unit_prefs_store.hpp);
//  - the unit-choice table: one display units index per category, switched wholesale between
//    Metric and Imperial and applied to the property grids. It exists once the units window
//    has been created; before that every choice reads 0.
//
// The program holds one TUnitPrefs (UnitPrefs()); it is used from the user-interface thread only.

#include <array>
#include <memory>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "units/unit_table.hpp"

namespace qdx {

struct UnitRec {
    std::string Section;           // section in the units file
    std::string Key;               // key in the units file
    TUnitsType UnitsType = utNone;
    int UnitsValue = 0;            // display units index: the user's choice
    int UnitsBase = 0;             // units index the quantity is held in
    double Factor = 1.0;           // cached conversion, stored -> display
    double Offset = 0.0;
    std::string Symbol;            // cached symbol of the display unit
    std::string FormatStr;         // cached or adapted display format

    bool operator==(const UnitRec&) const = default;
};

// The registered quantities, in registration order (which is also the order of the units file).
enum TUnitRecId : int {
    urFatHeight,
    urFatLength,
    urFatDepth,
    urFatFinSpacing,
    urFatTubeDiameter,
    urFatTubePitch,
    urFatFinThickness,
    urPlaceBaromPressure,
    urPlaceAltitude,
    urPlaceAmbient,
    urAirMassFlow,
    urAirVolFlow,
    urAirT,
    urAirH,
    urAirW,
    urAirCp,
    urAirK,
    urAirRh,
    urAirRho,
    urAirV,
    urAirDp,
    urAirDt,
    urAirMc,
    urRefT,
    urRefP,
    urRefMassFlow,
    urRefMassFlux,
    urRefRho,
    urRefH,
    urRefDpRate,
    urRefDp,
    urRefV,
    urRefDt,
    urLiquidDp,
    urLiquidT,
    urLiquidDt,
    urLiquidVolFlow,
    urLiquidMassFlow,
    urLiquidV,
    urLiquidRho,
    urLiquidMc,
    urSteamT,
    urSteamP,
    urSteamMassFlow,
    urSteamDp,
    urSatLength,
    urSatDiam,
    urWccMassFlow,
    urWccT,
    urWccDt,
    urChillerMassFlow,
    urChillerT,
    urChillerDt,
    urPlateHeight,
    urPlateWidth,
    urPlateSpacing,
    urBarepipeLength,
    urBarepipeDiam,
    urHexDuty,
    urHexDutyPerVolflow,
    urHexEnergy,
    urHexPower,
    urHexMass,
    urHexVol,
    urHexArea,
    urHexDt,
    urHexUValue,
    urHexPipeConn,
    urGeneralDutyRate,
    urGeneralTime,
    urGeneralFraction,
    urGeneralProportion,
    urGeneralRespiration,
    urGeneralCondRate,
    urGeneralIceRate,
};

inline constexpr int kUnitRecCount = 75;

// A key of the "Coils" section of the common settings and the record it holds the choice of.
struct CoilUnitKey {
    const char* SettingsKey;
    TUnitRecId Rec;
};
// The seventeen keys in their written order: ten of every coil window, then seven of the
// chilled water coil window.
std::span<const CoilUnitKey> CoilUnitKeys();
inline constexpr int kCoilWindowUnitKeys = 10;

// One display units index per category, starting at the SI defaults.
class TUnitChoiceTable {
public:
    static constexpr const char* kSettingsSection = "SetUnitsForm";

    TUnitChoiceTable();

    int Get(TUnitsType unitsType) const { return Units[unitsType]; }
    void Set(TUnitsType unitsType, int index) { Units[unitsType] = index; }

    // Every entry but Proportion (whose choice is independent of the system) to the category's
    // SI or Imperial default; utNone keeps its value.
    void SetMetric();
    void SetImperial();

    // The table is read from and written to that settings section by the documents layer.
    std::array<int, kUnitsTypeCount> Units{};
};

class TUnitPrefs {
public:
    TUnitPrefs();
    TUnitPrefs(const TUnitPrefs&) = delete;
    TUnitPrefs& operator=(const TUnitPrefs&) = delete;

    UnitRec& operator[](TUnitRecId id) { return records_[id]; }
    const UnitRec& operator[](TUnitRecId id) const { return records_[id]; }

    // Fills rec (conversion cached for the given units) and appends it to the registry list.
    void RegisterUnitRec(UnitRec& rec, std::string_view section, std::string_view key,
                         TUnitsType unitsType, int unitsValue, int unitsBase);
    // The registered records in registration order.
    const std::vector<UnitRec*>& Registry() const { return registry_; }
    // The record of (section, key), compared ignoring case; null when there is none.
    UnitRec* FindUnitRec(std::string_view section, std::string_view key);

    // The unit-choice table, null until CreateUnitChoices (the units window owns the choices
    // for the whole run once it exists).
    TUnitChoiceTable* UnitChoices() { return choices_.get(); }
    TUnitChoiceTable& CreateUnitChoices();
    // The table's index for the category; 0 while there is no table.
    int UnitChoice(TUnitsType unitsType) const;

    // Every record's display unit to the Imperial default of its category, or back to the
    // default it was registered with. Proportions keep their choice either way, as the
    // unit-choice table's switching does. The choice table is left alone.
    void SetImperialUnits();
    void SetMetricUnits();

    // Back to the state at start-up: every record at its registered default, no choice table.
    void Reset();

private:
    void RegisterAll();

    std::array<UnitRec, kUnitRecCount> records_;
    std::vector<UnitRec*> registry_;
    std::unique_ptr<TUnitChoiceTable> choices_;
};

// The program-wide preferences.
TUnitPrefs& UnitPrefs();

// Shorthands on the program-wide preferences.
inline int UnitChoice(TUnitsType unitsType) { return UnitPrefs().UnitChoice(unitsType); }
inline void SetImperialUnits() { UnitPrefs().SetImperialUnits(); }
inline void SetMetricUnits() { UnitPrefs().SetMetricUnits(); }

// "%0." + decimals + "f" or "g" chosen by the size of a display value; Extra adds decimals
// (barometric pressures get three more when Extra is 0).
std::string RecAutoFormat(TUnitsType unitsType, int extra, double value);

// Formatting through a record. Each refreshes the record's conversion from its current display
// and stored units, converts the stored value, and (unless keepFormat) adapts the record's
// format to the converted value with RecAutoFormat.
// The number text, followed by separator and the symbol when withSymbol ("101.325,kPa").
std::string FormatRecValue(UnitRec& rec, bool withSymbol, std::string_view separator,
                           bool keepFormat, double value);
// Two values as "first/second", the format chosen from the first.
std::string FormatRecPair(UnitRec& rec, bool withSymbol, std::string_view separator,
                          bool keepFormat, double first, double second);
// pattern holds two "%s" slots: the number text and the symbol ("Airflow\t%s\t%s").
std::string FormatRecLabelled(std::string_view pattern, UnitRec& rec, bool keepFormat,
                              double value);
std::string FormatRecPairLabelled(std::string_view pattern, UnitRec& rec, bool keepFormat,
                                  double first, double second);

}  // namespace qdx
