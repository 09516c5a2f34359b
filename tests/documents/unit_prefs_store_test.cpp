// The units file and the unit-choice table's settings: reading, writing, and the file's move
// from the place earlier versions kept it.

#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <optional>
#include <string>
#include <vector>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/ini_file.hpp"
#include "documents/unit_prefs_store.hpp"
#include "units/unit_prefs.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

// Points every settings and data folder at a fresh temporary folder and starts from the
// registered defaults.
class UnitPrefsStoreTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::string tmpl = (fs::temp_directory_path() / "qdx_unitprefs_XXXXXX").string();
        ASSERT_NE(::mkdtemp(tmpl.data()), nullptr);
        root_ = tmpl;
        for (const char* name : kVars) {
            const char* v = std::getenv(name);
            saved_.push_back(v ? std::optional<std::string>(v) : std::nullopt);
        }
        SetCommonDir(root_ / "common");
        ::setenv("XDG_CONFIG_HOME", (root_ / "config").c_str(), 1);
        ::setenv("XDG_DATA_HOME", (root_ / "data").c_str(), 1);
        UnitPrefs().Reset();
    }
    void TearDown() override {
        for (size_t i = 0; i < std::size(kVars); ++i) {
            if (saved_[i])
                ::setenv(kVars[i], saved_[i]->c_str(), 1);
            else
                ::unsetenv(kVars[i]);
        }
        ResetFolders();
        UnitPrefs().Reset();
        fs::remove_all(root_);
    }

    void SetCommonDir(const fs::path& dir) {
        ::setenv("QDX_COMMON_DIR", dir.c_str(), 1);
        ResetFolders();
    }
    void WriteUnitsFile(const std::string& text) {
        fs::create_directories(root_ / "common" / "Coils");
        ASSERT_TRUE(WriteFileAtomically((root_ / "common" / "Coils" / "units.ini").string(), text));
    }

    static constexpr const char* kVars[] = {"QDX_COMMON_DIR", "XDG_CONFIG_HOME", "XDG_DATA_HOME"};
    fs::path root_;
    std::vector<std::optional<std::string>> saved_;
};

TEST_F(UnitPrefsStoreTest, WithoutUnitsFileEveryRecordShowsItsDefault) {
    TUnitPrefs& prefs = UnitPrefs();
    EXPECT_FALSE(LoadUnitsFile());
    // Fin height stored in metres, shown in inches; pipe connection stored and shown in mm.
    EXPECT_EQ(FormatRecValue(prefs[urFatHeight], true, "\t", false, 0.5), "19.7\tinch");
    EXPECT_EQ(FormatRecValue(prefs[urHexPipeConn], true, "\t", false, 50), "50.0\tmm");
    EXPECT_EQ(FormatRecValue(prefs[urAirDp], true, ",", false, 125.4), "125,Pa");
}

TEST_F(UnitPrefsStoreTest, UnitsFileChoosesDisplayUnits) {
    WriteUnitsFile(
        "[liquid]\n"
        "t=1\n"
        "[fat]\n"
        "height=99\n"      // past the category: the last unit
        "length=-3\n"      // below it: the first
        "depth=abc\n"      // not a number: keeps the default
        "[air]\n"
        "T=1\n");          // keys compare ignoring case
    TUnitPrefs& prefs = UnitPrefs();
    ASSERT_TRUE(LoadUnitsFile());
    EXPECT_EQ(prefs[urLiquidT].UnitsValue, 1);
    EXPECT_EQ(prefs[urAirT].UnitsValue, 1);
    EXPECT_EQ(prefs[urFatHeight].UnitsValue, 4);
    EXPECT_EQ(prefs[urFatLength].UnitsValue, 0);
    EXPECT_EQ(prefs[urFatDepth].UnitsValue, 2);
    EXPECT_EQ(prefs[urLiquidDt].UnitsValue, 0);
    // The cached conversion is refreshed by the formatting, not by the load.
    EXPECT_EQ(prefs[urLiquidT].Symbol, "°C");
    EXPECT_EQ(FormatRecValue(prefs[urLiquidT], true, ",", false, 20), "68.0,°F");
    EXPECT_EQ(prefs[urLiquidT].Symbol, "°F");
    EXPECT_EQ(prefs[urLiquidT].FormatStr, "%0.1f");
}

TEST_F(UnitPrefsStoreTest, SavedChoicesReadBackAfterRestart) {
    TUnitPrefs& prefs = UnitPrefs();
    prefs[urLiquidT].UnitsValue = 1;
    prefs[urHexDuty].UnitsValue = 2;
    prefs[urGeneralIceRate].UnitsValue = 1;
    std::vector<int> chosen;
    for (const UnitRec* rec : prefs.Registry()) chosen.push_back(rec->UnitsValue);
    ASSERT_TRUE(SaveUnitsFile());
    const fs::path file = root_ / "common" / "Coils" / "units.ini";
    EXPECT_EQ(UnitsFilePath(), file.string());
    std::string text;
    ASSERT_TRUE(ReadWholeFile(file.string(), text));
    EXPECT_NE(text.find("[liquid]"), std::string::npos);
    EXPECT_NE(text.find("pipe_conn=2"), std::string::npos);

    prefs.Reset();
    EXPECT_EQ(prefs[urLiquidT].UnitsValue, 0);
    ASSERT_TRUE(LoadUnitsFile());
    std::vector<int> loaded;
    for (const UnitRec* rec : prefs.Registry()) loaded.push_back(rec->UnitsValue);
    EXPECT_EQ(loaded, chosen);
    EXPECT_EQ(prefs[urHexDuty].UnitsValue, 2);
}

TEST_F(UnitPrefsStoreTest, SaveKeepsOtherContentAndFailsWithoutFolder) {
    WriteUnitsFile("; user notes\n[mine]\nx=1\n[liquid]\nt=0\n");
    UnitPrefs()[urLiquidT].UnitsValue = 1;
    ASSERT_TRUE(SaveUnitsFile());
    TPowerIniFile file((root_ / "common" / "Coils" / "units.ini").string());
    EXPECT_EQ(file.ReadInteger("mine", "x", 0), 1);
    EXPECT_EQ(file.ReadInteger("liquid", "t", 0), 1);
    EXPECT_EQ(file.ReadSections().size(), 14u);

    // The common folder lies below a plain file: the Coils folder cannot be made.
    ASSERT_TRUE(WriteFileAtomically((root_ / "blocker").string(), "x"));
    SetCommonDir(root_ / "blocker" / "common");
    EXPECT_FALSE(SaveUnitsFile());
}

TEST_F(UnitPrefsStoreTest, UnitChoiceTableSettingsRoundTrip) {
    const std::string path = (root_ / "Common.ini").string();
    {
        TUnitChoiceTable table;
        table.SetImperial();
        TPowerIniFile store(path);
        WriteUnitChoiceTable(table, store);
        ASSERT_TRUE(store.UpdateFile());
    }
    TPowerIniFile store(path);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "Temperature", -1), 1);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "Water Flow", -1), 5);
    EXPECT_EQ(store.ReadInteger("SetUnitsForm", "Proportion", -1), 0);
    EXPECT_EQ(store.ReadSection("SetUnitsForm").size(), 57u);

    store.WriteInteger("SetUnitsForm", "Altitude", 9);  // stale index past the category
    store.DeleteKey("SetUnitsForm", "Velocity");
    TUnitChoiceTable table;
    ReadUnitChoiceTable(store, table);
    EXPECT_EQ(table.Get(utTemperature), 1);
    EXPECT_EQ(table.Get(utWaterFlow), 5);
    EXPECT_EQ(table.Get(utAltitude), 1);
    EXPECT_EQ(table.Get(utVelocity), 0);  // missing key keeps the SI default

    TUnitChoiceTable empty;
    TPowerIniFile none((root_ / "none.ini").string());
    ReadUnitChoiceTable(none, empty);
    EXPECT_EQ(empty.Units, TUnitChoiceTable().Units);
}


TEST_F(UnitPrefsStoreTest, UnitsFileOfTheOlderPlaceMovesOnce) {
    // Without QDX_COMMON_DIR the maker's folder and its common files folder differ.
    ::unsetenv("QDX_COMMON_DIR");
    ResetFolders();
    const fs::path maker = root_ / "data" / "Calorix";
    const fs::path older = maker / "Common Files" / "Coils" / "units.ini";
    const fs::path file = maker / "Coils" / "units.ini";
    EXPECT_EQ(UnitsFilePath(), file.string());
    EXPECT_EQ(OlderUnitsFilePath(), older.string());

    fs::create_directories(older.parent_path());
    const std::string text = "; mine\n[liquid]\nt=1\n";
    ASSERT_TRUE(WriteFileAtomically(older.string(), text));
    ASSERT_TRUE(LoadUnitsFile());
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, 1);
    EXPECT_FALSE(fs::exists(older));
    std::string moved;
    ASSERT_TRUE(ReadWholeFile(file.string(), moved));
    EXPECT_EQ(moved, text);

    // A file that turns up at the older place later is not taken over the user's current one.
    ASSERT_TRUE(WriteFileAtomically(older.string(), "[liquid]\nt=0\n"));
    UnitPrefs().Reset();
    ASSERT_TRUE(LoadUnitsFile());
    EXPECT_EQ(UnitPrefs()[urLiquidT].UnitsValue, 1);
    EXPECT_TRUE(fs::exists(older));

    // Saving writes the new place, keeping the user's own lines.
    UnitPrefs()[urLiquidT].UnitsValue = 0;
    ASSERT_TRUE(SaveUnitsFile());
    EXPECT_EQ(TPowerIniFile(file.string()).ReadInteger("liquid", "t", -1), 0);
    ASSERT_TRUE(ReadWholeFile(file.string(), moved));
    EXPECT_EQ(moved.rfind("; mine", 0), 0u);
}

}  // namespace
}  // namespace qdx
