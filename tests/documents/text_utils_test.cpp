#include <gtest/gtest.h>

#include "documents/text_utils.hpp"

namespace qdx {
namespace {

using std::chrono::day;
using std::chrono::month;
using std::chrono::year;
using std::chrono::year_month_day;

TEST(TextUtils, NthFieldTrimsLeadingBlanksOfLaterFieldsOnly) {
    struct Case {
        int n;
        const char* delimiter;
        const char* text;
        const char* expected;
    } cases[] = {
        {3, ",", "a, b", ""},
        {2, ",", "a, b ,c", "b "},
        {3, ",", "a, b ,c", "c"},
        {1, ",", "  a , b", "a "},
        {1, ",", "", ""},
        {2, ",", "a,", ""},
        {2, "--", "x -- y--z", "y"},
        {0, ",", "a,b", ""},
        {2, " ", "31  12 2012", "12"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(NthField(c.n, c.delimiter, c.text), c.expected)
            << c.n << " of '" << c.text << "'";
}

TEST(TextUtils, SplitTextKeepsBlanksBeforeDelimitersAndDropsAnEmptyLastPart) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    } cases[] = {
        {"a, b ,c", {"a", "b ", "c"}},
        {" a,b, ", {"a", "b"}},
        {"a,,b", {"a", "", "b"}},
        {", a", {"", "a"}},
        {"", {}},
        {"  ", {}},
        {"single", {"single"}},
        {"Tube 3/8, 9.525 , 0.35,In-line ", {"Tube 3/8", "9.525 ", "0.35", "In-line"}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitText(c.text, ","), c.expected) << "'" << c.text << "'";
}

TEST(TextUtils, SplitNameValueCutsAtTheFirstEquals) {
    std::string name, value;
    ASSERT_TRUE(SplitNameValue("  Key = a=b  ", name, value));
    EXPECT_EQ(name, "Key");
    EXPECT_EQ(value, "a=b");
    ASSERT_TRUE(SplitNameValue("=", name, value));
    EXPECT_EQ(name, "");
    EXPECT_EQ(value, "");
    EXPECT_FALSE(SplitNameValue("no value here", name, value));
}

TEST(TextUtils, ParseDateReadsDayMonthYear) {
    EXPECT_EQ(ParseDate("31/12/2012", "/"), year_month_day(year(2012), month(12), day(31)));
    EXPECT_EQ(ParseDate("05 06 2001", " "), year_month_day(year(2001), month(6), day(5)));
    EXPECT_EQ(ParseDate(" 5  6  2001 ", " "), year_month_day(year(2001), month(6), day(5)));
    EXPECT_EQ(ParseDate("29-2-2000", "-"), year_month_day(year(2000), month(2), day(29)));
}

TEST(TextUtils, ParseDateFallsBackToToday) {
    for (const char* text : {"31-12", "", "31-02-2012", "29-2-2001", "x-1-2000", "1-13-2000",
                             "0-1-2000", "1-1-0", "1.5-1-2000"}) {
        year_month_day before = Today();
        year_month_day got = ParseDate(text, "-");
        year_month_day after = Today();
        EXPECT_TRUE(got == before || got == after) << "'" << text << "'";
    }
}

TEST(TextUtils, LineBreakEscapingRoundTripsCrLfPairsOnly) {
    EXPECT_EQ(EscapeLineBreaks("a\r\nb"), "a%13%10b");
    EXPECT_EQ(EscapeLineBreaks("a\r\n\r\nb\n"), "a%13%10%13%10b\n");
    EXPECT_EQ(UnescapeLineBreaks("a%13%10b%13c"), "a\r\nb%13c");
    std::string text = "line one\r\nline two\r\n";
    EXPECT_EQ(UnescapeLineBreaks(EscapeLineBreaks(text)), text);
}

TEST(TextUtils, CommaTextQuotesOnlyWhatNeedsIt) {
    EXPECT_EQ(CommaText({"Pressure", "101.325", "kPa"}), "Pressure,101.325,kPa");
    EXPECT_EQ(CommaText({"Dry Bulb", "a,b", "say \"hi\"", "", "°C"}),
              "\"Dry Bulb\",\"a,b\",\"say \"\"hi\"\"\",,°C");
    EXPECT_EQ(CommaText({""}), "\"\"");
    EXPECT_EQ(CommaText({}), "");
    EXPECT_EQ(CommaText({"tab\there"}), "\"tab\there\"");
}

TEST(TextUtils, SplitCommaTextReadsQuotedAndBareItems) {
    struct Case {
        const char* text;
        std::vector<std::string> expected;
    } cases[] = {
        {"Latitude,33.93S", {"Latitude", "33.93S"}},
        {"Altitude,\"12 m\"", {"Altitude", "12 m"}},
        {"\"Wind Speed\",\"4.5 m/s\"", {"Wind Speed", "4.5 m/s"}},
        {"  a , b ", {"a", "b"}},
        {"two words", {"two", "words"}},
        {"a,,b", {"a", "", "b"}},
        {"a,", {"a", ""}},
        {"\"x \"\"y\"\"\"", {"x \"y\""}},
        {"", {}},
    };
    for (const Case& c : cases) EXPECT_EQ(SplitCommaText(c.text), c.expected) << c.text;
    const std::vector<std::string> row = {"Dry Bulb", "25.0", "°C", "", "a\"b"};
    EXPECT_EQ(SplitCommaText(CommaText(row)), row);
}

TEST(TextUtils, SmallTools) {
    EXPECT_EQ(ReplaceChar('\\', '/', "Coils\\units.ini"), "Coils/units.ini");
    EXPECT_EQ(ProgramName("/opt/calorix/bin/QDX.exe"), "QDX");
    EXPECT_EQ(ProgramName("qdx"), "qdx");
    EXPECT_EQ(ProgramName("/a.b/c.tar.gz"), "c.tar");
    EXPECT_TRUE(SameText("UnitsPressure", "unitspRESSURE"));
    EXPECT_FALSE(SameText("Units", "Unit"));
    EXPECT_EQ(Trim("\t a b \r\n"), "a b");
}

}  // namespace
}  // namespace qdx
