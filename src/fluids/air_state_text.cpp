#include "fluids/air_state_text.hpp"

#include <algorithm>
#include <cmath>

#include "units/format.hpp"

namespace qdx {

namespace {

constexpr int kPairDbWb = 0;
constexpr int kPairDbRh = 3;

double ClampDryBulb(double db) { return std::clamp(db, -60.0, 99.0); }

}  // namespace

TAirTextNumbers ParseAirText(std::string_view text) {
    const std::size_t slash = text.find('/');
    if (slash == std::string_view::npos) return {StrToFloat(text), std::nan("")};
    const double db = StrToFloat(text.substr(0, slash));
    return {db, StrToFloat(text.substr(slash + 1))};
}

TAirState AirStateFromText(std::string_view text, double pa, double rh) {
    const TAirTextNumbers numbers = ParseAirText(text);
    const double db = ClampDryBulb(numbers.db);
    double wb;
    if (std::isnan(numbers.wb)) {  // a dry bulb alone
        wb = WetBulb(pa, db, rh, kPairDbRh);
    } else {
        wb = std::min(numbers.wb, db);
        wb = std::max(wb, WetBulb(pa, db, 0.01, kPairDbRh));
    }
    return SetState(pa, db, wb, kPairDbWb);
}

std::string CheckAirState(const TAirState& s) {
    if (s.db > 99) return "Dry bulb too high...";
    if (s.wb > 99) return "Wet bulb too high...";
    if (s.db < -60) return "Dry bulb too low...";
    if (s.wb < -60) return "Wet bulb too low...";
    if (s.wb - s.db > 0.1) return "Wet Bulb > Dry Bulb °C...";
    if (s.rh < -0.01) return "Low Relative Humidity...";
    if (s.rh > 1.01) return "High Relative Humidity...";
    if (s.wa < -0.00001) return "Absolute Humidity < 0 g/kg...";
    if (PsyStatus() != 0) return "Bad data...";
    return {};
}

std::string FormatDbWb(const TAirState& state, std::string_view format) {
    return Format(format, state.db) + "/" + Format(format, state.wb);
}

std::string NormaliseAirText(std::string_view value, double pa) {
    if (value.find('/') != std::string_view::npos)
        return FormatDbWb(AirStateFromText(value, pa, 0.5), "%0.1f");
    const TAirState s = SetState(pa, StrToFloat(value), 0.45, kPairDbRh);
    return FormatDbWb(s, "%0.1f");
}

}  // namespace qdx
