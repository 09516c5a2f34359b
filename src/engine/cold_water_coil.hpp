#pragma once
// The chilled water coil: rating by effectiveness–NTU in counterflow with a dry and a wet pass,
// sizing searches for a design duty, and the step-by-step simulation along the air path.

#include "engine/liquid_coil.hpp"

namespace qdx {

class TColdWaterCoil : public TLiquidCoil {
public:
    // kind 0 is a chilled water coil ("CW"); tube is the maker's catalogue tube number.
    TColdWaterCoil(std::string_view maker, std::string_view designation, int kind = 0,
                   int tube = 4);

    void ReadFromXml(TXMLFile& file, XmlNode parent) override;
    void WriteToXml(TXMLFile& file, XmlNode parent) override;

    // Rates the coil for its entering air, air flow and liquid; returns SolveStatus.
    std::uint8_t Solve() override;
    std::uint8_t DrySolve();
    std::uint8_t WetSolve();
    // True (with no duty and leaving air equal to entering air) when the liquid capacity rate
    // is at most 0.001 kW/K.
    bool ZeroFlowCheck();

    // Flow control, a 6 K rise, and the circuit count that gives the ideal tube velocity.
    void PrepareLiquidForDuty(double duty) override;
    // Sizing for a design duty (kW), with air volume v (m³/s) or, when 0, the design face
    // velocity. Each returns SolveStatus; a duty below 0.01 kW is refused with 5.
    std::uint8_t SizeFaceArea(double v, double duty);
    std::uint8_t SizeFinHeight(double v, double duty);
    std::uint8_t SizeFinnedLength(double v, double duty);
    std::uint8_t SizeRowsAndFins(double v, double duty);
    std::uint8_t SizeRows(double v, double duty);
    std::uint8_t SizeFins(double v, double duty);

    // 100 slices from air inlet to air outlet into StepResults (liquid temperature, air dry
    // bulb, surface temperature, dew point); returns the duty summed over the last march, kW,
    // or NaN (StepSettled false) when no march met the liquid inlet temperature.
    double StepSimulation() override;

    // The full performance report and result lines, ending with the duties.
    void WritePerformanceReport(TReportDocument& doc) override;
    std::string GetResultLines() override;

private:
    // One pass's coefficients, transfer units, bypass factor and effectiveness for the air and
    // liquid capacity rates ca and cl (kW/K), with Cr already set.
    void UpdateTransferUnits(double ca, double cl);
    // The result of a coil with nothing to exchange: no duty, the air leaving as it came, the
    // liquid leaving at its inlet temperature; status 0.
    std::uint8_t ZeroDuty();
    // The bypass factor of a coil that cannot dehumidify, from the dry bulbs and the ADP.
    void DryBypassFactor();
    void ApplyAirFlow(double v);
    bool RefuseDuty(double duty);
    void UpdateDutyPerAirflow();
    // Cuts the circuits to the tube count when they exceed it; true when it did.
    bool CutCircuitsToTubes();
    // SyncGeometry, the air flow, Solve: one trial of a search.
    void RateTrial(double v);
    // The frame of the face, height and length searches: the duty refusal, the air volume,
    // search(face area) with every fault turned into status 5, and the duty per airflow.
    template <typename Search>
    std::uint8_t GuardedSearch(double v, double duty, Search&& search);
    // The damped secant search over face area shared by the face and length sizings; trial
    // rates area x (and may replace it by the area actually used), tells whether a length or
    // height bound cut it, and returns duty − Qt.
    template <typename Trial>
    std::uint8_t SecantOverArea(double a, Trial&& trial);
    std::uint8_t SizeByCandidates(double v, double duty, const double* rows, int rowCount,
                                  const double* fins, int finCount, double firstRows,
                                  double firstFins);
};

}  // namespace qdx
