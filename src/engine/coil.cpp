#include "engine/coil.hpp"

#include <cmath>

#include "fluids/air_state_text.hpp"
#include "fluids/liquid.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {
constexpr const char* kFallbackDesignation = "544 x 720 4r 12f  (14c)";
}

const char* SurfaceStateCaption(int state) {
    switch (state) {
        case ssWet: return "Wet";
        case ssPartWet: return "Part-Wet";
        default: return "Dry";
    }
}

TCoil::TCoil(std::string_view maker, std::string_view designation, int kind, int tube)
    : TCustomHeatExchanger(designation) {
    TypeCaption = "Coil";
    FinAndTube = std::make_unique<TFinAndTube>(maker, designation, kind, tube);
    DesignationValid = FinAndTube->GetErrorCode() == 0;
    if (!DesignationValid) Designation = kFallbackDesignation;
    if (ApplyDesignation(Designation)) {
        UpdateWallFromGeometry();
        SyncGeometry();
    }
    AirDPFactor = 1;
    ADP = LastADP();
}

bool TCoil::ApplyDesignation(std::string_view text) {
    std::string copy(text);  // text may view Designation itself
    FinAndTube->SetDesignation(copy);
    Designation = std::move(copy);
    DesignationValid = FinAndTube->GetErrorCode() == 0;
    return DesignationValid;
}

std::string TCoil::GetDesignation() {
    Designation = FinAndTube->Designation();
    return Designation;
}

void TCoil::SetDesignation(std::string_view text) {
    if (!ApplyDesignation(text)) return;
    UpdateWallProperties();
    SyncGeometry();
}

void TCoil::UpdateWallFromGeometry() {
    const TTubeSideGeometry tube = FinAndTube->TubeSide();
    WallThickness = tube.WallThickness;
    WallConductivity = tube.WallConductivity;
}

void TCoil::UpdateWallProperties() { UpdateWallFromGeometry(); }

void TCoil::SetMassFlow(double m) {
    MassFlow = m;
    AirIn->ma = m;
    AirOut->ma = m;
    VolumeFlow = m / AirIn->ro;
    FaceVelocity = VolumeFlow / FinAndTube->FaceArea();
    AirCapacityRate = m * AirIn->cp;
}

void TCoil::SetVolumeFlow(double v) { SetMassFlow(v * AirIn->ro); }

void TCoil::SetFaceVelocity(double v) { SetMassFlow(v * FinAndTube->FaceArea() * AirIn->ro); }

void TCoil::SetPressure(double pa) {
    SetState(*AirIn, pa, AirIn->db, AirIn->wb, 0);
    SetState(*AirOut, pa, AirOut->db, AirOut->wb, 0);
    SetFaceVelocity(FaceVelocity);
}

double TCoil::MeanPressure() const { return (AirIn->pa + AirOut->pa) / 2; }

void TCoil::SetAirOnText(std::string_view text) {
    *AirIn = AirStateFromText(text, AirIn->pa, 0.5);
    SetFaceVelocity(FaceVelocity);
}

void TCoil::SetEnteringDryBulb(double db) {
    SetState(*AirIn, AirIn->pa, db, AirIn->wa, 2);
    AirIn->ma = MassFlow;
}

void TCoil::SetEnteringWetBulb(double wb) {
    SetState(*AirIn, AirIn->pa, wb, AirIn->rh, 10);
    AirIn->ma = MassFlow;
}

std::string TCoil::LeavingAirText() const { return Format("%0.1f/%0.1f", AirOut->db, AirOut->wb); }

void TCoil::SetFinHeight(double v) {
    FinAndTube->SetFinHeight(v);
    SyncGeometry();
}

void TCoil::SetFinnedLength(double v) {
    FinAndTube->SetFinnedLength(v);
    SyncGeometry();
}

void TCoil::SetRows(double v) {
    FinAndTube->SetRows(v);
    SyncGeometry();
}

void TCoil::SetFinsPerInch(double v) {
    FinAndTube->SetFinsPerInch(v);
    SyncGeometry();
}

void TCoil::SetFinMaterial(int index) {
    FinAndTube->SetFinMaterial(index);
    SyncGeometry();
}

// A new maker entry or record may bring another tube: the wall and the liquid's flow area
// follow it, as they do for a new tube material.
void TCoil::SetMakerModel(std::string_view maker, std::string_view specification) {
    FinAndTube->SetMakerModel(maker, specification);
    UpdateWallProperties();
    SyncGeometry();
}

void TCoil::SetModelRecord(const TModelRec& rec) {
    FinAndTube->SetRecord(rec);
    UpdateWallProperties();
    SyncGeometry();
}

void TCoil::SetCircuits(double v) {
    FinAndTube->SetCircuits(v);
    TubeSide = FinAndTube->TubeSide();
    UpdateWallProperties();
}

void TCoil::SetTubeMaterial(int index) {
    FinAndTube->SetTubeMaterial(index);
    UpdateWallProperties();
    SyncGeometry();
}

void TCoil::SyncGeometry() {
    TubeSide = FinAndTube->TubeSide();
    Ao = FinAndTube->Ao();
    Ai = FinAndTube->Ai();
    FinArea = FinAndTube->FinArea();
    AoAiRatio = FinAndTube->AoAiRatio();
    AirSide = FinAndTube->AirSide();
    SurfaceEfficiency = AirSide.SurfaceEfficiency;
    Vi = FinAndTube->Vi();
}

void TCoil::UpdateCoefficients() {
    hi = InsideFilmCoefficient(TubeSide, *Liquid, true) * hiFactor;
    Ui = hi / (1 + hi * WallThickness / WallConductivity);
    ho = AirCoefficientFn(AirSide, *AirIn, AirSideResult) * hoFactor * SurfaceEfficiency;
    ConductanceRatio = (ho * Ao) / (Ui * Ai);
    Uo = 1 / (1.01 / ho + AoAiRatio / Ui + FoulingResistance);
    CheckFinite(Ui, "Invalid inside coefficient");
    CheckFinite(ConductanceRatio, "Invalid conductance ratio");
    CheckFinite(Uo, "Invalid overall coefficient");
}

double TCoil::AirPressureDrop() const {
    const double nr = std::ceil(FinAndTube->Rows());
    if (FaceVelocity <= 0.001) return 5 * nr;
    const double sigma = AirSide.Sigma;
    const double s2 = sigma * sigma;
    const double s3 = s2 * sigma;
    const double ke = 1.006211 - 2.142254 * sigma + 1.105172 * s2 - 0.058724 * s3;
    const double kc = 0.503138 - 0.038765 * sigma - 0.299002 * s2 - 0.076219 * s3;
    const double rho1 = AirIn->ro;
    const double rho2 = AirOut->ro;
    const double vmax = FaceVelocity / sigma;
    const double re = rho1 * vmax * AirSide.HydraulicDiameter / AirIn->mu;
    const double f = std::exp(-1.2 - 0.3 * std::log(re));
    const double rhom = (rho1 + rho2) / 2;
    const double dp = 0.5 * rho1 * vmax * vmax *
                      ((kc + 1 - s2) + 2 * (rho1 / rho2 - 1) +
                       f * (nr * FinAndTube->SpecificArea() / sigma) * (rho1 / rhom) -
                       (1 - s2 - ke) * (rho1 / rho2));
    const double depression = AirIn->td - Liquid->tfi;
    if (depression < 1.6) return CheckFinite(AirDPFactor * dp, "Invalid air pressure drop");
    const double d = 1.8 * std::fabs(depression);
    const double w = 1.2 - std::exp((6.29 - d) / 25.2);
    double wet = w * (0.10746 * FinAndTube->FinsPerInch() - 0.03282) + 0.915677;
    if (wet < 1) wet = 1;
    return CheckFinite(AirDPFactor * wet * dp, "Invalid air pressure drop");
}

double TCoil::CondensateRate() {
    const double rate = (AirIn->wa - AirOut->wa) * MassFlow;
    IceRate = ADP < 0 ? rate / 920 / Ao : 0;
    return rate;
}

void TCoil::StoreStepRow(int row, double liquidTemp, double surfaceTemp, double dryBulb,
                         double dewPoint) {
    StepResults.At(0, row) = liquidTemp;
    StepResults.At(1, row) = dryBulb;
    StepResults.At(2, row) = surfaceTemp;
    StepResults.At(3, row) = dewPoint;
}

}  // namespace qdx
