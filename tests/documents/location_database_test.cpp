#include <gtest/gtest.h>

#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <set>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/location_csv.hpp"
#include "documents/location_database.hpp"

namespace qdx {
namespace {

namespace fs = std::filesystem;

class TempDir {
public:
    TempDir() {
        std::string tmpl = (fs::temp_directory_path() / "qdx_locations_XXXXXX").string();
        if (::mkdtemp(tmpl.data())) path_ = tmpl + "/";
    }
    ~TempDir() { fs::remove_all(path_); }
    const std::string& Path() const { return path_; }

private:
    std::string path_;
};

std::vector<TLocationRecord> ReadAll(const std::string& path) {
    TLocationFile file;
    EXPECT_TRUE(file.Open(path)) << path;
    std::vector<TLocationRecord> records;
    TLocationRecord r;
    while (file.ReadNext(r)) records.push_back(r);
    return records;
}

TEST(LocationRecord, BytesFollowTheFixedLayout) {
    TLocationRecord r;
    r.DatabaseCode = 3;
    r.RegionCode = -2;
    r.Name = "Zürich";
    r.Latitude = 47.48f;
    r.DryBulbRange = 11.5f;
    const auto bytes = EncodeLocationRecord(r);
    EXPECT_EQ(bytes[0], 3);
    EXPECT_EQ(bytes[4], 0xFE);
    EXPECT_EQ(bytes[7], 0xFF);
    EXPECT_EQ(bytes[8], 6);  // length byte, Windows-1252 characters
    EXPECT_EQ(bytes[10], 0xFC);
    float lat = 0, range = 0;
    std::memcpy(&lat, bytes.data() + 40, 4);
    std::memcpy(&range, bytes.data() + 80, 4);
    EXPECT_EQ(lat, 47.48f);
    EXPECT_EQ(range, 11.5f);
    EXPECT_EQ(DecodeLocationRecord(bytes), r);

    TLocationRecord longName;
    longName.Name = std::string(40, 'x');
    auto cut = EncodeLocationRecord(longName);
    EXPECT_EQ(DecodeLocationRecord(cut).Name, std::string(31, 'x'));
    cut[8] = 200;  // a damaged length byte reads no further than the name field
    EXPECT_EQ(DecodeLocationRecord(cut).Name, std::string(31, 'x'));
}

TEST(LocationText, HemisphereAndRecordRows) {
    EXPECT_EQ(Hemisphere(-33.93, "%0.2f", "N", "S"), "33.93S");
    EXPECT_EQ(Hemisphere(0, "%0.2f", "E", "W"), "0.00E");
    EXPECT_EQ(Hemisphere(-5, "%0.0f", "E", "W"), "5W");
    EXPECT_EQ(Hemisphere(5.5, "%0.0f", "E", "W"), "6E");

    TLocationRecord r;
    r.Latitude = -33.93f;
    r.Altitude = 44;
    r.CoolingDryBulb = 32;
    r.CoolingWetBulb = 19.5f;
    r.WindSpeed = 4;
    const std::vector<std::string> rows = LocationRecordTexts(r);
    ASSERT_EQ(rows.size(), 10u);
    EXPECT_EQ(rows[0], "Latitude,33.93S");
    EXPECT_EQ(rows[1], "Longitude,0.00E");
    EXPECT_EQ(rows[3], "Altitude,\"44 m\"");
    EXPECT_EQ(rows[4], "Cooling,\"32.0/19.5 °C\"");
    EXPECT_EQ(rows[6], "\"Wind Speed\",\"4.0 m/s\"");
    EXPECT_EQ(rows[9], "\"DB Range\",\"0.0 °C\"");
}

constexpr const char* kCsv =
    "# test places\n"
    "place,database,region,latitude,longitude,timezone,altitude,cooling_db,cooling_wb,"
    "heating_db,wind_speed,max_db,min_db,daily_range\n"
    "London,Europe,United Kingdom,51.48,-0.45,0,25,28.1,19.3,-3.7,4.2,32.4,-5.9,9.1\n"
    "\"Paris, Orly\",Europe,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11\r\n"
    "\n"
    "Zürich,Europe,Switzerland,47.48,8.53,1,426,30,20,-10,2,32,-12,11\n"
    "Sydney,Oceania,Australia,-33.95,151.17,10,6,33,20,6,3,40,4,8\n"
    "Glasgow,Europe,united kingdom,55.87,-4.43,0,10,24,17,-7,3,27,-9,7\n";

TEST(LocationCsv, RoundTripKeepsTheValuesAsThirtyTwoBitFloats) {
    TLocationSet set;
    ReadLocationCsv(kCsv, "places.csv", set);
    ASSERT_EQ(set.Records.size(), 5u);
    ASSERT_EQ(set.Databases.size(), 2u);
    EXPECT_EQ(set.Databases[0].Regions,
              (std::vector<std::string>{"United Kingdom", "France", "Switzerland"}));

    TempDir dir;
    std::string error;
    ASSERT_TRUE(WriteLocationDatabase(set, dir.Path(), error)) << error;

    const std::vector<TLocationRecord> all = ReadAll(dir.Path() + "+All.wdb");
    const std::vector<TLocationRecord> europe = ReadAll(dir.Path() + "Europe.wdb");
    const std::vector<TLocationRecord> oceania = ReadAll(dir.Path() + "Oceania.wdb");
    ASSERT_EQ(all.size(), 5u);
    EXPECT_EQ(europe.size(), 4u);
    EXPECT_EQ(oceania.size(), 1u);

    const TLocationRecord& london = all[0];
    EXPECT_EQ(london.Name, "London");
    EXPECT_EQ(london.DatabaseCode, 1);
    EXPECT_EQ(london.RegionCode, 1);
    EXPECT_EQ(london.Latitude, 51.48f);
    EXPECT_EQ(london.Longitude, -0.45f);
    EXPECT_EQ(london.TimeZone, 0.0f);
    EXPECT_EQ(london.Altitude, 25.0f);
    EXPECT_EQ(london.CoolingDryBulb, 28.1f);
    EXPECT_EQ(london.CoolingWetBulb, 19.3f);
    EXPECT_EQ(london.HeatingDryBulb, -3.7f);
    EXPECT_EQ(london.WindSpeed, 4.2f);
    EXPECT_EQ(london.MaxDryBulb, 32.4f);
    EXPECT_EQ(london.MinDryBulb, -5.9f);
    EXPECT_EQ(london.DryBulbRange, 9.1f);
    EXPECT_EQ(all[1].Name, "Paris, Orly");
    EXPECT_EQ(all[2].Name, "Zürich");
    EXPECT_EQ(all[3].DatabaseCode, 2);
    EXPECT_EQ(all[3].Latitude, -33.95f);
    EXPECT_EQ(all[4].RegionCode, 1);  // region names compare ignoring case
    EXPECT_EQ(europe[3], all[4]);

    TPowerIniFile index(dir.Path() + "Regions.idx");
    EXPECT_EQ(index.ReadSections(), (std::vector<std::string>{"+All", "Europe", "Oceania"}));
    EXPECT_EQ(index.ReadInteger("+All", "Oceania", -1), 2);
    EXPECT_EQ(index.ReadInteger("Europe", "+All", -1), 0);
    EXPECT_EQ(index.ReadInteger("Europe", "Switzerland", -1), 3);
}

TEST(LocationCsv, BadLinesAreRefusedWithTheirLineNumber) {
    const std::string head = "place,database,region,latitude,longitude,timezone,altitude,"
                             "cooling_db,cooling_wb,heating_db,wind_speed,max_db,min_db,daily_range\n"
                             "London,Europe,UK,51.48,-0.45,0,25,28,19,-4,4,32,-6,9\n";
    struct Case {
        const char* line;
        const char* reason;
    } cases[] = {
        {"Paris,Europe,France,48.73,2.40,1,89,32,20,-6,3,34,-8", "expected 14 fields, found 13"},
        {"Paris,Europe,France,48.73,east,1,89,32,20,-6,3,34,-8,11", "longitude \"east\" is not a number"},
        {"Paris,Europe,France,98.73,2.40,1,89,32,20,-6,3,34,-8,11", "latitude 98.73 is outside -90 .. 90"},
        {"Paris,Europe,France,48.73,2.40,1,89,20,32,-6,3,34,-8,11", "wet bulb is above"},
        {"Paris,Europe,France,48.73,2.40,1,89,32,20,-6,3,-9,-8,11", "minimum dry bulb is above"},
        {",Europe,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11", "place name is empty"},
        {"A place name far longer than thirty-one,Europe,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11",
         "longer than 31"},
        {"Paris,+all,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11", "database name is reserved"},
        {"Paris,Eur.ope,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11", "names a file"},
        {"Paris,Europe,Fr=ance,48.73,2.40,1,89,32,20,-6,3,34,-8,11", "region name may not hold"},
        {"\"Paris,Europe,France,48.73,2.40,1,89,32,20,-6,3,34,-8,11", "quoted field is not closed"},
        {"Kraków ☃,Europe,Poland,50,19,1,237,30,20,-17,2,32,-20,11", "outside Windows-1252"},
    };
    for (const Case& c : cases) {
        TLocationSet set;
        ReadLocationCsv("Sydney,Oceania,Australia,-33.95,151.17,10,6,33,20,6,3,40,4,8\n", "first.csv", set);
        try {
            ReadLocationCsv(head + c.line + "\n", "more.csv", set);
            ADD_FAILURE() << "accepted: " << c.line;
        } catch (const TLocationCsvError& e) {
            EXPECT_EQ(e.Line(), 3) << c.line;
            EXPECT_EQ(std::string(e.what()).rfind("more.csv:3: ", 0), 0u) << e.what();
            EXPECT_NE(std::string(e.what()).find(c.reason), std::string::npos) << e.what();
        }
        // The set keeps what it had: nothing of the refused file gets in.
        EXPECT_EQ(set.Records.size(), 1u);
        EXPECT_EQ(set.Databases.size(), 1u);
    }
}

// A small database built through the builder, plus one record with region code 0.
class LocationBrowserTest : public ::testing::Test {
protected:
    void SetUp() override {
        TLocationSet set;
        ReadLocationCsv(kCsv, "places.csv", set);
        TLocationRecord loose;
        loose.DatabaseCode = 1;
        loose.RegionCode = 0;
        loose.Name = "Atlantis";
        set.Records.push_back(loose);
        std::string error;
        ASSERT_TRUE(WriteLocationDatabase(set, dir_.Path(), error)) << error;
        browser_.OnMessage = [this](const std::string& m) { messages_.push_back(m); };
    }

    std::vector<std::string> PlaceNames() const {
        std::vector<std::string> names;
        for (const auto& p : browser_.Places()) names.push_back(p.Name);
        return names;
    }

    TempDir dir_;
    TLocationBrowser browser_;
    std::vector<std::string> messages_;
};

TEST_F(LocationBrowserTest, FirstActivationListsEveryPlaceOfTheFirstDatabase) {
    browser_.Activate(dir_.Path());
    EXPECT_TRUE(messages_.empty());
    EXPECT_EQ(browser_.Databases(), (std::vector<std::string>{"+All", "Europe", "Oceania"}));
    EXPECT_EQ(browser_.Database, "+All");
    EXPECT_EQ(browser_.Regions(), (std::vector<std::string>{"+All", "Europe", "Oceania"}));
    EXPECT_EQ(browser_.Region, "+All");
    // Region code 0: every place of the file, sorted.
    EXPECT_EQ(PlaceNames(), (std::vector<std::string>{"Atlantis", "Glasgow", "London",
                                                      "Paris, Orly", "Sydney", "Zürich"}));
    EXPECT_EQ(browser_.Current().Name, "Atlantis");
    EXPECT_EQ(browser_.RecordStatus(), "Record 6 of 6");
    // A record without a region shows its database's name.
    EXPECT_EQ(browser_.LocationText(), "Atlantis, Europe");

    browser_.ShowPlace(4);  // Sydney: database and region found through the look-ups
    EXPECT_EQ(browser_.LocationText(), "Sydney, Australia");
    EXPECT_EQ(browser_.Rows()[0], (std::vector<std::string>{"Latitude", "33.95S"}));
    EXPECT_EQ(browser_.Rows()[3], (std::vector<std::string>{"Altitude", "6 m"}));
    browser_.ShowPlace(1);
    EXPECT_EQ(browser_.LocationText(), "Glasgow, United Kingdom");
    EXPECT_EQ(browser_.RecordStatus(), "Record 5 of 6");

    browser_.ChangeRegion(2);  // "Oceania" in +All: the places of that database
    EXPECT_EQ(PlaceNames(), (std::vector<std::string>{"Sydney"}));
    EXPECT_EQ(browser_.LocationText(), "Sydney, Oceania");
}

TEST_F(LocationBrowserTest, StoredSelectionComesBackAndCloseKeepsIt) {
    browser_.Database = "europe";
    browser_.SelectLocation("London, United Kingdom");
    browser_.Activate(dir_.Path());
    EXPECT_EQ(browser_.Database, "Europe");
    EXPECT_EQ(browser_.Region, "United Kingdom");
    EXPECT_EQ(PlaceNames(), (std::vector<std::string>{"Glasgow", "London"}));
    EXPECT_EQ(browser_.Current().Name, "London");
    EXPECT_EQ(browser_.LocationText(), "London, United Kingdom");
    EXPECT_EQ(browser_.RecordStatus(), "Record 1 of 5");

    browser_.ChangeRegion(0);  // "+All" of Europe: code 0, the whole file
    EXPECT_EQ(browser_.Places().size(), 5u);
    EXPECT_EQ(browser_.LocationText(), "London, United Kingdom");
    browser_.ShowPlace(0);
    EXPECT_EQ(browser_.LocationText(), "Atlantis, Europe");

    browser_.Close();
    EXPECT_EQ(browser_.Database, "Europe");
    EXPECT_EQ(browser_.Region, "+All");
    EXPECT_EQ(browser_.Place, "Atlantis");
}

TEST_F(LocationBrowserTest, MissingDatabaseFileLeavesTheListsAsTheyWere) {
    browser_.Database = "Oceania";
    browser_.Activate(dir_.Path());
    ASSERT_EQ(PlaceNames(), (std::vector<std::string>{"Sydney"}));
    ASSERT_EQ(browser_.LocationText(), "Sydney, Australia");
    fs::remove(dir_.Path() + "Europe.wdb");
    browser_.ChangeDatabase(1);
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0], "The Europe Database has not been installed...\r\n"
                            "Please install the Calorix Geoplace Database.");
    EXPECT_EQ(browser_.Regions(), (std::vector<std::string>{"+All", "Australia"}));
    EXPECT_EQ(PlaceNames(), (std::vector<std::string>{"Sydney"}));
    browser_.ChangeRegion(0);  // no file open: nothing is read, nothing changes
    browser_.ShowPlace(0);
    EXPECT_EQ(PlaceNames(), (std::vector<std::string>{"Sydney"}));
    EXPECT_EQ(browser_.LocationText(), "Sydney, Australia");
}

TEST_F(LocationBrowserTest, MissingRegionIndexIsAnEmptyIndex) {
    fs::remove(dir_.Path() + "Regions.idx");
    browser_.Activate(dir_.Path());
    EXPECT_TRUE(browser_.Databases().empty());
    EXPECT_EQ(browser_.Database, "");
    ASSERT_EQ(messages_.size(), 1u);
    EXPECT_EQ(messages_[0].rfind("The  Database has not been installed...", 0), 0u);
}

TEST(ShippedLocations, TheBuildMakesAUsableDatabase) {
    const std::string dir = std::string(QDX_TEST_BINARY_DIR) + "/data/";
    TPowerIniFile index(dir + "Regions.idx");
    const std::vector<std::string> databases = index.ReadSection("+All");
    ASSERT_GE(databases.size(), 4u);  // "+All" and three or more databases

    const std::vector<TLocationRecord> all = ReadAll(dir + "+All.wdb");
    EXPECT_GE(all.size(), 150u);
    std::set<std::pair<int, int>> regions;
    size_t inDatabases = 0;
    for (const std::string& db : databases) {
        if (db == "+All") continue;
        const int code = index.ReadInteger("+All", db, 0);
        for (const TLocationRecord& r : ReadAll(LocationFileName(dir, db))) {
            EXPECT_EQ(r.DatabaseCode, code) << r.Name;
            EXPECT_NE(r.RegionCode, 0) << r.Name;
            regions.insert({r.DatabaseCode, r.RegionCode});
            ++inDatabases;
        }
    }
    EXPECT_EQ(inDatabases, all.size());
    EXPECT_GE(regions.size(), 6u);
    for (const TLocationRecord& r : all) {
        EXPECT_LT(r.HeatingDryBulb, r.CoolingDryBulb) << r.Name;
        EXPECT_LE(r.CoolingDryBulb, r.MaxDryBulb) << r.Name;
        EXPECT_LE(r.MinDryBulb, r.HeatingDryBulb) << r.Name;
    }
}

TEST(ShippedLocations, AreCopiedIntoTheCommonFolderWhenMissing) {
    TempDir common;
    const char* saved = std::getenv("QDX_COMMON_DIR");
    const std::string before = saved ? saved : "";
    ::setenv("QDX_COMMON_DIR", common.Path().c_str(), 1);
    ResetFolders();
    EXPECT_TRUE(EnsureLocationDatabase());
    EXPECT_TRUE(fs::exists(common.Path() + "Regions.idx"));
    EXPECT_TRUE(fs::exists(common.Path() + "+All.wdb"));
    EXPECT_TRUE(fs::exists(common.Path() + "North America.wdb"));
    if (saved)
        ::setenv("QDX_COMMON_DIR", before.c_str(), 1);
    else
        ::unsetenv("QDX_COMMON_DIR");
    ResetFolders();
}

}  // namespace
}  // namespace qdx
