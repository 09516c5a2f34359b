#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <memory>

#include "documents/atomic_file.hpp"
#include "documents/ini_file.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class IniFileTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_ini_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        dir_ = tmpl;
    }
    void TearDown() override { fs::remove_all(dir_); }

    std::string Path(const std::string& name) const { return (dir_ / name).string(); }
    std::string Write(const std::string& name, const std::string& text) const {
        EXPECT_TRUE(WriteFileAtomically(Path(name), text));
        return Path(name);
    }
    static std::string Read(const std::string& path) {
        std::string text;
        ReadWholeFile(path, text);
        return text;
    }

    fs::path dir_;
};

// Both stores must behave the same through the common interface; each factory opens a store
// and makes its changes permanent when asked.
struct StoreKind {
    const char* name;
    std::function<std::unique_ptr<TCustomIniFile>(const std::string&)> open;
};
const StoreKind kStores[] = {
    {"TPowerIniFile", [](const std::string& p) { return std::make_unique<TPowerIniFile>(p); }},
    {"TwIniFile", [](const std::string& p) { return std::make_unique<TwIniFile>(p); }},
};

TEST_F(IniFileTest, SectionAndKeyLookupIgnoresCase) {
    for (const StoreKind& kind : kStores) {
        SCOPED_TRACE(kind.name);
        std::string path = Write("case.ini", "[Coils]\nUnitsPressure = kPa\n[Other]\nx=1\n");
        auto ini = kind.open(path);
        EXPECT_EQ(ini->ReadString("COILS", "unitspressure", "-"), "kPa");
        EXPECT_TRUE(ini->SectionExists("coils"));
        EXPECT_TRUE(ini->ValueExists("cOILS", "UNITSPRESSURE"));
        EXPECT_FALSE(ini->ValueExists("Coils", "x"));
        EXPECT_EQ(ini->ReadString("Coils", "missing", "-"), "-");

        // A write under another spelling replaces the value and keeps the file's spelling.
        ini->WriteString("coils", "UNITSPRESSURE", "bar");
        ASSERT_TRUE(ini->UpdateFile());
        EXPECT_EQ(Read(path), "[Coils]\nUnitsPressure=bar\n[Other]\nx=1\n");
        ini->DeleteKey("COILS", "unitsPRESSURE");
        ini->EraseSection("OTHER");
        ASSERT_TRUE(ini->UpdateFile());
        EXPECT_EQ(Read(path), "[Coils]\n");
    }
}

TEST_F(IniFileTest, TypedReadsGiveTheDefaultForMissingOrUnreadableValues) {
    std::string path = Write("typed.ini",
                             "[v]\nint=12\nhex=0x1F\ndollar=$10\nneg=-3\nfloat=1.25\ncomma=1,5\n"
                             "empty=\nword=abc\nbig=99999999999\none=1\nzero=0\nminus=-1\n"
                             "t=True\nf=FALSE\nyes=yes\nexp=2.5e-3\n");
    struct Case {
        const char* key;
        int asInt;        // default 77
        int asBool;       // default -1 means "the default was returned" (tried with both)
        double asFloat;   // default -9
    } cases[] = {
        {"int", 12, 1, 12},       {"hex", 31, 1, -9},      {"dollar", 16, 1, -9},
        {"neg", -3, 1, -3},       {"float", 77, -1, 1.25}, {"comma", 77, -1, -9},
        {"empty", 77, -1, -9},    {"word", 77, -1, -9},    {"big", 77, 1, 99999999999.0},
        {"one", 1, 1, 1},         {"zero", 0, 0, 0},       {"minus", -1, 1, -1},
        {"t", 77, 1, -9},         {"f", 77, 0, -9},        {"yes", 77, -1, -9},
        {"exp", 77, -1, 0.0025},  {"nokey", 77, -1, -9},
    };
    for (const StoreKind& kind : kStores) {
        auto ini = kind.open(path);
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(kind.name) + " " + c.key);
            EXPECT_EQ(ini->ReadInteger("V", c.key, 77), c.asInt);
            EXPECT_DOUBLE_EQ(ini->ReadFloat("V", c.key, -9), c.asFloat);
            if (c.asBool < 0) {
                EXPECT_TRUE(ini->ReadBool("V", c.key, true));
                EXPECT_FALSE(ini->ReadBool("V", c.key, false));
            } else {
                EXPECT_EQ(ini->ReadBool("V", c.key, c.asBool == 0), c.asBool == 1);
            }
        }
    }
}

TEST_F(IniFileTest, TypedWritesUseTheProgramsTexts) {
    for (const StoreKind& kind : kStores) {
        SCOPED_TRACE(kind.name);
        std::string path = Path(std::string(kind.name) + ".ini");
        auto ini = kind.open(path);
        ini->WriteBool("W", "On", true);
        ini->WriteBool("W", "Off", false);
        ini->WriteInteger("W", "Count", -42);
        ini->WriteFloat("W", "Tenth", 0.1);
        ini->WriteFloat("W", "Third", 1.0 / 3.0);
        ini->WriteString("W", "Text", " padded ");
        ini->WriteString("W", "Lines", "one\r\ntwo\nthree");
        ASSERT_TRUE(ini->UpdateFile());
        EXPECT_EQ(Read(path),
                  "[W]\nOn=1\nOff=0\nCount=-42\nTenth=0.1\nThird=0.333333333333333\nText=padded\n"
                  "Lines=one%13%10two%13%10three\n");
        auto again = kind.open(path);
        EXPECT_TRUE(again->ReadBool("w", "on", false));
        EXPECT_EQ(again->ReadInteger("w", "count", 0), -42);
        EXPECT_DOUBLE_EQ(again->ReadFloat("w", "tenth", 0), 0.1);
    }
}

TEST_F(IniFileTest, RewritingKeepsOrderCommentsAndLayout) {
    const std::string original =
        "; settings written by hand\n"
        "\n"
        "[First]\n"
        "# a comment inside\n"
        "Alpha = 1\n"
        "Beta=2\n"
        "stray line without equals\n"
        "\n"
        "[Second]\n"
        "Gamma=3\n";
    for (const StoreKind& kind : kStores) {
        SCOPED_TRACE(kind.name);
        std::string path = Write("layout.ini", original);
        auto ini = kind.open(path);
        EXPECT_EQ(ini->ReadSections(), (std::vector<std::string>{"First", "Second"}));
        EXPECT_EQ(ini->ReadSection("first"), (std::vector<std::string>{"Alpha", "Beta"}));
        EXPECT_EQ(ini->ReadSectionValues("FIRST"), (std::vector<std::string>{"Alpha=1", "Beta=2"}));
        EXPECT_TRUE(ini->ReadSection("nothing").empty());

        ini->WriteString("First", "Beta", "20");
        ini->WriteString("First", "Delta", "4");
        ini->WriteString("Third", "Eps", "5");
        ini->WriteString("Second", "Gamma", "3");  // unchanged
        ASSERT_TRUE(ini->UpdateFile());
        EXPECT_EQ(Read(path),
                  "; settings written by hand\n"
                  "\n"
                  "[First]\n"
                  "# a comment inside\n"
                  "Alpha = 1\n"
                  "Beta=20\n"
                  "stray line without equals\n"
                  "Delta=4\n"
                  "\n"
                  "[Second]\n"
                  "Gamma=3\n"
                  "\n"
                  "[Third]\n"
                  "Eps=5\n");
    }
}

TEST_F(IniFileTest, CrLfFilesStayCrLfAndRepeatedSectionsAreOne) {
    std::string path = Write("crlf.ini", "[A]\r\nx=1\r\n[B]\r\ny=2\r\n[a]\r\nz=3\r\n");
    TPowerIniFile ini(path);
    EXPECT_EQ(ini.ReadSections(), (std::vector<std::string>{"A", "B"}));
    EXPECT_EQ(ini.ReadString("A", "z", ""), "3");
    ini.WriteString("B", "y", "5");
    ASSERT_TRUE(ini.UpdateFile());
    EXPECT_EQ(Read(path), "[A]\r\nx=1\r\nz=3\r\n[B]\r\ny=5\r\n");
}

TEST_F(IniFileTest, WriteSectionValuesSkipsTextsWithoutEquals) {
    TPowerIniFile ini(Path("values.ini"));
    WriteSectionValues(ini, "List", {" a = 1 ", "no equals", "b=2=3", "=orphan"});
    EXPECT_EQ(ini.ReadSectionValues("List"), (std::vector<std::string>{"a=1", "b=2=3"}));
}

TEST_F(IniFileTest, PowerIniWritesOnlyOnUpdateAndOnlyWhenChanged) {
    std::string path = Path("lazy.ini");
    {
        TPowerIniFile ini(path);
        ini.WriteString("S", "k", "v");
        EXPECT_FALSE(fs::exists(path));
        ini.DeleteKey("S", "k");
        ini.EraseSection("S");
    }
    EXPECT_FALSE(fs::exists(path));  // no auto-update unless asked for
    {
        TPowerIniFile ini(path);
        ini.SetAutoUpdate(true);
        ini.WriteString("S", "k", "v");
    }
    EXPECT_EQ(Read(path), "[S]\nk=v\n");
    auto before = fs::last_write_time(path);
    TPowerIniFile same(path);
    same.WriteString("S", "K", "v");
    EXPECT_FALSE(same.Modified());
    ASSERT_TRUE(same.UpdateFile());
    EXPECT_EQ(fs::last_write_time(path), before);
}

TEST_F(IniFileTest, TwoPowerStoresOnOneFileKeepEachOthersChanges) {
    std::string path = Write("shared.ini", "[Main]\nLeft=10\nTop=20\n[Gone]\nx=1\n");
    TPowerIniFile first(path);
    TPowerIniFile second(path);
    first.WriteString("Main", "Left", "11");
    first.EraseSection("Gone");
    second.WriteString("Main", "Top", "21");
    second.WriteString("Units", "Pressure", "kPa");
    ASSERT_TRUE(first.UpdateFile());
    ASSERT_TRUE(second.UpdateFile());
    EXPECT_EQ(Read(path), "[Main]\nLeft=11\nTop=21\n\n[Units]\nPressure=kPa\n");
    EXPECT_EQ(second.ReadString("Main", "Left", ""), "11");
}

TEST_F(IniFileTest, FailedWriteKeepsTheOldFile) {
    // A name that fits but whose temporary file name does not: the write fails before the
    // old file is touched, whoever runs the test.
    std::string path = Path(std::string(250, 'n') + ".ini");
    std::ofstream(path) << "[S]\nk=old\n";
    TPowerIniFile power(path);
    power.WriteString("S", "k", "new");
    EXPECT_FALSE(power.UpdateFile());
    EXPECT_TRUE(power.Modified());
    EXPECT_EQ(Read(path), "[S]\nk=old\n");

    TwIniFile direct(path);
    EXPECT_FALSE(direct.WriteString("S", "k", "new"));
    EXPECT_FALSE(direct.EraseSection("S"));
    EXPECT_EQ(direct.ReadString("S", "k", ""), "old");
    EXPECT_EQ(Read(path), "[S]\nk=old\n");
    for (const auto& entry : fs::directory_iterator(dir_))
        EXPECT_EQ(entry.path().string(), path) << "left behind";
}

TEST_F(IniFileTest, TwIniFileSeesOtherWritersAtOnce) {
    std::string path = Path("direct.ini");
    TwIniFile a(path), b(path);
    ASSERT_TRUE(a.WriteString("S", "k", "1"));
    EXPECT_EQ(b.ReadString("s", "K", ""), "1");
    ASSERT_TRUE(b.WriteInteger("S", "k", 2));
    EXPECT_EQ(a.ReadInteger("S", "k", 0), 2);
    EXPECT_FALSE(TwIniFile(Path("missing.ini")).SectionExists("S"));
}

}  // namespace
}  // namespace qdx
