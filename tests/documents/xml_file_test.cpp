#include "documents/xml_file.hpp"

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/messages.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class XmlFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_xml_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        setenv("QDX_COMMON_DIR", (dir_ / "common").c_str(), 1);
    }
    void TearDown() override {
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }

    std::string PathOf(const std::string& name) const { return (dir_ / name).string(); }

    std::string WriteRaw(const std::string& name, const std::string& content) const {
        std::string path = PathOf(name);
        std::ofstream(path, std::ios::binary) << content;
        return path;
    }

    static std::string ChildNames(XmlNode parent) {
        std::string names;
        for (XmlNode n : parent.children()) names += std::string(n.name()) + ";";
        return names;
    }

    fs::path dir_;
};

// ---- Opening -------------------------------------------------------------------------------

TEST_F(XmlFileTest, MissingFileGivesEmptyDocumentWithoutError) {
    XmlNode root = XmlNode();
    TXMLFile xml(PathOf("nothere.cqx"), 0, root);
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_TRUE(xml.ErrorMessage.empty());
    EXPECT_FALSE(root);
    EXPECT_FALSE(xml.DocumentElement());
    EXPECT_EQ(xml.FileName, PathOf("nothere.cqx"));
}

TEST_F(XmlFileTest, ContentThatIsNotWellFormedGivesStatusOneAndEmptyDocument) {
    const std::vector<std::pair<std::string, std::string>> cases = {
        {"plain text", "Just some notes, no markup\n"},
        {"empty file", ""},
        {"unclosed element", "<datafile><qdx></datafile>"},
        {"two top-level elements", "<datafile/><datafile/>"},
    };
    for (const auto& [what, content] : cases) {
        SCOPED_TRACE(what);
        XmlNode root = XmlNode();
        TXMLFile xml(WriteRaw("bad.cqx", content), 0, root);
        EXPECT_EQ(xml.ReadStatus, 1);
        EXPECT_FALSE(xml.ErrorMessage.empty());
        EXPECT_FALSE(root);
        EXPECT_FALSE(xml.DocumentElement());
        EXPECT_FALSE(xml.IsDocument("datafile", "", ""));
    }
}

TEST_F(XmlFileTest, LoadingFromStringReplacesDocumentAndReportsErrors) {
    TXMLFile xml;
    xml.LoadFromString("<a><b>1</b></a>");
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_STREQ(xml.DocumentElement().name(), "a");
    xml.LoadFromString("<a><b>1</a>");
    EXPECT_EQ(xml.ReadStatus, 1);
    EXPECT_EQ(xml.ErrorMessage, "Start-end tags mismatch");
    EXPECT_FALSE(xml.DocumentElement());
    xml.LoadFromString("<c/>");
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_TRUE(xml.ErrorMessage.empty());
}

TEST_F(XmlFileTest, ModeOneLoadsThenEmptiesForRebuilding) {
    std::string path = WriteRaw("old.cqx", "<datafile program=\"QDX\"><qdx><rows>4</rows></qdx></datafile>");
    XmlNode root = XmlNode();
    {
        TXMLFile reader(path, 0, root);
        ASSERT_TRUE(root);
        EXPECT_STREQ(root.name(), "datafile");
    }
    TXMLFile writer(path, 1, root);
    EXPECT_EQ(writer.ReadStatus, 0);
    EXPECT_FALSE(root);
    EXPECT_FALSE(writer.DocumentElement());
    root = writer.NewDocument("datafile", "QDX", "1.0.0.0");
    writer.WriteInt(writer.FindPath(root, {"qdx"}, true), "rows", true, 6);
    ASSERT_TRUE(writer.Save());

    TXMLFile again(path);
    EXPECT_EQ(again.ReadInt(again.FindPath({}, {"datafile", "qdx"}), "rows", 0), 6);
}

TEST_F(XmlFileTest, SingleByteFilesAreReadAsWindows1252) {
    // "25 °C" and a euro sign in the single-byte code page of older files.
    std::string declared = WriteRaw(
        "declared.xml", "<?xml version=\"1.0\" encoding=\"windows-1252\"?>\n<a><t>25 \xB0" "C</t><e>\x80</e></a>");
    TXMLFile xml(declared);
    ASSERT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(xml.ReadText(xml.DocumentElement(), "t"), "25 \u00B0C");
    EXPECT_EQ(xml.ReadText(xml.DocumentElement(), "e"), "\u20AC");

    std::string undeclared = WriteRaw("undeclared.xml", "<a><t>5 \xB5m</t></a>");
    TXMLFile plain(undeclared);
    ASSERT_EQ(plain.ReadStatus, 0);
    EXPECT_EQ(plain.ReadText(plain.DocumentElement(), "t"), "5 \u00B5m");

    std::string utf8 = WriteRaw("utf8.xml", "<a><t>25 \u00B0C</t></a>");
    TXMLFile unicode(utf8);
    EXPECT_EQ(unicode.ReadText(unicode.DocumentElement(), "t"), "25 \u00B0C");
}

// ---- Header ----------------------------------------------------------------------------------

TEST_F(XmlFileTest, NewDocumentWritesHeaderAttributesInOrder) {
    TXMLFile xml;
    xml.LoadFromString("<old><x/></old>");
    XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
    ASSERT_TRUE(root);
    EXPECT_EQ(xml.DocumentElement(), root);
    std::vector<std::pair<std::string, std::string>> attrs;
    for (auto a : root.attributes()) attrs.emplace_back(a.name(), a.value());
    const std::vector<std::pair<std::string, std::string>> expected = {
        {"program", "QDX"}, {"generator", "Calorix Software"}, {"version", "1.0.0.0"}};
    EXPECT_EQ(attrs, expected);
    EXPECT_FALSE(root.first_child());
}

TEST_F(XmlFileTest, IsDocumentComparesNameProgramAndVersionIgnoringCase) {
    TXMLFile xml;
    xml.LoadFromString("<DataFile program=\"qdx\" version=\"2.5\"/>");
    struct Case {
        const char* root;
        const char* program;
        const char* version;
        bool expected;
    };
    const Case cases[] = {
        {"datafile", "QDX", "", true},     // any version accepted
        {"datafile", "", "", true},        // any program accepted
        {"datafile", "QDX", "2.5", true},
        {"datafile", "QDX", "1.0.0.0", false},
        {"datafile", "PHX", "", false},
        {"catalog", "QDX", "", false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(std::string(c.root) + "/" + c.program + "/" + c.version);
        EXPECT_EQ(xml.IsDocument(c.root, c.program, c.version), c.expected);
        EXPECT_EQ(xml.ReadStatus, 0);
    }
    xml.LoadFromString("<datafile version=\"1\"/>");
    EXPECT_FALSE(xml.IsDocument("datafile", "QDX", ""));  // a missing program never matches
}

// ---- Navigation ------------------------------------------------------------------------------

TEST_F(XmlFileTest, FindChildIsExactAndCreatesAtIndex) {
    TXMLFile xml;
    xml.LoadFromString("<r><fat/><air/></r>");
    XmlNode r = xml.DocumentElement();
    EXPECT_EQ(xml.FindChild(r, "air"), r.child("air"));
    EXPECT_FALSE(xml.FindChild(r, "Fat"));
    EXPECT_EQ(ChildNames(r), "fat;air;");

    XmlNode first = xml.FindChild(r, "head", 0, true);
    XmlNode middle = xml.FindChild(r, "mid", 2, true);
    XmlNode last = xml.FindChild(r, "tail", 99, true);
    XmlNode appended = xml.FindChild(r, "end", -1, true);
    EXPECT_TRUE(first && middle && last && appended);
    EXPECT_EQ(ChildNames(r), "head;fat;mid;air;tail;end;");
    EXPECT_EQ(xml.FindChild(r, "fat", 0, true), r.child("fat"));  // found, not added again
    EXPECT_EQ(ChildNames(r), "head;fat;mid;air;tail;end;");
    EXPECT_FALSE(xml.FindChild(XmlNode(), "fat", -1, true));
}

TEST_F(XmlFileTest, FindPathWalksFromDocumentOrStart) {
    TXMLFile xml;
    xml.LoadFromString("<DataFile><qdx><fat><rows>4</rows></fat></qdx></DataFile>");
    XmlNode fat = xml.FindPath({}, {"datafile", "qdx", "fat"});
    ASSERT_TRUE(fat);
    EXPECT_STREQ(fat.name(), "fat");
    EXPECT_EQ(xml.FindPath(xml.DocumentElement(), {"qdx", "fat"}), fat);
    EXPECT_EQ(xml.FindPath({}, {"datafile"}), xml.DocumentElement());

    EXPECT_FALSE(xml.FindPath({}, {}));
    EXPECT_FALSE(xml.FindPath({}, {"catalog", "qdx"}));
    EXPECT_FALSE(xml.FindPath({}, {"datafile", "air", "fat"}));  // missing on the way
    EXPECT_FALSE(xml.FindPath({}, {"datafile", "QDX"}));         // child lookup is exact

    XmlNode made = xml.FindPath({}, {"datafile", "qdx", "liquidstate", "liquid"}, true);
    ASSERT_TRUE(made);
    EXPECT_EQ(made.parent().parent(), xml.DocumentElement().child("qdx"));
    EXPECT_EQ(ChildNames(xml.DocumentElement().child("qdx")), "fat;liquidstate;");

    // Another root cannot be added beside the document element.
    EXPECT_FALSE(xml.FindPath({}, {"catalog", "item"}, true));
    EXPECT_EQ(ChildNames(xml.DocumentElement().parent()), "DataFile;");
}

TEST_F(XmlFileTest, FindPathCreatesTheRootOfAnEmptyDocument) {
    TXMLFile xml;
    XmlNode node = xml.FindPath({}, {"catalog", "item"}, true);
    ASSERT_TRUE(node);
    EXPECT_STREQ(xml.DocumentElement().name(), "catalog");
    EXPECT_EQ(node.parent(), xml.DocumentElement());
}

TEST_F(XmlFileTest, FindKeyedChildMatchesKeyTextIgnoringCase) {
    TXMLFile xml;
    xml.LoadFromString(
        "<catalog>"
        "<item><range>x</range></item>"
        "<item><maker>GEA</maker><n>1</n></item>"
        "<ITEM><maker>Recoil</maker></ITEM>"
        "<item><maker>gea</maker><n>2</n></item>"
        "</catalog>");
    XmlNode cat = xml.DocumentElement();
    std::string before = xml.SaveToString();

    XmlNode gea = xml.FindKeyedChild(cat, "item", false, "Gea", "maker");
    ASSERT_TRUE(gea);
    EXPECT_STREQ(gea.child("n").text().get(), "1");  // the first match in document order
    EXPECT_TRUE(xml.FindKeyedChild(cat, "item", false, "RECOIL", "maker"));
    EXPECT_FALSE(xml.FindKeyedChild(cat, "item", false, "GEA", "Maker"));  // key lookup is exact

    EXPECT_FALSE(xml.FindKeyedChild(cat, "item", false, "BAC", "maker"));
    EXPECT_EQ(xml.SaveToString(), before);

    XmlNode bac = xml.FindKeyedChild(cat, "item", true, "BAC", "maker");
    ASSERT_TRUE(bac);
    EXPECT_EQ(bac, cat.last_child());
    EXPECT_STREQ(bac.name(), "item");
    EXPECT_STREQ(bac.child("maker").text().get(), "BAC");
    EXPECT_EQ(xml.FindKeyedChild(cat, "item", true, "bac", "maker"), bac);
    EXPECT_EQ(xml.GetChildren(cat, "item").size(), 5u);
    EXPECT_FALSE(xml.FindKeyedChild(XmlNode(), "item", true, "BAC", "maker"));
}

TEST_F(XmlFileTest, GetChildrenAndReadTextListScanIgnoringCase) {
    TXMLFile xml;
    xml.LoadFromString(
        "<catalog>"
        "<item><maker>GEA</maker></item>"
        "<other><maker>no</maker></other>"
        "<Item><maker>BAC</maker></Item>"
        "<item><range>no maker</range></item>"
        "<item><maker></maker></item>"
        "</catalog>");
    XmlNode cat = xml.DocumentElement();
    std::vector<XmlNode> items = xml.GetChildren(cat, "ITEM");
    ASSERT_EQ(items.size(), 4u);
    EXPECT_STREQ(items[1].name(), "Item");

    std::vector<std::string> list = {"stale"};
    xml.ReadTextList(cat, "item", list, "maker");
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(list, (std::vector<std::string>{"GEA", "BAC", ""}));

    xml.LoadFromString("<catalog/>");
    EXPECT_TRUE(xml.ReadTextList(xml.DocumentElement(), "item", "maker").empty());
    EXPECT_EQ(xml.ReadStatus, 2);

    xml.LoadFromString("<catalog><item><maker>A</maker></item><item><maker><x/></maker></item></catalog>");
    EXPECT_TRUE(xml.ReadTextList(xml.DocumentElement(), "item", "maker").empty());
    EXPECT_EQ(xml.ReadStatus, 3);
}

// ---- Reading values --------------------------------------------------------------------------

TEST_F(XmlFileTest, ReadTextStatuses) {
    TXMLFile xml;
    xml.LoadFromString("<r><name>Coil 1</name><empty/><blank></blank><group><a>1</a></group></r>");
    XmlNode r = xml.DocumentElement();
    struct Case {
        const char* name;
        std::string expected;
        int status;
    };
    const Case cases[] = {
        {"name", "Coil 1", 0},
        {"empty", "", 0},
        {"blank", "", 0},
        {"missing", "dflt", 2},
        {"group", "dflt", 5},
        {"NAME", "dflt", 2},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(xml.ReadText(r, c.name, "dflt"), c.expected);
        EXPECT_EQ(xml.ReadStatus, c.status);
    }
    EXPECT_EQ(xml.ReadText(XmlNode(), "name", "dflt"), "dflt");
    EXPECT_EQ(xml.ReadStatus, 4);
}

TEST_F(XmlFileTest, ReadFloatAndIntConvertOrFallBack) {
    TXMLFile xml;
    xml.LoadFromString(
        "<r><f> 2.5e-3 </f><bad>abc</bad><comma>1,5</comma><i>-12</i><hex>$1F</hex>"
        "<frac>1.5</frac><huge>99999999999</huge><group><a/></group><empty/></r>");
    XmlNode r = xml.DocumentElement();

    EXPECT_DOUBLE_EQ(xml.ReadFloat(r, "f", 7), 0.0025);
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(xml.ReadFloat(r, "missing", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 2);
    EXPECT_EQ(xml.ReadFloat(r, "bad", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 3);
    EXPECT_EQ(xml.ReadFloat(r, "comma", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 3);
    EXPECT_EQ(xml.ReadFloat(r, "empty", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 3);
    EXPECT_EQ(xml.ReadFloat(r, "group", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 5);
    EXPECT_EQ(xml.ReadFloat(XmlNode(), "f", 7.25), 7.25);
    EXPECT_EQ(xml.ReadStatus, 4);
    // A missing value goes through the default's 15-digit text.
    EXPECT_EQ(xml.ReadFloat(r, "missing", 1.0 / 3.0), 0.333333333333333);

    EXPECT_EQ(xml.ReadInt(r, "i", 5), -12);
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(xml.ReadInt(r, "hex", 5), 31);
    EXPECT_EQ(xml.ReadInt(r, "missing", 5), 5);
    EXPECT_EQ(xml.ReadStatus, 2);
    for (const char* name : {"frac", "huge", "bad", "empty"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(xml.ReadInt(r, name, 5), 5);
        EXPECT_EQ(xml.ReadStatus, 3);
    }
}

TEST_F(XmlFileTest, ReadBoolKnowsSixWordsIgnoringCase) {
    const std::vector<std::pair<std::string, bool>> words = {
        {"true", true}, {"T", true}, {"YES", true}, {"yes", true},
        {"FALSE", false}, {"f", false}, {"No", false}};
    for (const auto& [word, expected] : words) {
        SCOPED_TRACE(word);
        TXMLFile xml;
        xml.LoadFromString("<r><b>" + word + "</b></r>");
        EXPECT_EQ(xml.ReadBool(xml.DocumentElement(), "b", !expected), expected);
    }
    for (const char* other : {"1", "0", "y", "on", "", "truth"}) {
        SCOPED_TRACE(other);
        TXMLFile xml;
        xml.LoadFromString(std::string("<r><b>") + other + "</b></r>");
        EXPECT_TRUE(xml.ReadBool(xml.DocumentElement(), "b", true));
        EXPECT_FALSE(xml.ReadBool(xml.DocumentElement(), "b", false));
    }
    TXMLFile xml;
    xml.LoadFromString("<r/>");
    EXPECT_TRUE(xml.ReadBool(xml.DocumentElement(), "b", true));
    EXPECT_EQ(xml.ReadStatus, 2);
}

TEST_F(XmlFileTest, AttributeReads) {
    TXMLFile xml;
    xml.LoadFromString(
        "<catalog program=\"QDX\"><item><model name=\"5/8\" d=\"4\" t=\"0.15\" empty=\"\" bad=\"x\"/>"
        "</item></catalog>");
    XmlNode model = xml.FindPath({}, {"catalog", "item", "model"});
    ASSERT_TRUE(model);

    EXPECT_EQ(xml.ReadAttr(model, "name", "none"), "5/8");
    EXPECT_EQ(xml.ReadStatus, 0);
    for (const char* name : {"missing", "empty"}) {
        SCOPED_TRACE(name);
        EXPECT_EQ(xml.ReadAttr(model, name, "none"), "none");
        EXPECT_EQ(xml.ReadStatus, 6);
    }
    EXPECT_EQ(xml.ReadAttr(XmlNode(), "name", "none"), "none");
    EXPECT_EQ(xml.ReadStatus, 0);  // no element is not a missing attribute

    EXPECT_EQ(xml.ReadAttrInt(model, "d", 0), 4);
    EXPECT_DOUBLE_EQ(xml.ReadAttrFloat(model, "t", 0), 0.15);
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(xml.ReadAttrInt(model, "t", 9), 9);
    EXPECT_EQ(xml.ReadStatus, 3);
    EXPECT_EQ(xml.ReadAttrFloat(model, "bad", 1.5), 1.5);
    EXPECT_EQ(xml.ReadStatus, 3);
    EXPECT_EQ(xml.ReadAttrFloat(model, "missing", 1.5), 1.5);
    EXPECT_EQ(xml.ReadStatus, 6);

    EXPECT_EQ(xml.ReadPathAttr({}, {"catalog", "item", "model"}, "?", "d"), "4");
    EXPECT_EQ(xml.ReadPathAttr({}, {"Catalog"}, "?", "program"), "QDX");
    EXPECT_EQ(xml.ReadPathAttr({}, {"catalog", "nothing", "model"}, "?", "d"), "?");
    EXPECT_EQ(xml.ReadStatus, 0);
    EXPECT_EQ(xml.ReadPathAttr({}, {"catalog", "item", "model"}, "?", "none"), "?");
    EXPECT_EQ(xml.ReadStatus, 6);
    EXPECT_FALSE(xml.FindPath({}, {"catalog", "nothing"}));  // the read created nothing
}

// ---- Writing values --------------------------------------------------------------------------

TEST_F(XmlFileTest, WriteTextReusesOrAppends) {
    TXMLFile xml;
    XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");

    XmlNode first = xml.WriteText(root, "name", true, "one");
    XmlNode second = xml.WriteText(root, "name", true, "two");
    EXPECT_EQ(xml.WriteStatus, 0);
    EXPECT_EQ(first, second);
    EXPECT_EQ(xml.GetChildren(root, "name").size(), 1u);
    EXPECT_EQ(xml.ReadText(root, "name"), "two");

    XmlNode third = xml.WriteText(root, "name", false, "three");
    EXPECT_NE(third, first);
    EXPECT_EQ(xml.GetChildren(root, "name").size(), 2u);
    EXPECT_EQ(xml.ReadText(root, "name"), "two");
    EXPECT_STREQ(third.text().get(), "three");

    xml.WriteText(root, "name", true, "");
    EXPECT_EQ(xml.ReadText(root, "name", "dflt"), "");
    EXPECT_EQ(xml.ReadStatus, 0);
}

TEST_F(XmlFileTest, HandIndentedEmptyElementTakesChildrenCleanly) {
    TXMLFile xml;
    xml.LoadFromString("<datafile>\n  <qdx>\n  </qdx>\n  <air>\n  </air>\n</datafile>");
    XmlNode qdx = xml.FindPath({}, {"datafile", "qdx"});
    XmlNode air = xml.FindPath({}, {"datafile", "air"});
    EXPECT_TRUE(xml.ReadTextList(qdx, "item", "maker").empty());
    EXPECT_EQ(xml.ReadStatus, 2);
    xml.WriteInt(qdx, "rows", true, 4);
    xml.FindChild(air, "db", 0, true);
    EXPECT_EQ(xml.SaveToString(),
              "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
              "<datafile>\n"
              "  <qdx>\n"
              "    <rows>4</rows>\n"
              "  </qdx>\n"
              "  <air>\n"
              "    <db />\n"
              "  </air>\n"
              "</datafile>\n");
}

TEST_F(XmlFileTest, WriteFailuresSetWriteStatus) {
    TXMLFile xml;
    XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
    std::string before = xml.SaveToString();
    EXPECT_FALSE(xml.WriteText(XmlNode(), "name", true, "x"));
    EXPECT_EQ(xml.WriteStatus, 2);
    EXPECT_FALSE(xml.WriteFloat(XmlNode(), "v", true, "%0.3f", 1.0));
    EXPECT_EQ(xml.WriteStatus, 2);
    EXPECT_EQ(xml.SaveToString(), before);

    // An element holding elements keeps them rather than taking a text.
    XmlNode qdx = xml.FindChild(root, "qdx", -1, true);
    xml.WriteInt(qdx, "rows", true, 4);
    xml.WriteText(root, "qdx", true, "flat");
    EXPECT_EQ(xml.WriteStatus, 1);
    EXPECT_EQ(xml.ReadInt(qdx, "rows", 0), 4);

    xml.WriteBool(root, "ok", true, true);
    EXPECT_EQ(xml.WriteStatus, 0);
}

TEST_F(XmlFileTest, TypedWritersFormatTheirValues) {
    TXMLFile xml;
    XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
    xml.WriteFloat(root, "g", true, "%0.6g", 101.325);
    xml.WriteFloat(root, "small", true, "%0.6g", 0.000001234567);
    xml.WriteFloat(root, "f", true, "%0.7f", 0.0254);
    xml.WriteFloat(root, "m", true, "%0.3f", -2.0005);
    xml.WriteInt(root, "i", true, -42);
    xml.WriteBool(root, "yes", true, true);
    xml.WriteBool(root, "no", true, false);
    EXPECT_STREQ(root.child("g").text().get(), "101.325");
    EXPECT_STREQ(root.child("small").text().get(), "1.23457E-6");
    EXPECT_STREQ(root.child("f").text().get(), "0.0254000");
    EXPECT_STREQ(root.child("m").text().get(), "-2.001");
    EXPECT_STREQ(root.child("i").text().get(), "-42");
    EXPECT_STREQ(root.child("yes").text().get(), "true");
    EXPECT_STREQ(root.child("no").text().get(), "false");
}

TEST_F(XmlFileTest, SetAttrAddsOrReplaces) {
    TXMLFile xml;
    XmlNode root = xml.NewDocument("catalog", "QDX", "1.0");
    XmlNode model = xml.AddChild(root, "model");
    xml.SetAttr(model, "d", "4");
    xml.SetAttr(model, "d", "5");
    xml.SetAttr(model, "name", "a<b & \"c\"");
    xml.SetAttr(XmlNode(), "d", "6");
    EXPECT_EQ(xml.ReadAttr(model, "d"), "5");
    EXPECT_EQ(std::distance(model.attributes_begin(), model.attributes_end()), 2);
    EXPECT_FALSE(xml.AddChild(XmlNode(), "model"));
    EXPECT_EQ(xml.GetChildren(root, "model").size(), 1u);
    xml.AddChild(root, "model");
    EXPECT_EQ(xml.GetChildren(root, "model").size(), 2u);
}

// ---- Saving ----------------------------------------------------------------------------------

TEST_F(XmlFileTest, DataFileRoundTrip) {
    std::string path = PathOf("coil.cqx");
    {
        XmlNode unused = XmlNode();
        TXMLFile xml(path, 1, unused);
        XmlNode root = xml.NewDocument("datafile", "QDX", "1.0.0.0");
        XmlNode props = xml.FindChild(root, "fileprops", -1, true);
        xml.WriteText(props, "title", true, "AHU 3 \u00B0C & <cooling>");
        xml.WriteText(props, "blank", true, "  ");
        XmlNode qdx = xml.FindChild(root, "qdx", -1, true);
        xml.SetAttr(qdx, "kind", "CW");
        xml.WriteFloat(qdx, "barometer", true, "%0.6g", 101.325);
        xml.WriteFloat(qdx, "airflow", true, "%0.7f", 2.3456789012);
        xml.WriteInt(qdx, "mode", true, 1);
        xml.WriteBool(qdx, "solved", true, true);
        XmlNode fat = xml.FindPath(qdx, {"fat"}, true);
        xml.WriteFloat(fat, "fHeight", true, "%0.6g", 0.544);
        xml.WriteInt(fat, "rows", true, 4);
        xml.WriteBool(fat, "wet", true, false);
        XmlNode liquid = xml.FindPath({}, {"datafile", "qdx", "liquidstate", "liquid"}, true);
        xml.SetAttr(liquid, "name", "Ethylene Glycol 30%");
        xml.WriteText(liquid, "empty", true, "");
        ASSERT_TRUE(xml.Save());
    }

    std::string text;
    ASSERT_TRUE(ReadWholeFile(path, text));
    EXPECT_EQ(text.rfind("<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<datafile", 0), 0u);
    EXPECT_NE(text.find("\n  <fileprops>\n    <title>"), std::string::npos);  // one element per line

    XmlNode root = XmlNode();
    TXMLFile xml(path, 0, root);
    ASSERT_EQ(xml.ReadStatus, 0);
    ASSERT_TRUE(root);
    EXPECT_TRUE(xml.IsDocument("datafile", "QDX", "1.0.0.0"));
    EXPECT_EQ(xml.ReadAttr(root, "generator"), "Calorix Software");
    XmlNode props = xml.FindPath(root, {"fileprops"});
    EXPECT_EQ(xml.ReadText(props, "title"), "AHU 3 \u00B0C & <cooling>");
    EXPECT_EQ(xml.ReadText(props, "blank"), "  ");
    XmlNode qdx = xml.FindPath({}, {"datafile", "qdx"});
    EXPECT_EQ(xml.ReadAttr(qdx, "kind"), "CW");
    EXPECT_EQ(xml.ReadFloat(qdx, "barometer", 0), 101.325);
    EXPECT_EQ(xml.ReadFloat(qdx, "airflow", 0), 2.3456789);
    EXPECT_EQ(xml.ReadInt(qdx, "mode", 0), 1);
    EXPECT_TRUE(xml.ReadBool(qdx, "solved", false));
    XmlNode fat = xml.FindPath(qdx, {"fat"});
    EXPECT_EQ(xml.ReadFloat(fat, "fHeight", 0), 0.544);
    EXPECT_EQ(xml.ReadInt(fat, "rows", 0), 4);
    EXPECT_FALSE(xml.ReadBool(fat, "wet", true));
    XmlNode liquid = xml.FindPath(qdx, {"liquidstate", "liquid"});
    EXPECT_EQ(xml.ReadAttr(liquid, "name"), "Ethylene Glycol 30%");
    EXPECT_EQ(xml.ReadText(liquid, "empty", "x"), "");
    EXPECT_EQ(xml.ReadStatus, 0);

    // Saving what was read gives the same file again.
    EXPECT_EQ(xml.SaveToString(), text);
}

TEST_F(XmlFileTest, SaveWithoutFileNameShowsMessageAndWritesNothing) {
    std::vector<std::string> shown;
    MessageHandler previous = SetMessageHandler([&](const std::string& t) { shown.push_back(t); });
    TXMLFile xml;
    xml.NewDocument("datafile", "QDX", "1.0.0.0");
    EXPECT_FALSE(xml.Save());
    SetMessageHandler(previous);
    EXPECT_EQ(shown, std::vector<std::string>{"File name not known"});
    EXPECT_TRUE(fs::is_empty(dir_));
}

TEST_F(XmlFileTest, FailedSaveReportsWhySavingReplacesWhole) {
    std::string blocker = WriteRaw("blocker", "not a folder");
    TXMLFile xml(blocker + "/coil.cqx");
    xml.NewDocument("datafile", "QDX", "1.0.0.0");
    EXPECT_FALSE(xml.Save());
    EXPECT_FALSE(xml.ErrorMessage.empty());

    // Saving over a file that holds something else replaces it whole.
    std::string path = WriteRaw("coil.cqx", "<old/>");
    TXMLFile other(path);
    other.NewDocument("datafile", "QDX", "1.0.0.0");
    ASSERT_TRUE(other.Save());
    TXMLFile reread(path);
    EXPECT_TRUE(reread.IsDocument("datafile", "QDX", ""));
}

TEST_F(XmlFileTest, ClearEmptiesTheDocument) {
    TXMLFile xml;
    xml.LoadFromString("<a><b/></a>");
    xml.Clear();
    EXPECT_FALSE(xml.DocumentElement());
    EXPECT_FALSE(xml.IsDocument("a", "", ""));
    EXPECT_EQ(xml.ReadStatus, 1);
}

}  // namespace
}  // namespace qdx
