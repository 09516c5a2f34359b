// Air state texts: a text either is refused (ConvertError for a malformed number, CalcError for
// air that is no state at that pressure, such as 99 °C saturated at 62.5 kPa) or gives a state
// with its dry bulb in -60..99 °C and its wet bulb no higher, which checks and formats.

#include <cmath>
#include <string>

#include "fluids/air_state_text.hpp"
#include "fuzz_support.hpp"
#include "units/errors.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    // The first byte picks the barometer, from sea level to high ground.
    const double pressures[] = {101.325, 95, 80, 62.5};
    const double pa = size ? pressures[data[0] % 4] : 101.325;
    const std::string_view text = size ? fuzz::Text(data + 1, size - 1) : std::string_view();

    try {
        const TAirState s = AirStateFromText(text, pa, 0.5);
        fuzz::Expect(s.db >= -60 && s.db <= 99, "a dry bulb outside its range");
        fuzz::Expect(s.wb <= s.db, "a wet bulb above the dry bulb");
        for (int i = 0; i < kAirStateFields; ++i)
            fuzz::Expect(std::isfinite(AirField(s, i)), "an air state field is not a number");
        CheckAirState(s);
        FormatDbWb(s, "%0.1f");
    } catch (const ConvertError&) {
    } catch (const CalcError&) {
    }
    try {
        NormaliseAirText(text, pa);
    } catch (const ConvertError&) {
    } catch (const CalcError&) {
    }
    return 0;
}
