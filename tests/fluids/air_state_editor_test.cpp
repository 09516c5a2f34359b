#include <gtest/gtest.h>

#include <cmath>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <limits>

#include "documents/atomic_file.hpp"
#include "documents/ini_file.hpp"
#include "fluids/air_state_editor.hpp"
#include "fluids/air_state_text.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

constexpr int kDryBulbRow = 3, kWetBulbRow = 4, kEnthalpyRow = 5, kHumidityRow = 6,
              kRelHumidityRow = 7;

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "qdx_psx_XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path_ = tmpl + "/";
    }
    ~TempDir() { fs::remove_all(path_); }
    std::string operator/(const std::string& name) const { return path_ + name; }

private:
    std::string path_;
};

TEST(AirCombin, LatestInputsChooseThePair) {
    struct Case {
        const char* entered;  // letters in the order entered
        const char* pair;
        int code;
    } cases[] = {
        {"", "tb", 0},
        {"f", "ft", 3},      // relative humidity after dry bulb
        {"hw", "wh", 15},    // enthalpy, then absolute humidity
        {"s", "sb", 13},     // no pair t+s: the next letter that makes one
        {"wd", "dt", 4},     // no pair d+w: (1st, 2nd), then (1st, 3rd)
        {"tbt", "tb", 0},    // a letter entered again moves to the front
        {"vsw", "ws", 26},   // (w, s) before (w, v), which has no pair
        {"fd", "df", 28},
    };
    for (const Case& c : cases) {
        TAirCombin combin;
        for (const char* p = c.entered; *p; ++p) combin.Enter(*p);
        EXPECT_EQ(combin.Pair(), c.pair) << c.entered;
        EXPECT_EQ(combin.PairCode(), c.code) << c.entered;
    }
    TAirCombin rows;
    rows.EnterRow(kRelHumidityRow);
    rows.EnterRow(2);  // pressure is not an input of the pair
    EXPECT_EQ(rows.Inputs(), "ftb");
    EXPECT_EQ(TAirCombin::CodeOf('t', 's'), -1);
}

class AirStateEditorTest : public ::testing::Test {
protected:
    void SetUp() override {
        editor_.OnEdit = [this] { ++edits_; };
        editor_.Activate();
    }
    TPsyPoint point_;
    TAirStateEditor editor_{point_};
    int edits_ = 0;
};

TEST_F(AirStateEditorTest, RelativeHumidityAfterDryBulbUsesPairThree) {
    TAirStateRowValues v = editor_.RowValues();
    v[kRelHumidityRow - 2] = 0.6;
    ASSERT_TRUE(editor_.Commit(kRelHumidityRow, v)) << editor_.Status;
    EXPECT_EQ(editor_.Combin.PairCode(), 3);
    EXPECT_EQ(point_.State.db, 25);
    EXPECT_NEAR(point_.State.rh, 0.6, 1e-9);
    EXPECT_NEAR(point_.State.wb, WetBulb(101.325, 25, 0.6, 3), 1e-9);
    EXPECT_EQ(editor_.Status, "Ready...");
    EXPECT_EQ(edits_, 1);
    EXPECT_EQ(editor_.LastAccepted.rh, point_.State.rh);
    EXPECT_TRUE(editor_.IsInput(kDryBulbRow));
    EXPECT_TRUE(editor_.IsInput(kRelHumidityRow));
    EXPECT_FALSE(editor_.IsInput(kWetBulbRow));
}

TEST_F(AirStateEditorTest, EnthalpyThenAbsoluteHumidityUsesPairFifteen) {
    TAirStateRowValues v = editor_.RowValues();
    v[kEnthalpyRow - 2] = 60;
    ASSERT_TRUE(editor_.Commit(kEnthalpyRow, v)) << editor_.Status;
    EXPECT_EQ(editor_.Combin.PairCode(), 1);  // enthalpy with the dry bulb
    v = editor_.RowValues();
    v[kHumidityRow - 2] = 0.012;
    ASSERT_TRUE(editor_.Commit(kHumidityRow, v)) << editor_.Status;
    EXPECT_EQ(editor_.Combin.PairCode(), 15);
    EXPECT_NEAR(point_.State.ha, 60, 1e-9);
    EXPECT_NEAR(point_.State.wa, 0.012, 1e-12);
    EXPECT_NEAR(point_.State.db, psy::DryBulbOfEnthalpy(60, 0.012), 1e-9);
    EXPECT_TRUE(editor_.IsInput(kEnthalpyRow));
    EXPECT_TRUE(editor_.IsInput(kHumidityRow));
    EXPECT_FALSE(editor_.IsInput(kDryBulbRow));
}

TEST_F(AirStateEditorTest, AnErrorShowsInTheStatusBlocksSavingAndGivesWayOnLeaving) {
    TempDir dir;
    const TAirState before = point_.State;
    TAirStateRowValues v = editor_.RowValues();
    v[kWetBulbRow - 2] = 30;  // above the dry bulb of 25
    EXPECT_FALSE(editor_.Commit(kWetBulbRow, v));
    EXPECT_EQ(editor_.Status, "Wet Bulb > Dry Bulb °C...");
    EXPECT_EQ(edits_, 0);

    std::string message;
    EXPECT_FALSE(editor_.Save(dir / "bad.psx", message));
    EXPECT_EQ(editor_.Status, "Can\"t save invalid data...");
    EXPECT_FALSE(fs::exists(dir / "bad.psx"));

    EXPECT_TRUE(editor_.Deactivate());
    EXPECT_EQ(editor_.Status, "Ready...");
    EXPECT_EQ(point_.State.wb, before.wb);
    EXPECT_EQ(edits_, 1);
    EXPECT_FALSE(editor_.Deactivate());  // nothing to restore once ready

    // A state the library cannot complete.
    v = editor_.RowValues();
    v[kRelHumidityRow - 2] = std::numeric_limits<double>::quiet_NaN();
    EXPECT_FALSE(editor_.Commit(kRelHumidityRow, v));
    EXPECT_FALSE(editor_.Ready());
}

TEST_F(AirStateEditorTest, ActivationKeepsAnOutletStatusAndItsState) {
    editor_.Status = "Outlet state";
    point_.State = AirStateFromText("12/11", 101.325, 0.5);
    editor_.Activate();
    EXPECT_EQ(editor_.Status, "Outlet state");
    EXPECT_NE(editor_.LastAccepted.db, 12);
    editor_.Status = "Bad data...";
    editor_.Activate();
    EXPECT_EQ(editor_.Status, "Ready...");
    EXPECT_EQ(editor_.LastAccepted.db, 12);
}

TEST_F(AirStateEditorTest, PsxFilesHoldOneRecordOfLittleEndianDoubles) {
    TAirState s{};
    s.pa = 101.325;
    s.db = -2;
    s.wb = 0.5;
    s.ma = 1;
    const auto bytes = PsxBytes(s);
    const uint8_t pa[8] = {0xcd, 0xcc, 0xcc, 0xcc, 0xcc, 0x54, 0x59, 0x40};
    EXPECT_TRUE(std::equal(pa, pa + 8, bytes.begin()));
    EXPECT_EQ(bytes[15], 0xC0);  // -2.0 = C0 00 .. 00
    EXPECT_EQ(bytes[22], 0xE0);  // 0.5 = 3F E0 00 .. 00
    EXPECT_EQ(bytes[23], 0x3F);
    EXPECT_EQ(bytes[118], 0xF0);  // ma = 1.0, the last field
    EXPECT_EQ(bytes[119], 0x3F);
    for (int i = 24; i < 112; ++i) EXPECT_EQ(bytes[i], 0) << i;

    TempDir dir;
    point_.State = AirStateFromText("30/20", 95, 0.5);
    const TAirState saved = point_.State;
    std::string message;
    ASSERT_TRUE(editor_.Save(dir / "state.psx", message)) << message;
    EXPECT_EQ(fs::file_size(dir / "state.psx"), 120u);
    std::string content;
    ASSERT_TRUE(ReadWholeFile(dir / "state.psx", content));
    const auto expected = PsxBytes(saved);
    EXPECT_EQ(content, std::string(expected.begin(), expected.end()));

    point_.State = AirStateFromText("20/15", 101.325, 0.5);
    edits_ = 0;
    ASSERT_TRUE(editor_.Open(dir / "state.psx", message));
    EXPECT_EQ(std::memcmp(&point_.State, &saved, sizeof saved), 0);
    EXPECT_EQ(edits_, 1);
    EXPECT_EQ(editor_.FileName, dir / "state.psx");
}

TEST_F(AirStateEditorTest, APsxFileThatIsNotARecordLeavesTheState) {
    TempDir dir;
    const TAirState before = point_.State;
    const auto bytes = PsxBytes(AirStateFromText("30/20", 95, 0.5));
    std::string nan = std::string(bytes.begin(), bytes.end());
    const double notANumber = std::numeric_limits<double>::quiet_NaN();
    std::memcpy(nan.data() + 8, &notANumber, 8);
    struct Case {
        const char* name;
        std::string content;
    } cases[] = {
        {"short.psx", std::string(bytes.begin(), bytes.begin() + 119)},
        {"empty.psx", ""},
        {"nan.psx", nan},
    };
    for (const Case& c : cases) {
        ASSERT_TRUE(WriteFileAtomically(dir / c.name, c.content));
        std::string message;
        EXPECT_FALSE(editor_.Open(dir / c.name, message)) << c.name;
        EXPECT_EQ(message, "Error reading file " + (dir / c.name));
        EXPECT_EQ(std::memcmp(&point_.State, &before, sizeof before), 0) << c.name;
    }
    std::string message;
    EXPECT_FALSE(editor_.Open(dir / "missing.psx", message));
    EXPECT_EQ(edits_, 0);
}

TEST_F(AirStateEditorTest, PasteAndCopyTexts) {
    ASSERT_TRUE(editor_.Paste("24/17\r\n"));
    EXPECT_EQ(point_.State.db, 24);
    EXPECT_EQ(point_.State.wb, 17);
    EXPECT_EQ(editor_.Combin.Inputs().substr(0, 2), "bt");
    EXPECT_EQ(editor_.CopyText(), "24.000/17.000");
    EXPECT_EQ(edits_, 1);

    EXPECT_FALSE(editor_.Paste("not a state"));
    EXPECT_EQ(point_.State.db, 24);
    EXPECT_FALSE(editor_.Status.empty());
    EXPECT_NE(editor_.Status, "Ready...");
}

TEST(AirStateTexts, XmlTextIsExact) {
    const std::array<TAirStateCells, kAirStateValueRows> rows = {{
        {"kPa", "101.325"}, {"°C", "25.0"},   {"°C", "17.0"},   {"kJ/kg", "47.8"},
        {"g/kg", "8.8"},    {"%", "44.5"},    {"°C", "12.1"},   {"kPa", "1.4"},
        {"kPa", "3.2"},     {"kg/m³", "1.2"}, {"kJ/kg·K", "1.0"},
    }};
    EXPECT_EQ(AirStateXmlText("On <Coil>", rows),
              "<?xml version=\"1.0.0.0\" ?>\r\n"
              "<?xml-stylesheet type=\"text/xsl\" href=\"airstate.xsl\"?>\r\n"
              "<airstate>\r\n"
              "  <properties name=\"On <Coil>\">\r\n"
              "    <item code=\"pa\" caption=\"Pressure\" units=\"kPa\">101.325</item>\r\n"
              "    <item code=\"db\" caption=\"Dry Bulb\" units=\"°C\">25.0</item>\r\n"
              "    <item code=\"wb\" caption=\"Wet Bulb\" units=\"°C\">17.0</item>\r\n"
              "    <item code=\"ha\" caption=\"Enthalpy\" units=\"kJ/kg\">47.8</item>\r\n"
              "    <item code=\"wa\" caption=\"Abs Humidity\" units=\"g/kg\">8.8</item>\r\n"
              "    <item code=\"rh\" caption=\"Rel Humidity\" units=\"%\">44.5</item>\r\n"
              "    <item code=\"td\" caption=\"Dew Point\" units=\"°C\">12.1</item>\r\n"
              "    <item code=\"pv\" caption=\"Vap Pressure\" units=\"kPa\">1.4</item>\r\n"
              "    <item code=\"ps\" caption=\"Sat Pressure\" units=\"kPa\">3.2</item>\r\n"
              "    <item code=\"ro\" caption=\"Density\" units=\"kg/m³\">1.2</item>\r\n"
              "    <item code=\"cp\" caption=\"Specific Heat\" units=\"kJ/kg·K\">1.0</item>\r\n"
              "  </properties>\r\n"
              "</airstate>\r\n");
    EXPECT_EQ(TableCommaText({{"Property", "Value", "Units"}, {"Dry Bulb", "25.0", "°C"}}),
              "Property,Value,Units\r\n\"Dry Bulb\",25.0,°C\r\n");
}

TEST(AirStateDlgModel, PropertiesRebuildThePointsState) {
    TAirStateDlgModel dlg;
    EXPECT_EQ(dlg.Point.ItemName, "Moist Air");
    EXPECT_EQ(dlg.Temperature(), "25.0/17.0");
    dlg.SetPressure(90);
    EXPECT_EQ(dlg.Pressure(), 90);
    EXPECT_EQ(dlg.Temperature(), "25.0/17.0");
    dlg.SetTemperature("28/20");
    EXPECT_EQ(dlg.Temperature(), "28.0/20.0");
    EXPECT_EQ(dlg.Pressure(), 90);
    dlg.SetPressure(101.325);  // rebuilt from the text, not from the state
    EXPECT_EQ(dlg.Point.State.db, 28);
    dlg.SetTemperature("warm");
    EXPECT_EQ(dlg.Temperature(), "24.0/17.0");
    dlg.SetPressure(95);
    EXPECT_EQ(dlg.Temperature(), "24.0/17.0");
}

TEST(AirStateDlgModel, StoredLayoutIsCorrectedOnReading) {
    TempDir dir;
    TPowerIniFile store(dir / "Common.ini");
    TAirStateDlgModel fresh;
    fresh.Name = "OnCoilDlg";
    fresh.LoadLayout(store, 1280, 1024);
    EXPECT_EQ(fresh.Point.Left, -99);
    EXPECT_EQ(fresh.Width, 246);
    EXPECT_EQ(fresh.ColWidths, (std::array<int, 3>{100, 74, 60}));
    EXPECT_EQ(fresh.RowUnits[6], 1);
    EXPECT_EQ(fresh.RowUnits[7], 1);
    EXPECT_EQ(fresh.RowUnits[3], 0);

    fresh.Point.Left = -50;
    fresh.Point.Top = 2000;
    fresh.Width = 300;
    fresh.ColWidths[2] = 60;
    fresh.RowUnits[2] = 7;
    fresh.RowUnits[3] = 1;
    fresh.SaveLayout(store);
    EXPECT_EQ(store.ReadInteger("OnCoilDlg", "Row3", -1), 1);
    EXPECT_EQ(store.ReadInteger("OnCoilDlg", "FormTop", -1), 2000);

    TAirStateDlgModel again;
    again.Name = "OnCoilDlg";
    again.LoadLayout(store, 1280, 1024);
    EXPECT_EQ(again.Point.Left, 0);
    EXPECT_EQ(again.Point.Top, 824);
    EXPECT_EQ(again.Width, 300);
    EXPECT_EQ(again.ColWidths[2], 60);
    EXPECT_EQ(again.RowUnits[2], 0);  // no pressure unit beyond index 4
    EXPECT_EQ(again.RowUnits[3], 1);
}

}  // namespace
}  // namespace qdx
