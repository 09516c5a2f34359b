#include "fluids/fluid_spec.hpp"

#include "fluids/liquid_correlations.hpp"

namespace qdx {

namespace {

constexpr int kCompressedAir = 13;

}  // namespace

void TFluidSpecModel::Activate() {
    backup_ = {liquid_.t,         liquid_.Pf,        liquid_.LiquidSpec, liquid_.WaterAdditive,
               liquid_.AdditiveVolume, liquid_.UserProps, liquid_.UserRo, liquid_.UserCp,
               liquid_.UserMu,    liquid_.UserKo};
    enabled_.fill(true);
    FillRows();
    ApplyUserRule();
    FillRows();
    if (liquid_.UserProps) {
        values_[rowDensity] = liquid_.UserRo;
        values_[rowSpecificHeat] = liquid_.UserCp;
        values_[rowViscosity] = liquid_.UserMu;
        values_[rowConductivity] = liquid_.UserKo;
    }
    ApplyAdditiveRule();
    ApplyPressureRule();
    if (ReevaluateIfFractionChanged(backup_.AdditiveVolume) && !liquid_.UserProps)
        PropertiesFromLiquid();
}

bool TFluidSpecModel::ReevaluateIfFractionChanged(double before) {
    // A rule that changed the fraction (an additive at 0 % becomes 1 %) would leave the
    // properties of the old mixture: evaluate again so the rows and the coolant agree.
    if (liquid_.AdditiveVolume == before) return false;
    liquid_.Update();
    liquid_.Caption = liquid_.GetCaption();
    return true;
}

void TFluidSpecModel::FillRows() {
    values_[rowTemperature] = liquid_.GetT();
    values_[rowPressure] = liquid_.GetPf();
    values_[rowFluidType] = liquid_.LiquidSpec;
    values_[rowAdditive] = liquid_.WaterAdditive;
    values_[rowAdditiveVolume] = liquid_.AdditiveVolume;
    values_[rowUserDefined] = liquid_.UserProps ? 1 : 0;
    PropertiesFromLiquid();
}

void TFluidSpecModel::PropertiesFromLiquid() {
    values_[rowDensity] = liquid_.ro;
    values_[rowSpecificHeat] = liquid_.Cp;
    values_[rowViscosity] = liquid_.mu;
    values_[rowConductivity] = liquid_.Ko;
}

void TFluidSpecModel::ApplyUserRule() {
    const bool user = values_[rowUserDefined] != 0;
    if (user) {
        values_[rowAdditive] = 0;
        values_[rowAdditiveVolume] = 0;
        // The liquid's additive follows the row, so the grid and the coolant agree on None.
        liquid_.WaterAdditive = 0;
    }
    enabled_[rowAdditive] = enabled_[rowAdditiveVolume] = !user;
    for (int row = rowDensity; row <= rowConductivity; ++row) enabled_[row] = user;
    ApplyAdditiveRule();
    ApplyPressureRule();
}

void TFluidSpecModel::ApplyAdditiveRule() {
    if (values_[rowFluidType] != static_cast<double>(liWater)) {
        enabled_[rowAdditive] = enabled_[rowAdditiveVolume] = false;
        values_[rowAdditive] = 0;
        liquid_.WaterAdditive = 0;
        values_[rowAdditiveVolume] = 0;
    } else {
        enabled_[rowAdditive] = true;
        if (values_[rowAdditive] > 0) {
            enabled_[rowAdditiveVolume] = true;
            if (values_[rowAdditiveVolume] == 0) values_[rowAdditiveVolume] = 0.01;
        } else {
            enabled_[rowAdditiveVolume] = false;
            values_[rowAdditiveVolume] = 0;
        }
    }
    liquid_.AdditiveVolume = values_[rowAdditiveVolume];
}

void TFluidSpecModel::ApplyPressureRule() {
    enabled_[rowPressure] = values_[rowFluidType] == kCompressedAir;
}

void TFluidSpecModel::Commit(int row, double value) {
    if (row < rowTemperature || row > rowConductivity) return;
    values_[row] = value;
    switch (row) {
        case rowTemperature: liquid_.SetT(value); break;
        case rowPressure: liquid_.SetPf(value); break;
        case rowFluidType: liquid_.LiquidSpec = static_cast<std::uint8_t>(value); break;
        case rowAdditive: liquid_.WaterAdditive = static_cast<std::uint8_t>(value); break;
        case rowAdditiveVolume: liquid_.AdditiveVolume = value; break;
        case rowUserDefined: liquid_.UserProps = value != 0; break;
        case rowDensity: liquid_.UserRo = value; break;
        case rowSpecificHeat: liquid_.UserCp = value; break;
        case rowViscosity: liquid_.UserMu = value; break;
        case rowConductivity: liquid_.UserKo = value; break;
    }
    liquid_.Update();
    liquid_.Caption = liquid_.GetCaption();

    const double fraction = liquid_.AdditiveVolume;
    values_[rowAdditiveVolume] = liquid_.AdditiveVolume;
    ApplyUserRule();
    ReevaluateIfFractionChanged(fraction);

    if (row >= rowTemperature && row <= rowAdditiveVolume) PropertiesFromLiquid();
    liquid_.UserRo = values_[rowDensity];
    liquid_.UserCp = values_[rowSpecificHeat];
    liquid_.UserMu = values_[rowViscosity];
    liquid_.UserKo = values_[rowConductivity];
}

void TFluidSpecModel::Cancel() {
    liquid_.SetT(backup_.t);
    liquid_.SetPf(backup_.Pf);
    liquid_.LiquidSpec = backup_.LiquidSpec;
    liquid_.WaterAdditive = backup_.WaterAdditive;
    liquid_.AdditiveVolume = backup_.AdditiveVolume;
    liquid_.UserProps = backup_.UserProps;
    liquid_.UserRo = backup_.UserRo;
    liquid_.UserCp = backup_.UserCp;
    liquid_.UserMu = backup_.UserMu;
    liquid_.UserKo = backup_.UserKo;
    liquid_.Update();
}

}  // namespace qdx
