#include "documents/location_database.hpp"

#include <algorithm>
#include <bit>
#include <cstring>
#include <filesystem>

#include "documents/folders.hpp"
#include "documents/text_utils.hpp"
#include "documents/value_stream.hpp"
#include "units/format.hpp"

namespace qdx {

namespace fs = std::filesystem;

namespace {

void PutUint32(uint8_t* out, uint32_t v) {
    for (int i = 0; i < 4; ++i) out[i] = static_cast<uint8_t>(v >> (8 * i));
}

uint32_t GetUint32(const uint8_t* in) {
    uint32_t v = 0;
    for (int i = 0; i < 4; ++i) v |= static_cast<uint32_t>(in[i]) << (8 * i);
    return v;
}

// The eleven reals of a record in file order.
std::array<float*, 11> Reals(TLocationRecord& r) {
    return {&r.Latitude,       &r.Longitude,      &r.TimeZone,  &r.Altitude,
            &r.CoolingDryBulb, &r.CoolingWetBulb, &r.HeatingDryBulb, &r.WindSpeed,
            &r.MaxDryBulb,     &r.MinDryBulb,     &r.DryBulbRange};
}

constexpr size_t kNameOffset = 8;
constexpr size_t kRealsOffset = 40;

// Sorted lists compare ignoring the case of ASCII letters, as the window's lists do.
bool LessText(std::string_view a, std::string_view b) {
    auto lower = [](unsigned char c) { return c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c; };
    return std::lexicographical_compare(
        a.begin(), a.end(), b.begin(), b.end(),
        [&](char x, char y) { return lower(static_cast<unsigned char>(x)) < lower(static_cast<unsigned char>(y)); });
}

int IndexOfText(const std::vector<std::string>& list, std::string_view text) {
    for (size_t i = 0; i < list.size(); ++i)
        if (SameText(list[i], text)) return static_cast<int>(i);
    return -1;
}

}  // namespace

std::array<uint8_t, kLocationRecordSize> EncodeLocationRecord(const TLocationRecord& record) {
    std::array<uint8_t, kLocationRecordSize> out{};
    PutUint32(out.data(), static_cast<uint32_t>(record.DatabaseCode));
    PutUint32(out.data() + 4, static_cast<uint32_t>(record.RegionCode));
    std::string name = Utf8ToCp1252(record.Name);
    if (name.size() > kLocationNameLength) name.resize(kLocationNameLength);
    out[kNameOffset] = static_cast<uint8_t>(name.size());
    std::memcpy(out.data() + kNameOffset + 1, name.data(), name.size());
    TLocationRecord copy = record;
    auto reals = Reals(copy);
    for (size_t i = 0; i < reals.size(); ++i)
        PutUint32(out.data() + kRealsOffset + 4 * i, std::bit_cast<uint32_t>(*reals[i]));
    return out;
}

TLocationRecord DecodeLocationRecord(std::span<const uint8_t, kLocationRecordSize> bytes) {
    TLocationRecord r;
    r.DatabaseCode = static_cast<int32_t>(GetUint32(bytes.data()));
    r.RegionCode = static_cast<int32_t>(GetUint32(bytes.data() + 4));
    size_t length = std::min<size_t>(bytes[kNameOffset], kLocationNameLength);
    r.Name = Cp1252ToUtf8(
        std::string_view(reinterpret_cast<const char*>(bytes.data() + kNameOffset + 1), length));
    auto reals = Reals(r);
    for (size_t i = 0; i < reals.size(); ++i)
        *reals[i] = std::bit_cast<float>(GetUint32(bytes.data() + kRealsOffset + 4 * i));
    return r;
}

bool TLocationFile::Open(const std::string& path) {
    Close();
    in_.open(path, std::ios::binary);
    if (!in_.is_open()) return false;
    path_ = path;
    next_ = 0;
    return true;
}

void TLocationFile::Close() {
    if (in_.is_open()) in_.close();
    in_.clear();
    path_.clear();
    next_ = 0;
}

int TLocationFile::RecordCount() {
    if (!in_.is_open()) return 0;
    in_.clear();
    in_.seekg(0, std::ios::end);
    std::streamoff size = in_.tellg();
    if (size < 0) throw TLocationFileError("Error reading file " + path_);
    return static_cast<int>(size / static_cast<std::streamoff>(kLocationRecordSize));
}

TLocationRecord TLocationFile::Read(int recordNumber) {
    if (!in_.is_open() || recordNumber < 0 || recordNumber >= RecordCount())
        throw TLocationFileError("Error reading file " + path_);
    std::array<uint8_t, kLocationRecordSize> bytes{};
    in_.clear();
    in_.seekg(static_cast<std::streamoff>(recordNumber) * static_cast<std::streamoff>(kLocationRecordSize));
    in_.read(reinterpret_cast<char*>(bytes.data()), kLocationRecordSize);
    if (!in_) throw TLocationFileError("Error reading file " + path_);
    next_ = recordNumber + 1;
    return DecodeLocationRecord(bytes);
}

void TLocationFile::Rewind() { next_ = 0; }

bool TLocationFile::ReadNext(TLocationRecord& record) {
    if (next_ >= RecordCount()) return false;
    record = Read(next_);
    return true;
}

std::string LocationFileName(std::string_view folder, std::string_view database) {
    std::string name(database);
    size_t dot = name.rfind('.');
    if (dot != std::string::npos && name.find('/', dot) == std::string::npos) name.resize(dot);
    return std::string(folder) + name + ".wdb";
}

std::string Hemisphere(double value, std::string_view format, std::string_view positive,
                       std::string_view negative) {
    if (value >= 0) return Format(format, value) + std::string(positive);
    return Format(format, -value) + std::string(negative);
}

std::vector<std::string> LocationRecordTexts(const TLocationRecord& r) {
    return {
        Format("Latitude,%s", Hemisphere(r.Latitude, "%0.2f", "N", "S")),
        Format("Longitude,%s", Hemisphere(r.Longitude, "%0.2f", "E", "W")),
        Format("TimeZone,%s", Hemisphere(r.TimeZone, "%0.0f", "E", "W")),
        Format("Altitude,\"%0.0f m\"", r.Altitude),
        Format("Cooling,\"%0.1f/%0.1f °C\"", r.CoolingDryBulb, r.CoolingWetBulb),
        Format("Heating,\"%0.1f °C\"", r.HeatingDryBulb),
        Format("\"Wind Speed\",\"%0.1f m/s\"", r.WindSpeed),
        Format("\"Max DryBulb\",\"%0.1f °C\"", r.MaxDryBulb),
        Format("\"Min DryBulb\",\"%0.1f °C\"", r.MinDryBulb),
        Format("\"DB Range\",\"%0.1f °C\"", r.DryBulbRange),
    };
}

std::string TLocationBrowser::DatabaseText() const {
    return databaseIndex_ >= 0 ? databases_[databaseIndex_] : std::string();
}

std::string TLocationBrowser::RegionText() const {
    return regionIndex_ >= 0 ? regions_[regionIndex_] : std::string();
}

void TLocationBrowser::SelectLocation(std::string_view text) {
    locationText_ = std::string(text);
    Place = NthField(1, ",", text);
    Region = NthField(2, ",", text);
}

void TLocationBrowser::Message(const std::string& text) {
    if (OnMessage) OnMessage(text);
}

void TLocationBrowser::Activate(const std::string& folder) {
    folder_ = folder;
    index_ = std::make_unique<TPowerIniFile>(folder + std::string(kRegionIndexFile));
    databases_ = index_->ReadSections();
    std::stable_sort(databases_.begin(), databases_.end(), LessText);
    databaseCache_.reset();
    regionCache_.reset();
    if (Database.empty())
        databaseIndex_ = databases_.empty() ? -1 : 0;
    else
        databaseIndex_ = IndexOfText(databases_, Database);
    Database = DatabaseText();
    DatabaseChanged();
    ShowPlace(placeIndex_);
}

void TLocationBrowser::ChangeDatabase(int index) {
    databaseIndex_ = index >= 0 && index < static_cast<int>(databases_.size()) ? index : -1;
    DatabaseChanged();
}

void TLocationBrowser::DatabaseChanged() {
    file_.Close();
    const std::string name = DatabaseText();
    const std::string path = LocationFileName(folder_, name);
    std::error_code ec;
    if (!fs::is_regular_file(path, ec) || !file_.Open(path)) {
        Message("The " + name + " Database has not been installed...\r\n" +
                "Please install the Calorix Geoplace Database.");
        return;
    }
    regions_ = index_ ? index_->ReadSection(name) : std::vector<std::string>{};
    std::stable_sort(regions_.begin(), regions_.end(), LessText);
    regionIndex_ = IndexOfText(regions_, Region);
    if (regionIndex_ < 0 && !regions_.empty()) regionIndex_ = 0;
    Region = RegionText();
    RegionChanged();
}

void TLocationBrowser::ChangeRegion(int index) {
    regionIndex_ = index >= 0 && index < static_cast<int>(regions_.size()) ? index : -1;
    Region = RegionText();
    RegionChanged();
}

void TLocationBrowser::RegionChanged() {
    // The lists outlive a database whose file could not be opened; they stay as they are.
    if (!file_.IsOpen()) return;
    const std::string database = DatabaseText();
    const int code = index_ ? index_->ReadInteger(database, Region, 0) : 0;
    const bool all = SameText(database, kAllLocations);
    places_.clear();
    placeIndex_ = -1;
    file_.Rewind();
    TLocationRecord record;
    int number = 0;
    while (file_.ReadNext(record)) {
        const int32_t recordCode = all ? record.DatabaseCode : record.RegionCode;
        if (code == 0 || recordCode == code) places_.push_back({record.Name, number});
        ++number;
    }
    if (number > 0) current_ = record;
    std::stable_sort(places_.begin(), places_.end(),
                     [](const PlaceEntry& a, const PlaceEntry& b) { return LessText(a.Name, b.Name); });
    for (size_t i = 0; i < places_.size() && placeIndex_ < 0; ++i)
        if (SameText(places_[i].Name, Place)) placeIndex_ = static_cast<int>(i);
    if (placeIndex_ < 0 && !places_.empty()) placeIndex_ = 0;
    ShowPlace(placeIndex_);
}

void TLocationBrowser::ShowPlace(int index) {
    if (index < 0 || index >= static_cast<int>(places_.size())) return;
    placeIndex_ = index;
    if (!file_.IsOpen()) return;
    const PlaceEntry& entry = places_[index];
    current_ = file_.Read(entry.RecordNumber);
    rows_.clear();
    for (const std::string& text : LocationRecordTexts(current_)) rows_.push_back(SplitCommaText(text));

    std::string name = DatabaseText();
    if (SameText(name, kAllLocations)) name = DatabaseNameOf(current_.DatabaseCode);
    if (current_.RegionCode != 0) {
        std::string region = RegionText();
        if (SameText(region, kAllLocations)) region = RegionNameOf(name, current_.RegionCode);
        name = region;
    }
    locationText_ = Format("%s, %s", current_.Name, name);
    recordStatus_ = Format("Record %d of %d", entry.RecordNumber + 1, file_.RecordCount());
}

std::string TLocationBrowser::DatabaseNameOf(int32_t code) {
    if (databaseCache_ && databaseCache_->first == code) return databaseCache_->second;
    std::string found;
    if (index_) {
        for (const std::string& key : index_->ReadSection(kAllLocations))
            if (index_->ReadInteger(kAllLocations, key, 0) == code) {
                found = key;
                break;
            }
    }
    databaseCache_ = std::make_pair(code, found);
    return found;
}

std::string TLocationBrowser::RegionNameOf(const std::string& database, int32_t code) {
    if (regionCache_ && std::get<1>(*regionCache_) == code && SameText(std::get<0>(*regionCache_), database))
        return std::get<2>(*regionCache_);
    std::string found;
    if (index_) {
        for (const std::string& key : index_->ReadSection(database))
            if (index_->ReadInteger(database, key, 0) == code) {
                found = key;
                break;
            }
    }
    regionCache_ = std::make_tuple(database, code, found);
    return found;
}

void TLocationBrowser::Close() {
    Database = DatabaseText();
    Region = RegionText();
    Place = placeIndex_ >= 0 ? places_[placeIndex_].Name : std::string();
    file_.Close();
    index_.reset();
    databaseCache_.reset();
    regionCache_.reset();
}

bool EnsureLocationDatabase() {
    const std::string from = BuiltDataDir();
    if (!EnsureSharedDataFile(kRegionIndexFile, from)) return false;
    TPowerIniFile index(MakerCommonDir() + std::string(kRegionIndexFile));
    for (const std::string& database : index.ReadSections()) {
        std::string file = LocationFileName("", database);
        EnsureSharedDataFile(file, from);
    }
    return true;
}

}  // namespace qdx
