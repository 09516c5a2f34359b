#include "fluids/liquid_state.hpp"

#include <stdexcept>

#include "fluids/liquid.hpp"
#include "reports/report_document.hpp"
#include "units/unit_prefs.hpp"
#include "units/errors.hpp"

namespace qdx {

std::string WaterControlCaption(int ctrl) {
    switch (ctrl) {
        case wcTemp: return "Temperature";
        case wcFlow: return "Liquid flow";
        default: return {};
    }
}

TLiquid& TLiquidState::Liquid() const {
    // The coil attaches its coolant right after construction; using the state before that is a
    // programming error, not a data error.
    if (!liquid) throw std::logic_error("Liquid state has no liquid attached");
    return *liquid;
}

double TLiquidState::GetMassFlow() const { return Liquid().m; }

void TLiquidState::SetMassFlow(double massFlow) {
    TLiquid& l = Liquid();
    l.m = massFlow;
    vw = CheckFinite(massFlow / l.ro / area, "Invalid tube velocity");
    cw = massFlow * l.Cp;
}

double TLiquidState::GetVolumeFlow() const {
    const TLiquid& l = Liquid();
    return CheckFinite(l.m * 1000.0 / l.ro, "Invalid volume flow");
}

void TLiquidState::SetVelocity(double v) { SetMassFlow(v * Liquid().ro * area); }

void TLiquidState::SetFlowArea(double a) {
    area = a;
    if (liquid) SetMassFlow(liquid->m);
}

double TLiquidState::GetInletTemp() const { return Liquid().tfi; }

double TLiquidState::GetLeavingTemp() const { return Liquid().tfo; }

void TLiquidState::SetInletTemp(double x) {
    Liquid().SetTfi(x);
    SetMassFlow(liquid->m);
}

void TLiquidState::SetLeavingTemp(double x) {
    Liquid().SetTfo(x);
    SetMassFlow(liquid->m);
}

void TLiquidState::SetDuty(double Q) {
    switch (ctrl) {
        case wcTemp: {
            TLiquid& l = Liquid();
            SetLeavingTemp(l.tfi + designdt);
            // Cp is now that of the new mean temperature.
            SetMassFlow(CheckFinite(Q / (l.Cp * designdt), "Invalid liquid flow"));
            break;
        }
        case wcFlow: {
            TLiquid& l = Liquid();
            SetLeavingTemp(l.tfi + CheckFinite(Q / (l.m * l.Cp), "Invalid liquid temperature rise"));
            designdt = l.tfo - l.tfi;
            break;
        }
        default: break;
    }
}

void TLiquidState::LoadXML(TXMLFile& file, XmlNode parent) {
    XmlNode node = file.FindChild(parent, "liquidstate");
    if (!node) return;
    if (liquid) liquid->LoadXML(file, node);
    designdt = file.ReadFloat(node, "designdt", designdt);
    cw = file.ReadFloat(node, "cw", cw);
    vw = file.ReadFloat(node, "vw", vw);
    vwideal = file.ReadFloat(node, "vwideal", vwideal);
    const int c = file.ReadInt(node, "ctrl", ctrl);
    if (c >= 0 && c <= 255) ctrl = static_cast<std::uint8_t>(c);
}

void TLiquidState::SaveXML(TXMLFile& file, XmlNode parent) {
    XmlNode node = file.FindChild(parent, "liquidstate", -1, true);
    if (liquid) liquid->SaveXML(file, node);
    file.WriteFloat(node, "designdt", true, "%0.3f", designdt);
    file.WriteFloat(node, "cw", true, "%0.6g", cw);
    file.WriteFloat(node, "vw", true, "%0.6g", vw);
    file.WriteFloat(node, "vwideal", true, "%0.3f", vwideal);
    file.WriteInt(node, "ctrl", true, ctrl);
}

// --- report blocks ---

void TLiquidState::WritePerformanceReport(TReportDocument& doc) const {
    const TLiquid& l = Liquid();
    TUnitPrefs& u = UnitPrefs();
    doc.AddLine("");
    doc.AddLine(l.GetCaption(), lsBold);
    doc.AddLine(FormatRecLabelled("Mass Flow\t%s\t%s", u[urLiquidMassFlow], false, l.m));
    doc.AddLine(FormatRecLabelled("Velocity\t%s\t%s", u[urLiquidV], false, vw));
    doc.AddLine(FormatRecLabelled("Inlet Temp.\t%s\t%s", u[urLiquidT], false, l.tfi));
    doc.AddLine(FormatRecLabelled("Leaving Temp.\t%s\t%s", u[urLiquidT], false, l.tfo));
}

void TLiquidState::WriteDiagnostics(TReportDocument& doc) const {
    const TLiquid& l = Liquid();
    TUnitPrefs& u = UnitPrefs();
    doc.AddLine("Liquid Side Duty", lsBold);
    doc.AddLine(FormatRecLabelled("Density = %s %s", u[urLiquidRho], false, l.ro));
    doc.AddLine(FormatRecLabelled("Velocity = %s %s", u[urLiquidV], false, vw));
    doc.AddLine("Qt = mw x Cpw (two - twi)");
    doc.AddLine(
        FormatRecLabelled("   = %s %s", u[urHexDuty], false, (l.tfo - l.tfi) * l.m * l.Cp));
    doc.AddLine("");
}

std::string TLiquidState::GetResultLines() const {
    const TLiquid& l = Liquid();
    TUnitPrefs& u = UnitPrefs();
    std::string text = l.GetCaption();
    text += "\r\n" + FormatRecLabelled("Mass Flow,%s,%s", u[urLiquidMassFlow], false, l.m);
    text += "\r\n" + FormatRecLabelled("Velocity,%s,%s", u[urLiquidV], false, vw);
    text += "\r\n" + FormatRecLabelled("Inlet Temp,%s,%s", u[urLiquidT], false, l.tfi);
    text += "\r\n" + FormatRecLabelled("Leaving Temp,%s,%s", u[urLiquidT], false, l.tfo);
    return text;
}

}  // namespace qdx
