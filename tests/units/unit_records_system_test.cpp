#include <gtest/gtest.h>

#include <string>

#include "units/unit_prefs.hpp"

namespace qdx {
namespace {

// Switching every unit record to Imperial and back; a private TUnitPrefs, so no program-wide
// state is touched.
TEST(UnitRecordsSystem, ImperialGivesEachCategorysImperialUnit) {
    TUnitPrefs prefs;
    prefs[urAirRh].UnitsValue = 1;  // %: a proportion keeps the user's choice
    prefs.SetImperialUnits();

    struct Case {
        TUnitRecId id;
        int index;
        const char* symbol;
    };
    const Case cases[] = {
        {urFatHeight, 3, "inch"},
        {urFatLength, 3, "inch"},
        {urFatFinSpacing, 0, "fpi"},
        {urPlaceBaromPressure, 4, "InchHg"},
        {urPlaceAltitude, 1, "ft"},
        {urAirVolFlow, 4, "cfm"},
        {urAirT, 1, "°F"},
        {urAirV, 1, "fpm"},
        {urAirDp, 5, "InchWg"},
        {urAirW, 2, "gr/lb"},
        {urRefMassFlow, 5, "lb/hr"},
        {urLiquidDp, 2, "Psi"},
        {urLiquidMassFlow, 3, "lb/s"},
        {urLiquidVolFlow, 5, "usgpm"},
        {urHexDuty, 2, "Btu/hr"},
        {urHexPipeConn, 3, "inch"},
        {urHexVol, 3, "ft³"},
        {urGeneralCondRate, 3, "lb/hr"},
        {urAirRh, 1, "%"},
        {urGeneralFraction, 0, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(prefs[c.id].Section + "/" + prefs[c.id].Key);
        EXPECT_EQ(prefs[c.id].UnitsValue, c.index);
        EXPECT_EQ(prefs[c.id].Symbol, c.symbol);
    }
    // Stored units do not move: a pressure drop held in Pa shows in inches of water.
    EXPECT_EQ(prefs[urAirDp].UnitsBase, 1);
    EXPECT_EQ(FormatRecValue(prefs[urAirDp], true, ",", false, 249.0913), "1.00,InchWg");
    EXPECT_EQ(FormatRecValue(prefs[urLiquidT], true, ",", false, 20), "68.0,°F");
}

TEST(UnitRecordsSystem, MetricRestoresTheRegisteredDefaults) {
    const TUnitPrefs fresh;
    TUnitPrefs prefs;
    prefs[urAirRh].UnitsValue = 0;  // fraction
    prefs[urAirT].UnitsValue = 2;   // K, as a units file may have it
    prefs.SetImperialUnits();
    prefs.SetMetricUnits();
    for (int i = 0; i < kUnitRecCount; ++i) {
        const auto id = static_cast<TUnitRecId>(i);
        if (id == urAirRh) continue;
        SCOPED_TRACE(prefs[id].Section + "/" + prefs[id].Key);
        EXPECT_EQ(prefs[id].UnitsValue, fresh[id].UnitsValue);
        EXPECT_EQ(prefs[id].Symbol, fresh[id].Symbol);
    }
    // Not every registered default is the metric unit of its category.
    EXPECT_EQ(prefs[urFatHeight].Symbol, "inch");
    EXPECT_EQ(prefs[urHexVol].Symbol, "litre");
    EXPECT_EQ(prefs[urAirRh].UnitsValue, 0);
    EXPECT_EQ(FormatRecValue(prefs[urAirT], true, ",", false, 25), "25.0,°C");
}

}  // namespace
}  // namespace qdx
