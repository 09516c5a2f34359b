#include <gtest/gtest.h>

#include <set>
#include <stdexcept>
#include <string>

#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/unit_table.hpp"

namespace qdx {
namespace {

TUnitsType Type(int t) { return static_cast<TUnitsType>(t); }

int ExpectedUnitsCount(TUnitsType t) {
    switch (t) {
        case utNone:
            return 0;
        case utAirPressDrop: case utPressure: case utPressureSteam: case utWaterPressDrop:
            return 8;
        case utViscosity:
            return 7;
        case utMassFlow: case utMassFlowGas: case utMassFlux: case utPressureBar: case utWaterFlow:
            return 6;
        case utAirFlowPrim: case utAirFlowSec: case utAirFlowRate: case utArea: case utDiameter:
        case utDutyPrim: case utDutySec: case utDutyRate: case utEnergy: case utLengthMeasure:
        case utLengthPrim: case utLengthSec: case utVolume:
            return 5;
        case utCondensateRate: case utConductance: case utConductivity: case utFinDensity:
        case utPressureRateGas: case utPressureRateLiquid: case utVolumeFluid:
            return 4;
        case utAltitude: case utEnthalpy: case utHeatTransCoeff: case utLengthBig: case utMassSmall:
        case utMetRate: case utPeopleDensity: case utSpecificHeat: case utSpecificVol:
        case utThermalCapacity: case utThermalResist: case utVelocity:
            return 2;
        default:
            return 3;
    }
}

TEST(UnitTable, EveryCategoryIsComplete) {
    ASSERT_EQ(static_cast<int>(utWaterPressDrop), kUnitsTypeCount - 1);
    EXPECT_EQ(sizeof(TUnitsType), 1u);
    std::set<std::string> captions;
    for (int t = 1; t < kUnitsTypeCount; ++t) {
        const TUnitsType type = Type(t);
        SCOPED_TRACE(UnitsCaption(type));
        EXPECT_TRUE(captions.insert(UnitsCaption(type)).second) << "caption used twice";
        ASSERT_EQ(UnitsCount(type), ExpectedUnitsCount(type));
        EXPECT_EQ(UnitFactor(type, 0), 1.0);
        const int si = SIUnitsIndex(type, -1);
        const int imperial = ImperialUnitsIndex(type, -1);
        EXPECT_EQ(CheckUnitsIndex(type, si), si);
        EXPECT_EQ(CheckUnitsIndex(type, imperial), imperial);
        for (int i = 0; i < UnitsCount(type); ++i) {
            EXPECT_GT(UnitFactor(type, i), 0.0);
            if (type != utTemperature) {
                EXPECT_EQ(UnitOffset(type, i), 0.0);
            }
            // Every default format takes one float and nothing else.
            EXPECT_NO_THROW(Format(UnitFormatStr(type, i), 1.5)) << UnitFormatStr(type, i);
        }
    }
}

TEST(UnitTable, SharedListsKeepTheirOwnDefaults) {
    struct Shared {
        TUnitsType type, listOf;
        int si, imperial;
    };
    const Shared cases[] = {
        {utAirFlowSec, utAirFlowPrim, 3, 4},     {utDutySec, utDutyPrim, 1, 2},
        {utLengthPrim, utLengthMeasure, 0, 4},   {utLengthSec, utLengthMeasure, 2, 3},
        {utMassFlowGas, utMassFlow, 2, 5},       {utPressure, utAirPressDrop, 0, 2},
        {utPressureSteam, utAirPressDrop, 3, 2}, {utWaterPressDrop, utAirPressDrop, 0, 2},
        {utPressureRateLiquid, utPressureRateGas, 1, 3},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(UnitsCaption(c.type));
        ASSERT_EQ(UnitsCount(c.type), UnitsCount(c.listOf));
        for (int i = 0; i < UnitsCount(c.type); ++i) {
            EXPECT_EQ(UnitSymbol(c.type, i), UnitSymbol(c.listOf, i));
            EXPECT_EQ(UnitFactor(c.type, i), UnitFactor(c.listOf, i));
            EXPECT_EQ(UnitFormatStr(c.type, i), UnitFormatStr(c.listOf, i));
        }
        EXPECT_EQ(SIUnitsIndex(c.type, -1), c.si);
        EXPECT_EQ(ImperialUnitsIndex(c.type, -1), c.imperial);
    }
    EXPECT_EQ(SIUnitsIndex(utAirPressDrop, -1), 1);
    EXPECT_EQ(ImperialUnitsIndex(utAirPressDrop, -1), 5);
}

TEST(UnitTable, TemperatureChangeIsTemperatureWithoutOffsets) {
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(UnitSymbol(utTemperatureChange, i), UnitSymbol(utTemperature, i));
        EXPECT_EQ(UnitFactor(utTemperatureChange, i), UnitFactor(utTemperature, i));
        EXPECT_EQ(UnitFormatStr(utTemperatureChange, i), UnitFormatStr(utTemperature, i));
        EXPECT_EQ(UnitOffset(utTemperatureChange, i), 0.0);
    }
    EXPECT_EQ(UnitOffset(utTemperature, 1), 32.0);
    EXPECT_EQ(UnitOffset(utTemperature, 2), 273.15);
}

TEST(UnitTable, SpecialSymbolsAreUtf8) {
    struct Case {
        TUnitsType type;
        int index;
        const char* symbol;
    };
    const Case cases[] = {
        {utDiameter, 3, "1/8\""},
        {utLengthSmall, 2, "Thou\""},
        {utViscosity, 2, "\xC2\xB5Pa\xC2\xB7s"},                   // µPa·s
        {utTemperature, 0, "\xC2\xB0""C"},                          // °C
        {utAirFlowPrim, 0, "m\xC2\xB3/s"},                          // m³/s
        {utThermalResist, 1, "ft\xC2\xB2\xC2\xB7hr\xC2\xB7\xC2\xB0""F/Btu"},
        {utPressureRateGas, 2, "iwg/100'"},
        {utProportion, 0, ""},
        {utProportion, 1, "%"},
    };
    for (const auto& c : cases) EXPECT_EQ(UnitSymbol(c.type, c.index), c.symbol);
}

TEST(UnitTable, NoneHasNoUnits) {
    EXPECT_EQ(UnitsCaption(utNone), "None");
    EXPECT_EQ(UnitsCount(utNone), 0);
    EXPECT_EQ(UnitSymbol(utNone, 5), "");
    EXPECT_EQ(UnitFormatStr(utNone, 5), "%0.1f");
    EXPECT_EQ(SIUnitsIndex(utNone, 7), 7);
    EXPECT_EQ(ImperialUnitsIndex(utNone, -2), -2);
}

TEST(UnitsConversion, DisplayOfStoredValues) {
    struct Case {
        TUnitsType type;
        int display, stored;
        double factor, offset;
        const char* symbol;
        const char* format;
        double value;
        const char* shown;
    };
    const Case cases[] = {
        {utTemperature, 1, 0, 1.8, 32, "\xC2\xB0""F", "%0.1f", 20, "68.0"},
        {utTemperature, 2, 0, 1, 273.15, "K", "%0.2f", 20, "293.15"},
        {utTemperatureChange, 1, 0, 1.8, 0, "\xC2\xB0""F", "%0.1f", 5, "9.0"},
        {utLengthMeasure, 3, 2, 39.37007874 / 1000, 0, "inch", "%0.2f", 25.4, "1.00"},
        {utPressure, 0, 1, 0.001, 0, "kPa", "%0.3f", 101325, "101.325"},
        {utWaterFlow, 5, 0, 15.85032314, 0, "usgpm", "%0.1f", 2, "31.7"},
        {utAirPressDrop, 1, 0, 1000, 0, "Pa", "%0.0f", 0.125, "125"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(UnitsCaption(c.type) + " " + std::to_string(c.display));
        std::string format = "x", symbol = "x";
        double offset = -1, factor = -1;
        GetUnitsConversion(c.type, c.display, c.stored, format, offset, factor, symbol);
        EXPECT_DOUBLE_EQ(factor, c.factor);
        EXPECT_EQ(offset, c.offset);
        EXPECT_EQ(symbol, c.symbol);
        EXPECT_EQ(format, c.format);
        const double shown = ToUnits(c.value, factor, offset);
        EXPECT_EQ(Format(format, shown), c.shown);
        EXPECT_NEAR(FromUnits(shown, factor, offset), c.value, 1e-12 * (1 + c.value));
    }
}

TEST(UnitsConversion, InchFromMillimetres) {
    std::string format, symbol;
    double offset = 0, factor = 1;
    GetUnitsConversion(utLengthMeasure, 3, 2, format, offset, factor, symbol);
    EXPECT_NEAR(factor, 0.03937007874, 1e-15);
}

TEST(UnitsConversion, NoneLeavesFactorAndOffset) {
    std::string format = "%0.3f", symbol = "kg";
    double offset = 0, factor = 1;
    GetUnitsConversion(utNone, 3, 4, format, offset, factor, symbol);
    EXPECT_EQ(format, "%0.1f");
    EXPECT_EQ(symbol, "");
    EXPECT_EQ(factor, 1.0);
    EXPECT_EQ(offset, 0.0);
    // A row of its own conversion keeps it.
    offset = 2;
    factor = 3;
    GetUnitsConversion(utNone, 0, 0, format, offset, factor, symbol);
    EXPECT_EQ(factor, 3.0);
    EXPECT_EQ(offset, 2.0);
}

TEST(UnitsConversion, IndexOutsideTheCategoryIsRefused) {
    std::string format = "keep", symbol = "keep";
    double offset = 5, factor = 7;
    EXPECT_THROW(GetUnitsConversion(utAltitude, 2, 0, format, offset, factor, symbol),
                 std::out_of_range);
    EXPECT_THROW(GetUnitsConversion(utAltitude, 0, -1, format, offset, factor, symbol),
                 std::out_of_range);
    EXPECT_EQ(format, "keep");
    EXPECT_EQ(factor, 7.0);
    EXPECT_EQ(offset, 5.0);
    EXPECT_THROW(UnitSymbol(utPressure, 8), std::out_of_range);
    EXPECT_THROW(UnitsCaption(Type(kUnitsTypeCount)), std::out_of_range);
}

TEST(UnitsConversion, FaultsAreCalcErrors) {
    EXPECT_THROW(FromUnits(1, 0, 0), CalcError);
    EXPECT_THROW(FromUnits(0, 0, 0), CalcError);
    EXPECT_THROW(ToUnits(1e308, 3600, 0), CalcError);
    EXPECT_DOUBLE_EQ(FromUnits(212, 1.8, 32), 100);
    EXPECT_DOUBLE_EQ(ToUnits(100, 1.8, 32), 212);
}

TEST(UnitsIndex, ClampsIntoTheCategory) {
    struct Case {
        TUnitsType type;
        int index, expected;
    };
    const Case cases[] = {
        {utPressure, 9, 7}, {utAltitude, -1, 0}, {utNone, 9, 9},   {utNone, -4, -4},
        {utViscosity, 6, 6}, {utViscosity, 7, 6}, {utTemperature, 2, 2},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CheckUnitsIndex(c.type, c.index), c.expected)
            << UnitsCaption(c.type) << " " << c.index;
}

}  // namespace
}  // namespace qdx
