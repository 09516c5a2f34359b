#include "engine/cold_water_coil.hpp"

#include <cmath>

#include "engine/saturated_air.hpp"
#include "fluids/liquid.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx {

TColdWaterCoil::TColdWaterCoil(std::string_view maker, std::string_view designation, int kind,
                               int tube)
    : TLiquidCoil(maker, designation, kind, tube) {
    TypeCaption = "Cold Water Coil";
    DutyFactor = 1;
    hoFactor = 1;
    hiFactor = 1;
    AirDPFactor = 1;
    DutyPerAirflow = 20.8;
    DesignFaceVelocity = 2.5;
    AspectRatio = 1.5;
    SizingRows = 4;
    SizingFins = 12;
    DesignAirOnDefault = "25.0/17.0";
    DesignFluidInDefault = 6.0;
    DesignVfDefault = 2.5;
    DesignAspectDefault = 1.4;
    DesignRowsDefault = 4;
    DesignFinsDefault = 10;
    AirCooling = true;
}

// ---- persistent form ----

void TColdWaterCoil::WriteToXml(TXMLFile& file, XmlNode parent) {
    XmlNode node = file.FindChild(parent, "qdx", -1, true);
    const TModelRec& rec = FinAndTube->Record();
    file.SetAttr(node, "caption", Format("%s, %d, %s", rec.Mnf, static_cast<int>(rec.Tube),
                                         GetDesignation()));
    file.WriteFloat(node, "Qt", true, "%0.3f", Qt);
    file.WriteFloat(node, "Qs", true, "%0.3f", Qs);
    file.WriteFloat(node, "e", true, "%0.3f", e);
    file.WriteFloat(node, "Ntu", true, "%0.3f", Ntu);
    file.WriteFloat(node, "Cr", true, "%0.3f", Cr);
    FinAndTube->WriteToXml(file, node);
    XmlNode air = file.FindChild(node, "air", -1, true);
    file.SetAttr(air, "text", "air state");
    file.WriteFloat(air, "Pa", true, "%0.3f", MeanPressure());
    file.WriteFloat(air, "dbi", true, "%0.3f", AirIn->db);
    file.WriteFloat(air, "wbi", true, "%0.3f", AirIn->wb);
    file.WriteFloat(air, "dbo", true, "%0.3f", AirOut->db);
    file.WriteFloat(air, "wbo", true, "%0.3f", AirOut->wb);
    file.WriteFloat(air, "ma", true, "%0.3f", MassFlow);
    file.SetAttr(file.WriteFloat(air, "air_dp", true, "%0.3f", AirPressureDrop()), "units", "Pa");
    LiquidState->SaveXML(file, node);
    file.SetAttr(file.WriteFloat(node, "liquid_dp", true, "%0.6g", FluidPressureDrop()), "units",
                 "kPa");
}

void TColdWaterCoil::ReadFromXml(TXMLFile& file, XmlNode parent) {
    XmlNode node = file.FindChild(parent, "qdx");
    if (!node) node = file.FindChild(parent, "chilledwatercoil");
    if (!node) return;
    Qt = file.ReadFloat(node, "Qt", 0);
    Qs = file.ReadFloat(node, "Qs", 0);
    e = file.ReadFloat(node, "e", 0);
    Ntu = file.ReadFloat(node, "Ntu", 0);
    Cr = file.ReadFloat(node, "Cr", 0);
    FinAndTube->ReadFromXml(file, node);
    SetDesignation(FinAndTube->Designation());
    SyncGeometry();
    XmlNode air = file.FindChild(node, "air");
    if (air) {
        AirIn->db = file.ReadFloat(air, "dbi", AirIn->db);
        AirIn->wb = file.ReadFloat(air, "wbi", AirIn->wb);
        AirOut->db = file.ReadFloat(air, "dbo", AirOut->db);
        AirOut->wb = file.ReadFloat(air, "wbo", AirOut->wb);
        const double pa = file.ReadFloat(air, "Pa", MeanPressure());
        try {
            SetState(pa, AirOut->db, AirOut->wb, 0);
        } catch (const CalcError&) {
            // Leaving air that is no state was saved after a failed calculation: no result,
            // the air leaves as it came, and the file's inputs still open.
            AirOut->db = AirIn->db;
            AirOut->wb = AirIn->wb;
            Qt = Qs = e = Ntu = Cr = 0;
        }
        SetPressure(pa);
        const double ma = file.ReadFloat(air, "ma", MassFlow);
        if (file.ReadStatus == 0)
            SetMassFlow(ma);
        else
            SetMassFlow(file.ReadFloat(air, "MassFlow", MassFlow));
    }
    LiquidState->LoadXML(file, node);
}

// ---- rating ----

bool TColdWaterCoil::ZeroFlowCheck() {
    if (LiquidState->cw > 0.001) return false;
    Qt = 0;
    Qs = 0;
    *AirOut = *AirIn;
    ColdEndSurfaceTemp = AirIn->td;
    return true;
}

void TColdWaterCoil::UpdateTransferUnits(double ca, double cl) {
    UpdateCoefficients();
    NtuAir = ho * Ao / ca;
    NtuLiquid = Ui * Ai / cl;
    NtuRatio = NtuAir / NtuLiquid;
    BypassFactor = std::exp(-NtuAir);
    // The overall UA / Ca, with 1/UA = 1/(ho Ao) + 1/(Ui Ai).
    Ntu = NtuAir / (Cr * NtuRatio + 1);
    e = EffectivenessFn(Ntu, Cr) * DutyFactor;
}

std::uint8_t TColdWaterCoil::DrySolve() {
    SurfaceState = ssDry;
    FoulingResistance = UseFouling ? 0.0048 : 0;
    int n = 0;
    SolveStatus = ssIterating;
    const double ca = AirCapacityRate;
    while (SolveStatus == ssIterating) {
        const double cl = LiquidState->cw;
        Cr = ca / cl;
        UpdateTransferUnits(ca, cl);
        Qmax = (AirIn->db - Liquid->tfi) * ca;
        const double previous = Qt;
        Qt = CheckFinite(e * Qmax, "Invalid duty");
        LiquidState->SetDuty(Qt);
        if (std::fabs(Qt - previous) < 1e-5) SolveStatus = ssSolved;
        if (n > 100) SolveStatus = ssNotConverged;
        ++n;
    }
    AirOut->ha = AirIn->ha - Qt / MassFlow;
    const double leavingDb = AirIn->db - Qt / ca;
    AirOut->db = leavingDb;
    AirState(*AirOut, *AirOut, 1);
    Qs = (AirIn->db - AirOut->db) * ca;
    ColdEndSurfaceTemp = Liquid->tfi + (leavingDb - Liquid->tfi) * Cr * Ntu / NtuLiquid;
    ADP = AirIn->td;
    return SolveStatus;
}

std::uint8_t TColdWaterCoil::WetSolve() {
    FoulingResistance = UseFouling ? 0.0048 : 0;
    SurfaceState = ssWet;
    const double hsi = SatEnthalpy(Liquid->tfi, AirIn->pa);
    double hso = SatEnthalpy(Liquid->tfo, AirOut->pa);
    const double ca = AirCapacityRate;
    int n = 0;
    SolveStatus = ssIterating;
    while (SolveStatus == ssIterating) {
        const double cl = LiquidState->cw;
        const double cs = CheckFinite((hsi - hso) / (Liquid->tfi - Liquid->tfo),
                                      "Invalid saturated specific heat");
        Cr = MassFlow * cs / cl;
        UpdateTransferUnits(ca, cl);
        Qmax = (AirIn->ha - hsi) * MassFlow;
        const double previous = Qt;
        Qt = CheckFinite(e * Qmax, "Invalid duty");
        LiquidState->SetDuty(Qt);
        hso = SatEnthalpy(Liquid->tfo, AirOut->pa);
        if (std::fabs(Qt - previous) < 1e-5) SolveStatus = ssSolved;
        if (n > 100) SolveStatus = ssNotConverged;
        ++n;
    }
    // A pass can run away to a false convergence: the liquid heated past the entering air, the
    // saturated specific heat and with it Cr turned negative, the effectiveness 1.
    if (SolveStatus == ssSolved &&
        (!(Cr > 0) || (Liquid->tfi < AirIn->db && Liquid->tfo > AirIn->db)))
        SolveStatus = ssFailed;
    const double leavingH = AirIn->ha - Qt / MassFlow;
    AirOut->ha = leavingH;
    Qs = 0.7 * Qt;
    AirOut->db = AirIn->db - Qs / ca;
    AirState(*AirOut, *AirOut, 1);
    const double r = (MassFlow / LiquidState->cw) * Ntu / NtuLiquid;
    WarmEndSurfaceTemp = Liquid->tfo + r * (AirIn->ha - hso);
    ColdEndSurfaceTemp = Liquid->tfi + r * (leavingH - hsi);
    ADP = ColdEndSurfaceTemp;
    return SolveStatus;
}

std::uint8_t TColdWaterCoil::ZeroDuty() {
    Qt = 0;
    Qs = 0;
    Qmax = 0;
    e = 0;
    *AirOut = *AirIn;
    LiquidState->SetLeavingTemp(Liquid->tfi);
    SurfaceState = ssDry;
    ColdEndSurfaceTemp = AirIn->td;
    WarmEndSurfaceTemp = AirIn->td;
    ADP = AirIn->td;
    BypassFactor = 1;  // the air leaves as it came
    SolveStatus = ssSolved;
    LastADP() = ADP;
    AirCooling = false;
    return SolveStatus;
}

void TColdWaterCoil::DryBypassFactor() {
    // A heating coil keeps the bypass factor of its pass: the ratio would exceed 1.
    if (!(Qt > 0)) return;
    const double depression = AirIn->db - ADP;
    // Saturated entering air (to the dew point's own tolerance) makes the ratio 0/0; its duty
    // was cut to nothing and the air leaves as it came.
    BypassFactor = depression > 1e-9 ? (AirOut->db - ADP) / depression : 1;
}

std::uint8_t TColdWaterCoil::Solve() {
    TLiquidState& ls = *LiquidState;
    if (ZeroFlowCheck()) {
        if (ls.ctrl == wcTemp) {
            ls.SetVelocity(1.0);
        } else if (ls.ctrl == wcFlow) {
            SolveStatus = ssSolved;
            return SolveStatus;
        }
    }
    if (ls.designdt == 0) ls.designdt = 6.0;
    if (AirOut->ha == AirIn->ha) {
        AirOut->ha = AirIn->ha - 10;
        AirOut->wa = AirIn->wa;
    }
    // Liquid at the entering dry bulb has nothing to exchange: the zero-duty result, with the
    // entering air left as the user set it.
    if (Liquid->tfi == AirIn->db) return ZeroDuty();

    std::uint8_t status = DrySolve();
    if (status != ssSolved) return status;

    const double dewIn = AirIn->td;
    if (ColdEndSurfaceTemp < dewIn && dewIn > 0) {
        const double dryQt = Qt;
        const TAirState dryOut = *AirOut;
        const double dryLiquidFlow = Liquid->m;
        const double dryTfo = Liquid->tfo;
        const double dryCa = AirCapacityRate;
        const double dryCl = ls.cw;
        status = WetSolve();
        if (ZeroFlowCheck() && ls.ctrl == wcTemp) {
            ls.SetVelocity(1.0);
            status = DrySolve();
        } else if (WarmEndSurfaceTemp > dewIn) {
            if (dryQt > Qt) {
                *AirOut = dryOut;
                Liquid->m = dryLiquidFlow;
                ls.SetLeavingTemp(dryTfo);
                ls.cw = dryCl;
                AirCapacityRate = dryCa;
                status = DrySolve();
            }
            SurfaceState = ssPartWet;
        }
    }

    // The leaving state, for every path that gets here.
    if (AirOut->db < AirOut->wb) AirOut->db = AirOut->wb;
    if (Liquid->tfi > ADP) ADP = Liquid->tfi + 2;
    LeavingState(*AirOut, *AirIn, 0, -Qt / MassFlow, BypassFactor, ADP);
    const double ca = AirCapacityRate;
    if (ADP > dewIn) {
        if ((AirIn->db - dewIn) * ca < Qt) {
            Qt = 0.95 * ca * (AirIn->db - dewIn);
            ls.SetMassFlow(Qt / (Liquid->Cp * ls.designdt));
        }
        AirOut->db = AirIn->db - Qt / ca;
        AirOut->wa = AirIn->wa;
        AirState(*AirOut, *AirOut, 2);
        ADP = dewIn;
        DryBypassFactor();
    }
    Qs = (AirIn->db - AirOut->db) * ca;
    if (Qs - Qt > 0.01) {
        Qs = Qt;
        AirOut->ha = AirIn->ha - Qt / MassFlow;
        AirOut->wa = AirIn->wa;
        AirState(*AirOut, *AirOut, 15);
        ADP = dewIn;
        DryBypassFactor();
    }

    if (ls.ctrl == wcTemp && Liquid->tfo > AirIn->db) {
        ls.SetLeavingTemp(AirIn->db);
        ls.designdt = Liquid->tfo - Liquid->tfi;
        status = ssFailed;
    }
    SolveStatus = status;
    LastADP() = ADP;
    AirCooling = Liquid->tfi < Liquid->tfo;
    return status;
}

}  // namespace qdx
