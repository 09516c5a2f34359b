#include "units/format.hpp"

#include <algorithm>
#include <charconv>
#include <cctype>
#include <cmath>
#include <cstdio>
#include <cstdlib>

namespace qdx {

double CheckFinite(double v, const char* what) {
    if (!std::isfinite(v)) throw CalcError(what);
    return v;
}

namespace {

constexpr int kMaxDigits = 18;

// Rounds the digit string in place so that `keep` digits remain, half away from zero.
// Returns the change of exponent (1 when the rounding carried into a new leading digit).
int RoundDigits(std::string& digits, int keep) {
    if (keep >= static_cast<int>(digits.size())) return 0;
    if (keep < 0) {
        digits.clear();
        return 0;
    }
    bool up = digits[keep] >= '5';
    digits.resize(keep);
    if (!up) return 0;
    for (int i = keep - 1; i >= 0; --i) {
        if (digits[i] == '9') {
            digits[i] = '0';
        } else {
            ++digits[i];
            return 0;
        }
    }
    digits.insert(digits.begin(), '1');
    return 1;
}

void StripTrailingZeros(std::string& digits) {
    while (!digits.empty() && digits.back() == '0') digits.pop_back();
}

std::string InfNanText(double v) {
    if (std::isnan(v)) return "NAN";
    return v < 0 ? "-INF" : "INF";
}

std::string GroupThousands(const std::string& fixed) {
    size_t start = (!fixed.empty() && fixed[0] == '-') ? 1 : 0;
    size_t point = fixed.find('.');
    size_t intEnd = point == std::string::npos ? fixed.size() : point;
    std::string out = fixed.substr(0, start);
    for (size_t i = start; i < intEnd; ++i) {
        out += fixed[i];
        size_t remaining = intEnd - i - 1;
        if (remaining > 0 && remaining % 3 == 0) out += ',';
    }
    out += fixed.substr(intEnd);
    return out;
}

std::string FormatScientific(double value, int precision) {
    if (!std::isfinite(value)) return InfNanText(value);
    precision = std::clamp(precision, 1, kMaxDigits);
    DecimalDigits d = RoundDecimal(value, precision, false);
    std::string mant = d.digits;
    mant.resize(precision, '0');
    int exp = d.digits.empty() ? 0 : d.exponent - 1;
    std::string out = d.negative ? "-" : "";
    out += mant[0];
    if (precision > 1) {
        out += '.';
        out.append(mant, 1, std::string::npos);
    }
    out += 'E';
    out += exp < 0 ? '-' : '+';
    std::string e = std::to_string(std::abs(exp));
    if (e.size() < 3) e.insert(0, 3 - e.size(), '0');
    return out + e;
}

std::string HexText(long long v, int minDigits) {
    unsigned long long u;
    if (v < 0 && v >= INT32_MIN)
        u = static_cast<unsigned long long>(static_cast<uint32_t>(static_cast<int32_t>(v)));
    else
        u = static_cast<unsigned long long>(v);
    char buf[32];
    std::snprintf(buf, sizeof buf, "%llX", u);
    std::string s = buf;
    if (static_cast<int>(s.size()) < minDigits) s.insert(0, minDigits - s.size(), '0');
    return s;
}

std::string IntText(long long v, int minDigits) {
    std::string s = std::to_string(v < 0 ? -(v + 1) + 1ULL : static_cast<unsigned long long>(v));
    if (static_cast<int>(s.size()) < minDigits) s.insert(0, minDigits - s.size(), '0');
    return v < 0 ? "-" + s : s;
}

[[noreturn]] void BadFormat(std::string_view pattern) {
    throw ConvertError("Format '" + std::string(pattern) + "' invalid or incompatible with argument");
}

}  // namespace

DecimalDigits RoundDecimal(double value, int places, bool fixed) {
    DecimalDigits d;
    if (value == 0 || !std::isfinite(value)) return d;
    // 18 significant digits of the exact binary value first, then the requested rounding.
    char buf[64];
    std::snprintf(buf, sizeof buf, "%.*e", kMaxDigits - 1, std::fabs(value));
    std::string digits;
    const char* p = buf;
    for (; *p && *p != 'e'; ++p)
        if (*p >= '0' && *p <= '9') digits += *p;
    int exponent = std::atoi(p + 1) + 1;
    int keep = fixed ? exponent + places : places;
    exponent += RoundDigits(digits, keep);
    StripTrailingZeros(digits);
    if (digits.empty()) return d;
    d.negative = value < 0;
    d.digits = std::move(digits);
    d.exponent = exponent;
    return d;
}

std::string FormatFixed(double value, int decimals) {
    if (!std::isfinite(value)) return InfNanText(value);
    decimals = std::clamp(decimals, 0, 40);
    DecimalDigits d = RoundDecimal(value, decimals, true);
    const int n = static_cast<int>(d.digits.size());
    auto digitAt = [&](int i) { return (i >= 0 && i < n) ? d.digits[i] : '0'; };
    std::string out = d.negative ? "-" : "";
    if (d.exponent <= 0) {
        out += '0';
    } else {
        for (int i = 0; i < d.exponent; ++i) out += digitAt(i);
    }
    if (decimals > 0) {
        out += '.';
        for (int i = 0; i < decimals; ++i) out += digitAt(d.exponent + i);
    }
    return out;
}

std::string FormatGeneral(double value, int precision) {
    if (!std::isfinite(value)) return InfNanText(value);
    precision = std::clamp(precision, 1, kMaxDigits);
    DecimalDigits d = RoundDecimal(value, precision, false);
    if (d.digits.empty()) return "0";
    const int n = static_cast<int>(d.digits.size());
    std::string out = d.negative ? "-" : "";
    if (d.exponent <= precision && std::fabs(value) >= 0.00001) {
        if (d.exponent <= 0) {
            out += "0.";
            out.append(-d.exponent, '0');
            out += d.digits;
        } else if (n <= d.exponent) {
            out += d.digits;
            out.append(d.exponent - n, '0');
        } else {
            out.append(d.digits, 0, d.exponent);
            out += '.';
            out.append(d.digits, d.exponent, std::string::npos);
        }
        return out;
    }
    out += d.digits[0];
    if (n > 1) {
        out += '.';
        out.append(d.digits, 1, std::string::npos);
    }
    out += 'E';
    out += std::to_string(d.exponent - 1);
    return out;
}

std::string FloatToStr(double value) { return FormatGeneral(value, 15); }

std::string FormatArgs(std::string_view pattern, const std::vector<FormatArg>& args) {
    std::string out;
    size_t argIndex = 0;
    auto nextArg = [&]() -> const FormatArg& {
        if (argIndex >= args.size()) BadFormat(pattern);
        return args[argIndex++];
    };
    auto intArg = [&](const FormatArg& a) -> long long {
        if (auto p = std::get_if<long long>(&a.value())) return *p;
        BadFormat(pattern);
    };
    auto floatArg = [&](const FormatArg& a) -> double {
        if (auto p = std::get_if<double>(&a.value())) return *p;
        if (auto p = std::get_if<long long>(&a.value())) return static_cast<double>(*p);
        BadFormat(pattern);
    };

    size_t i = 0;
    while (i < pattern.size()) {
        char c = pattern[i];
        if (c != '%') {
            out += c;
            ++i;
            continue;
        }
        ++i;
        if (i < pattern.size() && pattern[i] == '%') {
            out += '%';
            ++i;
            continue;
        }
        auto readNumber = [&](int& v) -> bool {
            if (i < pattern.size() && pattern[i] == '*') {
                v = static_cast<int>(intArg(nextArg()));
                ++i;
                return true;
            }
            bool any = false;
            v = 0;
            while (i < pattern.size() && pattern[i] >= '0' && pattern[i] <= '9') {
                v = v * 10 + (pattern[i] - '0');
                if (v > 1000) BadFormat(pattern);
                any = true;
                ++i;
            }
            return any;
        };
        // Optional argument index "N:".
        size_t j = i;
        size_t number = 0;
        while (j < pattern.size() && pattern[j] >= '0' && pattern[j] <= '9' && number < 1000)
            number = number * 10 + (pattern[j++] - '0');
        if (j > i && j < pattern.size() && pattern[j] == ':') {
            argIndex = number;
            i = j + 1;
        }
        bool left = false;
        if (i < pattern.size() && pattern[i] == '-') {
            left = true;
            ++i;
        }
        int width = 0;
        readNumber(width);
        int precision = -1;
        if (i < pattern.size() && pattern[i] == '.') {
            ++i;
            readNumber(precision);
        }
        if (i >= pattern.size()) BadFormat(pattern);
        char type = static_cast<char>(std::toupper(static_cast<unsigned char>(pattern[i++])));
        std::string text;
        const FormatArg& arg = nextArg();
        switch (type) {
            case 'D':
                text = IntText(intArg(arg), precision);
                break;
            case 'U': {
                long long v = intArg(arg);
                text = IntText(v < 0 ? static_cast<long long>(static_cast<uint32_t>(v)) : v, precision);
                break;
            }
            case 'X':
                text = HexText(intArg(arg), precision);
                break;
            case 'F':
                text = FormatFixed(floatArg(arg), precision < 0 ? 2 : precision);
                break;
            case 'N':
                text = GroupThousands(FormatFixed(floatArg(arg), precision < 0 ? 2 : precision));
                break;
            case 'E':
                text = FormatScientific(floatArg(arg), precision < 0 ? 15 : precision);
                break;
            case 'G':
                text = FormatGeneral(floatArg(arg), precision < 0 ? 15 : precision);
                break;
            case 'S': {
                auto p = std::get_if<std::string>(&arg.value());
                if (!p) BadFormat(pattern);
                text = precision >= 0 && static_cast<size_t>(precision) < p->size()
                           ? p->substr(0, precision)
                           : *p;
                break;
            }
            default:
                BadFormat(pattern);
        }
        if (static_cast<int>(text.size()) < width) {
            std::string pad(width - text.size(), ' ');
            text = left ? text + pad : pad + text;
        }
        out += text;
    }
    return out;
}

namespace {

std::string_view TrimBlanks(std::string_view s) {
    while (!s.empty() && (s.front() == ' ' || s.front() == '\t')) s.remove_prefix(1);
    while (!s.empty() && (s.back() == ' ' || s.back() == '\t')) s.remove_suffix(1);
    return s;
}

}  // namespace

bool TryStrToFloat(std::string_view text, double& value) {
    std::string_view s = TrimBlanks(text);
    if (s.empty()) return false;
    // Only sign, digits, one point and an exponent: no "inf", "nan" or hex floats.
    size_t i = 0;
    bool negative = false;
    if (s[i] == '+' || s[i] == '-') negative = s[i++] == '-';
    std::string_view body = s.substr(i);
    size_t digits = 0, j = 0;
    while (j < body.size() && std::isdigit(static_cast<unsigned char>(body[j]))) ++j, ++digits;
    if (j < body.size() && body[j] == '.') {
        ++j;
        while (j < body.size() && std::isdigit(static_cast<unsigned char>(body[j]))) ++j, ++digits;
    }
    if (digits == 0) return false;
    if (j < body.size() && (body[j] == 'e' || body[j] == 'E')) {
        ++j;
        if (j < body.size() && (body[j] == '+' || body[j] == '-')) ++j;
        size_t expDigits = 0;
        while (j < body.size() && std::isdigit(static_cast<unsigned char>(body[j]))) ++j, ++expDigits;
        if (expDigits == 0) return false;
    }
    if (j != body.size()) return false;
    std::string normal(body);
    if (normal.size() > 0 && normal[0] == '.') normal.insert(normal.begin(), '0');
    double v = 0;
    auto [ptr, ec] = std::from_chars(normal.data(), normal.data() + normal.size(), v);
    if (ec == std::errc::result_out_of_range) {
        // Underflow reads as zero; overflow is not a number the program can hold.
        if (std::fabs(std::strtod(normal.c_str(), nullptr)) > 1) return false;
        v = 0;
    } else if (ec != std::errc() || ptr != normal.data() + normal.size()) {
        return false;
    }
    value = negative ? -v : v;
    return true;
}

double StrToFloat(std::string_view text) {
    double v = 0;
    if (!TryStrToFloat(text, v))
        throw ConvertError("'" + std::string(text) + "' is not a valid floating point value");
    return v;
}

double StrToFloatDef(std::string_view text, double fallback) {
    double v = 0;
    return TryStrToFloat(text, v) ? v : fallback;
}

bool TryStrToInt(std::string_view text, long long& value) {
    std::string_view s = TrimBlanks(text);
    if (s.empty()) return false;
    bool negative = false;
    if (s[0] == '+' || s[0] == '-') {
        negative = s[0] == '-';
        s.remove_prefix(1);
    }
    int base = 10;
    if (!s.empty() && s[0] == '$') {
        base = 16;
        s.remove_prefix(1);
    } else if (s.size() > 1 && s[0] == '0' && (s[1] == 'x' || s[1] == 'X')) {
        base = 16;
        s.remove_prefix(2);
    }
    if (s.empty()) return false;
    unsigned long long u = 0;
    auto [ptr, ec] = std::from_chars(s.data(), s.data() + s.size(), u, base);
    if (ec != std::errc() || ptr != s.data() + s.size()) return false;
    if (u > static_cast<unsigned long long>(INT64_MAX) + (negative ? 1ULL : 0ULL)) return false;
    value = negative ? static_cast<long long>(0ULL - u) : static_cast<long long>(u);
    return true;
}

long long StrToInt(std::string_view text) {
    long long v = 0;
    if (!TryStrToInt(text, v))
        throw ConvertError("'" + std::string(text) + "' is not a valid integer value");
    return v;
}

long long StrToIntDef(std::string_view text, long long fallback) {
    long long v = 0;
    return TryStrToInt(text, v) ? v : fallback;
}

}  // namespace qdx
