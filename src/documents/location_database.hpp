#pragma once
// The location database: places with their position and climatic design figures, kept in
// fixed-length record files (".wdb") named by the sections of the region index "Regions.idx",
// all in the maker's common folder.
//
// A ".wdb" file is a plain sequence of 84-byte little-endian records, no header:
//   0 int32 database code   (value of the place's database among the keys of section "+All")
//   4 int32 region code     (value of its region among the keys of its database's section;
//                            0 = none)
//   8 short string          (1 length byte + up to 31 Windows-1252 characters) place name
//  40 float32 x 11          latitude (° north), longitude (° east), time zone (h east),
//                           altitude (m), cooling design dry bulb and wet bulb, heating design
//                           dry bulb (°C), wind speed (m/s), maximum and minimum dry bulb (°C),
//                           daily dry-bulb range (K)
// "Regions.idx" is an INI text: a section per database, whose keys are its region names with
// their codes; section "+All" names the databases with their codes. The database "+All"
// holds every place and its regions are the databases. A region whose code is 0 (a missing
// key reads as 0) stands for every place of its file.

#include <array>
#include <cstdint>
#include <fstream>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <stdexcept>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "documents/ini_file.hpp"

namespace qdx {

inline constexpr size_t kLocationRecordSize = 84;
inline constexpr size_t kLocationNameLength = 31;
inline constexpr std::string_view kRegionIndexFile = "Regions.idx";
inline constexpr std::string_view kAllLocations = "+All";

struct TLocationRecord {
    int32_t DatabaseCode = 0;
    int32_t RegionCode = 0;
    std::string Name;  // UTF-8 in memory, Windows-1252 in the file
    float Latitude = 0;        // degrees, north positive
    float Longitude = 0;       // degrees, east positive
    float TimeZone = 0;        // hours, east positive
    float Altitude = 0;        // m
    float CoolingDryBulb = 0;  // °C
    float CoolingWetBulb = 0;  // °C
    float HeatingDryBulb = 0;  // °C
    float WindSpeed = 0;       // m/s
    float MaxDryBulb = 0;      // °C
    float MinDryBulb = 0;      // °C
    float DryBulbRange = 0;    // K

    bool operator==(const TLocationRecord&) const = default;
};

// The record's bytes; a name longer than 31 Windows-1252 characters is cut.
std::array<uint8_t, kLocationRecordSize> EncodeLocationRecord(const TLocationRecord& record);
// A length byte above 31 is read as 31.
TLocationRecord DecodeLocationRecord(std::span<const uint8_t, kLocationRecordSize> bytes);

// A failed read or seek of an open database file.
class TLocationFileError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// An open ".wdb" file read as records; bytes after the last whole record are ignored.
class TLocationFile {
public:
    // False when the file cannot be opened for reading.
    bool Open(const std::string& path);
    void Close();
    bool IsOpen() const { return in_.is_open(); }
    const std::string& Path() const { return path_; }
    int RecordCount();
    // Throw TLocationFileError when the record cannot be read.
    TLocationRecord Read(int recordNumber);
    void Rewind();
    // The next record in sequence; false at the end of the file.
    bool ReadNext(TLocationRecord& record);

private:
    std::ifstream in_;
    std::string path_;
    int next_ = 0;
};

// The database file of a database name: the name with its extension replaced by ".wdb".
std::string LocationFileName(std::string_view folder, std::string_view database);

// value formatted with format followed by positive; a negative value's magnitude followed by
// negative ("33.93S" for -33.93 with "%0.2f", "N", "S").
std::string Hemisphere(double value, std::string_view format, std::string_view positive,
                       std::string_view negative);

// The ten comma texts (caption, value) that show a record.
std::vector<std::string> LocationRecordTexts(const TLocationRecord& record);

// What the location window shows and remembers: the database, region and place lists over the
// region index and the open database file, the current record and its LocationText.
class TLocationBrowser {
public:
    struct PlaceEntry {
        std::string Name;
        int32_t RecordNumber = 0;
    };

    // Settings of the window; Place and Region also come from SelectLocation.
    std::string Database, Region, Place;

    // Messages for the user (the missing-database message).
    std::function<void(const std::string&)> OnMessage;

    // Sorted lists and their selection (-1 = none).
    const std::vector<std::string>& Databases() const { return databases_; }
    const std::vector<std::string>& Regions() const { return regions_; }
    const std::vector<PlaceEntry>& Places() const { return places_; }
    int DatabaseIndex() const { return databaseIndex_; }
    int RegionIndex() const { return regionIndex_; }
    int PlaceIndex() const { return placeIndex_; }
    // The selected entry's text; empty when none is selected.
    std::string DatabaseText() const;
    std::string RegionText() const;

    const TLocationRecord& Current() const { return current_; }
    const std::string& LocationText() const { return locationText_; }
    // Status panels: "Record n of m" and the LocationText of the place shown.
    const std::string& RecordStatus() const { return recordStatus_; }
    // The place's rows as (caption, value) cells; empty before a place is shown.
    const std::vector<std::vector<std::string>>& Rows() const { return rows_; }

    // LocationText := text; Place and Region := its first and second comma fields.
    void SelectLocation(std::string_view text);

    // Loads folder + "Regions.idx", fills the database list, selects the stored Database and
    // runs the database change and the display of the selected place.
    void Activate(const std::string& folder);
    // The user picks a database, a region or a place (-1 = none).
    void ChangeDatabase(int index);
    void ChangeRegion(int index);
    void ShowPlace(int index);
    // Keeps Database, Region and Place from the lists and frees the file and the index.
    void Close();

private:
    void DatabaseChanged();
    void RegionChanged();
    std::string DatabaseNameOf(int32_t code);
    std::string RegionNameOf(const std::string& database, int32_t code);
    void Message(const std::string& text);

    std::string folder_;
    std::unique_ptr<TPowerIniFile> index_;
    TLocationFile file_;
    std::vector<std::string> databases_, regions_;
    std::vector<PlaceEntry> places_;
    int databaseIndex_ = -1, regionIndex_ = -1, placeIndex_ = -1;
    TLocationRecord current_;
    std::string locationText_, recordStatus_;
    std::vector<std::vector<std::string>> rows_;
    // One-entry caches of the code-to-name look-ups.
    std::optional<std::pair<int32_t, std::string>> databaseCache_;
    std::optional<std::tuple<std::string, int32_t, std::string>> regionCache_;
};

// Makes sure MakerCommonDir holds "Regions.idx" and the database files it names, copying the
// shipped ones where they are missing. True when the region index is there afterwards.
bool EnsureLocationDatabase();

}  // namespace qdx
