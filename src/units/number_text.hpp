#pragma once
// Number formatting and parsing shared by the formatted edit, the entry grid and the charts:
// choosing a display format from a value, and cleaning typed text into something the number
// parser accepts. Parsing failures are ConvertError.

#include <string>
#include <string_view>

namespace qdx {

// The text without any blank.
std::string RemoveSpaces(std::string_view text);

// Number of decimals that shows `value` with about `sigDigs` significant digits, at most
// `maxDecimals` (callers pass 12). A value with one integer digit shows two decimals past its
// first non-zero decimal digit (3 when it has none), whatever sigDigs.
int SigDigitsDecimals(int sigDigs, int maxDecimals, double value);
// "%0.Nf" with N = SigDigitsDecimals(sigDigs, maxDecimals, value).
std::string SigDigitsFormat(int sigDigs, int maxDecimals, double value);

// A fixed-point format chosen by the size of `value`; `defaultFormat` when value > limit.
std::string MagnitudeFormat(int limit, std::string_view defaultFormat, double value);

// The single digit after the first "." of a format ("%0.3f" gives 3); 0 when there is none.
int FormatDecimals(std::string_view formatStr);

// Typed text made acceptable to the number parser: blanks removed, stray signs, points and
// exponent marks dropped, an empty text read as "0", an absurd exponent cut short. A pair
// "a/b" is cleaned part by part. Throws ConvertError when the exponent is not an integer.
std::string CleanNumberText(std::string_view text);

// Fixed-point text without its trailing decimal zeros (and without a point left last); the
// exponent of a text with "E" loses its leading zeros.
std::string TrimZeros(std::string_view text);

// Parses "a/b" into a and b and returns true; text without "/" sets only a and returns false.
// Throws ConvertError when a part is not a number.
bool ParseValuePair(std::string_view text, double& a, double& b);

}  // namespace qdx
