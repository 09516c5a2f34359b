#pragma once
// Building a location database from comma-separated text, one place a line:
//
//   place,database,region,latitude,longitude,timezone,altitude,cooling_db,cooling_wb,
//   heating_db,wind_speed,max_db,min_db,daily_range
//
// Units as the records hold them (degrees north and east, hours east of UTC, m, °C, m/s, K).
// Fields may be quoted ("Washington, D.C."); blank lines, lines starting with "#" and a header
// line whose first field is "place" are skipped. Databases get their codes in the order they
// first appear, and each database's regions likewise, from 1; every section of the region
// index also holds "+All=0", which lists every place of its file.

#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "documents/location_database.hpp"

namespace qdx {

// A line that cannot become a record: what() is "file:line: reason".
class TLocationCsvError : public std::runtime_error {
public:
    TLocationCsvError(std::string file, int line, const std::string& reason);
    const std::string& File() const { return file_; }
    int Line() const { return line_; }

private:
    std::string file_;
    int line_;
};

struct TLocationSet {
    struct Database {
        std::string Name;
        std::vector<std::string> Regions;  // region code = position + 1
    };
    std::vector<Database> Databases;  // database code = position + 1
    std::vector<TLocationRecord> Records;
};

// Adds the places of one CSV text to the set; throws TLocationCsvError at the first bad line,
// leaving the set as it was.
void ReadLocationCsv(std::string_view text, std::string_view fileName, TLocationSet& set);

// The text of "Regions.idx" for the set.
std::string RegionIndexText(const TLocationSet& set);

// Writes "Regions.idx", "+All.wdb" and one ".wdb" per database into folder (created when
// missing). False with the reason in error when a file cannot be written.
bool WriteLocationDatabase(const TLocationSet& set, const std::string& folder, std::string& error);

}  // namespace qdx
