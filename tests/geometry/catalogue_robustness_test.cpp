// Damaged coil-maker catalogues and designation texts: lookups never throw, a geometry is
// always built, and a designation either parses into its ranges or changes nothing.

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <vector>

#include "catalog_fixture.hpp"
#include "documents/mutation.hpp"
#include "documents/xml_file.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/designation.hpp"
#include "geometry/fin_and_tube.hpp"

namespace qdx {
namespace {

using CatalogueRobustness = testing::CatalogTest;

TEST_F(CatalogueRobustness, LookupsInADamagedCatalogueNeverThrow) {
    InstallShippedCatalog();
    const std::string good = ReadFile(CatalogPath());
    test::Mutator m(2022);
    int readable = 0;
    for (int n = 0; n < 1500; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        const std::string text =
            m.Several(good, [&](std::string s) { return m.Below(4) ? m.Xml(s) : m.Bytes(s); });
        WriteCatalog(text);
        TXMLFile probe;
        probe.LoadFromString(text);
        const bool isXml = probe.ReadStatus == TXMLFile::rsOk && probe.DocumentElement();
        readable += isXml;

        std::vector<std::string> makers;
        ASSERT_NO_THROW(makers = MakerNames());
        makers.push_back("Nobody");
        for (const std::string& maker : makers) {
            ClearMakerCache();
            for (int tube : {4, 104, 3, 0}) {
                TMnfRec rec;
                ASSERT_NO_THROW(rec = FindTube(maker, tube)) << maker;
                EXPECT_FALSE(MakerCache().Entries.empty());
                ASSERT_NO_THROW(MatchSpecification(maker, rec));
            }
            // A geometry is built from whatever the entry holds; arithmetic faults end in its
            // error code, never in an exception.
            ASSERT_NO_THROW(TFinAndTube(maker, "544 x 720 4r 12f  (14c)", 0, 4)) << maker;
            ASSERT_NO_THROW(ParseSpecification(maker, FormatSpecification(FindTube(maker, 4))));
        }
        // A catalogue that reads never loses its makers to a lookup.
        const std::string after = ReadFile(CatalogPath());
        if (isXml) {
            EXPECT_EQ(after.find("<maker>Typical</maker>") != std::string::npos,
                      text.find("<maker>Typical</maker>") != std::string::npos);
        } else if (text.find_first_not_of(" \t\r\n") != std::string::npos) {
            // One that does not read stays for the user to mend.
            EXPECT_EQ(after, text);
        }
    }
    EXPECT_GT(readable, 300);
    EXPECT_LT(readable, 1500);
}

TEST_F(CatalogueRobustness, UnreadableCatalogueIsNotReplacedByTheDefaultEntry) {
    // A catalogue damaged by one stray character still holds every maker a user entered; the
    // lookup falls back to the built-in entry without writing over the file.
    InstallShippedCatalog();
    std::string text = ReadFile(CatalogPath());
    text.insert(text.find("<maker>GEA"), "<");
    WriteCatalog(text);
    EXPECT_EQ(FindTube("GEA", 4), DefaultMnfRec());
    EXPECT_EQ(messages_.size(), 1u);
    EXPECT_EQ(ReadFile(CatalogPath()), text);

    // An empty file holds nothing to keep: it becomes a catalogue of the default entry.
    WriteCatalog("");
    EXPECT_EQ(FindTube("GEA", 4), DefaultMnfRec());
    ClearMakerCache();
    EXPECT_EQ(MakerNames(), std::vector<std::string>{"Default"});
}

TEST(DesignationRobustness, DamagedDesignationsParseIntoRangeOrChangeNothing) {
    const std::string texts[] = {"544 x 720 4r 12f  (14c)", "635 720 4r 12f 7c",
                                 "533.4 x 740  4r  10f  7c"};
    test::Mutator m(544);
    int parsed = 0;
    for (int n = 0; n < 4000; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        std::string text = m.Several(texts[n % 3], [&](std::string s) { return m.Bytes(s); });
        const TDesignationNumbers start{0.1, 0.2, 3, 4, 5};
        TDesignationNumbers numbers = start;
        int code = -1;
        ASSERT_NO_THROW(code = ParseDesignation(text, numbers)) << text;
        ASSERT_TRUE(code == dpOk || code == dpSyntax || code == dpFins || code == dpHeight ||
                    code == dpLength || code == dpRows || code == dpCircuits)
            << code;
        if (code == dpSyntax) {
            EXPECT_EQ(FormatDesignation(numbers), FormatDesignation(start)) << text;
            continue;
        }
        for (double v : {numbers.fHeight, numbers.fLength, numbers.Rows, numbers.fpi, numbers.Circ})
            EXPECT_TRUE(std::isfinite(v)) << text;
        if (code != dpOk) continue;
        ++parsed;
        EXPECT_TRUE(numbers.fHeight >= 0.00625 && numbers.fHeight <= 25) << text;
        EXPECT_TRUE(numbers.Circ >= 1 && numbers.Circ <= 1600) << text;
        // What parsed is written back as a designation that parses to the same coil.
        TDesignationNumbers again = start;
        EXPECT_EQ(ParseDesignation(FormatDesignation(numbers), again), dpOk) << text;
        EXPECT_EQ(FormatDesignation(again), FormatDesignation(numbers)) << text;
    }
    EXPECT_GT(parsed, 400);
}

}  // namespace
}  // namespace qdx
