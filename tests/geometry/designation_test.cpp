#include <gtest/gtest.h>

#include "geometry/designation.hpp"
#include "geometry/model_rec.hpp"

namespace qdx {
namespace {

const TDesignationNumbers kStart{0.5334, 0.74, 4, 10, 7};

TEST(ParseDesignation, AcceptsTheUsualSpellings) {
    struct Case {
        const char* text;
        TDesignationNumbers expected;
    };
    const Case cases[] = {
        {"544 x 720 4r 12f  (14c)", {0.544, 0.72, 4, 12, 14}},
        {"635 720 4r 12f 7c", {0.635, 0.72, 4, 12, 7}},
        {"533.4 x 740  4r  10f  7c", {0.5334, 0.74, 4, 10, 7}},
        {"1200X2400 3.5r 8.5f 21c", {1.2, 2.4, 3.5, 8.5, 21}},
        {"600 x 1000 - 6r / 14f (12c)", {0.6, 1.0, 6, 14, 12}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDesignationNumbers n = kStart;
        EXPECT_EQ(ParseDesignation(c.text, n), dpOk);
        EXPECT_DOUBLE_EQ(n.fHeight, c.expected.fHeight);
        EXPECT_DOUBLE_EQ(n.fLength, c.expected.fLength);
        EXPECT_DOUBLE_EQ(n.Rows, c.expected.Rows);
        EXPECT_DOUBLE_EQ(n.fpi, c.expected.fpi);
        EXPECT_DOUBLE_EQ(n.Circ, c.expected.Circ);
    }
}

TEST(ParseDesignation, RangeErrorsAndTheirCodes) {
    struct Case {
        const char* text;
        int code;
    };
    const Case cases[] = {
        {"544 x 720 4r 12f 0c", dpCircuits},
        {"544 x 720 4r 12f 1601c", dpCircuits},
        {"30000 x 720 4r 12f 14c", dpHeight},
        {"5 x 720 4r 12f 14c", dpHeight},
        {"544 x 50 4r 12f 14c", dpLength},
        {"544 x 60000 4r 12f 14c", dpLength},
        {"544 x 720 0r 12f 14c", dpRows},
        {"544 x 720 21r 12f 14c", dpRows},
        {"544 x 720 4r 31f 14c", dpFins},
        // A later failing check overwrites an earlier code.
        {"30000 x 720 21r 12f 0c", dpCircuits},
        {"30000 x 50 4r 12f 14c", dpLength},
        // The ends of the ranges are accepted.
        {"544 x 720 20r 30f 1600c", dpOk},
        {"544 x 720 1r 0f 1c", dpOk},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TDesignationNumbers n = kStart;
        EXPECT_EQ(ParseDesignation(c.text, n), c.code);
    }
    // The numbers of a range error are the ones read; the caller decides not to apply them.
    TDesignationNumbers n = kStart;
    ASSERT_EQ(ParseDesignation("544 x 720 4r 12f 0c", n), dpCircuits);
    EXPECT_DOUBLE_EQ(n.fHeight, 0.544);
    EXPECT_EQ(n.Circ, 0);
}

TEST(ParseDesignation, SyntaxErrorChangesNoneOfTheNumbers) {
    for (const char* text : {"544 x 720", "", "544 x 720 4r abc 7c", "544 x 720 4r 12f",
                             "tall x 720 4r 12f 7c"}) {
        SCOPED_TRACE(text);
        TDesignationNumbers n = kStart;
        EXPECT_EQ(ParseDesignation(text, n), dpSyntax);
        EXPECT_EQ(n.fHeight, kStart.fHeight);
        EXPECT_EQ(n.fLength, kStart.fLength);
        EXPECT_EQ(n.Rows, kStart.Rows);
        EXPECT_EQ(n.fpi, kStart.fpi);
        EXPECT_EQ(n.Circ, kStart.Circ);
    }
}

TEST(FormatDesignation, GeneralNumbersWithTwoBlanksBetweenGroups) {
    EXPECT_EQ(FormatDesignation(kStart), "533.4 x 740  4r  10f  7c");
    EXPECT_EQ(FormatDesignation({0.544, 0.72, 4, 12, 14}), "544 x 720  4r  12f  14c");
    EXPECT_EQ(FormatDesignation({1.2345678, 2.5, 3.5, 8.4666666, 10.5}),
              "1234.57 x 2500  3.5r  8.46667f  10.5c");
    // What the formatter writes, the parser reads back.
    TDesignationNumbers n{};
    EXPECT_EQ(ParseDesignation(FormatDesignation({0.61, 1.83, 6, 14, 24}), n), dpOk);
    EXPECT_DOUBLE_EQ(n.fLength, 1.83);
    EXPECT_DOUBLE_EQ(n.Circ, 24);
}

TEST(MakerDesignation, EachMakerWritesItsOwnCode) {
    TModelRec rec;  // 533.4 x 740, 4 rows, 10 fpi, 7 circuits, 1/2-inch tube on 38.1 x 33
    struct Case {
        const char* maker;
        const char* expected;
    };
    const Case cases[] = {
        {"GEA", "14T 4.0NR 740A 3P 7NC"},
        {"BAC", "14 - 74 - 4.0 / 2.54 - 7c"},
        {"HC", "4 CHW 21 x 740 x 4.0r x 10.00f - 7c (Cu/Al/GI)"},
        {"Recoil", "CW  12733 / 14 / 4.0 / 10.00 /  740 Al/GI (7)"},
        {"Norvane", "NRV4  21\" x 740mm x 4.0r x 10.00f - 7c"},
        {"recoil", "CW  12733 / 14 / 4.0 / 10.00 /  740 Al/GI (7)"},
        {"Typical", ""},
        {"Default", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.maker);
        rec.Mnf = c.maker;
        EXPECT_EQ(MakerDesignation(rec), c.expected);
    }
}

TEST(MakerDesignation, MillimetreTubesAndOtherKinds) {
    TModelRec rec;
    rec.Tube = 107;
    rec.Sx = 0.0127;
    rec.Sy = 0.021;
    rec.fHeight = 0.504;
    rec.Code = 3;
    rec.Mf = 0;
    rec.Mc = 4;
    rec.Circ = 12.5;
    rec.Mnf = "Recoil";
    EXPECT_EQ(MakerDesignation(rec), "DX  07013 / 24 / 4.0 / 10.00 /  740 Cu/SS (12.5)");
    rec.Mnf = "Norvane";
    EXPECT_EQ(MakerDesignation(rec), "NRV7  20\" x 740mm x 4.0r x 10.00f - 12.5c");
    rec.Mnf = "HC";
    EXPECT_EQ(MakerDesignation(rec), "7 DXE 20 x 740 x 4.0r x 10.00f - 12.5c (Cu/Cu/SS)");
}

TEST(MakerDesignation, TubeDiameterCodes) {
    EXPECT_EQ(TubeDiameterCode(4), 127);  // 1/2 inch = 12.7 mm
    EXPECT_EQ(TubeDiameterCode(6), 190);  // 190.5 rounds to the even neighbour
    EXPECT_EQ(TubeDiameterCode(3), 95);   // 95.25
    EXPECT_EQ(TubeDiameterCode(5), 159);  // 158.75
    EXPECT_EQ(TubeDiameterCode(107), 70);
    EXPECT_EQ(TubeDiameterCode(8), 254);
    EXPECT_EQ(TubeDiameterCode(10), 318);  // beyond one byte the full code is shown
}

TEST(MakerDesignation, HcKindCodesAreSixDistinctCapitals) {
    for (int i = 0; i < 6; ++i) {
        const std::string code = HcKindCode(i);
        EXPECT_GE(code.size(), 2u);
        EXPECT_LE(code.size(), 3u);
        for (char ch : code) EXPECT_TRUE(ch >= 'A' && ch <= 'Z');
        for (int j = 0; j < i; ++j) EXPECT_NE(code, HcKindCode(j));
    }
}

TEST(ShortModelText, MakerModelPitchesAndMaterials) {
    TModelRec rec;
    rec.Mnf = "Typical";
    rec.Model = "1/2 inch";
    EXPECT_EQ(ShortModelText(rec), "Typical: 1/2 inch\" 33x38.1 (Cu/Al/GI)");
}

}  // namespace
}  // namespace qdx
