// The coil's performance report, diagnostics and result lines, line by line. Expected numbers
// are the coil's own fields converted with the unit table's factors and formatted by the
// automatic-format rule (decimals by magnitude), written out here independently of the
// unit records the reports go through.

#include <algorithm>
#include <cmath>
#include <string>
#include <vector>

#include "engine_fixture.hpp"
#include "fluids/psychrometrics.hpp"
#include "reports/report_document.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::test {
namespace {

struct Line {
    TLineStyle style;
    std::string text;
};
constexpr TLineStyle B = lsBold;
constexpr TLineStyle P = lsPlain;

void ExpectLines(const TRecordingReport& doc, const std::vector<Line>& expected) {
    ASSERT_EQ(doc.Lines.size(), expected.size()) << ::testing::PrintToString(doc.Texts());
    for (size_t i = 0; i < expected.size(); ++i) {
        SCOPED_TRACE("line " + std::to_string(i + 1));
        EXPECT_EQ(doc.Lines[i].Text, expected[i].text);
        EXPECT_EQ(doc.Lines[i].Style, expected[i].style);
        EXPECT_EQ(doc.Lines[i].Size, 8);
        EXPECT_EQ(doc.Lines[i].Color, clWindowText);
    }
}

void ExpectResultLines(const std::string& text, const std::vector<std::string>& expected) {
    std::string joined;
    for (size_t i = 0; i < expected.size(); ++i) joined += (i ? "\r\n" : "") + expected[i];
    EXPECT_EQ(text, joined);
}

// The automatic format: decimals by the size of the display value, "g" for the very small.
std::string Auto(double v, int extra = 0) {
    double a = std::fabs(v);
    if (a < 1e-9) a = 0;
    const double t = std::trunc(std::fabs(v));
    int d;
    if (t >= 100 || a == 0)
        d = 0;
    else if (t >= 10)
        d = 1;
    else if (t >= 1)
        d = 2;
    else if (a > 0.1)
        d = 3;
    else if (a > 0.01)
        d = 4;
    else if (a > 0.001)
        d = 5;
    else
        d = 3;
    const bool general = a != 0 && (t >= 1e9 || a <= 0.001);
    return Format("%0." + std::to_string(extra + d) + (general ? "g" : "f"), v);
}

// Display unit of one quantity: display = stored × factor + offset.
struct Unit {
    double factor;
    double offset;
    std::string symbol;
};

struct UnitSet {
    Unit baro, alt, airflow, airv, t, condRate, iceRate, airdp, liqMass, liqV, liqDp, pipe, duty,
        area, vol, uvalue, dutyPerVol, rho;
    int condDecimals;  // the condensate rate keeps its unit's own format
};

// The registered defaults of a first run.
const UnitSet kMetric{
    {1, 0, "kPa"},
    {1, 0, "m"},
    {1, 0, "m³/s"},
    {1, 0, "m/s"},
    {1, 0, "°C"},
    {1 / 0.001, 0, "g/s"},
    {1, 0, "m/s"},
    {1, 0, "Pa"},
    {1, 0, "kg/s"},
    {1, 0, "m/s"},
    {1, 0, "kPa"},
    {1, 0, "mm"},
    {1, 0, "kW"},
    {1, 0, "m²"},
    {1000, 0, "litre"},
    {1, 0, "W/m²°C"},
    {1, 0, "kW/cms"},
    {1, 0, "kg/m³"},
    1,
};

// The Imperial default of every category; stored units as registered (air pressure drop in
// Pa, condensate in kg/s, pipe sizes in mm).
const UnitSet kImperial{
    {0.295, 0, "InchHg"},
    {3.280839895, 0, "ft"},
    {2118.880003, 0, "cfm"},
    {196.8503937, 0, "fpm"},
    {1.8, 32, "°F"},
    {7.936641439 / 0.001, 0, "lb/hr"},
    {196.8503937, 0, "fpm"},
    {4.01463076 / 1000, 0, "InchWg"},
    {2.204622622, 0, "lb/s"},
    {196.8503937, 0, "fpm"},
    {0.1450376808, 0, "Psi"},
    {39.37007874 / 1000, 0, "inch"},
    {3412.141156, 0, "Btu/hr"},
    {10.76391042, 0, "ft²"},
    {35.32, 0, "ft³"},
    {0.1761183515, 0, "Btu/hr·ft²°F"},
    {0.02683918824, 0, "Btu/ft³"},
    {0.06242796058, 0, "lb/ft³"},
    3,
};

std::string Num(const Unit& u, double v, int extra = 0) {
    return Auto(v * u.factor + u.offset, extra);
}
// Number, tab, symbol.
std::string Col(const Unit& u, double v, int extra = 0) {
    return Num(u, v, extra) + "\t" + u.symbol;
}
// Number, blank, symbol.
std::string Sp(const Unit& u, double v) { return Num(u, v) + " " + u.symbol; }
// Number, comma, symbol.
std::string Csv(const Unit& u, double v, int extra = 0) {
    return Num(u, v, extra) + "," + u.symbol;
}
// "db/wb", the format chosen from the dry bulb.
std::string Bulbs(const Unit& u, double db, double wb) {
    const double d = db * u.factor + u.offset;
    const double w = wb * u.factor + u.offset;
    const std::string f = Auto(d);
    const size_t point = f.find('.');
    const int decimals = point == std::string::npos ? 0 : static_cast<int>(f.size() - point - 1);
    return FormatFixed(d, decimals) + "/" + FormatFixed(w, decimals);
}

double CondensateKgPerS(const TColdWaterCoil& c) {
    return (c.AirIn->wa - c.AirOut->wa) * c.MassFlow;
}

std::vector<Line> ExpectedPerformance(TColdWaterCoil& c, const UnitSet& u, const char* surface) {
    const TLiquid& l = *c.Liquid;
    std::vector<Line> lines = {
        {P, ""},
        {B, "Chilled Water Coil"},
        {P, ""},
        {B, "Model"},
        {P, "Typical (1/2 inch)"},
        {P, "635 x 720  4r  12f  7c"},
        {P, ""},
        {B, "Air"},
        {P, "Barometer\t" + Col(u.baro, c.AirIn->pa, 3)},
        {P, "Altitude\t" + Col(u.alt, Altitude(c.AirIn->pa))},
        {P, "Airflow\t" + Col(u.airflow, c.VolumeFlow)},
        {P, "Velocity\t" + Col(u.airv, c.FaceVelocity)},
        {P, "On Coil\t" + Bulbs(u.t, c.AirIn->db, c.AirIn->wb) + "\t" + u.t.symbol},
        {P, "Off Coil\t" + Bulbs(u.t, c.AirOut->db, c.AirOut->wb) + "\t" + u.t.symbol},
        {P, "Cond Rate\t" +
                FormatFixed(CondensateKgPerS(c) * u.condRate.factor, u.condDecimals) + "\t" +
                u.condRate.symbol},
        {P, "Pressure drop\t" + Col(u.airdp, c.AirPressureDrop())},
        {P, ""},
        {B, "Clean Water"},
        {P, "Mass Flow\t" + Col(u.liqMass, l.m)},
        {P, "Velocity\t" + Col(u.liqV, c.LiquidState->vw)},
        {P, "Inlet Temp.\t" + Col(u.t, l.tfi)},
        {P, "Leaving Temp.\t" + Col(u.t, l.tfo)},
        {P, "Pressure Drop\t" + Col(u.liqDp, c.FluidPressureDrop())},
        {P, "Pipe Conn\t" + Col(u.pipe, c.PipeConnectionSize())},
        {P, ""},
        {B, std::string("Performance (") + surface + " surface)"},
        {P, "Sensible Duty\t" + Col(u.duty, c.Qs)},
        {P, "Total Duty\t" + Col(u.duty, c.Qt)},
        {P, "SHR\t" + FormatFixed(c.Qs / c.Qt, 3)},
    };
    return lines;
}

std::vector<Line> ExpectedDiagnostics(TColdWaterCoil& c, const UnitSet& u) {
    const TLiquid& l = *c.Liquid;
    return {
        {B, "Cold Water Coil Diagnostics"},
        {P, ""},
        {B, "Model"},
        {P, "Typical (1/2 inch)"},
        {P, "635 x 720  4r  12f  7c"},
        {P, ""},
        {B, "Areas and Volumes"},
        {P, "Ao = " + Sp(u.area, c.Ao)},
        {P, "Ao' = " + FormatFixed(c.Ao / (c.FaceArea() * c.Rows()), 3) + " Ao/Af-rows"},
        {P, "Ai = " + Sp(u.area, c.Ai)},
        {P, "Vi = " + Sp(u.vol, c.Vi)},
        {P, ""},
        {B, "Pipe Connections"},
        {P, "Size = " + Sp(u.pipe, c.PipeConnectionSize())},
        {P, ""},
        {B, "Heat Transfer"},
        {P, "ho = " + Sp(u.uvalue, c.ho * 1000)},
        {P, "Ui = " + Sp(u.uvalue, c.Ui * 1000)},
        {P, "Uo = " + Sp(u.uvalue, c.Uo * 1000)},
        {P, "Ntu = " + FormatFixed(c.Ntu, 3)},
        {P, "Cr = " + FormatFixed(c.Cr, 3)},
        {P, "Qt = e x Qmax"},
        {P, "   = " + Sp(u.duty, c.e * c.Qmax)},
        {P, ""},
        {B, "Air Side Duty"},
        {P, "Qt = ma (hao - hai)"},
        {P, "   = " + Sp(u.duty, (c.AirOut->ha - c.AirIn->ha) * c.MassFlow)},
        {P, "Qs = ma x Cpa (dbo - dbi)"},
        {P, "   = " + Sp(u.duty, c.MassFlow * c.AirIn->cp * (c.AirOut->db - c.AirIn->db))},
        {P, "Rate = " + Sp(u.dutyPerVol, std::fabs(c.Qt) / c.VolumeFlow)},
        {P, ""},
        {B, "Psychrometrics"},
        {P, "Bypass factor = " + FormatFixed(c.BypassFactor, 3)},
        {P, "Apparatus Dew Point = " + Sp(u.t, c.ADP)},
        {P, ""},
        {B, "Liquid Side Duty"},
        {P, "Density = " + Sp(u.rho, l.ro)},
        {P, "Velocity = " + Sp(u.liqV, c.LiquidState->vw)},
        {P, "Qt = mw x Cpw (two - twi)"},
        {P, "   = " + Sp(u.duty, (l.tfo - l.tfi) * l.m * l.Cp)},
        {P, ""},
    };
}

std::vector<std::string> ExpectedResults(TColdWaterCoil& c, const UnitSet& u) {
    const TLiquid& l = *c.Liquid;
    return {
        "Make,Typical",
        "Tube,1/2 inch",
        "Model,635 x 720  4r  12f  7c",
        "Barometer," + Csv(u.baro, c.AirIn->pa, 3),
        "Altitude," + Csv(u.alt, Altitude(c.AirIn->pa)),
        "Airflow," + Csv(u.airflow, c.VolumeFlow),
        "Velocity," + Csv(u.airv, c.FaceVelocity),
        "On Coil," + Bulbs(u.t, c.AirIn->db, c.AirIn->wb) + "," + u.t.symbol,
        "Off Coil," + Bulbs(u.t, c.AirOut->db, c.AirOut->wb) + "," + u.t.symbol,
        "Pressure drop," + Csv(u.airdp, c.AirPressureDrop()),
        "Clean Water",
        "Mass Flow," + Csv(u.liqMass, l.m),
        "Velocity," + Csv(u.liqV, c.LiquidState->vw),
        "Inlet Temp," + Csv(u.t, l.tfi),
        "Leaving Temp," + Csv(u.t, l.tfo),
        "LiquidDP," + Csv(u.liqDp, c.FluidPressureDrop()),
        "Sensible Duty," + Csv(u.duty, c.Qs),
        "Total Duty," + Csv(u.duty, c.Qt),
    };
}

class CoilReportsTest : public CoilProjectTest {
protected:
    void SetUp() override {
        UnitPrefs().Reset();
        CoilProjectTest::SetUp();
    }
    void TearDown() override {
        UnitPrefs().Reset();
        CoilProjectTest::TearDown();
    }
};

TEST_F(CoilReportsTest, DefaultCoilInMetricUnits) {
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    ASSERT_EQ(c.SurfaceState, ssPartWet);
    ASSERT_GT(c.ADP, 0);  // no ice
    ASSERT_LT(c.Qs, c.Qt);

    TRecordingReport performance;
    c.WritePerformanceReport(performance);
    ExpectLines(performance, ExpectedPerformance(c, kMetric, "Part-Wet"));
    // Spot checks of the values the first run fixes exactly.
    const auto texts = performance.Texts();
    EXPECT_EQ(texts[8], "Barometer\t101.325\tkPa");
    EXPECT_EQ(texts[11], "Velocity\t2.50\tm/s");
    EXPECT_EQ(texts[12], "On Coil\t25.0/17.0\t°C");
    EXPECT_EQ(texts[20], "Inlet Temp.\t6.00\t°C");

    TRecordingReport diagnostics;
    c.WriteDiagnostics(diagnostics);
    ExpectLines(diagnostics, ExpectedDiagnostics(c, kMetric));

    ExpectResultLines(c.GetResultLines(), ExpectedResults(c, kMetric));
    EXPECT_EQ(c.DutySummary(), "Qt=" + Num(kMetric.duty, c.Qt) + "kW Qs=" +
                                   Num(kMetric.duty, c.Qs) + "kW");
}

TEST_F(CoilReportsTest, WetCoilInImperialUnits) {
    project.SetOnCoil("27/22");
    SetImperialUnits();
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    ASSERT_EQ(c.SurfaceState, ssWet);
    ASSERT_GT(c.ADP, 0);
    ASSERT_LT(c.Qs, c.Qt);

    TRecordingReport performance;
    c.WritePerformanceReport(performance);
    ExpectLines(performance, ExpectedPerformance(c, kImperial, "Wet"));
    const auto texts = performance.Texts();
    EXPECT_EQ(texts[12], "On Coil\t80.6/71.6\t°F");
    EXPECT_EQ(texts[13].rfind("Off Coil\t", 0), 0u);
    EXPECT_NE(texts[13].find("\t°F"), std::string::npos);

    TRecordingReport diagnostics;
    c.WriteDiagnostics(diagnostics);
    ExpectLines(diagnostics, ExpectedDiagnostics(c, kImperial));

    const std::string results = c.GetResultLines();
    ExpectResultLines(results, ExpectedResults(c, kImperial));
    EXPECT_NE(results.find("\r\nOn Coil,80.6/71.6,°F\r\n"), std::string::npos);
    EXPECT_EQ(results.substr(results.size() - 7), ",Btu/hr");
}

// Lines that appear only for some coil states: the sensible heat ratio, the ice rate, the
// solve status and the "NOT SOLVED" mark. The reports print whatever the coil holds, so the
// states are set on a solved coil directly.
TEST_F(CoilReportsTest, ConditionalLines) {
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    auto performance = [&] {
        TRecordingReport doc;
        c.WritePerformanceReport(doc);
        return doc.Texts();
    };
    auto diagnostics = [&] {
        TRecordingReport doc;
        c.WriteDiagnostics(doc);
        return doc.Texts();
    };
    auto contains = [](const std::vector<std::string>& texts, const std::string& prefix) {
        for (const auto& t : texts)
            if (t.rfind(prefix, 0) == 0) return true;
        return false;
    };

    // A solved coil: no status line, no NOT SOLVED; the report ends with the SHR.
    EXPECT_FALSE(contains(performance(), "Solve Status"));
    EXPECT_FALSE(contains(diagnostics(), "NOT SOLVED"));
    EXPECT_EQ(performance().back().rfind("SHR\t", 0), 0u);

    // Equal duties (a dry coil) have no SHR; a status other than 0 is named at the end.
    const double qt = c.Qt;
    c.Qs = qt;
    c.SolveStatus = ssNotConverged;
    auto texts = performance();
    EXPECT_FALSE(contains(texts, "SHR"));
    EXPECT_EQ(texts.back(), "Solve Status\tCountOut");
    c.SolveStatus = ssFailed;
    EXPECT_EQ(performance().back(), "Solve Status\tDataError");

    // Not solved: the diagnostics mark it after the pipe connection block.
    auto diag = diagnostics();
    const auto mark = std::find(diag.begin(), diag.end(), "NOT SOLVED");
    ASSERT_NE(mark, diag.end());
    EXPECT_EQ(mark[-1], "");
    EXPECT_EQ(mark[-2].rfind("Size = ", 0), 0u);
    EXPECT_EQ(mark[1], "");
    EXPECT_EQ(mark[2], "Heat Transfer");
    c.SolveStatus = ssSolved;

    // No total duty: the ratio is the largest number the report shows, with the sign of Qs.
    c.Qt = 0;
    c.Qs = -5;
    texts = performance();
    EXPECT_EQ(texts.back().rfind("SHR\t-1", 0), 0u);
    EXPECT_EQ(texts.back().size(), std::string("SHR\t-").size() + 309 + 4);

    // An apparatus dew point below freezing: the ice rate follows the condensate rate.
    c.Qt = qt;
    c.ADP = -2;
    texts = performance();
    const auto cond = std::find_if(texts.begin(), texts.end(), [](const std::string& t) {
        return t.rfind("Cond Rate", 0) == 0;
    });
    ASSERT_NE(cond, texts.end());
    const double iceRate = CondensateKgPerS(c) / 920 / c.Ao;
    ASSERT_GT(iceRate, 0);
    EXPECT_EQ(cond[1], "Ice Rate\t" + Col(kMetric.iceRate, iceRate));
    EXPECT_EQ(cond[2].rfind("Pressure drop\t", 0), 0u);
}

// A maker with a designation of its own shows it under the designation in both reports.
TEST_F(CoilReportsTest, MakerDesignationLines) {
    coil().SetMakerModel("GEA", "");
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    const std::string makerDesignation = c.FinAndTube->MakerDesignation();
    ASSERT_FALSE(makerDesignation.empty());
    const std::string designation = c.GetDesignation();

    TRecordingReport performance;
    c.WritePerformanceReport(performance);
    auto texts = performance.Texts();
    ASSERT_GT(texts.size(), 8u);
    EXPECT_EQ(texts[4].rfind("GEA (", 0), 0u);
    EXPECT_EQ(texts[5], designation);
    EXPECT_EQ(texts[6], makerDesignation);
    EXPECT_EQ(texts[7], "");
    EXPECT_EQ(texts[8], "Air");

    TRecordingReport diagnostics;
    c.WriteDiagnostics(diagnostics);
    texts = diagnostics.Texts();
    ASSERT_GT(texts.size(), 6u);
    EXPECT_EQ(texts[3].rfind("GEA (", 0), 0u);
    EXPECT_EQ(texts[4], designation);
    EXPECT_EQ(texts[5], makerDesignation);
    EXPECT_EQ(texts[6], "");
    EXPECT_EQ(c.GetResultLines().rfind("Make,GEA\r\n", 0), 0u);
}

// A unit changed between two reports shows in the next one without any other step.
TEST_F(CoilReportsTest, UnitChoiceShowsInTheNextReport) {
    ASSERT_TRUE(project.SolveCoil());
    auto& c = coil();
    UnitPrefs()[urAirT].UnitsValue = 1;  // °F
    const std::string results = c.GetResultLines();
    EXPECT_NE(results.find("\r\nOn Coil,77.0/62.6,°F\r\n"), std::string::npos);
    // Only the air temperatures changed: the liquid keeps °C.
    EXPECT_NE(results.find("\r\nInlet Temp,6.00,°C\r\n"), std::string::npos);
    TRecordingReport performance;
    c.WritePerformanceReport(performance);
    EXPECT_EQ(performance.Texts()[12], "On Coil\t77.0/62.6\t°F");
}

TEST_F(CoilReportsTest, SummaryHeading) {
    TRecordingReport doc;
    coil().WriteSummaryReport(doc);
    ASSERT_EQ(doc.Lines.size(), 2u);
    EXPECT_EQ(doc.Lines[0].Text, "");
    EXPECT_EQ(doc.Lines[1].Text, "Cold Water Coil");
    EXPECT_EQ(doc.Lines[1].Style, lsBold);
}

}  // namespace
}  // namespace qdx::test
