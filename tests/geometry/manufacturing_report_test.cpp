#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "catalog_fixture.hpp"
#include "geometry/fin_and_tube.hpp"
#include "reports/report_document.hpp"
#include "units/format.hpp"

namespace qdx {
namespace {

using ManufacturingReport = testing::CatalogTest;

struct Line {
    TLineStyle style;
    std::string text;
};

// Compares line by line, so that a failure names the line that differs.
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

constexpr TLineStyle B = lsBold;
constexpr TLineStyle P = lsPlain;

// The default record: 533.4 x 740 mm, 4 rows, 10 fpi, 7 circuits on 1/2-inch tube at
// 38.1 x 33 mm, 14 tubes high; no maker designation for the maker "Default".
TEST_F(ManufacturingReport, DefaultRecordSheet) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    g.SetRecord(TModelRec{});
    const TModelRec before = g.Record();
    const double weight = g.DryWeight();
    const double eqLength = g.TubeSide().EquivalentLength;
    ASSERT_GT(weight, 10);
    ASSERT_GT(eqLength, 1);

    TRecordingReport doc;
    g.WriteManufacturingReport(doc);
    ExpectLines(doc, {
                         {P, ""},
                         {B, "Coil Manufacturing Report"},
                         {P, "Default ()"},
                         {P, "533.4 x 740  4r  10f  7c"},
                         {P, ""},
                         {B, "Dimensions"},
                         {P, "Height\t533.4\tmm"},
                         {P, "Length\t740.0\tmm"},
                         {P, "Depth\t132.0\tmm"},
                         {P, "Rows\t4.0\t"},
                         {P, "Fins\t10.00\tfpi"},
                         {P, "Weight\t" + FormatFixed(weight, 1) + "\tkg"},
                         {P, ""},
                         {B, "Circuiting"},
                         {P, "Tubes High\t14\t"},
                         {P, "Tube Count\t56.0\t"},
                         {P, "Circuits\t7\t"},
                         {P, "Circuit Basis\tTubes high"},
                         {P, "Tubes/Circuits\t8\t"},
                         {P, "Unlinked tubes\t0\t"},
                         {P, "Serpentine\t1/2\t"},
                         {P, "Eq Length\t" + FormatFixed(eqLength, 1) + "\tm"},
                         {P, "Connections\tSame end\t"},
                         {P, ""},
                         {B, "Tube (Staggered Pattern)"},
                         {P, "ID\t12.522\tmm"},
                         {P, "OD\t13.335\tmm"},
                         {P, "Sx\t33.000\tmm"},
                         {P, "Sy\t38.100\tmm"},
                         {P, ""},
                         {B, "Fin"},
                         {P, "Thickness\t0.152\tmm"},
                         {P, "Area factor\t1.000\tmm"},
                         {P, ""},
                         {B, "Material"},
                         {P, "Fin\tAl\t"},
                         {P, "Tube\tCu\t"},
                         {P, "Casing\tGI\t"},
                     });
    // Writing the sheet reads the geometry only.
    EXPECT_EQ(g.Record(), before);
}

// Tubes per circuit and the tubes left over; no leftover line when circuits outnumber tubes.
TEST_F(ManufacturingReport, CircuitingLines) {
    InstallShippedCatalog();
    struct Case {
        double rows;
        double circ;
        std::vector<std::string> lines;  // from "Tube Count" to "Unlinked tubes" or "Serpentine"
    };
    const Case cases[] = {
        {4, 5, {"Tube Count\t56.0\t", "Circuits\t5\t", "Circuit Basis\tTubes high",
                "Tubes/Circuits\t11\t", "Unlinked tubes\t1\t"}},
        {3.5, 7, {"Tube Count\t49.0\t", "Circuits\t7\t", "Circuit Basis\tTubes high",
                  "Tubes/Circuits\t7\t", "Unlinked tubes\t0\t"}},
        {4, 60, {"Tube Count\t56.0\t", "Circuits\t60\t", "Circuit Basis\tTubes high",
                 "Tubes/Circuits\t0\t"}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(::testing::Message() << c.rows << " rows, " << c.circ << " circuits");
        TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
        TModelRec rec;
        rec.Rows = c.rows;
        rec.Circ = c.circ;
        g.SetRecord(rec);
        TRecordingReport doc;
        g.WriteManufacturingReport(doc);
        const std::vector<std::string> texts = doc.Texts();
        const auto first = std::find(texts.begin(), texts.end(), "Tubes High\t14\t");
        ASSERT_NE(first, texts.end());
        const std::vector<std::string> got(first + 1, first + 1 + c.lines.size());
        EXPECT_EQ(got, c.lines);
        EXPECT_EQ(first[1 + c.lines.size()].rfind("Serpentine\t", 0), 0u);
    }
}

// A record read from a file can hold more tubes than an int counts: the sheet still gives the
// whole counts.
TEST_F(ManufacturingReport, TubeCountsBeyondAnInt) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    TModelRec rec;
    rec.fHeight = 1e6;  // 26246719 tubes high at 38.1 mm
    rec.Rows = 100;
    rec.Circ = 1;
    g.SetRecord(rec);
    ASSERT_EQ(g.TubesHigh(), 26246719);
    TRecordingReport doc;
    g.WriteManufacturingReport(doc);
    const std::vector<std::string> texts = doc.Texts();
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Tubes/Circuits\t2624671900\t"), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), "Unlinked tubes\t0\t"), texts.end());
}

// A maker with a designation of its own adds it under the designation; the empty line follows.
TEST_F(ManufacturingReport, MakerDesignationLine) {
    InstallShippedCatalog();
    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    TModelRec rec;
    rec.Mnf = "GEA";
    rec.Model = "1/2 inch";
    g.SetRecord(rec);
    const std::string makerDesignation = g.MakerDesignation();
    ASSERT_FALSE(makerDesignation.empty());

    TRecordingReport doc;
    g.WriteManufacturingReport(doc);
    const std::vector<std::string> texts = doc.Texts();
    ASSERT_GE(texts.size(), 7u);
    EXPECT_EQ(texts[2], "GEA (1/2 inch)");
    EXPECT_EQ(texts[3], g.Designation());
    EXPECT_EQ(texts[4], makerDesignation);
    EXPECT_EQ(texts[5], "");
    EXPECT_EQ(texts[6], "Dimensions");
}

}  // namespace
}  // namespace qdx
