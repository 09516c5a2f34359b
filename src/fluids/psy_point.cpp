#include "fluids/psy_point.hpp"

#include <bit>
#include <cmath>
#include <filesystem>
#include <fstream>

#include "documents/atomic_file.hpp"
#include "fluids/air_state_text.hpp"

namespace qdx {

namespace {

constexpr int kReservedField = 11;

}  // namespace

TAirconItem::TAirconItem(int number, std::string prefix)
    : Name(std::move(prefix) + std::to_string(number)), Number(number) {}

TPsyPoint::TPsyPoint(int number)
    : TAirconItem(number, "Node"), State(AirStateFromText("25/17", 101.325, 0.5)) {
    ItemName = "Air";
}

std::array<uint8_t, kPsxRecordSize> PsxBytes(const TAirState& state) {
    std::array<uint8_t, kPsxRecordSize> out{};
    for (int f = 0; f < kAirStateFields; ++f) {
        const uint64_t bits = std::bit_cast<uint64_t>(AirField(state, f));
        for (int i = 0; i < 8; ++i) out[8 * f + i] = static_cast<uint8_t>(bits >> (8 * i));
    }
    return out;
}

bool ReadPsxFile(const std::string& path, TAirState& state) {
    std::ifstream in(path, std::ios::binary);
    std::array<uint8_t, kPsxRecordSize> bytes{};
    if (!in.read(reinterpret_cast<char*>(bytes.data()), kPsxRecordSize)) return false;
    TAirState read;
    for (int f = 0; f < kAirStateFields; ++f) {
        uint64_t bits = 0;
        for (int i = 0; i < 8; ++i) bits |= static_cast<uint64_t>(bytes[8 * f + i]) << (8 * i);
        const double v = std::bit_cast<double>(bits);
        if (f != kReservedField && !std::isfinite(v)) return false;
        AirField(read, f) = v;
    }
    state = read;
    return true;
}

bool WritePsxFile(const std::string& path, const TAirState& state) {
    // A path the user chose: its folder must be there already.
    std::error_code ec;
    const std::filesystem::path parent = std::filesystem::path(path).parent_path();
    if (!parent.empty() && !std::filesystem::is_directory(parent, ec)) return false;
    const auto bytes = PsxBytes(state);
    return WriteFileAtomically(path, std::string_view(reinterpret_cast<const char*>(bytes.data()), bytes.size()));
}

}  // namespace qdx
