#include "engine/liquid_coil.hpp"

#include <cmath>

#include "documents/value_stream.hpp"
#include "fluids/psychrometrics.hpp"
#include "fluids/liquid.hpp"
#include "units/errors.hpp"

namespace qdx {

TLiquidCoil::TLiquidCoil(std::string_view maker, std::string_view designation, int kind, int tube)
    : TCoil(maker, designation, kind, tube), LiquidState(std::make_unique<TLiquidState>()) {
    TypeCaption = "Liquid Coil";
    // The base construction set the wall properties before the liquid state existed; the
    // liquid state still needs the circuits' flow area.
    if (DesignationValid) LiquidState->SetFlowArea(FinAndTube->TubeSide().FlowArea);
}

void TLiquidCoil::AttachStates(TAirState* airIn, TAirState* airOut, TLiquid* liquid) {
    AirIn = airIn;
    AirOut = airOut;
    Liquid = liquid;
    LiquidState->liquid = liquid;
}

void TLiquidCoil::UpdateWallProperties() {
    UpdateWallFromGeometry();
    LiquidState->SetFlowArea(FinAndTube->TubeSide().FlowArea);
}

double TLiquidCoil::FluidPressureDrop() {
    const double v = LiquidState->vw;
    const double re =
        CheckFinite(std::fabs(TubeSide.ID * Liquid->ro * v / Liquid->mu), "Invalid Reynolds number");
    const double f = FrictionFactor(1.5e-6, TubeSide.ID, re, 0.015);
    const double dp = 0.0012 * FluidDPFactor * Liquid->ro * f * TubeSide.EquivalentLength * v * v /
                      (2 * TubeSide.ID);
    return CheckFinite(dp, "Invalid liquid pressure drop");
}

int TLiquidCoil::PipeConnectionSize() { return NominalPipeSize(Liquid->m); }

void TLiquidCoil::WriteToStream(ValueWriter& writer) {
    writer.WriteFloat(Qt);
    writer.WriteFloat(Qs);
    FinAndTube->WriteToStream(writer);
    writer.WriteRaw(AirIn, sizeof(TAirState));
    writer.WriteRaw(AirOut, sizeof(TAirState));
    writer.WriteFloat(MassFlow);
    Liquid->WriteData(writer);
    writer.WriteFloat(LiquidState->GetInletTemp());
    writer.WriteFloat(LiquidState->GetLeavingTemp());
    writer.WriteFloat(LiquidState->GetMassFlow());
    writer.WriteInteger(LiquidState->ctrl);
}

void TLiquidCoil::ReadFromStream(ValueReader& reader) {
    Qt = reader.ReadFloat();
    Qs = reader.ReadFloat();
    FinAndTube->ReadFromStream(reader);
    SetDesignation(FinAndTube->Designation());
    SyncGeometry();
    reader.ReadRaw(AirIn, sizeof(TAirState));
    reader.ReadRaw(AirOut, sizeof(TAirState));
    // The records are stored whole, so each is checked for being a state at all. Entering air
    // that is none is damage; leaving air that is none was saved after a failed calculation,
    // and opens as the XML file does: no result, the air leaves as it came, inputs kept.
    try {
        SetState(AirIn->pa, AirIn->db, AirIn->wb, 0);
    } catch (const CalcError&) {
        throw StreamError("Invalid entering air");
    }
    try {
        SetState(AirOut->pa, AirOut->db, AirOut->wb, 0);
    } catch (const CalcError&) {
        *AirOut = *AirIn;
        Qt = Qs = e = Ntu = Cr = 0;
    }
    SetMassFlow(reader.ReadFloat());
    Liquid->ReadData(reader);
    LiquidState->SetInletTemp(reader.ReadFloat());
    LiquidState->SetLeavingTemp(reader.ReadFloat());
    LiquidState->SetMassFlow(reader.ReadFloat());
    const long long ctrl = reader.ReadInteger();
    if (ctrl < 0 || ctrl > 255) throw StreamError("Invalid liquid control mode");
    LiquidState->ctrl = static_cast<std::uint8_t>(ctrl);
}

double TLiquidCoil::DutyAtFluidTemperatures(double inletTemp, double leavingTemp) {
    LiquidState->SetInletTemp(inletTemp);
    LiquidState->SetLeavingTemp(leavingTemp);
    return Solve() == ssSolved ? Qt : 0;
}

}  // namespace qdx
