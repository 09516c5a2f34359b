// The coil's own descriptions of itself: the performance report, the diagnostics and the
// clipboard result lines. Each class adds its block to what its ancestor writes; every value
// goes through its unit record so that the user's current unit choice shows.

#include <algorithm>
#include <cmath>
#include <iterator>
#include <string>

#include "engine/cold_water_coil.hpp"
#include "fluids/liquid.hpp"
#include "fluids/psychrometrics.hpp"
#include "reports/report_document.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx {

namespace {

constexpr const char* kCrLf = "\r\n";

// Equal within a relative 1e-12: a dry coil's sensible and total duty come from the same sum.
bool SameDuty(double a, double b) {
    return std::fabs(a - b) <= 1e-12 * std::max(std::fabs(a), std::fabs(b));
}

std::string SolveStatusName(int status) {
    static const char* const kNames[] = {"None",    "Iterating", "CountOut",
                                         "Aborted", "TimeOut",   "DataError"};
    if (status >= 0 && status < static_cast<int>(std::size(kNames))) return kNames[status];
    return Format("%d", status);
}

// "label<TAB>value<TAB>symbol" for a value appended to a literal label.
std::string ValueLine(std::string_view label, UnitRec& rec, double value) {
    return std::string(label) + FormatRecValue(rec, true, "\t", false, value);
}

// "label,value,symbol" for the result lines.
std::string ResultValue(std::string_view label, UnitRec& rec, double value) {
    return std::string(label) + FormatRecValue(rec, true, ",", false, value);
}

// The model heading lines shared by the performance report and the diagnostics.
void WriteModelLines(TCoil& coil, TReportDocument& doc) {
    const TModelRec& rec = coil.FinAndTube->Record();
    doc.AddLine("Model", lsBold);
    doc.AddLine(rec.Mnf + " (" + rec.Model + ")");
    doc.AddLine(coil.GetDesignation());
    const std::string makerDesignation = coil.FinAndTube->MakerDesignation();
    if (!makerDesignation.empty()) doc.AddLine(makerDesignation);
    doc.AddLine("");
}

}  // namespace

// --- TCustomHeatExchanger ---

std::string TCustomHeatExchanger::DutySummary() {
    UnitRec& duty = UnitPrefs()[urHexDuty];
    return FormatRecLabelled("Qt=%s%s", duty, false, Qt) + " " +
           FormatRecLabelled("Qs=%s%s", duty, false, Qs);
}

void TCustomHeatExchanger::WriteSummaryReport(TReportDocument& doc) {
    doc.AddLine("");
    doc.AddLine(TypeCaption, lsBold);
}

// --- TCoil ---

void TCoil::WritePerformanceReport(TReportDocument& doc) {
    TUnitPrefs& u = UnitPrefs();
    WriteModelLines(*this, doc);
    doc.AddLine("Air", lsBold);
    doc.AddLine(FormatRecLabelled("Barometer\t%s\t%s", u[urPlaceBaromPressure], false, AirIn->pa));
    doc.AddLine(
        FormatRecLabelled("Altitude\t%s\t%s", u[urPlaceAltitude], false, Altitude(AirIn->pa)));
    doc.AddLine(FormatRecLabelled("Airflow\t%s\t%s", u[urAirVolFlow], false, VolumeFlow));
    doc.AddLine(FormatRecLabelled("Velocity\t%s\t%s", u[urAirV], false, FaceVelocity));
    doc.AddLine(FormatRecPairLabelled("On Coil\t%s\t%s", u[urAirT], false, AirIn->db, AirIn->wb));
    doc.AddLine(
        FormatRecPairLabelled("Off Coil\t%s\t%s", u[urAirT], false, AirOut->db, AirOut->wb));
    // The condensate rate also brings IceRate up to date, so it is written first.
    doc.AddLine(
        FormatRecLabelled("Cond Rate\t%s\t%s", u[urGeneralCondRate], true, CondensateRate()));
    if (IceRate > 0)
        doc.AddLine(FormatRecLabelled("Ice Rate\t%s\t%s", u[urGeneralIceRate], false, IceRate));
    doc.AddLine(FormatRecLabelled("Pressure drop\t%s\t%s", u[urAirDp], false, AirPressureDrop()));
}

void TCoil::WriteDiagnostics(TReportDocument& doc) {
    TUnitPrefs& u = UnitPrefs();
    doc.AddLine(TypeCaption + " Diagnostics", lsBold);
    doc.AddLine("");
    WriteModelLines(*this, doc);

    doc.AddLine("Areas and Volumes", lsBold);
    doc.AddLine(FormatRecLabelled("Ao = %s %s", u[urHexArea], false, Ao));
    doc.AddLine("Ao' = " + Format("%0.3f", Ao / (FaceArea() * Rows())) + " Ao/Af-rows");
    doc.AddLine(FormatRecLabelled("Ai = %s %s", u[urHexArea], false, Ai));
    doc.AddLine(FormatRecLabelled("Vi = %s %s", u[urHexVol], false, Vi));
    doc.AddLine("");

    doc.AddLine("Pipe Connections", lsBold);
    doc.AddLine(FormatRecLabelled("Size = %s %s", u[urHexPipeConn], false, PipeConnectionSize()));
    doc.AddLine("");

    if (SolveStatus != ssSolved) {
        doc.AddLine("NOT SOLVED", lsBold);
        doc.AddLine("");
    }

    doc.AddLine("Heat Transfer", lsBold);
    doc.AddLine(FormatRecLabelled("ho = %s %s", u[urHexUValue], false, ho * 1000));
    doc.AddLine(FormatRecLabelled("Ui = %s %s", u[urHexUValue], false, Ui * 1000));
    doc.AddLine(FormatRecLabelled("Uo = %s %s", u[urHexUValue], false, Uo * 1000));
    doc.AddLine(Format("Ntu = %0.3f", Ntu));
    doc.AddLine(Format("Cr = %0.3f", Cr));
    doc.AddLine("Qt = e x Qmax");
    doc.AddLine(FormatRecLabelled("   = %s %s", u[urHexDuty], false, e * Qmax));
    doc.AddLine("");

    doc.AddLine("Air Side Duty", lsBold);
    doc.AddLine("Qt = ma (hao - hai)");
    doc.AddLine(
        FormatRecLabelled("   = %s %s", u[urHexDuty], false, (AirOut->ha - AirIn->ha) * MassFlow));
    doc.AddLine("Qs = ma x Cpa (dbo - dbi)");
    doc.AddLine(FormatRecLabelled("   = %s %s", u[urHexDuty], false,
                                  MassFlow * AirIn->cp * (AirOut->db - AirIn->db)));
    doc.AddLine(FormatRecLabelled("Rate = %s %s", u[urHexDutyPerVolflow], false,
                                  std::fabs(Qt) / VolumeFlow));
    doc.AddLine("");

    doc.AddLine("Psychrometrics", lsBold);
    doc.AddLine(Format("Bypass factor = %0.3f", BypassFactor));
    doc.AddLine(FormatRecLabelled("Apparatus Dew Point = %s %s", u[urAirT], false, ADP));
    doc.AddLine("");
}

std::string TCoil::GetResultLines() {
    TUnitPrefs& u = UnitPrefs();
    const TModelRec& rec = FinAndTube->Record();
    std::string text = "Make," + rec.Mnf;
    text += kCrLf + ("Tube," + rec.Model);
    text += kCrLf + ("Model," + GetDesignation());
    text += kCrLf + ResultValue("Barometer,", u[urPlaceBaromPressure], AirIn->pa);
    text += kCrLf + ResultValue("Altitude,", u[urPlaceAltitude], Altitude(AirIn->pa));
    text += kCrLf + ResultValue("Airflow,", u[urAirVolFlow], VolumeFlow);
    text += kCrLf + ResultValue("Velocity,", u[urAirV], FaceVelocity);
    text += kCrLf + ("On Coil," + FormatRecPair(u[urAirT], true, ",", false, AirIn->db, AirIn->wb));
    text +=
        kCrLf + ("Off Coil," + FormatRecPair(u[urAirT], true, ",", false, AirOut->db, AirOut->wb));
    text += kCrLf + ResultValue("Pressure drop,", u[urAirDp], AirPressureDrop());
    return text;
}

// --- TLiquidCoil ---

void TLiquidCoil::WritePerformanceReport(TReportDocument& doc) {
    TCoil::WritePerformanceReport(doc);
    LiquidState->WritePerformanceReport(doc);
    TUnitPrefs& u = UnitPrefs();
    doc.AddLine(ValueLine("Pressure Drop\t", u[urLiquidDp], FluidPressureDrop()));
    doc.AddLine(ValueLine("Pipe Conn\t", u[urHexPipeConn], PipeConnectionSize()));
}

void TLiquidCoil::WriteDiagnostics(TReportDocument& doc) {
    TCoil::WriteDiagnostics(doc);
    LiquidState->WriteDiagnostics(doc);
}

std::string TLiquidCoil::GetResultLines() {
    std::string text = TCoil::GetResultLines();
    text += kCrLf + LiquidState->GetResultLines();
    text += kCrLf + ResultValue("LiquidDP,", UnitPrefs()[urLiquidDp], FluidPressureDrop());
    return text;
}

// --- TColdWaterCoil ---

void TColdWaterCoil::WritePerformanceReport(TReportDocument& doc) {
    doc.AddLine("");
    doc.AddLine("Chilled Water Coil", lsBold);
    doc.AddLine("");
    TLiquidCoil::WritePerformanceReport(doc);
    doc.AddLine("");
    doc.AddLine(Format("Performance (%s surface)", SurfaceStateCaption(SurfaceState)), lsBold);
    UnitRec& duty = UnitPrefs()[urHexDuty];
    doc.AddLine(ValueLine("Sensible Duty\t", duty, Qs));
    doc.AddLine(ValueLine("Total Duty\t", duty, Qt));
    if (!SameDuty(Qt, Qs)) {
        // A zero total duty gives the largest ratio the report can show, with the sign of Qs.
        const double shr = Qt != 0 ? Qs / Qt : std::copysign(1.7e308, Qs);
        doc.AddLine(Format("SHR\t%0.3f", shr));
    }
    if (SolveStatus != ssSolved) doc.AddLine("Solve Status\t" + SolveStatusName(SolveStatus));
}

std::string TColdWaterCoil::GetResultLines() {
    UnitRec& duty = UnitPrefs()[urHexDuty];
    std::string text = TLiquidCoil::GetResultLines();
    text += kCrLf + ResultValue("Sensible Duty,", duty, Qs);
    text += kCrLf + ResultValue("Total Duty,", duty, Qt);
    return text;
}

}  // namespace qdx
