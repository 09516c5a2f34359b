// Damaged input for the document readers: the XML helper, the tagged value stream, the INI
// stores and the units file. Each reader must keep its contract on every damaged text: no
// crash, no exception it does not promise, no hang, and nothing lost that the damage did not
// touch.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include <unistd.h>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/ini_file.hpp"
#include "documents/text_utils.hpp"
#include "documents/mutation.hpp"
#include "documents/unit_prefs_store.hpp"
#include "documents/value_stream.hpp"
#include "documents/xml_file.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::test {
namespace {

namespace fs = std::filesystem;

// A data file as the program writes it: header, properties and a coil-like element with
// numbers, texts, booleans, attributes and a keyed list.
const char* const kDataFile = R"(<?xml version="1.0" encoding="UTF-8"?>
<datafile program="QDX" generator="Calorix Software" version="1.0.0.0">
  <fileprops>
    <projectname>Harbour Tower</projectname>
    <projectnumber>HT-0042</projectnumber>
    <description>Level 3 AHU%13%10Chilled water, 25% glycol</description>
    <author>A. Fitter</author>
    <company>Fitters &amp; Sons</company>
    <date>05 01 2013</date>
  </fileprops>
  <qdx caption="Typical, 4, 762 x 1200  6r  10f  12c">
    <Qt>101.234</Qt>
    <Qs>77.001</Qs>
    <fat>
      <Mnf>Typical</Mnf>
      <Tube>4</Tube>
      <Code caption="CW">0</Code>
      <fHeight>0.762</fHeight>
      <Rows>6</Rows>
      <Rifle>false</Rifle>
      <Mf caption="Al">1</Mf>
    </fat>
    <air text="air state">
      <Pa>95.000</Pa>
      <dbi>27.000</dbi>
      <air_dp units="Pa">123.456</air_dp>
    </air>
    <list>
      <entry><key>Alpha</key></entry>
      <entry><key>Beta</key></entry>
      <entry/>
    </list>
  </qdx>
</datafile>
)";

// Every value a reader could take from an element, read every way the program reads them.
void ReadEverything(TXMLFile& xml, XmlNode node, int depth) {
    if (!node || depth > 64) return;
    for (XmlNode child : node.children()) {
        if (child.type() != pugi::node_element) continue;
        const std::string name = child.name();
        xml.ReadText(node, name, "default");
        const std::uint8_t textStatus = xml.ReadStatus;
        EXPECT_TRUE(textStatus == TXMLFile::rsOk || textStatus == TXMLFile::rsNotText) << name;

        const double f = xml.ReadFloat(node, name, 42.5);
        EXPECT_TRUE(std::isfinite(f)) << name;
        if (xml.ReadStatus != TXMLFile::rsOk) {
            EXPECT_EQ(f, 42.5) << name;
        }
        const int i = xml.ReadInt(node, name, -7);
        if (xml.ReadStatus != TXMLFile::rsOk) {
            EXPECT_EQ(i, -7) << name;
        }
        xml.ReadBool(node, name, true);
        std::vector<std::string> list;
        xml.ReadTextList(child, "entry", list, "key");
        if (xml.ReadStatus != TXMLFile::rsOk) {
            EXPECT_TRUE(list.empty()) << name;
        }
        xml.FindKeyedChild(node, name, false, "Alpha", "key");
        for (pugi::xml_attribute a : child.attributes()) {
            xml.ReadAttr(child, a.name(), "d");
            EXPECT_TRUE(std::isfinite(xml.ReadAttrFloat(child, a.name(), 1.5)));
            xml.ReadAttrInt(child, a.name(), 3);
        }
        ReadEverything(xml, child, depth + 1);
    }
}

TEST(ReaderRobustness, XmlHelperKeepsItsContractOnDamagedDocuments) {
    Mutator m(20130105);
    int loaded = 0;
    for (int n = 0; n < 3000; ++n) {
        const std::string text =
            m.Several(kDataFile, [&](std::string s) { return n % 2 ? m.Xml(s) : m.Bytes(s); });
        SCOPED_TRACE("case " + std::to_string(n));
        TXMLFile xml;
        ASSERT_NO_THROW(xml.LoadFromString(text));
        if (xml.ReadStatus != TXMLFile::rsOk) {
            // A document that did not load is empty, and says why.
            ASSERT_EQ(xml.ReadStatus, TXMLFile::rsNotXml);
            EXPECT_FALSE(xml.DocumentElement());
            EXPECT_FALSE(xml.ErrorMessage.empty());
            EXPECT_FALSE(xml.IsDocument("datafile", "QDX", ""));
            continue;
        }
        ++loaded;
        xml.IsDocument("datafile", "QDX", "");
        xml.FindPath(XmlNode(), {"datafile", "qdx", "fat"});
        xml.ReadPathAttr(XmlNode(), {"datafile", "qdx"}, "", "caption");
        ReadEverything(xml, xml.DocumentElement(), 0);

        // What loaded saves and loads back to the same document.
        const std::string saved = xml.SaveToString();
        TXMLFile again;
        again.LoadFromString(saved);
        ASSERT_EQ(again.ReadStatus, TXMLFile::rsOk) << again.ErrorMessage << "\n" << saved;
        EXPECT_EQ(again.SaveToString(), saved);
    }
    // Both outcomes were exercised.
    EXPECT_GT(loaded, 300);
    EXPECT_LT(loaded, 2700);
}

// A value stream of every tag the reader knows, with the read that expects each.
struct StreamItem {
    std::function<void(ValueWriter&)> write;
    std::function<void(ValueReader&)> read;
};

std::vector<StreamItem> StreamItems() {
    auto text = [](std::string s, ValueTag tag) {
        return StreamItem{[=](ValueWriter& w) { w.WriteString(s, tag); },
                          [](ValueReader& r) { r.ReadString(); }};
    };
    auto integer = [](long long v, ValueTag tag) {
        return StreamItem{[=](ValueWriter& w) { w.WriteTaggedInteger(v, tag); },
                          [](ValueReader& r) { r.ReadInteger(); }};
    };
    return {
        text("QDX 1.1.0.0 DataFile", ValueTag::String),
        text(std::string(300, 'L'), ValueTag::LString),
        text("first\rsecond \xF0\x9F\x98\x80", ValueTag::WString),
        text("\xC3\x85lund", ValueTag::Utf8String),
        {[](ValueWriter& w) { w.WriteDate(41279.5); }, [](ValueReader& r) { r.ReadDate(); }},
        {[](ValueWriter& w) { w.WriteFloat(101.325); }, [](ValueReader& r) { r.ReadFloat(); }},
        {[](ValueWriter& w) { w.WriteDouble(-0.0); }, [](ValueReader& r) { r.ReadFloat(); }},
        integer(-5, ValueTag::Int8),
        integer(-300, ValueTag::Int16),
        integer(70000, ValueTag::Int32),
        // A 64-bit integer is read where a float may stand.
        {[](ValueWriter& w) { w.WriteTaggedInteger(1LL << 40, ValueTag::Int64); },
         [](ValueReader& r) { r.ReadFloat(); }},
        {[](ValueWriter& w) { w.WriteBoolean(true); }, [](ValueReader& r) { r.ReadBoolean(); }},
        {[](ValueWriter& w) { w.WriteRawShortString("Typical", 256); },
         [](ValueReader& r) { r.Skip(256); }},
        {[](ValueWriter& w) { w.WriteRawDouble(24.5); }, [](ValueReader& r) { r.ReadRawDouble(); }},
        {[](ValueWriter& w) { w.WriteRawInt32(-1); }, [](ValueReader& r) { r.ReadRawInt32(); }},
    };
}

TEST(ReaderRobustness, ValueReaderFailsOnlyWithStreamErrors) {
    const std::vector<StreamItem> items = StreamItems();
    ValueWriter w;
    for (const StreamItem& item : items) item.write(w);
    const std::string good(w.Bytes().begin(), w.Bytes().end());

    Mutator m(1899);
    int failed = 0;
    for (int n = 0; n < 4000; ++n) {
        const std::string bytes = m.Several(good, [&](std::string s) { return m.Bytes(s); });
        SCOPED_TRACE("case " + std::to_string(n));
        const auto* data = reinterpret_cast<const std::uint8_t*>(bytes.data());
        ValueReader r(std::span<const std::uint8_t>(data, bytes.size()));
        try {
            for (const StreamItem& item : items) {
                const std::size_t before = r.Position();
                item.read(r);
                EXPECT_GT(r.Position(), before);
                EXPECT_LE(r.Position(), bytes.size());
            }
        } catch (const StreamError&) {
            ++failed;
            EXPECT_LE(r.Position(), bytes.size());
        } catch (const std::exception& e) {
            ADD_FAILURE() << "unexpected " << typeid(e).name() << ": " << e.what();
        }
    }
    // The damage is real: most streams fail somewhere, some still read through.
    EXPECT_GT(failed, 1000);
    EXPECT_LT(failed, 4000);
}

TEST(ReaderRobustness, ValueReaderRefusesLengthsBeyondTheData) {
    // Lengths and counts that promise more than the data holds fail before anything is
    // allocated for them.
    const std::vector<std::vector<std::uint8_t>> streams = {
        {12, 0xFF, 0xFF, 0xFF, 0xFF, 'a'},
        {20, 0xFF, 0xFF, 0xFF, 0x7F, 'a', 'b'},
        {18, 0xFF, 0xFF, 0xFF, 0xFF, 'a', 0},
        {18, 0x02, 0, 0, 0, 'a', 0, 'b'},
        {6, 200, 'a'},
        {18, 0x02, 0, 0, 0, 0x00, 0xD8, 0x00, 0xDC},  // a surrogate pair at the very end
    };
    for (std::size_t i = 0; i + 1 < streams.size(); ++i) {
        ValueReader r(streams[i]);
        EXPECT_THROW(r.ReadString(), StreamError) << i;
    }
    ValueReader pair(streams.back());
    EXPECT_EQ(pair.ReadString(), "\xF0\x90\x80\x80");
    EXPECT_TRUE(pair.AtEnd());
}

// ---- INI texts ------------------------------------------------------------------------------

const char* const kIniText =
    "; QDX settings\r\n"
    "[QDXForm]\r\n"
    "Left=100\r\n"
    "Top=-20\r\n"
    "AirOn=25.0000/17.0000\r\n"
    "Pressure=101.325\r\n"
    "Fouling=1\r\n"
    "\r\n"
    "[Default]\r\n"
    "WaterIn=6\r\n"
    "Description=one%13%10two\r\n"
    "CoilModel=544 x 720 4r 12f  (14c)\r\n"
    "\r\n"
    "[Coils]\r\n"
    "UnitsAirOn=0\r\n"
    "UnitsLiquidT=1\r\n";

// Sections, keys and values as a reader sees them.
std::map<std::string, std::string> Contents(const IniDocument& doc) {
    std::map<std::string, std::string> out;
    for (const std::string& section : doc.SectionNames())
        for (const std::string& key : doc.Keys(section))
            out["[" + section + "]" + key] = *doc.Value(section, key);
    return out;
}

TEST(ReaderRobustness, IniTextsReadAndRewriteWithoutLoss) {
    Mutator m(1252);
    for (int n = 0; n < 3000; ++n) {
        const std::string text = m.Several(kIniText, [&](std::string s) { return m.Bytes(s); });
        SCOPED_TRACE("case " + std::to_string(n));
        IniDocument doc;
        ASSERT_NO_THROW(doc.Parse(text));
        const auto contents = Contents(doc);

        // What was read is what is written back.
        IniDocument again;
        again.Parse(doc.Text());
        EXPECT_EQ(Contents(again), contents);

        // A change touches its own key only.
        IniDocument changed;
        changed.Parse(doc.Text());
        changed.SetValue("Default", "WaterIn", "7.5");
        IniDocument reread;
        reread.Parse(changed.Text());
        auto after = Contents(reread);
        auto before = contents;
        for (auto* map : {&after, &before})
            std::erase_if(*map, [](const auto& entry) {
                const std::string& name = entry.first;
                const std::size_t close = name.find(']');
                return SameText(name.substr(1, close - 1), "Default") &&
                       SameText(name.substr(close + 1), "WaterIn");
            });
        EXPECT_EQ(after, before);
        EXPECT_EQ(*reread.Value("default", "waterin"), "7.5");
    }
}

class IniFileRobustness : public ::testing::Test {
protected:
    void SetUp() override {
        dir_ = fs::temp_directory_path() /
               ("qdx-robust-" + std::to_string(::getpid()) + "-" +
                ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::remove_all(dir_);
        fs::create_directories(dir_ / "common");
        setenv("QDX_COMMON_DIR", (dir_ / "common").c_str(), 1);
        setenv("XDG_CONFIG_HOME", (dir_ / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (dir_ / "data").c_str(), 1);
        ResetFolders();
    }
    void TearDown() override {
        UnitPrefs().Reset();
        std::error_code ec;
        fs::remove_all(dir_, ec);
    }
    void Write(const fs::path& path, const std::string& text) {
        fs::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << text;
    }
    fs::path dir_;
};

TEST_F(IniFileRobustness, TypedReadsGiveTheFallbackOrAFiniteValue) {
    const fs::path path = dir_ / "QDX.ini";
    Mutator m(4711);
    for (int n = 0; n < 1500; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        const std::string text = m.Several(kIniText, [&](std::string s) {
            // Values replaced as a whole as well as blind damage.
            if (m.Below(2) == 0) return m.Bytes(s);
            const std::size_t eq = s.find('=', m.Below(s.size()));
            if (eq == std::string::npos) return s;
            const std::size_t end = s.find('\r', eq);
            return s.replace(eq + 1, end == std::string::npos ? std::string::npos : end - eq - 1,
                             m.AnyNasty());
        });
        Write(path, text);
        TPowerIniFile power(path.string());
        TwIniFile direct(path.string());
        for (const char* key : {"Left", "Top", "Pressure", "AirOn", "Fouling", "Nothing"}) {
            for (const TCustomIniFile* store : {static_cast<const TCustomIniFile*>(&power),
                                                static_cast<const TCustomIniFile*>(&direct)}) {
                EXPECT_TRUE(std::isfinite(store->ReadFloat("QDXForm", key, 1.25)));
                store->ReadInteger("QDXForm", key, 9);
                store->ReadBool("QDXForm", key, true);
            }
            EXPECT_EQ(power.ReadString("QDXForm", key, "?"), direct.ReadString("QDXForm", key, "?"));
        }
        // Reading never writes.
        std::string now;
        ASSERT_TRUE(ReadWholeFile(path.string(), now));
        EXPECT_EQ(now, text);
    }
}

TEST_F(IniFileRobustness, DamagedUnitsFileKeepsEveryChoiceInRange) {
    // A units file as the program writes it, then damaged.
    ASSERT_TRUE(SaveUnitsFile());
    std::string good;
    ASSERT_TRUE(ReadWholeFile(UnitsFilePath(), good));
    Mutator m(75);
    for (int n = 0; n < 400; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        std::string text = m.Several(good, [&](std::string s) {
            if (m.Below(3) == 0) return m.Bytes(s);
            const std::size_t eq = s.find('=', m.Below(s.size()));
            if (eq == std::string::npos) return s;
            const std::size_t end = s.find('\n', eq);
            const std::string value =
                m.Below(2) ? m.AnyNasty() : std::to_string(static_cast<int>(m.Below(40)) - 10);
            return s.replace(eq + 1, end == std::string::npos ? std::string::npos : end - eq - 1,
                             value);
        });
        Write(UnitsFilePath(), text);
        UnitPrefs().Reset();
        ASSERT_NO_THROW(LoadUnitsFile());
        for (UnitRec* rec : UnitPrefs().Registry()) {
            EXPECT_EQ(rec->UnitsValue, CheckUnitsIndex(rec->UnitsType, rec->UnitsValue))
                << rec->Section << "/" << rec->Key;
            EXPECT_NO_THROW(FormatRecValue(*rec, true, " ", false, 12.5)) << rec->Key;
        }
    }
}

}  // namespace
}  // namespace qdx::test
