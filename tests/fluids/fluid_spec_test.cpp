#include <gtest/gtest.h>

#include "fluids/fluid_spec.hpp"
#include "fluids/liquid_correlations.hpp"

namespace qdx {
namespace {

using M = TFluidSpecModel;

class FluidSpecTest : public ::testing::Test {
protected:
    void SetUp() override { model_.Activate(); }
    TLiquid liquid_{"Coolant", 2.0, 6.0, 12.0, liWater};
    TFluidSpecModel model_{liquid_};
};

TEST_F(FluidSpecTest, ActivationFillsTheRowsFromTheLiquid) {
    EXPECT_EQ(model_.Value(M::rowTemperature), 9);
    EXPECT_EQ(model_.Value(M::rowPressure), 5);
    EXPECT_EQ(model_.Value(M::rowDensity), liquid_.ro);
    EXPECT_EQ(model_.Value(M::rowConductivity), liquid_.Ko);
    EXPECT_TRUE(model_.Enabled(M::rowTemperature));
    EXPECT_FALSE(model_.Enabled(M::rowPressure));
    EXPECT_TRUE(model_.Enabled(M::rowAdditive));
    EXPECT_FALSE(model_.Enabled(M::rowAdditiveVolume));
    EXPECT_FALSE(model_.Enabled(M::rowDensity));
    EXPECT_TRUE(model_.InRange());
}

TEST_F(FluidSpecTest, AnAdditiveAtNoFractionStartsAtOnePercent) {
    const double cleanRo = liquid_.ro;
    model_.Commit(M::rowAdditive, waEthyleneGlycol);
    EXPECT_EQ(model_.Value(M::rowAdditiveVolume), 0.01);
    EXPECT_TRUE(model_.Enabled(M::rowAdditiveVolume));
    EXPECT_EQ(liquid_.AdditiveVolume, 0.01);
    // The rows and the coolant hold the 1 % mixture, not clean water.
    EXPECT_EQ(liquid_.GetCaption(), "Water (1% Ethylene Glycol)");
    EXPECT_NE(liquid_.ro, cleanRo);
    EXPECT_EQ(model_.Value(M::rowDensity), liquid_.ro);
    EXPECT_EQ(liquid_.tLower, kMixtureLower);

    model_.Commit(M::rowAdditiveVolume, 0.3);
    EXPECT_EQ(liquid_.GetCaption(), "Water (30% Ethylene Glycol)");
    EXPECT_EQ(liquid_.UserRo, liquid_.ro);  // the evaluated values become the user's

    model_.Commit(M::rowAdditive, waNone);
    EXPECT_EQ(model_.Value(M::rowAdditiveVolume), 0);
    EXPECT_FALSE(model_.Enabled(M::rowAdditiveVolume));
    EXPECT_EQ(liquid_.AdditiveVolume, 0);
    EXPECT_EQ(liquid_.GetCaption(), "Clean Water");
    EXPECT_EQ(liquid_.ro, cleanRo);
}

TEST_F(FluidSpecTest, OtherLiquidsHaveNoAdditiveAndOnlyCompressedAirAPressure) {
    model_.Commit(M::rowAdditive, waPropyleneGlycol);
    model_.Commit(M::rowAdditiveVolume, 0.2);
    model_.Commit(M::rowFluidType, 5);
    EXPECT_FALSE(model_.Enabled(M::rowAdditive));
    EXPECT_FALSE(model_.Enabled(M::rowAdditiveVolume));
    EXPECT_EQ(model_.Value(M::rowAdditive), 0);
    EXPECT_EQ(model_.Value(M::rowAdditiveVolume), 0);
    EXPECT_EQ(liquid_.WaterAdditive, 0);
    EXPECT_EQ(liquid_.AdditiveVolume, 0);
    EXPECT_FALSE(model_.Enabled(M::rowPressure));

    model_.Commit(M::rowFluidType, liCompressedAir);
    EXPECT_TRUE(model_.Enabled(M::rowPressure));
    model_.Commit(M::rowPressure, 8);
    EXPECT_EQ(liquid_.GetCaption(), "Compressed Air (8.0-bar)");
    model_.Commit(M::rowFluidType, liWater);
    EXPECT_FALSE(model_.Enabled(M::rowPressure));
    EXPECT_TRUE(model_.Enabled(M::rowAdditive));
}

TEST_F(FluidSpecTest, UserDefinedStartsFromTheShownValues) {
    model_.Commit(M::rowAdditive, waEthyleneGlycol);
    model_.Commit(M::rowAdditiveVolume, 0.25);
    model_.Commit(M::rowTemperature, 20);
    const double ro = liquid_.ro, cp = liquid_.Cp;
    model_.Commit(M::rowUserDefined, 1);
    EXPECT_EQ(liquid_.GetCaption(), "User Specified Fluid");
    EXPECT_EQ(model_.Value(M::rowAdditive), 0);
    EXPECT_EQ(model_.Value(M::rowAdditiveVolume), 0);
    EXPECT_EQ(liquid_.WaterAdditive, 0);
    EXPECT_FALSE(model_.Enabled(M::rowAdditiveVolume));
    for (int row = M::rowDensity; row <= M::rowConductivity; ++row) EXPECT_TRUE(model_.Enabled(row));
    EXPECT_EQ(liquid_.UserRo, ro);
    EXPECT_EQ(liquid_.ro, ro);
    EXPECT_EQ(model_.Value(M::rowSpecificHeat), cp);

    model_.Commit(M::rowDensity, 1100);
    EXPECT_EQ(liquid_.ro, 1100);
    model_.Commit(M::rowTemperature, 30);  // user values stay what the user typed
    EXPECT_EQ(liquid_.ro, 1100);
    EXPECT_EQ(model_.Value(M::rowDensity), 1100);
}

TEST_F(FluidSpecTest, CancelPutsTheLiquidBack) {
    const TLiquid before = liquid_;
    model_.Commit(M::rowFluidType, 3);
    model_.Commit(M::rowTemperature, 200);
    EXPECT_FALSE(model_.InRange());
    model_.Commit(M::rowUserDefined, 1);
    model_.Commit(M::rowDensity, 700);
    model_.Cancel();
    EXPECT_EQ(liquid_.LiquidSpec, before.LiquidSpec);
    EXPECT_EQ(liquid_.UserProps, false);
    EXPECT_EQ(liquid_.t, before.t);
    EXPECT_EQ(liquid_.tfo, before.tfo);
    EXPECT_EQ(liquid_.UserRo, before.UserRo);
    EXPECT_EQ(liquid_.ro, before.ro);
    EXPECT_EQ(liquid_.tLower, before.tLower);
    EXPECT_EQ(liquid_.tUpper, before.tUpper);
    EXPECT_TRUE(model_.InRange());
}

}  // namespace
}  // namespace qdx
