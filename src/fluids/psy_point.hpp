#pragma once
// A named moist-air point and its file: a ".psx" file is exactly one TAirState record, the
// fifteen fields as little-endian IEEE doubles in record order (120 bytes, no header).

#include <array>
#include <cstdint>
#include <string>

#include "fluids/psychrometrics.hpp"

namespace qdx {

// The letters of the air state properties, in field order from pa: p pressure, t dry bulb,
// b wet bulb, h enthalpy, w absolute humidity, f relative humidity, d dew point, v vapour
// pressure, s saturation pressure, r density, c specific heat. Row r of the state window
// (2..12) shows the property of letter r - 2.
inline constexpr std::string_view kAirPropertyLetters = "ptbhwfdvsrc";

// A numbered item of an air-conditioning design, shown in its own window at Left, Top
// (-99 = not placed yet).
class TAirconItem {
public:
    explicit TAirconItem(int number, std::string prefix);
    virtual ~TAirconItem() = default;

    std::string Name;      // the component name: prefix + number
    std::string ItemName;  // the name shown to the user
    int Number;
    int Left = -99;
    int Top = -99;
};

class TPsyPoint : public TAirconItem {
public:
    // Named "Node" + number, item name "Air", state 25/17 °C at 101.325 kPa.
    explicit TPsyPoint(int number = 1);

    TAirState State;
};

inline constexpr size_t kPsxRecordSize = 120;

std::array<uint8_t, kPsxRecordSize> PsxBytes(const TAirState& state);
// False, leaving state as it was, when the file cannot be read, is shorter than one record or
// holds a field that is not a number (the reserved field is not read).
bool ReadPsxFile(const std::string& path, TAirState& state);
// Writes through a temporary file; false when the file cannot be written or its folder is
// missing.
bool WritePsxFile(const std::string& path, const TAirState& state);

}  // namespace qdx
