#pragma once
// A coil with a liquid in its tubes: owns the liquid state that ties the coolant to the flow
// area of the circuits, and adds the liquid pressure drop, the pipe size and the older stream
// form of the coil.

#include "engine/coil.hpp"
#include "engine/copying_ptr.hpp"
#include "fluids/liquid_state.hpp"

namespace qdx {

class TLiquidCoil : public TCoil {
public:
    TLiquidCoil(std::string_view maker, std::string_view designation, int kind, int tube);

    // Points the coil at its owner's entering and leaving air records and coolant; nothing may
    // rate the coil before.
    void AttachStates(TAirState* airIn, TAirState* airOut, TLiquid* liquid);

    // Wall properties, then the circuits' flow area handed to the liquid state.
    void UpdateWallProperties() override;
    double FluidPressureDrop() override;
    int PipeConnectionSize() override;
    void ReadFromStream(ValueReader& reader) override;
    void WriteToStream(ValueWriter& writer) override;
    double DutyAtFluidTemperatures(double inletTemp, double leavingTemp) override;

    // The coil's blocks followed by the liquid side's.
    void WritePerformanceReport(TReportDocument& doc) override;
    void WriteDiagnostics(TReportDocument& doc) override;
    std::string GetResultLines() override;

    TCopyingPtr<TLiquidState> LiquidState;
};

}  // namespace qdx
