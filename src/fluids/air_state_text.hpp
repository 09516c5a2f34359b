#pragma once
// Air states as short texts: a dry bulb alone ("24") or dry bulb and wet bulb joined by a slash
// ("25.0/17.0"), °C with "." as decimal separator; and the plausibility check of a state.

#include <string>
#include <string_view>

#include "fluids/psychrometrics.hpp"

namespace qdx {

// The state of an air text at pressure pa (kPa). A dry bulb alone gets the wet bulb of relative
// humidity rh (fraction). The dry bulb is clamped to -60..99 °C; the wet bulb to at most the dry
// bulb and at least the wet bulb of 1 % relative humidity. Throws ConvertError for a malformed
// number, and CalcError for air that is no state at that pressure (99 °C saturated at 62.5 kPa).
TAirState AirStateFromText(std::string_view text, double pa, double rh);
// The numbers of an air text as written: the dry bulb, and the wet bulb after a "/" (NaN
// without one). Throws ConvertError for a malformed number, as AirStateFromText does.
struct TAirTextNumbers {
    double db;
    double wb;
};
TAirTextNumbers ParseAirText(std::string_view text);

// Empty when the state is plausible, else the message of its first failing test.
std::string CheckAirState(const TAirState& state);

// Dry bulb and wet bulb, each with the printf-style format, joined by "/".
std::string FormatDbWb(const TAirState& state, std::string_view format);

// An entered value as "db/wb" with one decimal: a text with "/" as an air text (rh 0.5), a
// single number as a dry bulb at 45 % relative humidity.
std::string NormaliseAirText(std::string_view value, double pa);

}  // namespace qdx
