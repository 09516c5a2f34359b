#pragma once
// The rules of typed numeric entry, shared by the formatted edit and the property grid: what
// kind of value a display format describes, how a value is formatted by its format type, the
// range check with its tolerance, the text a validation leaves, the stored value read from a
// shown text and back, and the spin step. Everything works on display texts and display values;
// the stored unit enters only through a factor and an offset (display = stored x factor + offset).

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <variant>

namespace qdx {

// How a float value is formatted after an edit.
enum TFormatType : std::uint8_t {
    ft_Auto,          // with about SigDigs significant digits
    ft_Fixed,         // with the format pattern
    ft_AutoOverride,  // significant digits for values too small for the pattern's decimals
    ft_Manual,        // with the pattern, which a change of unit leaves alone
};

// The kind of value a printf-style pattern shows, decided from its letters in this order:
// "s" string, "/" pair of values, "d" integer, "f" or "g" float (either case). A pattern with
// none of them is Other; edits treat it as a float.
enum class TFormatKind { String, Pair, Integer, Float, Other };
TFormatKind FormatKind(std::string_view formatStr);
// A "g" pattern also admits an exponent in typed text.
bool IsGeneralFormat(std::string_view formatStr);

// A display format with what a float formatting needs besides the pattern.
struct TEntryFormat {
    std::string FormatStr = "%0.1f";
    TFormatType FormatType = ft_Fixed;
    int SigDigs = 5;
};

// A float in display units formatted by the format type. Decimals are those of the pattern.
// Throws ConvertError when the pattern does not take one float.
std::string FormatByType(double value, const TEntryFormat& format);

// True when lo and hi (display units) describe a range: not both 0, and not closer than 1e-5.
bool HasRange(double lo, double hi);
// Brings v into [lo, hi] with a tolerance of 0.5 % of a non-zero limit; true when v changed.
// Without a range every value is accepted.
bool RangeCheck(double& v, double lo, double hi);

struct TValidatedText {
    std::string Text;           // the text the edit shows after validation
    bool RangeChanged = false;  // a value was brought into the range
};
// Validates typed text as an edit does when it is left: a string pattern is applied to the
// text; a number is cleaned, parsed, range-checked (lo, hi in display units) and formatted; a
// pair is checked value by value (a missing second value counts as 0) and shown with both
// patterns, or with the first alone when one value was typed. Text that does not parse comes
// back as typed.
TValidatedText ValidateEntryText(std::string_view text, const TEntryFormat& format, double lo,
                                 double hi);

// A value an edit or a grid row hands out or takes: a number, an integer or a text.
using TEntryValue = std::variant<double, long long, std::string>;

// The stored-unit value of a shown text: a string pattern gives the text put through it; a pair
// gives the pair text in stored units ("%0.4g" when only one value was shown); a number is
// cleaned, parsed and converted (integers rounded). Anything that does not convert gives the
// shown text itself.
TEntryValue ReadEntryValue(std::string_view text, std::string_view formatStr, double factor,
                           double offset);
// The text that shows a stored-unit value: a string pattern applied to the value's text; a pair
// text ("a/b", a missing b counting as 0) converted and shown with the pattern; a number
// converted and formatted (integers rounded, floats by the format type). Empty when anything
// fails.
std::string WriteEntryValue(const TEntryValue& value, const TEntryFormat& format, double factor,
                            double offset);
// The text of a value as a string pattern sees it.
std::string EntryValueText(const TEntryValue& value);

// One spin step from display value v with the given step, landing on the next multiple of step
// above (up) or below the value as the pattern shows it, clamped into [lo, hi] when they
// describe a range. No value when nothing happens: v already at the limit it moves towards, a
// zero step, or a pattern that does not show one number.
std::optional<double> SpinValue(double v, std::string_view formatStr, double step, double lo,
                                double hi, bool up);

}  // namespace qdx
