#pragma once
// The root of the coil model: what every heat exchanger holds — designation, calibration
// factors, the effectiveness–NTU quantities and duties of the last rating, and its status.
// Units: temperatures °C, duties kW, capacity rates kW/K, coefficients kW/(m²·K), areas m²,
// volumes m³, conductivities kW/(m·K).

#include <cstdint>
#include <string>
#include <string_view>

#include "documents/xml_file.hpp"
#include "engine/correlations.hpp"
#include "engine/float_mat.hpp"

namespace qdx {

class TLiquid;
class TReportDocument;
class ValueReader;
class ValueWriter;

// SolveStatus values.
enum TSolveStatus : std::uint8_t {
    ssSolved = 0,
    ssIterating = 1,
    ssNotConverged = 2,
    ssFailed = 5,
};

// What a front end shows for a step simulation whose march did not settle.
inline constexpr const char kStepNotSettledText[] = "The step-by-step simulation did not settle";

// The apparatus dew point of the last solve in this run (°C); a new coil starts from it.
double& LastADP();

class TCustomHeatExchanger {
public:
    explicit TCustomHeatExchanger(std::string_view designation);
    virtual ~TCustomHeatExchanger() = default;

    // "Qt=… Qs=…": both duties with their display units on one line.
    virtual std::string DutySummary();
    virtual std::string GetDesignation() { return Designation; }
    virtual void SetDesignation(std::string_view text) { Designation = std::string(text); }
    // Liquid pressure drop, kPa.
    virtual double FluidPressureDrop() { return 0; }
    // Nominal pipe connection size, mm; -1 when the exchanger has none.
    virtual int PipeConnectionSize() { return -1; }
    virtual void ReadFromStream(ValueReader&) {}
    virtual void WriteToStream(ValueWriter&) {}
    virtual void ReadFromXml(TXMLFile&, XmlNode) {}
    virtual void WriteToXml(TXMLFile&, XmlNode) {}
    // Rates the exchanger; returns SolveStatus.
    virtual std::uint8_t Solve() = 0;
    // Total duty with the liquid at the given inlet and leaving temperatures, 0 unless solved.
    virtual double DutyAtFluidTemperatures(double inletTemp, double leavingTemp) = 0;
    // Marches the exchanger slice by slice into StepResults; returns the summed duty, kW. A
    // march that does not settle leaves StepSettled false and returns NaN.
    virtual double StepSimulation() = 0;

    // Reports, written line by line into a report document with values in the user's units.
    virtual void WritePerformanceReport(TReportDocument& /*doc*/) {}
    // An empty line and the type caption as a heading.
    virtual void WriteSummaryReport(TReportDocument& doc);
    virtual void WriteDiagnostics(TReportDocument& /*doc*/) {}
    // Comma-separated "label,value,unit" lines joined by CR LF, for the clipboard.
    virtual std::string GetResultLines() { return std::string(); }

    std::string Designation;
    double NtuLiquid = 0;  // Ui·Ai / liquid capacity rate
    double NtuAir = 0;     // ho·Ao / air capacity rate
    double NtuRatio = 0;   // NtuAir / NtuLiquid
    double DutyFactor = 1;     // calibration of the effectiveness
    double hoFactor = 1;       // calibration of the outside coefficient
    double hiFactor = 1;       // calibration of the inside coefficient
    double FluidDPFactor = 1;  // calibration of the liquid pressure drop
    double AirDPFactor = 1;    // calibration of the air pressure drop
    double DesignFluidInDefault = 0;  // °C, offered by the design settings
    double FoulingResistance = 0;     // m²·K/kW added to 1/Uo
    double Ntu = 0;
    double Cr = 0;  // capacity rate ratio, air over liquid
    double e = 0;   // effectiveness × DutyFactor
    EffectivenessFunction EffectivenessFn = CounterflowEffectiveness;
    double ho = 0;  // effective outside coefficient
    double hi = 0;  // inside film coefficient × hiFactor
    double Uo = 0;  // overall coefficient referred to Ao
    double Ui = 0;  // inside coefficient including the tube wall
    double Ao = 0;
    double Ai = 0;
    double AoAiRatio = 0;
    double ConductanceRatio = 0;  // (ho·Ao)/(Ui·Ai)
    double Vi = 0;
    double FinArea = 0;
    double WallConductivity = 0.384;
    double WallThickness = 0.003;  // m
    double Qt = 0;    // total duty, kW
    double Qs = 0;    // sensible duty, kW
    double Qmax = 0;  // maximum duty of the last rating pass, kW
    std::uint8_t SolveStatus = ssSolved;
    bool DesignationValid = false;
    TLiquid* Liquid = nullptr;  // not owned
    TFloatMat StepResults;
    // The last StepSimulation settled: its march ends at the liquid inlet temperature, so its
    // rows and duty are a result (otherwise they are only the last march tried).
    bool StepSettled = false;
    std::string TypeCaption = "Heat Exchanger";
    bool UseFouling = true;

protected:
    // A copy keeps pointing at the records the original refers to (air, liquid): it is a saved
    // state to put back, not a second exchanger to rate. Only whole coils are copied.
    TCustomHeatExchanger(const TCustomHeatExchanger&) = default;
    TCustomHeatExchanger& operator=(const TCustomHeatExchanger&) = default;
};

}  // namespace qdx
