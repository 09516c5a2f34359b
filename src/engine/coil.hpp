#pragma once
// A finned coil: the heat exchanger with air on the outside. It refers to the entering and
// leaving air records of its owner, owns its fin-and-tube geometry, keeps the air flow
// quantities consistent, and holds the sizing bounds and defaults of the design tools.
// Flows: MassFlow kg/s of dry air, VolumeFlow m³/s at entering density, FaceVelocity m/s.

#include <string>
#include <string_view>

#include "engine/copying_ptr.hpp"
#include "engine/heat_exchanger.hpp"
#include "fluids/psychrometrics.hpp"
#include "geometry/fin_and_tube.hpp"

namespace qdx {

enum TSurfaceState : std::uint8_t { ssDry = 0, ssWet = 1, ssPartWet = 2 };

// "Dry", "Wet", "Part-Wet".
const char* SurfaceStateCaption(int state);

class TCoil : public TCustomHeatExchanger {
public:
    TCoil(std::string_view maker, std::string_view designation, int kind, int tube);

    std::string GetDesignation() override;
    void SetDesignation(std::string_view text) override;
    // Wall thickness and conductivity from the geometry's tube-side record.
    virtual void UpdateWallProperties();
    // Sets up the liquid side for a sizing search towards duty (kW).
    virtual void PrepareLiquidForDuty(double /*duty*/) {}

    // The model and air blocks of the reports.
    void WritePerformanceReport(TReportDocument& doc) override;
    void WriteDiagnostics(TReportDocument& doc) override;
    std::string GetResultLines() override;

    // Air flow; each keeps the others and both records' mass-flow field consistent.
    void SetMassFlow(double m);
    void SetVolumeFlow(double v);
    void SetFaceVelocity(double v);

    // Rebuilds both air records at pressure pa (kPa) keeping their dry and wet bulbs, then
    // re-applies the face velocity so that the mass flow follows the density.
    void SetPressure(double pa);
    // (AirIn.pa + AirOut.pa) / 2, kPa.
    double MeanPressure() const;
    // Entering air from a "db/wb" or "db" text at the entering pressure (rh 0.5 without wet
    // bulb); the face velocity is re-applied.
    void SetAirOnText(std::string_view text);
    // A new entering dry bulb with the moisture kept, or wet bulb with the relative humidity
    // kept. The air flow is not re-applied; the record keeps the coil's mass flow.
    void SetEnteringDryBulb(double db);
    void SetEnteringWetBulb(double wb);
    // Leaving air as "db/wb" with one decimal each.
    std::string LeavingAirText() const;
    double EnteringDryBulb() const { return AirIn->db; }
    double EnteringWetBulb() const { return AirIn->wb; }
    double LeavingDryBulb() const { return AirOut->db; }
    double LeavingWetBulb() const { return AirOut->wb; }

    // Geometry changes; each recomputes the geometry and the coil's copies of it.
    void SetFinHeight(double v);
    void SetFinnedLength(double v);
    void SetRows(double v);
    void SetFinsPerInch(double v);
    void SetFinMaterial(int index);
    void SetMakerModel(std::string_view maker, std::string_view specification);
    void SetModelRecord(const TModelRec& rec);
    // Circuits (clamped to 1..1600 by the geometry): copies the tube-side record and updates
    // the wall properties only.
    void SetCircuits(double v);
    void SetTubeMaterial(int index);
    double FaceArea() const { return FinAndTube->FaceArea(); }
    double FinHeight() const { return FinAndTube->FinHeight(); }
    double FinnedLength() const { return FinAndTube->FinnedLength(); }
    double Rows() const { return FinAndTube->Rows(); }
    double Depth() const { return FinAndTube->Depth(); }
    double Circuits() const { return FinAndTube->Circuits(); }
    double FinsPerInch() const { return FinAndTube->FinsPerInch(); }
    int SerpentineIndex() const { return FinAndTube->Serp(); }

    // Copies the geometry's records, areas, surface efficiency and internal volume.
    void SyncGeometry();

    // hi, Ui, ho, ConductanceRatio and Uo of the current state (fills AirSideResult).
    void UpdateCoefficients();

    // Air pressure drop, Pa.
    double AirPressureDrop() const;
    // Condensate, kg/s; also sets IceRate when the apparatus dew point is below 0 °C.
    double CondensateRate();

    void AllocateStepResults() { StepResults.Allocate(4, 100); }
    void StoreStepRow(int row, double liquidTemp, double surfaceTemp, double dryBulb,
                      double dewPoint);

    TAirState* AirIn = nullptr;   // not owned
    TAirState* AirOut = nullptr;  // not owned
    TTubeSideGeometry TubeSide;
    TAirSideGeometry AirSide;
    double VolumeFlow = 0;
    double MassFlow = 0;
    double FaceVelocity = 0;
    double AirCapacityRate = 0;  // kW/K
    double DesignFaceVelocity = 2.5;
    double AspectRatio = 1.4;
    double MaxFinHeight = 9.144;
    double MinFinHeight = 0.0254;
    double MaxFinnedLength = 10.0;
    double MinFinnedLength = 0.1;
    double SizingRows = 4;
    int SizingFins = 10;
    double DutyPerAirflow = 15.8;  // kW per m³/s
    std::uint8_t SurfaceState = ssDry;
    double SurfaceEfficiency = 0;
    double WarmEndSurfaceTemp = 0;
    double ColdEndSurfaceTemp = 0;
    double IceRate = 0;  // m/s
    AirCoefficientFunction AirCoefficientFn = PlateFinCoefficient;
    double DesignAspectDefault = 1.4;
    double DesignRowsDefault = 4;
    int DesignFinsDefault = 10;
    std::string DesignAirOnDefault;
    double DesignVfDefault = 2.5;
    TCopyingPtr<TFinAndTube> FinAndTube;
    double ADP = 0;
    double BypassFactor = 0;
    double AirDPWarning = 250;  // Pa
    TAirSideResult AirSideResult;
    bool AirCooling = false;

protected:
    // The designation step of construction and of SetDesignation, without the virtual wall
    // update (construction finishes it in the liquid coil).
    bool ApplyDesignation(std::string_view text);
    void UpdateWallFromGeometry();
};

}  // namespace qdx
