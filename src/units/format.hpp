#pragma once
// printf-style formatting with the program's own rules: "." as decimal separator whatever the
// locale, half-away-from-zero rounding of the decimal expansion, and a general ("g") form that
// uses fixed point while the value is at least 0.00001 and its integer part fits the precision.
//
// Conversions: %d %u %x (integers; a precision pads with zeros, x is upper-case hex),
// %f %e %g %n (floats; n adds "," thousands separators), %s %S (texts; a precision cuts),
// with optional "-" (left-justify), width and ".precision"; "*" takes either from the
// arguments; "%%" is a percent sign. A mismatch between pattern and arguments throws
// ConvertError.

#include <cstdint>
#include <string>
#include <string_view>
#include <type_traits>
#include <variant>
#include <vector>

#include "units/errors.hpp"

namespace qdx {

class FormatArg {
public:
    using Value = std::variant<long long, double, std::string>;

    template <typename T>
        requires(std::is_integral_v<T> && !std::is_same_v<T, bool>)
    FormatArg(T v) : value_(static_cast<long long>(v)) {}
    FormatArg(bool v) : value_(static_cast<long long>(v ? 1 : 0)) {}
    FormatArg(double v) : value_(v) {}
    FormatArg(float v) : value_(static_cast<double>(v)) {}
    FormatArg(long double v) : value_(static_cast<double>(v)) {}
    FormatArg(const char* v) : value_(std::string(v ? v : "")) {}
    FormatArg(std::string_view v) : value_(std::string(v)) {}
    FormatArg(const std::string& v) : value_(v) {}

    const Value& value() const { return value_; }

private:
    Value value_;
};

std::string FormatArgs(std::string_view pattern, const std::vector<FormatArg>& args);

template <typename... Args>
std::string Format(std::string_view pattern, const Args&... args) {
    return FormatArgs(pattern, std::vector<FormatArg>{FormatArg(args)...});
}

// Decimal digits of a value rounded half away from zero. Digits holds the significant digits
// without leading zeros (empty for zero); the value is 0.Digits x 10^Exponent.
struct DecimalDigits {
    bool negative = false;
    std::string digits;
    int exponent = 0;
};

// Rounds to `decimals` places after the point (fixed) when fixed is true, else to `precision`
// significant digits.
DecimalDigits RoundDecimal(double value, int places, bool fixed);

// Fixed-point text with `decimals` places ("%0.Nf").
std::string FormatFixed(double value, int decimals);
// The general form with `precision` significant digits ("%0.Ng"); 15 is the default of
// a plain conversion of a number to text.
std::string FormatGeneral(double value, int precision = 15);
// The shortest general text of a number (15 significant digits).
std::string FloatToStr(double value);

// Number parsing with "." as decimal separator. Leading and trailing blanks are allowed;
// anything else that is not part of the number fails.
bool TryStrToFloat(std::string_view text, double& value);
double StrToFloat(std::string_view text);  // throws ConvertError
// Integers: optional sign, decimal digits, or "$"/"0x" followed by hex digits.
bool TryStrToInt(std::string_view text, long long& value);
long long StrToInt(std::string_view text);  // throws ConvertError
long long StrToIntDef(std::string_view text, long long fallback);
double StrToFloatDef(std::string_view text, double fallback);

}  // namespace qdx
