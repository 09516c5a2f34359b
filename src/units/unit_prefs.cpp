#include "units/unit_prefs.hpp"

#include <algorithm>
#include <cmath>

#include "units/format.hpp"

namespace qdx {

namespace {

struct RecDef {
    TUnitRecId id;
    const char* section;
    const char* key;
    TUnitsType unitsType;
    int unitsValue;
    int unitsBase;
};

// Registration order is the order of the units file; ids follow it one to one.
constexpr RecDef kRecDefs[] = {
    {urFatHeight, "fat", "height", utLengthMeasure, 3, 0},
    {urFatLength, "fat", "length", utLengthMeasure, 2, 0},
    {urFatDepth, "fat", "depth", utLengthMeasure, 2, 0},
    {urFatFinSpacing, "fat", "fin_spacing", utFinDensity, 0, 0},
    {urFatTubeDiameter, "fat", "tube_diameter", utLengthMeasure, 2, 0},
    {urFatTubePitch, "fat", "tube_pitch", utLengthMeasure, 2, 0},
    {urFatFinThickness, "fat", "fin_thickness", utLengthMeasure, 2, 0},
    {urPlaceBaromPressure, "place", "barom_pressure", utPressureBar, 0, 0},
    {urPlaceAltitude, "place", "altitude", utAltitude, 0, 0},
    {urPlaceAmbient, "place", "ambient", utTemperature, 0, 0},
    {urAirMassFlow, "air", "mass_flow", utMassFlow, 0, 0},
    {urAirVolFlow, "air", "vol_flow", utAirFlowPrim, 0, 0},
    {urAirT, "air", "t", utTemperature, 0, 0},
    {urAirH, "air", "h", utEnthalpy, 0, 0},
    {urAirW, "air", "w", utHumidity, 1, 0},
    {urAirCp, "air", "cp", utSpecificHeat, 0, 0},
    {urAirK, "air", "k", utConductivity, 0, 0},
    {urAirRh, "air", "rh", utProportion, 1, 0},
    {urAirRho, "air", "rho", utDensity, 0, 0},
    {urAirV, "air", "v", utVelocity, 0, 0},
    {urAirDp, "air", "dp", utAirPressDrop, 1, 1},
    {urAirDt, "air", "dt", utTemperatureChange, 0, 0},
    {urAirMc, "air", "mc", utConductance, 0, 0},
    {urRefT, "ref", "t", utTemperature, 0, 0},
    {urRefP, "ref", "p", utPressure, 0, 1},
    {urRefMassFlow, "ref", "mass_flow", utMassFlowGas, 2, 0},
    {urRefMassFlux, "ref", "mass_flux", utMassFlux, 0, 0},
    {urRefRho, "ref", "rho", utDensity, 0, 0},
    {urRefH, "ref", "h", utEnthalpy, 0, 0},
    {urRefDpRate, "ref", "dp_rate", utPressureRateLiquid, 1, 1},
    {urRefDp, "ref", "dp", utPressure, 0, 0},
    {urRefV, "ref", "v", utVelocity, 0, 0},
    {urRefDt, "ref", "dt", utTemperatureChange, 0, 0},
    {urLiquidDp, "liquid", "dp", utWaterPressDrop, 0, 0},
    {urLiquidT, "liquid", "t", utTemperature, 0, 0},
    {urLiquidDt, "liquid", "dt", utTemperatureChange, 0, 0},
    {urLiquidVolFlow, "liquid", "vol_flow", utWaterFlow, 0, 0},
    {urLiquidMassFlow, "liquid", "mass_flow", utMassFlow, 0, 0},
    {urLiquidV, "liquid", "v", utVelocity, 0, 0},
    {urLiquidRho, "liquid", "rho", utDensity, 0, 0},
    {urLiquidMc, "liquid", "mc", utConductance, 0, 0},
    {urSteamT, "steam", "t", utTemperature, 0, 0},
    {urSteamP, "steam", "p", utPressureSteam, 3, 3},
    {urSteamMassFlow, "steam", "mass_flow", utMassFlowGas, 2, 0},
    {urSteamDp, "steam", "dp", utPressure, 0, 0},
    {urSatLength, "sat", "length", utLengthPrim, 0, 0},
    {urSatDiam, "sat", "diam", utLengthSec, 2, 0},
    {urWccMassFlow, "wcc", "mass_flow", utMassFlowGas, 2, 0},
    {urWccT, "wcc", "t", utTemperature, 0, 0},
    {urWccDt, "wcc", "dt", utTemperatureChange, 0, 0},
    {urChillerMassFlow, "chiller", "mass_flow", utMassFlowGas, 2, 0},
    {urChillerT, "chiller", "t", utTemperature, 0, 0},
    {urChillerDt, "chiller", "dt", utTemperatureChange, 0, 0},
    {urPlateHeight, "plate", "height", utLengthPrim, 0, 0},
    {urPlateWidth, "plate", "width", utLengthPrim, 0, 0},
    {urPlateSpacing, "plate", "spacing", utLengthPrim, 0, 0},
    {urBarepipeLength, "barepipe", "length", utLengthPrim, 0, 0},
    {urBarepipeDiam, "barepipe", "diam", utLengthPrim, 0, 0},
    {urHexDuty, "hex", "duty", utDutyPrim, 0, 0},
    {urHexDutyPerVolflow, "hex", "duty_per_volflow", utEnergyPerVol, 0, 0},
    {urHexEnergy, "hex", "energy", utEnergy, 0, 0},
    {urHexPower, "hex", "power", utPower, 0, 0},
    {urHexMass, "hex", "mass", utMass, 0, 0},
    {urHexVol, "hex", "vol", utVolume, 1, 0},
    {urHexArea, "hex", "area", utArea, 0, 0},
    {urHexDt, "hex", "dt", utTemperatureChange, 0, 0},
    {urHexUValue, "hex", "u_value", utHeatTransCoeff, 0, 0},
    {urHexPipeConn, "hex", "pipe_conn", utLengthMeasure, 2, 2},
    {urGeneralDutyRate, "general", "duty_rate", utDutyRate, 0, 0},
    {urGeneralTime, "general", "time", utTime, 0, 0},
    {urGeneralFraction, "general", "fraction", utProportion, 0, 1},
    {urGeneralProportion, "general", "proportion", utProportion, 0, 1},
    {urGeneralRespiration, "general", "respiration", utHeatOfRespir, 0, 0},
    {urGeneralCondRate, "general", "cond_rate", utCondensateRate, 0, 1},
    {urGeneralIceRate, "general", "ice_rate", utVelocity, 0, 0},
};
static_assert(std::size(kRecDefs) == kUnitRecCount);

constexpr bool IdsFollowOrder() {
    for (int i = 0; i < kUnitRecCount; ++i)
        if (kRecDefs[i].id != i) return false;
    return true;
}
static_assert(IdsFollowOrder(), "record ids must follow the registration order");

constexpr CoilUnitKey kCoilUnitKeys[] = {
    {"UnitsPressure", urPlaceBaromPressure},
    {"UnitsAltitude", urPlaceAltitude},
    {"UnitsAirOn", urAirT},
    {"UnitsAirVol", urAirVolFlow},
    {"UnitsAirVel", urAirV},
    {"UnitsDesDuty", urHexDuty},
    {"UnitsPressDrop", urAirDp},
    {"UnitsMass", urHexMass},
    {"UnitsFATLength", urFatLength},
    {"UnitsFATFaceArea", urHexArea},
    {"UnitsLiquidTemp", urLiquidT},
    {"UnitsLiquidChange", urLiquidDt},
    {"UnitsLiquidVolFlow", urLiquidVolFlow},
    {"UnitsLiquidMassFlow", urLiquidMassFlow},
    {"UnitsLiquidVel", urLiquidV},
    {"UnitsLiquidPipeConn", urHexPipeConn},
    {"UnitsLiquidPressDrop", urLiquidDp},
};

// Takes the record's conversion from its current units. An index outside the category (a
// hand-edited units file, a stale setting) is brought into range instead of reading past the
// unit table.
void RefreshConversion(UnitRec& rec) {
    rec.UnitsValue = CheckUnitsIndex(rec.UnitsType, rec.UnitsValue);
    rec.UnitsBase = CheckUnitsIndex(rec.UnitsType, rec.UnitsBase);
    GetUnitsConversion(rec.UnitsType, rec.UnitsValue, rec.UnitsBase, rec.FormatStr, rec.Offset,
                       rec.Factor, rec.Symbol);
}

// Section and key names compare ignoring the case of ASCII letters, as the units file's do.
bool SameName(std::string_view a, std::string_view b) {
    auto lower = [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; };
    return std::equal(a.begin(), a.end(), b.begin(), b.end(),
                      [&](char x, char y) { return lower(x) == lower(y); });
}

std::string WithSymbol(std::string text, const UnitRec& rec, bool withSymbol,
                       std::string_view separator) {
    if (withSymbol) {
        text += separator;
        text += rec.Symbol;
    }
    return text;
}

}  // namespace

std::span<const CoilUnitKey> CoilUnitKeys() { return kCoilUnitKeys; }

// --- unit-choice table ---

TUnitChoiceTable::TUnitChoiceTable() {
    for (int t = 0; t < kUnitsTypeCount; ++t) Units[t] = SIUnitsIndex(static_cast<TUnitsType>(t), 0);
}

void TUnitChoiceTable::SetMetric() {
    for (int t = 0; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        if (type != utProportion) Units[t] = SIUnitsIndex(type, Units[t]);
    }
}

void TUnitChoiceTable::SetImperial() {
    for (int t = 0; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        if (type != utProportion) Units[t] = ImperialUnitsIndex(type, Units[t]);
    }
}

// --- records ---

TUnitPrefs::TUnitPrefs() { RegisterAll(); }

void TUnitPrefs::RegisterUnitRec(UnitRec& rec, std::string_view section, std::string_view key,
                                 TUnitsType unitsType, int unitsValue, int unitsBase) {
    rec = UnitRec{};
    rec.Section = section;
    rec.Key = key;
    rec.UnitsType = unitsType;
    rec.UnitsValue = unitsValue;
    rec.UnitsBase = unitsBase;
    GetUnitsConversion(unitsType, unitsValue, unitsBase, rec.FormatStr, rec.Offset, rec.Factor,
                       rec.Symbol);
    registry_.push_back(&rec);
}

void TUnitPrefs::RegisterAll() {
    registry_.clear();
    for (const RecDef& def : kRecDefs)
        RegisterUnitRec(records_[def.id], def.section, def.key, def.unitsType, def.unitsValue,
                        def.unitsBase);
}

UnitRec* TUnitPrefs::FindUnitRec(std::string_view section, std::string_view key) {
    for (UnitRec* rec : registry_)
        if (SameName(rec->Section, section) && SameName(rec->Key, key)) return rec;
    return nullptr;
}

TUnitChoiceTable& TUnitPrefs::CreateUnitChoices() {
    if (!choices_) choices_ = std::make_unique<TUnitChoiceTable>();
    return *choices_;
}

int TUnitPrefs::UnitChoice(TUnitsType unitsType) const {
    return choices_ ? choices_->Get(unitsType) : 0;
}

void TUnitPrefs::SetImperialUnits() {
    for (UnitRec* rec : registry_) {
        if (rec->UnitsType == utProportion) continue;
        rec->UnitsValue = ImperialUnitsIndex(rec->UnitsType, rec->UnitsValue);
        RefreshConversion(*rec);
    }
}

void TUnitPrefs::SetMetricUnits() {
    for (const RecDef& def : kRecDefs) {
        UnitRec& rec = records_[def.id];
        if (rec.UnitsType == utProportion) continue;
        rec.UnitsValue = def.unitsValue;
        RefreshConversion(rec);
    }
}

void TUnitPrefs::Reset() {
    choices_.reset();
    // The registered records are the same every time: worked out once, then copied.
    static const std::array<UnitRec, kUnitRecCount> registered = TUnitPrefs().records_;
    // Most runs change few records or none: comparing is cheaper than copying.
    for (int i = 0; i < kUnitRecCount; ++i)
        if (records_[i] != registered[i]) records_[i] = registered[i];
    registry_.clear();
    for (const RecDef& def : kRecDefs) registry_.push_back(&records_[def.id]);
}

TUnitPrefs& UnitPrefs() {
    thread_local TUnitPrefs prefs;
    return prefs;
}

// --- formatting ---

std::string RecAutoFormat(TUnitsType unitsType, int extra, double value) {
    if (unitsType == utPressureBar && extra == 0) extra = 3;
    double a = std::fabs(value);
    if (a < 1e-9) a = 0;
    const double t = std::trunc(std::fabs(value));
    const char c = (a != 0 && (t >= 1e9 || a <= 0.001)) ? 'g' : 'f';
    int d;
    if (t >= 100 || a == 0)
        d = 0;
    else if (t >= 10)
        d = 1;
    else if (t >= 1)
        d = 2;
    else if (a > 0.1)
        d = 3;
    else if (a > 0.01)
        d = 4;
    else if (a > 0.001)
        d = 5;
    else
        d = 3;
    const int n = std::max(extra + d, 0);
    return "%0." + std::to_string(n) + c;
}

std::string FormatRecValue(UnitRec& rec, bool withSymbol, std::string_view separator,
                           bool keepFormat, double value) {
    RefreshConversion(rec);
    const double v = ToUnits(value, rec.Factor, rec.Offset);
    if (!keepFormat) rec.FormatStr = RecAutoFormat(rec.UnitsType, 0, v);
    return WithSymbol(Format(rec.FormatStr, v), rec, withSymbol, separator);
}

std::string FormatRecPair(UnitRec& rec, bool withSymbol, std::string_view separator,
                          bool keepFormat, double first, double second) {
    RefreshConversion(rec);
    const double v1 = ToUnits(first, rec.Factor, rec.Offset);
    const double v2 = ToUnits(second, rec.Factor, rec.Offset);
    if (!keepFormat) rec.FormatStr = RecAutoFormat(rec.UnitsType, 0, v1);
    return WithSymbol(Format(rec.FormatStr + "/" + rec.FormatStr, v1, v2), rec, withSymbol,
                      separator);
}

std::string FormatRecLabelled(std::string_view pattern, UnitRec& rec, bool keepFormat,
                              double value) {
    const std::string number = FormatRecValue(rec, false, {}, keepFormat, value);
    return Format(pattern, number, rec.Symbol);
}

std::string FormatRecPairLabelled(std::string_view pattern, UnitRec& rec, bool keepFormat,
                                  double first, double second) {
    const std::string numbers = FormatRecPair(rec, false, {}, keepFormat, first, second);
    return Format(pattern, numbers, rec.Symbol);
}

}  // namespace qdx
