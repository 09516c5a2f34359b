#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

#include "units/unit_prefs.hpp"

namespace qdx {
namespace {

// Starts and ends at the registered defaults of the program-wide preferences.
class UnitPrefsTest : public ::testing::Test {
protected:
    void SetUp() override { UnitPrefs().Reset(); }
    void TearDown() override { UnitPrefs().Reset(); }
};

TEST_F(UnitPrefsTest, RegistryHoldsTheQuantitiesInFileOrder) {
    TUnitPrefs& prefs = UnitPrefs();
    const auto& registry = prefs.Registry();
    ASSERT_EQ(registry.size(), 75u);
    std::set<std::string> names;
    std::vector<std::string> sectionOrder;
    for (int i = 0; i < kUnitRecCount; ++i) {
        const UnitRec* rec = registry[i];
        EXPECT_EQ(rec, &prefs[static_cast<TUnitRecId>(i)]) << "id and registry order differ at " << i;
        EXPECT_TRUE(names.insert(rec->Section + "/" + rec->Key).second) << rec->Key;
        if (sectionOrder.empty() || sectionOrder.back() != rec->Section)
            sectionOrder.push_back(rec->Section);
    }
    EXPECT_EQ(sectionOrder, (std::vector<std::string>{"fat", "place", "air", "ref", "liquid", "steam",
                                                      "sat", "wcc", "chiller", "plate", "barepipe",
                                                      "hex", "general"}));

    struct Row {
        TUnitRecId id;
        const char* section;
        const char* key;
        TUnitsType type;
        int value, base;
        const char* symbol;
        double factor;
    };
    const Row rows[] = {
        {urFatHeight, "fat", "height", utLengthMeasure, 3, 0, "inch", 39.37007874},
        {urFatFinThickness, "fat", "fin_thickness", utLengthMeasure, 2, 0, "mm", 1000},
        {urAirW, "air", "w", utHumidity, 1, 0, "g/kg", 1000},
        {urAirDp, "air", "dp", utAirPressDrop, 1, 1, "Pa", 1},
        {urRefP, "ref", "p", utPressure, 0, 1, "kPa", 0.001},
        {urSteamP, "steam", "p", utPressureSteam, 3, 3, "Bar", 1},
        {urHexVol, "hex", "vol", utVolume, 1, 0, "litre", 1000},
        {urHexPipeConn, "hex", "pipe_conn", utLengthMeasure, 2, 2, "mm", 1},
        {urGeneralCondRate, "general", "cond_rate", utCondensateRate, 0, 1, "g/s", 1000},
        {urGeneralIceRate, "general", "ice_rate", utVelocity, 0, 0, "m/s", 1},
    };
    for (const Row& row : rows) {
        const UnitRec& rec = prefs[row.id];
        SCOPED_TRACE(std::string(row.section) + "/" + row.key);
        EXPECT_EQ(rec.Section, row.section);
        EXPECT_EQ(rec.Key, row.key);
        EXPECT_EQ(rec.UnitsType, row.type);
        EXPECT_EQ(rec.UnitsValue, row.value);
        EXPECT_EQ(rec.UnitsBase, row.base);
        EXPECT_EQ(rec.Symbol, row.symbol);
        EXPECT_NEAR(rec.Factor, row.factor, row.factor * 1e-12);
        EXPECT_EQ(prefs.FindUnitRec(row.section, row.key), &rec);
    }
    EXPECT_EQ(prefs.FindUnitRec("LIQUID", "T"), &prefs[urLiquidT]);
    EXPECT_EQ(prefs.FindUnitRec("liquid", "nothing"), nullptr);
}

TEST_F(UnitPrefsTest, CoilKeysNameTheirRecords) {
    const auto keys = CoilUnitKeys();
    ASSERT_EQ(keys.size(), 17u);
    EXPECT_STREQ(keys[0].SettingsKey, "UnitsPressure");
    EXPECT_EQ(keys[0].Rec, urPlaceBaromPressure);
    EXPECT_STREQ(keys[kCoilWindowUnitKeys - 1].SettingsKey, "UnitsFATFaceArea");
    EXPECT_EQ(keys[kCoilWindowUnitKeys - 1].Rec, urHexArea);
    EXPECT_STREQ(keys[kCoilWindowUnitKeys].SettingsKey, "UnitsLiquidTemp");
    EXPECT_STREQ(keys[15].SettingsKey, "UnitsLiquidPipeConn");
    EXPECT_EQ(keys[15].Rec, urHexPipeConn);
    EXPECT_EQ(keys[16].Rec, urLiquidDp);
}

TEST(RecAutoFormat, PicksDecimalsFromTheValue) {
    struct Case {
        TUnitsType type;
        int extra;
        double value;
        const char* format;
    };
    const Case cases[] = {
        {utTemperature, 0, 0.0005, "%0.3g"},
        {utTemperature, 0, 0.001, "%0.3g"},
        {utTemperature, 0, 0.0015, "%0.5f"},
        {utTemperature, 0, 0.05, "%0.4f"},
        {utTemperature, 0, 0.5, "%0.3f"},
        {utTemperature, 0, -5.5, "%0.2f"},
        {utTemperature, 0, 25, "%0.1f"},
        {utTemperature, 0, 99.99, "%0.1f"},
        {utTemperature, 0, 250, "%0.0f"},
        {utTemperature, 0, 0, "%0.0f"},
        {utTemperature, 0, 5e-10, "%0.0f"},  // below 1e-9 counts as zero
        {utTemperature, 0, 2e9, "%0.0g"},
        {utTemperature, -3, 5, "%0.0f"},    // never below zero decimals
        {utTemperature, 2, 5, "%0.4f"},
        {utPressureBar, 0, 101.325, "%0.3f"},
        {utPressureBar, 0, 14.7, "%0.4f"},
        {utPressureBar, 1, 101.325, "%0.1f"},  // only Extra 0 is widened
    };
    for (const Case& c : cases)
        EXPECT_EQ(RecAutoFormat(c.type, c.extra, c.value), c.format)
            << UnitsCaption(c.type) << " " << c.extra << " " << c.value;
}

TEST_F(UnitPrefsTest, ReportFormattingFollowsTheCurrentChoice) {
    TUnitPrefs& prefs = UnitPrefs();
    EXPECT_EQ(FormatRecPairLabelled("On Coil\t%s\t%s", prefs[urAirT], false, 25, 17),
              "On Coil\t25.0/17.0\t°C");
    EXPECT_EQ(FormatRecLabelled("Barometer\t%s\t%s", prefs[urPlaceBaromPressure], false, 101.325),
              "Barometer\t101.325\tkPa");
    EXPECT_EQ(FormatRecValue(prefs[urPlaceBaromPressure], true, ",", false, 101.325),
              "101.325,kPa");
    // The pair's format comes from the first value alone.
    EXPECT_EQ(FormatRecPair(prefs[urAirT], true, "\t", false, 8, 123.4), "8.00/123.40\t°C");

    // A unit changed between two reports shows in the next one.
    prefs[urAirT].UnitsValue = 1;
    EXPECT_EQ(FormatRecPairLabelled("On Coil\t%s\t%s", prefs[urAirT], false, 25, 17),
              "On Coil\t77.0/62.6\t°F");
    prefs[urPlaceBaromPressure].UnitsValue = 1;  // Psi
    EXPECT_EQ(FormatRecLabelled("Barometer\t%s\t%s", prefs[urPlaceBaromPressure], false, 101.325),
              "Barometer\t14.6959\tPsi");
}

TEST_F(UnitPrefsTest, KeepFormatUsesTheUnitsOwnFormat) {
    UnitRec& cond = UnitPrefs()[urGeneralCondRate];  // held in kg/s, shown in g/s
    EXPECT_EQ(FormatRecLabelled("Cond Rate\t%s\t%s", cond, true, 0.0012), "Cond Rate\t1.2\tg/s");
    EXPECT_EQ(FormatRecLabelled("Cond Rate\t%s\t%s", cond, false, 0.0012), "Cond Rate\t1.20\tg/s");
    // An adapted format does not stick: keeping the format goes back to the unit's own.
    EXPECT_EQ(FormatRecValue(cond, false, "", true, 0.0012), "1.2");
    // A choice outside the category is brought into range rather than read past the table.
    cond.UnitsValue = 42;
    EXPECT_EQ(FormatRecValue(cond, true, ",", true, 0.0012), "9.524,lb/hr");
    EXPECT_EQ(cond.UnitsValue, 3);
}

TEST_F(UnitPrefsTest, UnitChoiceTableSwitchesSystems) {
    TUnitPrefs& prefs = UnitPrefs();
    EXPECT_EQ(prefs.UnitChoices(), nullptr);
    EXPECT_EQ(UnitChoice(utAirPressDrop), 0);  // no units window yet

    TUnitChoiceTable& table = prefs.CreateUnitChoices();
    EXPECT_EQ(&prefs.CreateUnitChoices(), &table);
    EXPECT_EQ(UnitChoice(utAirPressDrop), 1);  // SI default: Pa
    EXPECT_EQ(UnitChoice(utLengthMeasure), 2);

    table.Set(utProportion, 1);
    table.Set(utNone, 7);
    table.SetImperial();
    EXPECT_EQ(UnitChoice(utTemperature), 1);
    EXPECT_EQ(UnitChoice(utWaterFlow), 5);
    EXPECT_EQ(UnitChoice(utProportion), 1);
    EXPECT_EQ(UnitChoice(utNone), 7);
    table.SetMetric();
    for (int t = 1; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        EXPECT_EQ(UnitChoice(type), type == utProportion ? 1 : SIUnitsIndex(type, -1))
            << UnitsCaption(type);
    }
    EXPECT_EQ(UnitChoice(utNone), 7);

    prefs.Reset();
    EXPECT_EQ(prefs.UnitChoices(), nullptr);
    EXPECT_EQ(UnitChoice(utTemperature), 0);
}

}  // namespace
}  // namespace qdx
