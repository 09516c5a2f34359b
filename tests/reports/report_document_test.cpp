#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "reports/report_document.hpp"
#include "units/unit_prefs.hpp"

namespace qdx {
namespace {

// A report writer only knows the interface: every sink receives the same calls.
void WriteSample(TReportDocument& doc) {
    doc.AddLine("");
    doc.AddLine("Chilled Water Coil", lsBold);
    doc.AddLine("Airflow\t2.500\tm³/s");
    doc.AddLine("");
    doc.AddLine("Closing <note> & more", lsItalic, 10, clRed);
}

TEST(ReportDocument, RecorderKeepsEveryLineWithItsStyle) {
    TRecordingReport doc;
    WriteSample(doc);
    const std::vector<ReportLine> expected = {
        {"", lsPlain, 8, clWindowText},
        {"Chilled Water Coil", lsBold, 8, clWindowText},
        {"Airflow\t2.500\tm³/s", lsPlain, 8, clWindowText},
        {"", lsPlain, 8, clWindowText},
        {"Closing <note> & more", lsItalic, 10, clRed},
    };
    EXPECT_EQ(doc.Lines, expected);
    EXPECT_EQ(doc.Texts()[2], "Airflow\t2.500\tm³/s");
    doc.Clear();
    EXPECT_TRUE(doc.Lines.empty());
}

TEST(ReportDocument, PlainTextJoinsLinesWithCrLfAndKeepsTabs) {
    TTextReport doc;
    EXPECT_EQ(doc.Text(), "");
    doc.AddLine("");
    EXPECT_EQ(doc.LineCount(), 1);
    EXPECT_EQ(doc.Text(), "");
    doc.AddLine("");
    EXPECT_EQ(doc.Text(), "\r\n");  // two empty lines
    doc.Clear();
    WriteSample(doc);
    EXPECT_EQ(doc.LineCount(), 5);
    EXPECT_EQ(doc.Text(),
              "\r\nChilled Water Coil\r\nAirflow\t2.500\tm³/s\r\n\r\nClosing <note> & more");
}

TEST(ReportDocument, HtmlKeepsStylesColumnsAndEscapes) {
    THtmlReport doc;
    doc.Title = "QDX <Report>";
    WriteSample(doc);
    const std::string html = doc.Html();
    SCOPED_TRACE(html);
    EXPECT_EQ(html.rfind("<!DOCTYPE html>\n", 0), 0u);
    EXPECT_NE(html.find("<meta charset=\"utf-8\">"), std::string::npos);
    EXPECT_NE(html.find("<title>QDX &lt;Report&gt;</title>"), std::string::npos);
    EXPECT_EQ(html.find("<table"), std::string::npos);
    EXPECT_NE(html.find("<div class=\"ln\" style=\"font-size:8pt;font-weight:bold\">"
                        "Chilled Water Coil</div>\n"),
              std::string::npos);
    // Columns set at the default stops 110 and 170 points.
    EXPECT_NE(html.find("<div class=\"ln\" style=\"font-size:8pt\">"
                        "<span class=\"col\" style=\"min-width:110pt\">Airflow</span>"
                        "<span class=\"col\" style=\"min-width:60pt\">2.500</span>m³/s</div>\n"),
              std::string::npos);
    EXPECT_NE(html.find("<div class=\"ln\" style=\"font-size:10pt;font-style:italic;color:#FF0000\">"
                        "Closing &lt;note&gt; &amp; more</div>\n"),
              std::string::npos);
    // Empty lines keep their height.
    EXPECT_NE(html.find("<div class=\"ln\" style=\"font-size:8pt\"><br></div>\n"), std::string::npos);
    EXPECT_EQ(html.substr(html.size() - 16), "</body>\n</html>\n");
    // Five lines, in order.
    size_t pos = 0, count = 0;
    while ((pos = html.find("<div class=\"ln\"", pos)) != std::string::npos) ++count, ++pos;
    EXPECT_EQ(count, 5u);
    EXPECT_LT(html.find("Chilled Water Coil"), html.find("Airflow"));
}

TEST(ReportDocument, HtmlTabStopsBeyondTheSetOnesFollowAtFixedSteps) {
    THtmlReport doc;
    doc.SetTabStops({80, 130});
    doc.AddLine("a\tb\tc\td\t");
    std::string html = doc.Html();
    EXPECT_NE(html.find("<span class=\"col\" style=\"min-width:80pt\">a</span>"
                        "<span class=\"col\" style=\"min-width:50pt\">b</span>"
                        "<span class=\"col\" style=\"min-width:36pt\">c</span>"
                        "<span class=\"col\" style=\"min-width:36pt\">d</span></div>"),
              std::string::npos)
        << html;
    doc.Clear();
    doc.SetTabStops({});
    doc.AddLine("\tx");
    html = doc.Html();
    EXPECT_NE(html.find("<span class=\"col\" style=\"min-width:36pt\"></span>x</div>"),
              std::string::npos)
        << html;
    EXPECT_EQ(html.find(">a<"), std::string::npos);  // cleared
}

// The writers' conventions: values through the unit records, size 8, window-text colour.
TEST(ReportDocument, LabelledValuesFromUnitRecords) {
    UnitPrefs().Reset();
    TRecordingReport doc;
    doc.AddLine(FormatRecPairLabelled("On Coil\t%s\t%s", UnitPrefs()[urAirT], false, 25, 17));
    doc.AddLine(FormatRecLabelled("Barometer\t%s\t%s", UnitPrefs()[urPlaceBaromPressure], false,
                                  101.325));
    doc.AddLine("Pipe Conn\t" + FormatRecValue(UnitPrefs()[urHexPipeConn], true, "\t", false, 65));
    EXPECT_EQ(doc.Texts(), (std::vector<std::string>{"On Coil\t25.0/17.0\t°C",
                                                     "Barometer\t101.325\tkPa",
                                                     "Pipe Conn\t65.0\tmm"}));
    UnitPrefs().Reset();
}

}  // namespace
}  // namespace qdx
