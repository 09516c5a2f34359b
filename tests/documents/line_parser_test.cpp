#include <gtest/gtest.h>

#include <utility>
#include <vector>

#include "documents/line_parser.hpp"

namespace qdx {
namespace {

using Tokens = std::vector<std::pair<int, std::string>>;

// Every token of text (kind and text) up to the end.
Tokens AllTokens(const std::string& text, const char* separators = ",") {
    TLineParser parser;
    parser.SetSeparators(separators);
    parser.SetText(text);
    Tokens out;
    std::string token;
    for (int guard = 0; guard < 50; ++guard) {
        bool ok = parser.NextToken(token);
        if (!ok && parser.State() == lsEndOfText) break;
        out.emplace_back(parser.TokenKind(), token);
    }
    return out;
}

TEST(LineParser, TokenKinds) {
    struct Case {
        const char* text;
        Tokens expected;
    } cases[] = {
        {"abc, 12.5e-3, x1y", {{tkIdentifier, "abc"}, {tkNumber, "12.5e-3"}, {tkIdentifier, "x1y"}}},
        {"-5,+3.25,7.", {{tkNumber, "-5"}, {tkNumber, "+3.25"}, {tkNumber, "7."}}},
        // Running on into other characters makes a word, blanks included, up to a separator.
        {"12abc, 3", {{tkWord, "12abc"}, {tkNumber, "3"}}},
        {"ab-c d ,e", {{tkWord, "ab-c d "}, {tkIdentifier, "e"}}},
        {"1.5 abc", {{tkNumber, "1.5"}, {tkIdentifier, "abc"}}},
        {"12.7 mm, x", {{tkNumber, "12.7"}, {tkIdentifier, "mm"}, {tkIdentifier, "x"}}},
        {"%8.3f,%1:-10s,%d,%G", {{tkFormat, "%8.3f"}, {tkFormat, "%1:-10s"}, {tkFormat, "%d"}, {tkFormat, "%G"}}},
        {"'quoted, text' , \"x\"", {{tkWord, "quoted, text"}, {tkWord, "x"}}},
        {"\"unterminated, to the end", {{tkWord, "unterminated, to the end"}}},
        {"#abc, def'x", {{tkWord, "#abc, def"}, {tkIdentifier, "x"}}},
        {"a ; the rest, all of it", {{tkIdentifier, "a"}, {tkComment, " the rest, all of it"}}},
        {"\t ,, \x01 \xff id", {{tkIdentifier, "id"}}},
    };
    for (const Case& c : cases) EXPECT_EQ(AllTokens(c.text), c.expected) << "'" << c.text << "'";
}

TEST(LineParser, MalformedFormatIsInvalidWithStateTwo) {
    TLineParser parser("%-8.3q, next");
    std::string token;
    EXPECT_FALSE(parser.NextToken(token));
    EXPECT_EQ(parser.TokenKind(), tkInvalid);
    EXPECT_EQ(parser.TakeState(), lsBadFormat);
    EXPECT_EQ(parser.TakeState(), lsOk);
}

TEST(LineParser, EndOfTextAndStateIsKeptUntilTaken) {
    TLineParser parser("7");
    std::string token;
    EXPECT_TRUE(parser.NextToken(token));
    EXPECT_EQ(parser.State(), lsOk);
    EXPECT_FALSE(parser.NextToken(token));
    EXPECT_EQ(token, "");
    EXPECT_EQ(parser.TokenKind(), tkInvalid);
    EXPECT_EQ(parser.TakeState(), lsEndOfText);
    EXPECT_EQ(parser.State(), lsOk);
    parser.SetText("x");
    EXPECT_EQ(parser.State(), lsOk);
}

TEST(LineParser, NextFloat) {
    TLineParser parser("1.5, abc, -2e3");
    EXPECT_DOUBLE_EQ(parser.NextFloat(), 1.5);
    EXPECT_EQ(parser.State(), lsOk);
    EXPECT_EQ(parser.NextFloat(), 0);
    EXPECT_EQ(parser.TakeState(), lsBadNumber);
    EXPECT_DOUBLE_EQ(parser.NextFloat(), -2000);
    EXPECT_EQ(parser.TakeState(), lsOk);
    EXPECT_EQ(parser.NextFloat(), 0);
    EXPECT_EQ(parser.TakeState(), lsEndOfText);
}

TEST(LineParser, DesignationSeparatorsReadFiveNumbers) {
    struct Case {
        const char* text;
        double expected[5];
    } cases[] = {
        {"544 x 720 4r 12f  (14c)", {544, 720, 4, 12, 14}},
        {"635 720 4r 12f 7c", {635, 720, 4, 12, 7}},
        {"533.4 x 740  4r  10f  7c", {533.4, 740, 4, 10, 7}},
    };
    TLineParser parser;
    parser.SetSeparators(" ()-/Xcfrx");
    for (const Case& c : cases) {
        parser.SetText(c.text);
        for (double want : c.expected) {
            EXPECT_DOUBLE_EQ(parser.NextFloat(), want) << c.text;
            EXPECT_EQ(parser.TakeState(), lsOk) << c.text;
        }
    }
}

TEST(LineParser, ParseFields) {
    struct Case {
        const char* text;
        int count, high;
        std::vector<std::string> expected;
    } cases[] = {
        {"1.5, abc", 3, 2, {"1.5", "abc", "0"}},
        {"%5, 7", 2, 2, {"0", "7", "0"}},
        {"a,b,c,d", 4, 1, {"a", "b"}},
        {"a,b,c", 1, 2, {"a", "0", "0"}},
        {"3i, 9.525,12.7 ,'Copper tube'", 4, 3, {"3i", "9.525", "12.7", "Copper tube"}},
    };
    TLineParser parser;
    for (const Case& c : cases) {
        std::vector<std::string> fields{"stale"};
        parser.ParseFields(c.text, c.count, c.high, fields);
        EXPECT_EQ(fields, c.expected) << c.text;
    }
}

}  // namespace
}  // namespace qdx
