#include "engine/fin_tube_editor.hpp"

#include <algorithm>
#include <cmath>
#include <exception>

#include "engine/cold_water_coil.hpp"
#include "fluids/liquid.hpp"
#include "geometry/materials.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx {

namespace {

// Whole numbers round halves to even, as the program's rounding does everywhere.
double Whole(double v) { return std::nearbyint(v); }

bool IsWhole(double v) { return std::fabs(v - Whole(v)) <= 1e-9 * std::max(1.0, std::fabs(v)); }

// The whole number of steps nearest v, one step further down or up.
double NextStep(double v, double step, bool up) {
    return step * Whole(v / step + (up ? 1 : -1));
}

constexpr const char* kBlack = "black";

struct Hsl {
    double h, s, l;  // hue in degrees, saturation and lightness 0..1
};

Hsl ToHsl(double r, double g, double b) {
    const double hi = std::max({r, g, b});
    const double lo = std::min({r, g, b});
    const double l = (hi + lo) / 2;
    const double c = hi - lo;
    if (c == 0) return {0, 0, l};
    const double s = c / (1 - std::fabs(2 * l - 1));
    double h;
    if (hi == r)
        h = 60 * std::fmod((g - b) / c + 6, 6);
    else if (hi == g)
        h = 60 * ((b - r) / c + 2);
    else
        h = 60 * ((r - g) / c + 4);
    return {h, s, l};
}

void FromHsl(const Hsl& x, double& r, double& g, double& b) {
    const double c = (1 - std::fabs(2 * x.l - 1)) * x.s;
    const double hp = x.h / 60;
    const double y = c * (1 - std::fabs(std::fmod(hp, 2) - 1));
    double r1 = 0, g1 = 0, b1 = 0;
    if (hp < 1) r1 = c, g1 = y;
    else if (hp < 2) r1 = y, g1 = c;
    else if (hp < 3) g1 = c, b1 = y;
    else if (hp < 4) g1 = y, b1 = c;
    else if (hp < 5) r1 = y, b1 = c;
    else r1 = c, b1 = y;
    const double m = x.l - c / 2;
    r = r1 + m;
    g = g1 + m;
    b = b1 + m;
}

int Channel(double v) { return static_cast<int>(std::lround(std::clamp(v, 0.0, 1.0) * 255)); }

// A value with its unit, "2.50 m/s".
std::string WithUnit(TUnitRecId id, double value) {
    return FormatRecValue(UnitPrefs()[id], true, " ", false, value);
}

}  // namespace

std::string WarningColour(double value, double zero, double full) {
    const double f = std::clamp((value - zero) / (full - zero), 0.0, 1.0);
    // Black has no hue or saturation, so the blend runs from (0, 0, 0) to the warning colour.
    const Hsl warn = ToHsl(255 / 255.0, 69 / 255.0, 0 / 255.0);
    double r, g, b;
    FromHsl({warn.h * f, warn.s * f, warn.l * f}, r, g, b);
    return Format("#%.2x%.2x%.2x", Channel(r), Channel(g), Channel(b));
}

TFieldRange TFinTubeEditor::FinHeightRange() const {
    return {Coil->MinFinHeight, Coil->MaxFinHeight};
}

TFieldRange TFinTubeEditor::FinnedLengthRange() const {
    return {Coil->MinFinnedLength, Coil->MaxFinnedLength};
}

void TFinTubeEditor::SaveState() {
    savedRecord_ = Coil->FinAndTube->Record();
    savedAirMassFlow_ = Coil->MassFlow;
    const TLiquid& l = *Coil->LiquidState->liquid;
    savedLiquidMassFlow_ = l.m;
    savedLeavingTemp_ = l.tfo;
    savedDesignDT_ = Coil->LiquidState->designdt;
}

void TFinTubeEditor::RestoreState() {
    Coil->SetModelRecord(savedRecord_);
    // The air volume and tube velocity come back through the flows they were computed from,
    // at the liquid temperatures they were computed at, so both are the same to the last digit.
    Coil->SetMassFlow(savedAirMassFlow_);
    TLiquidState& ls = *Coil->LiquidState;
    ls.designdt = savedDesignDT_;
    ls.SetLeavingTemp(savedLeavingTemp_);
    ls.SetMassFlow(savedLiquidMassFlow_);
}

void TFinTubeEditor::ReapplyAirFlow() {
    TColdWaterCoil& c = *Coil;
    c.SetVolumeFlow(KeepAirFlow ? c.VolumeFlow : c.FaceArea() * c.FaceVelocity);
}

double TFinTubeEditor::FinHeightStep() const { return 2 * Coil->FinAndTube->Sy(); }

bool TFinTubeEditor::SpinFinHeight(double h, bool up) {
    const double next = NextStep(h, FinHeightStep(), up);
    if (!FinHeightRange().Contains(next)) return false;
    ApplyFinHeight(next);
    return true;
}

void TFinTubeEditor::ApplyFinHeight(double h) {
    TColdWaterCoil& c = *Coil;
    c.SetFinHeight(std::max(h, FinHeightStep()));
    ReapplyAirFlow();
    const TFinAndTube& g = *c.FinAndTube;
    const double basis = g.cb() == 1 ? g.Rows() : g.TubesHigh();
    c.SetCircuits(SerpentineValue(g.Serp()) * basis);
}

bool TFinTubeEditor::SpinFinnedLength(double l, bool up) {
    const double next = NextStep(l, 0.1, up);
    if (!FinnedLengthRange().Contains(next)) return false;
    ApplyFinnedLength(next);
    return true;
}

void TFinTubeEditor::ApplyFinnedLength(double l) {
    Coil->SetFinnedLength(l);
    ReapplyAirFlow();
}

bool TFinTubeEditor::SpinRows(double rows, bool up) {
    const bool evenRow = IsWhole(rows) && std::fmod(Whole(rows), 2) == 0;
    const double step = up ? (rows < 6 || !evenRow ? 1 : 2) : (rows < 8 || !evenRow ? 1 : 2);
    const double next = up ? rows + step : rows - step;
    if (!kRows.Contains(next)) return false;
    TColdWaterCoil& c = *Coil;
    c.SetRows(next);
    const double tubes = c.FinAndTube->TubeCount();
    if (tubes / c.Circuits() < 1) c.SetCircuits(tubes);
    return true;
}

void TFinTubeEditor::ApplyRows(double rows) { Coil->SetRows(rows); }

bool TFinTubeEditor::SpinFinDensity(double fpi, bool up) {
    const double next = up ? 2 * std::floor(fpi / 2) + 2 : 2 * std::ceil(fpi / 2) - 2;
    if (!kFinDensity.Contains(next)) return false;
    ApplyFinDensity(next);
    return true;
}

void TFinTubeEditor::ApplyFinDensity(double fpi) { Coil->SetFinsPerInch(fpi); }

bool TFinTubeEditor::SpinFinPitch(double pitch, bool up) {
    double next;
    if (up) {
        if (pitch >= kFinPitch.Max) return false;
        next = std::trunc(pitch + 1);
    } else {
        if (pitch <= kFinPitch.Min + 1) return false;
        next = IsWhole(pitch) ? pitch - 1 : std::trunc(pitch);
    }
    ApplyFinPitch(next);
    return true;
}

void TFinTubeEditor::ApplyFinPitch(double pitch) { Coil->SetFinsPerInch(25.4 / pitch); }

double TFinTubeEditor::FinPitch() const { return 25.4 / Coil->FinsPerInch(); }

bool TFinTubeEditor::SpinCircuits(double c, bool up) {
    const double tubes = Coil->FinAndTube->TubeCount();
    double t = std::trunc(tubes / c);
    if (up) {
        do {
            t -= 1;
        } while (t > 1 && !IsWhole(tubes / t));
        t = std::max(t, 1.0);
    } else {
        do {
            t += 1;
            if (t > tubes) return false;
        } while (!IsWhole(tubes / t));
    }
    const double q = tubes / t;
    ApplyCircuits(IsWhole(q) ? Whole(q) : q);
    return true;
}

void TFinTubeEditor::ApplyCircuits(double c) { Coil->SetCircuits(c); }

void TFinTubeEditor::SetFinMaterial(int index) { Coil->SetFinMaterial(index); }

void TFinTubeEditor::SetTubeMaterial(int index) { Coil->SetTubeMaterial(index); }

void TFinTubeEditor::SetCasingMaterial(int index) { Coil->FinAndTube->SetCasingMaterial(index); }

void TFinTubeEditor::ApplyMakerRecord(const TModelRec& rec) {
    TColdWaterCoil& c = *Coil;
    c.SetModelRecord(rec);
    const double step = FinHeightStep();
    c.SetFinHeight(step * std::max(1.0, Whole(c.FinHeight() / step)));
}

std::uint8_t TFinTubeEditor::AutoSize(TSizingKind kind, double duty) {
    TColdWaterCoil& c = *Coil;
    const double v = KeepAirFlow ? c.VolumeFlow : 0;
    try {
        switch (kind) {
            case skFaceArea: return c.SizeFaceArea(v, duty);
            case skFinHeight: return c.SizeFinHeight(v, duty);
            case skFinnedLength: return c.SizeFinnedLength(v, duty);
            case skRows: return c.SizeRows(v, duty);
            case skFins: return c.SizeFins(v, duty);
            case skRowsAndFins: return c.SizeRowsAndFins(v, duty);
        }
    } catch (const std::exception&) {
    }
    c.SolveStatus = ssFailed;
    return ssFailed;
}

std::string TFinTubeEditor::Caption() const {
    const TFinAndTube& g = *Coil->FinAndTube;
    const std::string makerText = g.MakerDesignation();
    if (!makerText.empty()) return g.Record().Mnf + ": " + makerText;
    return g.Designation();
}

std::vector<std::string> TFinTubeEditor::SummaryLines() {
    TColdWaterCoil& c = *Coil;
    TUnitPrefs& u = UnitPrefs();
    std::vector<std::string> lines = {
        "<html>", "<head>", "<style>", "body {font-family:arial;margin:0;padding:0}",
        "ul {font-size:8pt;list-style-type:circle;margin-top:5px}", "</style>", "</head>",
        "<body>", "<ul>"};
    try {
        c.Solve();
        TFinAndTube& g = *c.FinAndTube;
        const double tubes = g.TubeCount();
        const double perCircuit = std::trunc(CheckFinite(tubes / g.Circuits()));
        const double unlinked = tubes - perCircuit * g.Circuits();
        lines.push_back(FormatRecLabelled("<li>Face Area = %s %s</li>", u[urHexArea], false,
                                          c.FaceArea()));
        lines.push_back(
            Format("<li>L/H = %0.3f</li>", CheckFinite(c.FinnedLength() / c.FinHeight())));
        lines.push_back(FormatRecLabelled("<li>Ao = %s %s</li>", u[urHexArea], false, g.Ao()));
        lines.push_back(FormatRecLabelled("<li>Dry Weight = %s %s</li>", u[urHexMass], false,
                                          g.DryWeight()));
        lines.push_back(Format("<li>%d tubes high</li>", g.TubesHigh()));
        lines.push_back(Format("<li>%0.0f tubes per circuit</li>", perCircuit));
        lines.push_back(Format("<li style=\"color:%s\">%0.0f unlinked tubes</li>",
                               unlinked > 1 ? "#ff4500" : kBlack, unlinked));
        lines.push_back(Format("<li style=\"color:%s\">%s side conns.</li>",
                               g.OppositeEnds() ? "#cd5c5c" : kBlack, g.ConnectionText()));
        lines.push_back(Format("<li style=\"color:%s\">Air Vf = %s</li>",
                               WarningColour(c.FaceVelocity, 2.4, 3.1),
                               WithUnit(urAirV, c.FaceVelocity)));
        const double airDp = c.AirPressureDrop();
        lines.push_back(Format("<li style=\"color:%s\">Air dP = %s</li>",
                               WarningColour(airDp, 0, c.AirDPWarning), WithUnit(urAirDp, airDp)));
        lines.push_back(Format("<li>Vw = %s</li>", WithUnit(urLiquidV, c.LiquidState->vw)));
        const double liquidDp = c.FluidPressureDrop();
        lines.push_back(Format("<li style=\"color:%s\">%s dP = %s</li>",
                               WarningColour(liquidDp, 0, 70), c.Liquid->Caption,
                               WithUnit(urLiquidDp, liquidDp)));
        if (c.SolveStatus == ssSolved)
            lines.push_back(Format("<li style=\"color:%s\">Total Duty = %s</li>",
                                   WarningColour(c.e, 1, 0), WithUnit(urHexDuty, c.Qt)));
        const double shr = CheckFinite(c.Qs / c.Qt);
        if (shr < 0.999) {
            const std::string colour = WarningColour(c.BypassFactor, 0, 1);
            lines.push_back(Format("<li style=\"color:%s\">Sensible Duty = %s</li>", colour,
                                   WithUnit(urHexDuty, c.Qs)));
            lines.push_back(Format("<li style=\"color:%s\">SHR = %0.3f</li>", colour, shr));
        } else {
            lines.push_back("<li>dry coil surface...</li>");
        }
    } catch (const std::exception&) {
        return {"coil not solved..."};
    }
    lines.insert(lines.end(), {"</ul>", "</body>", "</html>"});
    return lines;
}

}  // namespace qdx
