#include <gtest/gtest.h>

#include <cmath>

#include "engine/saturated_air.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

TEST(SaturatedAir, SaturationPressureOfWaterMatchesReferenceValues) {
    // Reference values of the industrial saturation line, MPa at 300, 500 and 600 K.
    EXPECT_NEAR(SatPressure(300 - 273.15), 0.353658941e-2 * 1000, 1e-8 * 3.5);
    EXPECT_NEAR(SatPressure(500 - 273.15), 0.263889776e1 * 1000, 1e-8 * 2639);
    EXPECT_NEAR(SatPressure(600 - 273.15), 0.123443146e2 * 1000, 1e-8 * 12344);
    EXPECT_NEAR(SatPressure(20), 2.3392, 0.0001);
}

TEST(SaturatedAir, BranchesAtFreezingAndCriticalPoint) {
    // At 0 °C the water line (0.611213 kPa); just below it the ice line, which lies lower
    // (the water line would still give about 0.61117 there).
    EXPECT_NEAR(SatPressure(0), 0.611213, 1e-6);
    EXPECT_NEAR(SatPressure(-0.001), 0.611103, 2e-6);
    EXPECT_NEAR(SatPressure(-20), 0.10326, 0.0001);
    EXPECT_EQ(SatPressure(400), 22064);
    EXPECT_NEAR(SatPressure(373.946), 22064, 1);
}

TEST(SaturatedAir, HumidityRatioAndEnthalpyAt20C) {
    EXPECT_NEAR(SatHumidityRatio(20, 101.325), 0.014765, 0.000002);
    EXPECT_NEAR(SatEnthalpy(20, 101.325), 57.59, 0.01);
}

TEST(SaturatedAir, HumidityRatioFallsBackWhenVapourPressureReachesPressure) {
    const double p = 1.0044 * SatPressure(60);
    EXPECT_EQ(SatHumidityRatio(60, p), 0.01);
    // Above the boiling point the saturated enthalpy stays positive.
    EXPECT_EQ(SatHumidityRatio(120, 101.325), 0.01);
    EXPECT_GT(SatEnthalpy(120, 101.325), 120);
    EXPECT_GT(SatHumidityRatio(99, 101.325), 1);
}

TEST(SaturatedAir, VapourEnthalpyBranches) {
    EXPECT_DOUBLE_EQ(VapourEnthalpy(0), 2499.10964596);
    EXPECT_NEAR(VapourEnthalpy(-10), 2500.80085377 - 18.4281114093 - 0.0107145092391, 1e-9);
    EXPECT_NEAR(VapourEnthalpy(20), 2537.5214646, 1e-6);
}

TEST(SaturatedAir, FaultsReachTheCallerExceptInTheHumidityRatio) {
    EXPECT_THROW(SatPressure(-300), CalcError);
    EXPECT_EQ(SatHumidityRatio(-300, 101.325), 0.01);
    EXPECT_THROW(SatEnthalpy(std::nan(""), 101.325), CalcError);
}

}  // namespace
}  // namespace qdx
