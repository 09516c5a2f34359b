#include "cli/cli_args.hpp"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>
#include <cstring>

#include "units/format.hpp"

namespace qdx::cli {

double ParseNumberArg(const std::string& text, const std::string& argument, bool nonNegative) {
    double v = 0;
    if (!TryStrToFloat(text, v) || !std::isfinite(v))
        throw ArgumentError{argument + " must be a number, got '" + text + "'"};
    if (nonNegative && v < 0)
        throw ArgumentError{argument + " must not be negative, got '" + text + "'"};
    return v;
}

long long ParseIntegerArg(const std::string& text, const std::string& argument, long long lo,
                          long long hi) {
    long long v = 0;
    if (!TryStrToInt(text, v) || v < lo || v > hi)
        throw ArgumentError{argument + " must be a whole number from " + std::to_string(lo) +
                            " to " + std::to_string(hi) + ", got '" + text + "'"};
    return v;
}

std::vector<std::string> SplitCommas(const std::string& text) {
    std::vector<std::string> parts;
    std::string::size_type start = 0;
    while (true) {
        const auto comma = text.find(',', start);
        parts.push_back(text.substr(start, comma - start));
        if (comma == std::string::npos) break;
        start = comma + 1;
    }
    return parts;
}

namespace {

__extension__ using UInt128 = unsigned __int128;

// 10^k for k = 0..22: every power of ten that, times a 53-bit mantissa, fits in 128 bits.
constexpr auto kPow10 = [] {
    std::array<UInt128, 23> table{};
    UInt128 p = 1;
    for (int k = 0; k < 23; ++k, p *= 10) table[k] = p;
    return table;
}();

constexpr std::uint64_t k10e16 = 10000000000000000ULL;
constexpr std::uint64_t k10e17 = 100000000000000000ULL;

// The 17 significant digits of a > 0 rounded to nearest, ties to even, as printf rounds the
// exact binary value, with their decimal exponent: a is about digits x 10^(exponent - 16).
// False for the magnitudes it does not work out exactly (below 1e-6, from 1e17 up).
bool SeventeenDigits(double a, std::uint64_t& digits, int& exponent) {
    if (!(a >= 1e-6 && a < 1e17)) return false;
    std::uint64_t bits = 0;
    std::memcpy(&bits, &a, sizeof bits);
    const std::uint64_t mantissa = (bits & ((1ULL << 52) - 1)) | (1ULL << 52);
    const int e2 = static_cast<int>(bits >> 52) - 1023;  // a = mantissa x 2^(e2 - 52)
    // floor(e2 log10 2): the decimal exponent, or one below it; the digits show which.
    int x = (e2 * 1233) >> 12;
    for (int attempt = 0; attempt < 3; ++attempt) {
        const int k = 16 - x;  // digits = a x 10^k
        if (k < 0 || k > 22) return false;
        const int shift = 52 - e2;
        UInt128 q = 0;
        bool roundUp = false;
        if (shift <= 0) {
            q = (static_cast<UInt128>(mantissa) << -shift) * kPow10[k];
        } else {
            const UInt128 product = mantissa * kPow10[k];
            q = product >> shift;
            const UInt128 rest = product - (q << shift);
            const UInt128 half = static_cast<UInt128>(1) << (shift - 1);
            roundUp = rest > half || (rest == half && (q & 1) != 0);
        }
        if (q >= k10e17) {
            ++x;
            continue;
        }
        if (q < k10e16) {
            --x;
            continue;
        }
        digits = static_cast<std::uint64_t>(q) + (roundUp ? 1 : 0);
        if (digits == k10e17) {
            digits = k10e16;
            ++x;
        }
        exponent = x;
        return true;
    }
    return false;
}

// The n decimal digits of v, leading zeros included, from two at a time.
void WriteDigits(char* to, std::uint32_t v, int n) {
    static constexpr char kPairs[] =
        "00010203040506070809101112131415161718192021222324252627282930313233343536373839"
        "40414243444546474849505152535455565758596061626364656667686970717273747576777879"
        "8081828384858687888990919293949596979899";
    for (; n >= 2; n -= 2, v /= 100) std::memcpy(to + n - 2, kPairs + 2 * (v % 100), 2);
    if (n == 1) to[0] = static_cast<char>('0' + v % 10);
}

}  // namespace

void AppendJsonNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    // The text of printf's %.17g, without its cost: the digits worked out exactly in 128-bit
    // integers for the magnitudes a coil's results have, the library's conversion otherwise.
    std::uint64_t digits = 0;
    int x = 0;
    if (v == 0 || !SeventeenDigits(std::fabs(v), digits, x)) {
        char buf[32];
        const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17).ptr;
        out.append(buf, end);
        return;
    }
    char d[17];
    WriteDigits(d, static_cast<std::uint32_t>(digits / 100000000), 9);
    WriteDigits(d + 9, static_cast<std::uint32_t>(digits % 100000000), 8);
    int n = 17;  // significant digits left once the trailing zeros are dropped
    while (n > 1 && d[n - 1] == '0') --n;
    char buf[32];
    char* p = buf;
    if (v < 0) *p++ = '-';
    if (x < -4) {
        // %g's exponent form, d.ddde-0X: the exponent is -5 or -6 here.
        *p++ = d[0];
        if (n > 1) {
            *p++ = '.';
            for (int i = 1; i < n; ++i) *p++ = d[i];
        }
        *p++ = 'e';
        *p++ = '-';
        *p++ = '0';
        *p++ = static_cast<char>('0' - x);
    } else if (x < 0) {
        *p++ = '0';
        *p++ = '.';
        for (int i = -1; i > x; --i) *p++ = '0';
        for (int i = 0; i < n; ++i) *p++ = d[i];
    } else {
        for (int i = 0; i <= x; ++i) *p++ = d[i];
        if (n > x + 1) {
            *p++ = '.';
            for (int i = x + 1; i < n; ++i) *p++ = d[i];
        }
    }
    out.append(buf, p);
}

std::string JsonNumber(double v) {
    std::string text;
    AppendJsonNumber(text, v);
    return text;
}

std::string JsonString(const std::string& text) {
    std::string out = "\"";
    for (char c : text) {
        switch (c) {
            case '"': out += "\\\""; break;
            case '\\': out += "\\\\"; break;
            case '\n': out += "\\n"; break;
            case '\r': out += "\\r"; break;
            case '\t': out += "\\t"; break;
            default:
                if (static_cast<unsigned char>(c) < 0x20)
                    out += Format("\\u%.4x", static_cast<int>(c));
                else
                    out += c;
        }
    }
    return out + "\"";
}

}  // namespace qdx::cli
