#pragma once
// What the fluid specification window does to the coolant, without the window: the ten rows
// (temperature, pressure, liquid, additive, additive fraction, user-defined switch and the four
// properties) in stored units, which of them can be edited, the rules that tie them together,
// and the backup that Cancel puts back.

#include <array>

#include "fluids/liquid.hpp"

namespace qdx {

class TFluidSpecModel {
public:
    enum Row : int {
        rowTemperature = 1,  // °C
        rowPressure,         // bar, compressed air only
        rowFluidType,        // liquid index 0..13
        rowAdditive,         // additive index 0..3 (water only)
        rowAdditiveVolume,   // fraction
        rowUserDefined,      // 0 or 1
        rowDensity,          // kg/m³
        rowSpecificHeat,     // kJ/(kg·K)
        rowViscosity,        // kg/(m·s)
        rowConductivity,     // kW/(m·K)
    };
    static constexpr int kRows = rowConductivity + 1;  // row 0 is the header

    explicit TFluidSpecModel(TLiquid& liquid) : liquid_(liquid) {}

    TLiquid& Liquid() { return liquid_; }

    // Takes the backup and fills the rows from the liquid, then applies the rules.
    void Activate();
    // A committed row value: applied to the liquid, which is re-evaluated; the rules run again
    // and the property rows follow the new evaluation.
    void Commit(int row, double value);
    // Puts the backup back and re-evaluates the liquid.
    void Cancel();

    double Value(int row) const { return values_[row]; }
    bool Enabled(int row) const { return enabled_[row]; }
    // The mean temperature lies inside the liquid's valid range (teal status, else maroon).
    bool InRange() const { return liquid_.tLower <= liquid_.t && liquid_.t <= liquid_.tUpper; }

private:
    struct Backup {
        double t, Pf;
        std::uint8_t LiquidSpec, WaterAdditive;
        double AdditiveVolume;
        bool UserProps;
        double UserRo, UserCp, UserMu, UserKo;
    };

    void FillRows();
    void ApplyUserRule();
    void ApplyAdditiveRule();
    void ApplyPressureRule();
    void PropertiesFromLiquid();
    bool ReevaluateIfFractionChanged(double before);

    TLiquid& liquid_;
    Backup backup_{};
    std::array<double, kRows> values_{};
    std::array<bool, kRows> enabled_{};
};

}  // namespace qdx
