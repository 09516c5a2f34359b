#pragma once
// The liquid side of a liquid-to-air coil: ties the coil's coolant to the flow cross-section of
// its tube circuits and keeps mass flow, tube velocity, capacity rate, inlet and leaving
// temperatures and the design temperature rise consistent. The control mode decides whether a
// new duty changes the flow or the leaving temperature.
//
// After every operation vw = m / (ro·area) and cw = m·Cp, with the liquid's properties at its
// current mean temperature. Inputs are not checked: a zero area, density, specific heat or
// designdt is a floating-point fault (CalcError), which callers prevent.

#include <cstdint>
#include <string>

#include "documents/xml_file.hpp"

namespace qdx {

class TLiquid;
class TReportDocument;

enum TWaterControl : std::uint8_t {
    wcTemp = 0,  // the temperature rise designdt is held; a new duty changes the flow
    wcFlow = 1,  // the flow is held; a new duty changes the leaving temperature and designdt
};

// "Temperature", "Liquid flow"; empty for another value.
std::string WaterControlCaption(int ctrl);

class TLiquidState {
public:
    TLiquidState() = default;
    explicit TLiquidState(TLiquid* liquid) : liquid(liquid) {}

    // Liquid mass flow, kg/s.
    double GetMassFlow() const;
    void SetMassFlow(double massFlow);
    // Volume flow, litres per second.
    double GetVolumeFlow() const;
    // Sets the mass flow that gives tube velocity v, m/s.
    void SetVelocity(double v);
    // Total inside cross-section of the circuits, m²; the velocity follows when a liquid is
    // attached.
    void SetFlowArea(double a);
    double GetInletTemp() const;
    double GetLeavingTemp() const;
    // The liquid's inlet or leaving temperature; its properties are re-evaluated at the new mean
    // and the velocity and capacity rate follow.
    void SetInletTemp(double x);
    void SetLeavingTemp(double x);
    // Applies a liquid-side duty Q, kW (positive = heat taken up by the liquid).
    void SetDuty(double Q);

    // The element "liquidstate" of parent, holding the liquid's own element.
    void LoadXML(TXMLFile& file, XmlNode parent);
    void SaveXML(TXMLFile& file, XmlNode parent);

    // The liquid blocks of the coil reports, values in the user's units: the performance
    // report's liquid caption, flow, velocity and temperatures; the diagnostics' liquid side
    // duty; and the comma-separated result lines (joined by CR LF, none after the last).
    void WritePerformanceReport(TReportDocument& doc) const;
    void WriteDiagnostics(TReportDocument& doc) const;
    std::string GetResultLines() const;

    double area = 1;         // m²
    TLiquid* liquid = nullptr;  // the coil's coolant; not owned
    double designdt = 6;     // design temperature rise tfo − tfi, K
    double cw = 0;           // capacity rate m·Cp, kW/K
    std::uint8_t ctrl = wcFlow;
    double vw = 0;           // mean tube velocity, m/s
    double vwideal = 1;      // target tube velocity for choosing the circuit count, m/s

private:
    TLiquid& Liquid() const;
};

}  // namespace qdx
