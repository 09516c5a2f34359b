// Damaged air state texts: a malformed number is a conversion error, a state no air can have an
// arithmetic fault, and nothing else escapes; every text that converts gives a state inside the
// clamps, whatever numbers it holds.

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <string>

#include "documents/mutation.hpp"
#include "fluids/air_state_text.hpp"
#include "units/errors.hpp"

namespace qdx {
namespace {

TEST(AirStateTextRobustness, DamagedTextsConvertIntoTheClampsOrFailWithAConversionError) {
    const std::string texts[] = {"25.0/17.0", "24", "-70", "120/20", "30/5", "27.0000/21.0000"};
    test::Mutator m(1013);
    int converted = 0;
    for (int n = 0; n < 3000; ++n) {
        SCOPED_TRACE("case " + std::to_string(n));
        const std::string text = m.Several(texts[n % 6], [&](std::string s) {
            if (m.Below(2)) return m.Bytes(s);
            // A whole number replaced, on either side of the slash.
            const std::size_t slash = s.find('/');
            if (slash == std::string::npos || m.Below(2))
                return m.AnyNasty() + s.substr(std::min(slash, s.size()));
            return s.substr(0, slash + 1) + m.AnyNasty();
        });
        for (double pa : {101.325, 80.0}) {
            TAirState s{};
            try {
                s = AirStateFromText(text, pa, 0.5);
            } catch (const ConvertError&) {
                continue;
            } catch (const CalcError&) {
                // A saturated state hotter than water boils at this pressure: an arithmetic
                // fault, which the callers catch as they catch any other.
                continue;
            } catch (const std::exception& e) {
                ADD_FAILURE() << text << ": " << e.what();
                continue;
            }
            ++converted;
            EXPECT_TRUE(s.db >= -60 && s.db <= 99) << text << " db " << s.db;
            EXPECT_TRUE(std::isfinite(s.wb) && s.wb <= s.db) << text << " wb " << s.wb;
            EXPECT_TRUE(std::isfinite(s.ha) && std::isfinite(s.wa) && std::isfinite(s.rh))
                << text;
        }
    }
    EXPECT_GT(converted, 500);
}

}  // namespace
}  // namespace qdx
