#include "engine/coil_project.hpp"

#include <cmath>
#include <exception>

#include "engine/calibration.hpp"
#include "fluids/air_state_text.hpp"
#include "fluids/liquid_correlations.hpp"
#include "geometry/designation.hpp"
#include "units/errors.hpp"
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

void TCoilProject::BuildCoil(const TCoilSettings& s) {
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
    coil->DutyFactor = s.DutyFactor;
    coil->AirDPFactor = s.AirDPFactor;
    coil->hoFactor = s.hoFactor;
    coil->hiFactor = s.hiFactor;
    coil->FluidDPFactor = s.FluidDPFactor;
    if (!HoldsNumbers(*coil) || !std::isfinite(s.DesignDuty))
        throw CalcError("Invalid floating point operation");

    coil_ = std::move(coil);
    coolant_ = std::move(coolant);
    DesignDuty = s.DesignDuty;
    CalcMode = static_cast<std::uint8_t>(s.CalcMode);
    CoilModel = s.CoilModel;
}

bool TCoilProject::CreateCoil(const TCoilSettings& s) {
    bool ok = true;
    LastError.clear();
    try {
        BuildCoil(s);
    } catch (const std::exception& e) {
        // The first-run coil always builds.
        Fault(e.what());
        BuildCoil(TCoilSettings());
        ok = false;
    }
    FileName.clear();
    Properties.LoadDefaultProperties();
    SetSaved(true);
    SetSolved(false);
    return ok;
}

TCoilProject::TSavedState::TSavedState(const TCoilProject& project)
    : copy_(new TCoilProject(project)),
      owner_(&project),
      coil_(project.coil_.get()),
      coolant_(project.coolant_.get()) {}

bool TCoilProject::RestoreState(const TSavedState& state) {
    // The saved coil points at this project's air records and coolant: it fits only them.
    if (state.owner_ != this || state.coil_ != coil_.get() || state.coolant_ != coolant_.get())
        return false;
    MessageHandler handler = std::move(OnMessage);
    *this = *state.copy_;
    OnMessage = std::move(handler);
    return true;
}

void TCoilProject::Message(const std::string& text) {
    if (OnMessage)
        OnMessage(text);
    else
        ShowMessage(text);
}

void TCoilProject::Fault(const std::string& message) {
    LastError = message.empty() ? "Unexpected error" : message;
    Message(LastError);
}

bool TCoilProject::HoldsNumbers(const TColdWaterCoil& c) {
    for (int i = 0; i < kAirStateFields; ++i)
        if (!std::isfinite(AirField(*c.AirIn, i)) || !std::isfinite(AirField(*c.AirOut, i)))
            return false;
    const TLiquidState& ls = *c.LiquidState;
    const TLiquid& l = *ls.liquid;
    const TModelRec& r = c.FinAndTube->Record();
    for (double v : {c.Qt, c.Qs, c.MassFlow, c.VolumeFlow, c.FaceVelocity, l.t, l.tfi, l.tfo,
                     l.m, l.Cp, l.ro, l.Ko, l.mu, l.Pr, l.UserCp, l.UserRo, l.UserKo, l.UserMu,
                     l.AdditiveVolume, ls.designdt, ls.vw, ls.cw, r.fHeight, r.fLength, r.Rows,
                     r.fpi, r.Circ, r.Sx, r.Sy, r.ID, r.OD, r.tf, r.fc, r.ft, r.tc})
        if (!std::isfinite(v)) return false;
    return true;
}

void TCoilProject::RequireNumbers() const {
    if (!HoldsNumbers(*coil_) || !std::isfinite(Barometer) || !std::isfinite(DesignDuty))
        throw CalcError("Invalid floating point operation");
}

bool TCoilProject::Apply(const std::function<void()>& change, bool markModified) {
    const TCoilProject before(*this);
    const double lastADP = LastADP();
    LastError.clear();
    try {
        change();
        RequireNumbers();
    } catch (const std::exception& e) {
        *this = before;
        LastADP() = lastADP;
        Fault(e.what());
        return false;
    } catch (...) {
        *this = before;
        LastADP() = lastADP;
        Fault("");
        return false;
    }
    if (markModified) Edited();
    return true;
}

bool TCoilProject::WriteManufacturingReport(TReportDocument& doc) {
    return Apply([&] { coil_->FinAndTube->WriteManufacturingReport(doc); }, false);
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
    bool parsed = false;
    const bool applied = Apply([&] {
        TColdWaterCoil& c = *coil_;
        TDesignationNumbers numbers{c.FinHeight(), c.FinnedLength(), c.Rows(), c.FinsPerInch(),
                                    c.Circuits()};
        parsed = ParseDesignation(text, numbers) == dpOk;
        const std::string previous = CoilModel;
        const std::string cell = parsed ? text : previous;
        // Rows 5 and 11 still show the face and tube velocities from before the change.
        const double faceVelocity = c.FaceVelocity;
        const double tubeVelocity = c.LiquidState->vw;
        CoilModel = cell;
        c.SetDesignation(cell);
        if (parsed && !c.DesignationValid) {
            // In range but not a coil the geometry can be computed for (a fin height below
            // one tube pitch has no tubes): the last good designation comes back, as for a
            // bad text.
            parsed = false;
            CoilModel = previous;
            c.SetDesignation(previous);
        }
        c.SetFaceVelocity(faceVelocity);
        c.LiquidState->SetVelocity(tubeVelocity);
    });
    return applied && parsed;
}

bool TCoilProject::KeepEditedCoilModel(double faceVelocity, double tubeVelocity) {
    return Apply([&] {
        TColdWaterCoil& c = *coil_;
        CoilModel = c.GetDesignation();
        c.SetFaceVelocity(faceVelocity);
        c.LiquidState->SetVelocity(tubeVelocity);
    });
}

bool TCoilProject::SetBarometer(double kPa) {
    return Apply([&] {
        const std::string onText = DbWbText(OnCoilAir);
        const std::string offText = coil_->LeavingAirText();
        const double velocity = coil_->FaceVelocity;
        Barometer = kPa;
        OnCoilAir = AirStateFromText(onText, Barometer, 0.5);
        OffCoilAir = AirStateFromText(offText, Barometer, 0.5);
        coil_->SetFaceVelocity(velocity);
    });
}

bool TCoilProject::SetOnCoil(const std::string& text) {
    return Apply([&] {
        const double velocity = coil_->FaceVelocity;
        OnCoilAir = AirStateFromText(text, Barometer, 0.5);
        coil_->SetFaceVelocity(velocity);
    });
}

bool TCoilProject::SetAirVolume(double m3s) {
    return Apply([&] { coil_->SetVolumeFlow(m3s); });
}

bool TCoilProject::SetAirVelocity(double ms) {
    return Apply([&] { coil_->SetFaceVelocity(ms); });
}

bool TCoilProject::SetCoolant(int liquidSpec, int additive, double additiveVolume) {
    return Apply([&] {
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
    });
}

bool TCoilProject::SetFluidControl(int ctrl) {
    return Apply([&] { coil_->LiquidState->ctrl = static_cast<std::uint8_t>(ctrl); });
}

bool TCoilProject::SetFluidInlet(double degC) {
    return Apply([&] {
        TLiquidState& ls = *coil_->LiquidState;
        const double flow = ls.GetMassFlow();
        const double dt = ls.designdt;
        ls.SetInletTemp(degC);
        if (ls.ctrl == wcTemp)
            ls.SetMassFlow(flow);
        else if (ls.ctrl == wcFlow)
            ls.SetLeavingTemp(degC + dt);
    });
}

bool TCoilProject::SetDesignDT(double k) {
    return Apply([&] {
        TLiquidState& ls = *coil_->LiquidState;
        ls.designdt = k;
        ls.SetLeavingTemp(ls.GetInletTemp() + k);
    });
}

bool TCoilProject::SetFluidFlow(double kgs) {
    return Apply([&] { coil_->LiquidState->SetMassFlow(kgs); });
}

bool TCoilProject::SetTubeVelocity(double ms) {
    return Apply([&] { coil_->LiquidState->SetVelocity(ms); });
}

bool TCoilProject::SetDesignDuty(double kW) {
    return Apply([&] { DesignDuty = kW; });
}

bool TCoilProject::SetCalcMode(int mode) {
    return Apply([&] { CalcMode = static_cast<std::uint8_t>(mode); });
}

void TCoilProject::AcceptCalibration(TCoilSettings& settings) {
    SetSettingsFactors(settings, CoilFactors(*coil_));
    SetModified(true);
}

bool TCoilProject::TypicalConditions() {
    const bool applied = Apply(
        [this] {
            TColdWaterCoil& c = *coil_;
            Barometer = 101.325;
            c.SetAirOnText("24.0/16.0");
            c.SetFaceVelocity(2.5);
            c.LiquidState->SetInletTemp(6);
            c.LiquidState->SetVelocity(1);
            c.SetDesignation(c.GetDesignation());
            CalcMode = cmCoolingDuty;
        },
        false);
    return applied && SolveCoil();
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

bool TCoilProject::RunGuarded(const std::function<void()>& sizing) {
    const TCoilProject before(*this);
    const double lastADP = LastADP();
    LastError.clear();
    std::string fault;
    try {
        sizing();
        coil_->Solve();
        RequireNumbers();
        if (coil_->SolveStatus == ssSolved) SetSolved(true);
        DesignDuty = coil_->Qt;
        return coil_->SolveStatus == ssSolved;
    } catch (const std::exception& e) {
        fault = e.what();
    } catch (...) {
    }
    // A half-done calculation (a half-sized coil, a liquid at a leaving temperature no liquid
    // has) is not kept: the inputs come back as they were, marked as a failed calculation.
    *this = before;
    LastADP() = lastADP;
    LastError = fault.empty() ? "Unexpected error" : fault;
    coil_->SolveStatus = ssFailed;
    SetSolved(false);
    SolveStatusText = "Data Error...";
    return false;
}

bool TCoilProject::StepSimulation(double& duty) {
    duty = 0;
    if (!Solved && !SolveCoil() && !LastError.empty()) return false;
    double simulated = 0;
    if (!Apply([&] { simulated = coil_->StepSimulation(); }, false)) return false;
    duty = simulated;
    return true;
}

}  // namespace qdx
