#include "documents/location_csv.hpp"

#include <cmath>
#include <filesystem>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "units/format.hpp"

namespace qdx {

namespace {

// The numeric columns after place, database and region, with the values a place can have.
struct NumberColumn {
    const char* name;
    double lo, hi;
    float TLocationRecord::*field;
};

constexpr NumberColumn kNumberColumns[] = {
    {"latitude", -90, 90, &TLocationRecord::Latitude},
    {"longitude", -180, 180, &TLocationRecord::Longitude},
    {"timezone", -12, 14, &TLocationRecord::TimeZone},
    {"altitude", -500, 9000, &TLocationRecord::Altitude},
    {"cooling_db", -90, 70, &TLocationRecord::CoolingDryBulb},
    {"cooling_wb", -90, 70, &TLocationRecord::CoolingWetBulb},
    {"heating_db", -90, 70, &TLocationRecord::HeatingDryBulb},
    {"wind_speed", 0, 100, &TLocationRecord::WindSpeed},
    {"max_db", -90, 70, &TLocationRecord::MaxDryBulb},
    {"min_db", -90, 70, &TLocationRecord::MinDryBulb},
    {"daily_range", 0, 60, &TLocationRecord::DryBulbRange},
};
constexpr size_t kColumns = 3 + std::size(kNumberColumns);

// The fields of one CSV line; false when a quoted field is not closed.
bool SplitCsvLine(std::string_view line, std::vector<std::string>& fields) {
    fields.clear();
    std::string field;
    bool quoted = false, wasQuoted = false;
    for (size_t i = 0; i < line.size(); ++i) {
        char c = line[i];
        if (quoted) {
            if (c != '"') {
                field += c;
            } else if (i + 1 < line.size() && line[i + 1] == '"') {
                field += '"';
                ++i;
            } else {
                quoted = false;
            }
        } else if (c == '"' && Trim(field).empty()) {
            quoted = wasQuoted = true;
            field.clear();
        } else if (c == ',') {
            fields.push_back(wasQuoted ? field : Trim(field));
            field.clear();
            wasQuoted = false;
        } else {
            field += c;
        }
    }
    if (quoted) return false;
    fields.push_back(wasQuoted ? field : Trim(field));
    return true;
}

// Names become INI keys and section names, and a database name also a file name.
std::string NameProblem(const std::string& name, bool fileName) {
    if (name.empty()) return "is empty";
    if (Cp1252ToUtf8(Utf8ToCp1252(name)) != name) return "has characters outside Windows-1252";
    if (SameText(name, kAllLocations)) return "is reserved";
    if (name.find_first_of("=[]") != std::string::npos || name.front() == ';' || name.front() == '#')
        return "may not hold = [ ] or start with ; or #";
    if (fileName && name.find_first_of("./\\") != std::string::npos)
        return "may not hold . / or \\ (it names a file)";
    return {};
}

int CodeOf(std::vector<std::string>& names, const std::string& name) {
    for (size_t i = 0; i < names.size(); ++i)
        if (SameText(names[i], name)) return static_cast<int>(i) + 1;
    names.push_back(name);
    return static_cast<int>(names.size());
}

}  // namespace

TLocationCsvError::TLocationCsvError(std::string file, int line, const std::string& reason)
    : std::runtime_error(file + ":" + std::to_string(line) + ": " + reason),
      file_(std::move(file)),
      line_(line) {}

void ReadLocationCsv(std::string_view text, std::string_view fileName, TLocationSet& set) {
    TLocationSet result = set;
    const std::string file(fileName);
    std::vector<std::string> fields;
    int lineNumber = 0;
    size_t pos = 0;
    while (pos < text.size()) {
        size_t end = text.find('\n', pos);
        std::string_view line = text.substr(pos, end == std::string_view::npos ? std::string_view::npos : end - pos);
        pos = end == std::string_view::npos ? text.size() : end + 1;
        ++lineNumber;
        if (!line.empty() && line.back() == '\r') line.remove_suffix(1);
        if (lineNumber == 1 && line.substr(0, 3) == "\xEF\xBB\xBF") line.remove_prefix(3);
        const std::string trimmed = Trim(line);
        if (trimmed.empty() || trimmed.front() == '#') continue;
        auto fail = [&](const std::string& reason) { throw TLocationCsvError(file, lineNumber, reason); };
        if (!SplitCsvLine(line, fields)) fail("a quoted field is not closed");
        if (SameText(fields.front(), "place")) continue;
        if (fields.size() != kColumns)
            fail("expected " + std::to_string(kColumns) + " fields, found " + std::to_string(fields.size()));

        TLocationRecord record;
        record.Name = fields[0];
        if (std::string problem = NameProblem(record.Name, false); !problem.empty())
            fail("the place name " + problem);
        if (Utf8ToCp1252(record.Name).size() > kLocationNameLength)
            fail("the place name is longer than " + std::to_string(kLocationNameLength) + " characters");
        if (std::string problem = NameProblem(fields[1], true); !problem.empty())
            fail("the database name " + problem);
        if (std::string problem = NameProblem(fields[2], false); !problem.empty())
            fail("the region name " + problem);

        for (size_t i = 0; i < std::size(kNumberColumns); ++i) {
            const NumberColumn& column = kNumberColumns[i];
            double v = 0;
            if (!TryStrToFloat(fields[3 + i], v) || !std::isfinite(v))
                fail(std::string(column.name) + " \"" + fields[3 + i] + "\" is not a number");
            if (v < column.lo || v > column.hi)
                fail(std::string(column.name) + " " + fields[3 + i] + " is outside " +
                     FloatToStr(column.lo) + " .. " + FloatToStr(column.hi));
            record.*column.field = static_cast<float>(v);
        }
        if (record.CoolingWetBulb > record.CoolingDryBulb)
            fail("the cooling wet bulb is above the cooling dry bulb");
        if (record.MinDryBulb > record.MaxDryBulb)
            fail("the minimum dry bulb is above the maximum dry bulb");

        std::vector<std::string> names;
        for (const auto& db : result.Databases) names.push_back(db.Name);
        record.DatabaseCode = CodeOf(names, fields[1]);
        if (names.size() > result.Databases.size()) result.Databases.push_back({fields[1], {}});
        record.RegionCode = CodeOf(result.Databases[record.DatabaseCode - 1].Regions, fields[2]);
        result.Records.push_back(std::move(record));
    }
    set = std::move(result);
}

std::string RegionIndexText(const TLocationSet& set) {
    auto section = [](std::string& text, std::string_view name,
                      const std::vector<std::string>& keys) {
        text.append("[").append(name).append("]\n");
        text.append(kAllLocations).append("=0\n");
        for (size_t i = 0; i < keys.size(); ++i)
            text.append(keys[i]).append("=").append(std::to_string(i + 1)).append("\n");
    };
    std::vector<std::string> names;
    for (const TLocationSet::Database& db : set.Databases) names.push_back(db.Name);
    std::string text;
    section(text, kAllLocations, names);
    for (const TLocationSet::Database& db : set.Databases) {
        text.append("\n");
        section(text, db.Name, db.Regions);
    }
    return text;
}

bool WriteLocationDatabase(const TLocationSet& set, const std::string& folder, std::string& error) {
    const std::string dir = AddBackslash(folder);
    std::string all;
    std::vector<std::string> files(set.Databases.size());
    for (const TLocationRecord& record : set.Records) {
        const auto bytes = EncodeLocationRecord(record);
        all.append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
        files[record.DatabaseCode - 1].append(reinterpret_cast<const char*>(bytes.data()), bytes.size());
    }
    if (!WriteFileAtomically(LocationFileName(dir, kAllLocations), all, &error)) return false;
    for (size_t i = 0; i < set.Databases.size(); ++i)
        if (!WriteFileAtomically(LocationFileName(dir, set.Databases[i].Name), files[i], &error))
            return false;
    // The index last: a reader that finds it finds the files it names.
    return WriteFileAtomically(dir + std::string(kRegionIndexFile), RegionIndexText(set), &error);
}

}  // namespace qdx
