#include "engine/coil_project.hpp"

#include <exception>

#include "fluids/air_state_text.hpp"
#include "fluids/liquid_correlations.hpp"
#include "geometry/designation.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {
std::string DbWbText(const TAirState& s) { return Format("%0.1f/%0.1f", s.db, s.wb); }
// The air of a settings text at the barometer; the first-run text when the setting is not a
// state the pressure can hold.
TAirState SettingsAir(const std::string& text, double pa, const std::string& firstRunText) {
    try {
        return AirStateFromText(text, pa, 0.5);
    } catch (const std::exception&) {
        return AirStateFromText(firstRunText, pa, 0.5);
    }
}

}  // namespace

void TCoilProject::CreateCoil(const TCoilSettings& s) {
    // Damaged settings must not stop the program from starting: what does not read as air
    // takes the first-run values.
    const TCoilSettings firstRun;
    try {
        Barometer = s.Pressure;
        OnCoilAir = SettingsAir(s.AirOn, Barometer, firstRun.AirOn);
        OffCoilAir = SettingsAir(s.AirOff, Barometer, firstRun.AirOff);
    } catch (const std::exception&) {
        Barometer = firstRun.Pressure;
        OnCoilAir = AirStateFromText(firstRun.AirOn, Barometer, 0.5);
        OffCoilAir = AirStateFromText(firstRun.AirOff, Barometer, 0.5);
    }

    auto coolant = std::make_unique<TLiquid>("Water", s.WaterFlow, s.WaterIn, s.WaterOut,
                                             static_cast<std::uint8_t>(liWater));
    coolant->SetT(s.WaterTemp);
    coolant->LiquidSpec = static_cast<std::uint8_t>(s.WaterSpec);
    coolant->WaterAdditive = static_cast<std::uint8_t>(s.WaterAdditive);
    coolant->AdditiveVolume = s.WaterAddVol;
    coolant->UserRo = s.WaterUserRo;
    coolant->UserCp = s.WaterUserCp;
    coolant->UserMu = s.WaterUserMu;
    coolant->UserKo = s.WaterUserKo;
    coolant->Update();

    auto coil = std::make_unique<TColdWaterCoil>(s.CoilMaker, s.CoilModel, 0, 4);
    coil->AttachStates(&OnCoilAir, &OffCoilAir, coolant.get());
    if (s.CoilHeight != 0) coil->SetFinHeight(s.CoilHeight);
    if (s.CoilLength != 0) coil->SetFinnedLength(s.CoilLength);
    coil->SetMakerModel(s.CoilMaker, s.CoilMR);
    coil->SetFaceVelocity(s.AirVelocity);
    coil->LiquidState->SetVelocity(s.WaterVelocity);
    coil->LiquidState->designdt = s.DesignWaterDT;
    coil->LiquidState->ctrl = static_cast<std::uint8_t>(s.Control);
    DesignDuty = s.DesignDuty;
    CalcMode = static_cast<std::uint8_t>(s.CalcMode);
    coil->DutyFactor = s.DutyFactor;
    coil->AirDPFactor = s.AirDPFactor;
    coil->hoFactor = s.hoFactor;
    coil->hiFactor = s.hiFactor;
    coil->FluidDPFactor = s.FluidDPFactor;

    coil_ = std::move(coil);
    coolant_ = std::move(coolant);
    CoilModel = s.CoilModel;
    FileName.clear();
    Properties.LoadDefaultProperties();
    SetSaved(true);
    SetSolved(false);
}

void TCoilProject::SetSaved(bool v) {
    Saved = v;
    if (v) SetModified(false);
}

void TCoilProject::SetSolved(bool v) {
    Solved = v;
    SolveStatusText = v ? "Solved..." : "Not Solved";
}

void TCoilProject::SetModified(bool v) {
    Modified = v;
    if (!v) {
        EditStatus = "Ready...";
        return;
    }
    EditStatus = "Modified";
    SetSolved(false);
    SetSaved(false);
}

void TCoilProject::Edited() { SetModified(true); }

bool TCoilProject::SetCoilModel(const std::string& text) {
    TColdWaterCoil& c = *coil_;
    TDesignationNumbers numbers{c.FinHeight(), c.FinnedLength(), c.Rows(), c.FinsPerInch(),
                                c.Circuits()};
    bool ok = ParseDesignation(text, numbers) == dpOk;
    const std::string previous = CoilModel;
    const std::string cell = ok ? text : previous;
    // Rows 5 and 11 still show the face and tube velocities from before the change.
    const double faceVelocity = c.FaceVelocity;
    const double tubeVelocity = c.LiquidState->vw;
    CoilModel = cell;
    c.SetDesignation(cell);
    if (ok && !c.DesignationValid) {
        // In range but not a coil the geometry can be computed for (a fin height below one
        // tube pitch has no tubes): the last good designation comes back, as for a bad text.
        ok = false;
        CoilModel = previous;
        c.SetDesignation(previous);
    }
    c.SetFaceVelocity(faceVelocity);
    c.LiquidState->SetVelocity(tubeVelocity);
    Edited();
    return ok;
}

void TCoilProject::SetBarometer(double kPa) {
    const std::string onText = DbWbText(OnCoilAir);
    const std::string offText = coil_->LeavingAirText();
    const double velocity = coil_->FaceVelocity;
    Barometer = kPa;
    OnCoilAir = AirStateFromText(onText, Barometer, 0.5);
    OffCoilAir = AirStateFromText(offText, Barometer, 0.5);
    coil_->SetFaceVelocity(velocity);
    Edited();
}

void TCoilProject::SetOnCoil(const std::string& text) {
    const double velocity = coil_->FaceVelocity;
    OnCoilAir = AirStateFromText(text, Barometer, 0.5);
    coil_->SetFaceVelocity(velocity);
    Edited();
}

void TCoilProject::SetAirVolume(double m3s) {
    coil_->SetVolumeFlow(m3s);
    Edited();
}

void TCoilProject::SetAirVelocity(double ms) {
    coil_->SetFaceVelocity(ms);
    Edited();
}

void TCoilProject::SetCoolant(int liquidSpec, int additive, double additiveVolume) {
    TLiquid& l = *coolant_;
    l.LiquidSpec = static_cast<std::uint8_t>(liquidSpec);
    if (l.LiquidSpec != liWater || l.UserProps) {
        additive = 0;
        additiveVolume = 0;
    } else if (additive > 0 && additiveVolume == 0) {
        additiveVolume = 0.01;
    } else if (additive == 0) {
        additiveVolume = 0;
    }
    l.WaterAdditive = static_cast<std::uint8_t>(additive);
    l.AdditiveVolume = additiveVolume;
    l.Update();
    l.Caption = l.GetCaption();
    Edited();
}

void TCoilProject::SetFluidControl(int ctrl) {
    coil_->LiquidState->ctrl = static_cast<std::uint8_t>(ctrl);
    Edited();
}

void TCoilProject::SetFluidInlet(double degC) {
    TLiquidState& ls = *coil_->LiquidState;
    const double flow = ls.GetMassFlow();
    const double dt = ls.designdt;
    ls.SetInletTemp(degC);
    if (ls.ctrl == wcTemp)
        ls.SetMassFlow(flow);
    else if (ls.ctrl == wcFlow)
        ls.SetLeavingTemp(degC + dt);
    Edited();
}

void TCoilProject::SetDesignDT(double k) {
    TLiquidState& ls = *coil_->LiquidState;
    ls.designdt = k;
    ls.SetLeavingTemp(ls.GetInletTemp() + k);
    Edited();
}

void TCoilProject::SetFluidFlow(double kgs) {
    coil_->LiquidState->SetMassFlow(kgs);
    Edited();
}

void TCoilProject::SetTubeVelocity(double ms) {
    coil_->LiquidState->SetVelocity(ms);
    Edited();
}

void TCoilProject::SetDesignDuty(double kW) {
    DesignDuty = kW;
    Edited();
}

void TCoilProject::SetCalcMode(int mode) {
    CalcMode = static_cast<std::uint8_t>(mode);
    Edited();
}

void TCoilProject::TypicalConditions() {
    TColdWaterCoil& c = *coil_;
    Barometer = 101.325;
    c.SetAirOnText("24.0/16.0");
    c.SetFaceVelocity(2.5);
    c.LiquidState->SetInletTemp(6);
    c.LiquidState->SetVelocity(1);
    c.SetDesignation(c.GetDesignation());
    CalcMode = cmCoolingDuty;
    SolveCoil();
}

bool TCoilProject::SolveCoil() {
    return RunGuarded([this] {
        if (CalcMode == cmCoilSize) SizingStatus = coil_->SizeFaceArea(0, DesignDuty);
    });
}

bool TCoilProject::SizeAndSolve(TSizingKind kind, double v) {
    return RunGuarded([this, kind, v] {
        TColdWaterCoil& c = *coil_;
        switch (kind) {
            case skFaceArea: SizingStatus = c.SizeFaceArea(v, DesignDuty); break;
            case skFinHeight: SizingStatus = c.SizeFinHeight(v, DesignDuty); break;
            case skFinnedLength: SizingStatus = c.SizeFinnedLength(v, DesignDuty); break;
            case skRows: SizingStatus = c.SizeRows(v, DesignDuty); break;
            case skFins: SizingStatus = c.SizeFins(v, DesignDuty); break;
            case skRowsAndFins: SizingStatus = c.SizeRowsAndFins(v, DesignDuty); break;
        }
    });
}

template <typename Sizing>
bool TCoilProject::RunGuarded(Sizing&& sizing) {
    try {
        sizing();
        coil_->Solve();
        if (coil_->SolveStatus == ssSolved) SetSolved(true);
        DesignDuty = coil_->Qt;
        LastError.clear();
        return coil_->SolveStatus == ssSolved;
    } catch (const std::exception& e) {
        LastError = e.what();
        SolveStatusText = "Data Error...";
        Solved = false;
        return false;
    }
}

}  // namespace qdx
