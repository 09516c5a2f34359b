#include <gtest/gtest.h>

#include <filesystem>

#include "catalog_fixture.hpp"
#include "documents/xml_file.hpp"
#include "geometry/coil_makers.hpp"

namespace qdx {
namespace {

using Catalog = testing::CatalogTest;

TEST_F(Catalog, ShippedTypicalEntriesInOrder) {
    InstallShippedCatalog();
    LoadMaker("typical");
    const TMnfRecVec& e = MakerCache().Entries;
    ASSERT_EQ(e.size(), 5u);
    struct Row {
        const char* name;
        int d;
        double id, od, sx, sy, t;
        int kind;
    };
    const Row rows[] = {
        {"1/2 inch", 4, 12.5222, 13.335, 33.0, 38.1, 0.1524, 0},
        {"3/8 inch", 3, 9.30, 10.00, 21.65, 25.0, 0.12, 0},
        {"5/8 inch", 5, 15.50, 16.30, 38.1, 44.45, 0.1524, 0},
        {"7 mm", 107, 6.75, 7.35, 12.7, 21.0, 0.10, 0},
        {"1/2 inch in-line", 4, 12.5222, 13.335, 38.1, 38.1, 0.1524, 1},
    };
    for (size_t i = 0; i < 5; ++i) {
        SCOPED_TRACE(rows[i].name);
        EXPECT_EQ(e[i].maker, "Typical");
        EXPECT_EQ(e[i].name, rows[i].name);
        EXPECT_EQ(e[i].d, rows[i].d);
        EXPECT_DOUBLE_EQ(e[i].id, rows[i].id * 0.001);
        EXPECT_DOUBLE_EQ(e[i].od, rows[i].od * 0.001);
        EXPECT_DOUBLE_EQ(e[i].sx, rows[i].sx * 0.001);
        EXPECT_DOUBLE_EQ(e[i].sy, rows[i].sy * 0.001);
        EXPECT_DOUBLE_EQ(e[i].t, rows[i].t * 0.001);
        EXPECT_EQ(e[i].kind, rows[i].kind);
        EXPECT_EQ(e[i].tubeMaterial, "Cu");
        EXPECT_EQ(e[i].finMaterial, "Al");
        EXPECT_EQ(e[i].finF, 1);
        EXPECT_EQ(e[i].tubeF, 1);
        EXPECT_EQ(e[i].basis, 0);
    }
    EXPECT_EQ(MakerNames(),
              (std::vector<std::string>{"Typical", "GEA", "BAC", "HC", "Recoil", "Norvane"}));
    for (const std::string& maker : MakerNames()) {
        LoadMaker(maker);
        EXPECT_GE(MakerCache().Entries.size(), 2u) << maker;
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Catalog, FindTubeByNumber) {
    InstallShippedCatalog();
    EXPECT_EQ(FindTube("Typical", 3).name, "3/8 inch");
    EXPECT_EQ(FindTube("Typical", 107).name, "7 mm");
    EXPECT_EQ(FindTube("Typical", 105).name, "5/8 inch");  // no 105: the entry numbered 5
    EXPECT_EQ(FindTube("Typical", 104).name, "1/2 inch");  // the first of the two 4s
    EXPECT_EQ(FindTube("Typical", 9).name, "1/2 inch");    // none: the first entry
    EXPECT_EQ(FindTube("GEA", 5).maker, "GEA");
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Catalog, ItemDefaultsUnderEntryAttributes) {
    InstallShippedCatalog();
    LoadMaker("HC");
    const TMnfRecVec& e = MakerCache().Entries;
    ASSERT_EQ(e.size(), 3u);
    EXPECT_DOUBLE_EQ(e[0].t, 0.00012);  // its own
    EXPECT_DOUBLE_EQ(e[1].t, 0.00015);  // the item's
    EXPECT_DOUBLE_EQ(e[1].finF, 1.15);
    EXPECT_DOUBLE_EQ(e[2].tubeF, 1.3);
    LoadMaker("Norvane");
    EXPECT_EQ(MakerCache().Entries[2].kind, 1);
    EXPECT_EQ(MakerCache().Entries[2].basis, 1);
}

TEST_F(Catalog, MissingCatalogueReportsOnceAndCreatesTheDefaultItem) {
    ASSERT_FALSE(std::filesystem::exists(CatalogPath()));
    TMnfRec rec = FindTube("Typical", 4);
    EXPECT_EQ(rec, DefaultMnfRec());
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0],
              "There are no matching coils for Typical in the database!\r\n"
              "You may need to re-install the program to correct the database.");
    ASSERT_TRUE(std::filesystem::exists(CatalogPath()));
    EXPECT_EQ(MakerNames(), std::vector<std::string>{"Default"});

    XmlNode root;
    TXMLFile xml(CatalogPath(), 0, root);
    EXPECT_STREQ(root.name(), "catalog");
    EXPECT_EQ(xml.ReadAttr(root, "kind"), "coil");
    EXPECT_EQ(xml.ReadAttr(root, "version"), "1.0.0.0");
    EXPECT_EQ(xml.ReadAttr(root, "developer"), "calorix");
    XmlNode item = xml.FindChild(root, "item");
    EXPECT_EQ(xml.ReadText(item, "range"), "fin and tube coil");

    // The written item reads back as the built-in entry; no second message.
    ClearMakerCache();
    testing::ExpectSameEntry(FindTube("Default", 4), DefaultMnfRec());
    testing::ExpectSameEntry(FindTube("Typical", 4), DefaultMnfRec());
    EXPECT_EQ(messages_.size(), 1u);
}

TEST_F(Catalog, MalformedCataloguesFallBackToDefaults) {
    const char* files[] = {
        "",
        "this is not XML at all",
        "<catalog kind=\"coil\"/>",
        "<catalog><item><maker>Other</maker><model name=\"x\" d=\"4\"/></item></catalog>",
        "<catalog><item><name>Typical</name></item><thing/></catalog>",
        "<catalog><item><maker>Typical</maker></item></catalog>",
    };
    for (const char* text : files) {
        SCOPED_TRACE(text);
        WriteCatalog(text);
        messages_.clear();
        EXPECT_EQ(FindTube("Typical", 4), DefaultMnfRec());
        EXPECT_EQ(messages_.size(), 1u);
    }
}

TEST_F(Catalog, BadNumbersKeepTheDefaults) {
    WriteCatalog(
        "<catalog><item><maker>Typical</maker><fin t=\"thin\" f=\"\"/>"
        "<pat kind=\"diagonal\"/><circ basis=\"sideways\"/>"
        "<model name=\"odd\" d=\"four\"><fin t=\"0.2\"/>"
        "<tube id=\"abc\" od=\"16.3\" f=\"1.2x\"/><pat sx=\"-\" sy=\"44.45\"/></model>"
        "</item></catalog>");
    const TMnfRec rec = FindTube("Typical", 4);
    const TMnfRec def = DefaultMnfRec();
    EXPECT_EQ(rec.name, "odd");
    EXPECT_EQ(rec.maker, "Typical");
    EXPECT_EQ(rec.d, def.d);
    EXPECT_DOUBLE_EQ(rec.t, 0.0002);
    EXPECT_EQ(rec.id, def.id);
    EXPECT_DOUBLE_EQ(rec.od, 0.0163);
    EXPECT_EQ(rec.tubeF, def.tubeF);
    EXPECT_EQ(rec.sx, def.sx);
    EXPECT_DOUBLE_EQ(rec.sy, 0.04445);
    EXPECT_EQ(rec.kind, def.kind);
    EXPECT_EQ(rec.basis, def.basis);
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Catalog, SaveMakerWritesOnlyWhatDiffersFromTheItem) {
    InstallShippedCatalog();
    LoadMaker("Typical");
    const TMnfRecVec before = MakerCache().Entries;
    const std::string out = (dir_ / "saved.xml").string();
    SaveMaker(out, false);  // no file and no create: nothing
    EXPECT_FALSE(std::filesystem::exists(out));

    // Into a copy of the catalogue: the item's defaults (fin 0.1524 mm Al, tube Cu, factors 1,
    // staggered, by height) are left out.
    std::filesystem::copy_file(CatalogPath(), out);
    SaveMaker(out, false);
    XmlNode root;
    TXMLFile xml(out, 0, root);
    XmlNode item = xml.FindKeyedChild(root, "item", false, "Typical", "maker");
    std::vector<XmlNode> models = xml.GetChildren(item, "model");
    ASSERT_EQ(models.size(), 5u);
    EXPECT_EQ(xml.GetChildren(root, "item").size(), 6u);
    EXPECT_EQ(xml.ReadAttr(models[0], "name"), "1/2 inch");
    EXPECT_EQ(xml.ReadAttr(models[0], "d"), "4");
    EXPECT_FALSE(xml.FindChild(models[0], "fin"));
    EXPECT_FALSE(xml.FindChild(models[0], "circ"));
    XmlNode tube = xml.FindChild(models[0], "tube");
    EXPECT_EQ(xml.ReadAttr(tube, "id"), "12.5222");
    EXPECT_EQ(xml.ReadAttr(tube, "od"), "13.3350");
    EXPECT_EQ(xml.ReadAttr(tube, "mt"), "");
    EXPECT_EQ(xml.ReadAttr(tube, "f"), "");
    XmlNode pat = xml.FindChild(models[0], "pat");
    EXPECT_EQ(xml.ReadAttr(pat, "sx"), "33.000");
    EXPECT_EQ(xml.ReadAttr(pat, "sy"), "38.100");
    EXPECT_EQ(xml.ReadAttr(pat, "kind"), "");
    // "3/8 inch": its own fin thickness and nothing else on the fin.
    XmlNode fin = xml.FindChild(models[1], "fin");
    EXPECT_EQ(xml.ReadAttr(fin, "t"), "0.1200");
    EXPECT_EQ(xml.ReadAttr(fin, "mt"), "");
    EXPECT_EQ(xml.ReadAttr(fin, "f"), "");
    // The in-line entry names its pattern.
    EXPECT_EQ(xml.ReadAttr(xml.FindChild(models[4], "pat"), "kind"), "In-line");

    // Into a new file the item has no defaults of its own: the built-in ones count.
    const std::string fresh = (dir_ / "fresh.xml").string();
    SaveMaker(fresh, true);
    TXMLFile freshXml(fresh, 0, root);
    models = freshXml.GetChildren(freshXml.FindChild(root, "item"), "model");
    ASSERT_EQ(models.size(), 5u);
    EXPECT_EQ(freshXml.ReadAttr(freshXml.FindChild(models[0], "fin"), "t"), "0.1524");
    EXPECT_EQ(freshXml.ReadAttr(freshXml.FindChild(models[0], "fin"), "mt"), "");

    // Saving into the catalogue itself replaces the item's models and reads back the same.
    LoadMaker("GEA");
    const TMnfRecVec gea = MakerCache().Entries;
    SaveMaker("", false);
    ClearMakerCache();
    LoadMaker("GEA");
    testing::ExpectSameEntries(MakerCache().Entries, gea);
    ClearMakerCache();
    LoadMaker("Typical");
    testing::ExpectSameEntries(MakerCache().Entries, before);
}

TEST_F(Catalog, MatchKeepsTheCoilMaterials) {
    InstallShippedCatalog();
    TMnfRec rec = FindTube("Typical", 4);
    rec.name = "";
    rec.d = 0;
    rec.tubeMaterial = "Br";
    rec.finMaterial = "Cu";
    MatchSpecification("Typical", rec);
    EXPECT_EQ(rec.name, "1/2 inch");
    EXPECT_EQ(rec.d, 4);
    EXPECT_EQ(rec.tubeMaterial, "Br");
    EXPECT_EQ(rec.finMaterial, "Cu");
}

TEST_F(Catalog, MatchScoresNameFactorsAndMaterials) {
    InstallShippedCatalog();
    LoadMaker("HC");
    const TMnfRec plain = MakerCache().Entries[1];   // tube factor 1
    const TMnfRec rifled = MakerCache().Entries[2];  // same dimensions, tube factor 1.3

    TMnfRec rec = plain;
    rec.name = "";
    rec.tubeF = 1.3;
    MatchSpecification("HC", rec);
    EXPECT_EQ(rec.name, rifled.name);

    // The name outweighs a factor.
    rec = plain;
    rec.tubeF = 1.3;
    MatchSpecification("HC", rec);
    EXPECT_EQ(rec.name, plain.name);

    // Equal scores: the later entry.
    rec = plain;
    rec.name = "";
    rec.tubeF = 2;
    MatchSpecification("HC", rec);
    EXPECT_EQ(rec.name, rifled.name);

    // Other dimensions: no candidate, the entry with the tube number.
    rec = plain;
    rec.sx = 0.05;
    rec.d = 3;
    MatchSpecification("HC", rec);
    EXPECT_EQ(rec.name, "3/8 inch wavy fin");

    // The pattern counts among the dimensions.
    rec = FindTube("Typical", 4);
    rec.sx = 0.0381;
    rec.kind = 1;
    MatchSpecification("Typical", rec);
    EXPECT_EQ(rec.name, "1/2 inch in-line");
    EXPECT_EQ(rec.maker, "Typical");
}

TEST_F(Catalog, TheMakerListSelectsTheLineOfTheGeometry) {
    InstallShippedCatalog();
    LoadMaker("Typical");
    const TMnfRecVec entries = MakerCache().Entries;
    ASSERT_EQ(entries.size(), 5u);
    for (size_t i = 0; i < entries.size(); ++i) {
        TModelRec geometry;
        ApplyMnf(entries[i], geometry);
        EXPECT_EQ(BestListedMatch(entries, geometry), static_cast<int>(i)) << entries[i].name;
    }
    // Same dimensions, other name and materials: the last of the equal scores.
    TModelRec geometry;
    ApplyMnf(entries[0], geometry);
    geometry.Model = "custom";
    geometry.Mt = 7;
    geometry.Mf = 0;
    TMnfRecVec twice = {entries[0], entries[1], entries[0]};
    twice[2].name = "copy";
    EXPECT_EQ(BestListedMatch(twice, geometry), 2);
    // The name outweighs a material.
    geometry.Model = "1/2 inch";
    twice[2].tubeMaterial = "Br";
    EXPECT_EQ(BestListedMatch(twice, geometry), 0);
    // Dimensions that differ by a thousandth of a millimetre or more do not qualify: the
    // first line stays selected.
    geometry.Sy += 0.000002;
    EXPECT_EQ(BestListedMatch({entries[1], entries[0]}, geometry), 0);
    geometry.Sy -= 0.0000015;
    EXPECT_EQ(BestListedMatch({entries[1], entries[0]}, geometry), 1);
    EXPECT_EQ(BestListedMatch({}, geometry), -1);
}

TEST_F(Catalog, CurrentLineOfTheGeometry) {
    InstallShippedCatalog();
    TModelRec geometry;
    geometry.Mnf = "Typical";
    ApplyMnf(FindTube("Typical", 3), geometry);
    geometry.fc = 1.05;
    EXPECT_EQ(CurrentSpecificationLine(geometry),
              "Typical, 3/8 inch, 9.3000, 10.0000, 21.65, 25.00, 0.1200, Staggered, Cu, Al, 1.050, "
              "1.000, 0");
}

TEST_F(Catalog, SpecificationTextRoundTrip) {
    InstallShippedCatalog();
    const TMnfRec rec = FindTube("Typical", 107);
    const std::string text = FormatSpecification(rec);
    EXPECT_EQ(text,
              "7 mm, 6.7500, 7.3500, 12.7000, 21.0000, 0.1000, Staggered, Cu, Al, 1.0000, "
              "1.0000, 0");
    TMnfRec back = ParseSpecification("Typical", text);
    EXPECT_EQ(back.name, "7 mm");
    EXPECT_EQ(back.d, 0);  // the text carries no tube number
    EXPECT_DOUBLE_EQ(back.od, 0.00735);
    EXPECT_DOUBLE_EQ(back.t, 0.0001);
    MatchSpecification("Typical", back);
    EXPECT_EQ(back, rec);

    TMnfRec inLine = ParseSpecification(
        "Norvane", "x, 14.86, 15.875, 44.45, 44.45, 0.2, in-line, Cu, Al, 1, 1, 1");
    EXPECT_EQ(inLine.kind, 1);
    EXPECT_EQ(inLine.basis, 1);
    EXPECT_EQ(inLine.maker, "Norvane");
}

TEST_F(Catalog, OlderSpecificationForm) {
    InstallShippedCatalog();
    TMnfRec rec = ParseSpecification("Typical", "5i, 15.5, 16.3, 38.1, 44.45, 0.1524, Br, Cu, 1.2, 1");
    EXPECT_EQ(rec.name, "");
    EXPECT_EQ(rec.d, 5);
    EXPECT_EQ(rec.kind, 1);
    EXPECT_DOUBLE_EQ(rec.id, 0.0155);
    EXPECT_DOUBLE_EQ(rec.sy, 0.04445);
    EXPECT_EQ(rec.tubeMaterial, "Br");
    EXPECT_EQ(rec.finMaterial, "Cu");
    EXPECT_DOUBLE_EQ(rec.finF, 1.2);
    EXPECT_EQ(rec.tubeF, 1);
    EXPECT_EQ(rec.basis, 1);

    rec = ParseSpecification("Typical", "3s, 9.3, 10, 21.65, 25, 0.12, Cu, Al, 1, 0");
    EXPECT_EQ(rec.kind, 0);
    EXPECT_EQ(rec.d, 3);
}

TEST_F(Catalog, UnreadableSpecificationsFallBackToTheTubeEntry) {
    InstallShippedCatalog();
    struct Case {
        const char* text;
        const char* entry;
    };
    const Case cases[] = {
        // Current form: the tube number is unknown, so the first entry.
        {"5/8 inch, 15.5, wide, 38.1, 44.45, 0.15, Staggered, Cu, Al, 1, 1, 0", "1/2 inch"},
        {"5/8 inch, 15.5, 16.3, 38.1, 44.45, 0.15, Staggered, Cu, Al, 1, 1", "1/2 inch"},
        {"5/8 inch, 15.5, 16.3, 38.1, 44.45, 0.15, Staggered, Cu, Al, 1, 1, deep", "1/2 inch"},
        // Older form: the tube number read, else 4.
        {"3s, 9.3, wide, 21.65, 25, 0.12, Cu, Al, 1, 0", "3/8 inch"},
        {"107, 6.75, 7.35, 12.7, 21, 0.1, Cu, Al, one, 0", "7 mm"},
        {"s, 9.3, 10, 21.65, 25, 0.12, Cu, Al, 1, 0", "1/2 inch"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        TMnfRec rec = ParseSpecification("Typical", c.text);
        EXPECT_EQ(rec.name, c.entry);
        EXPECT_EQ(rec.maker, "Typical");
    }
    EXPECT_TRUE(messages_.empty());
}

TEST_F(Catalog, UnknownMakerKeepsThePreviousEntries) {
    InstallShippedCatalog();
    LoadMaker("GEA");
    LoadMaker("Nobody");
    EXPECT_EQ(MakerCache().Maker, "Nobody");
    EXPECT_EQ(FindTube("Nobody", 5).maker, "GEA");
    EXPECT_TRUE(messages_.empty());
}

}  // namespace
}  // namespace qdx
