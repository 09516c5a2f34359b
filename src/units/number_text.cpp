#include "units/number_text.hpp"

#include <cmath>

#include "units/errors.hpp"
#include "units/format.hpp"

namespace qdx {

std::string RemoveSpaces(std::string_view text) {
    std::string out;
    out.reserve(text.size());
    for (char c : text)
        if (c != ' ') out += c;
    return out;
}

int SigDigitsDecimals(int sigDigs, int maxDecimals, double value) {
    const std::string s = FormatFixed(value, maxDecimals);
    const size_t point = s.find('.');
    const int intLength = static_cast<int>(point == std::string::npos ? s.size() : point);
    int result;
    if (intLength == 1) {
        // One integer digit: the 1-based text position of the first non-zero decimal, which
        // is two decimals past it.
        result = 3;
        for (size_t i = 2; i < s.size(); ++i) {
            if (s[i] != '0') {
                result = static_cast<int>(i) + 1;
                break;
            }
        }
    } else {
        result = sigDigs > intLength ? sigDigs - intLength : 0;
    }
    return result > maxDecimals ? maxDecimals : result;
}

std::string SigDigitsFormat(int sigDigs, int maxDecimals, double value) {
    return "%0." + std::to_string(SigDigitsDecimals(sigDigs, maxDecimals, value)) + "f";
}

std::string MagnitudeFormat(int limit, std::string_view defaultFormat, double value) {
    if (value > limit) return std::string(defaultFormat);
    const double t = std::trunc(std::fabs(value));
    if (t >= 75 || value == 0) return "%0.0f";
    if (t >= 1) return "%0.1f";
    if (value > 0.1) return "%0.2f";
    if (value > 0.01) return "%0.3f";
    return "%0.4f";
}

int FormatDecimals(std::string_view formatStr) {
    const size_t point = formatStr.find('.');
    if (point == std::string_view::npos || point + 1 >= formatStr.size()) return 0;
    const char c = formatStr[point + 1];
    return c >= '0' && c <= '9' ? c - '0' : 0;
}

namespace {

// Deletes every occurrence of `c` after the first one.
void KeepFirst(std::string& s, char c) {
    const size_t first = s.find(c);
    if (first == std::string::npos) return;
    std::string out = s.substr(0, first + 1);
    for (size_t i = first + 1; i < s.size(); ++i)
        if (s[i] != c) out += s[i];
    s = std::move(out);
}

}  // namespace

std::string CleanNumberText(std::string_view text) {
    std::string s = RemoveSpaces(text);

    const size_t slash = s.find('/');
    if (slash != std::string::npos) {
        // Only the first "/" separates; later ones are dropped.
        std::string rest;
        for (size_t i = slash + 1; i < s.size(); ++i)
            if (s[i] != '/') rest += s[i];
        return CleanNumberText(s.substr(0, slash)) + "/" + CleanNumberText(rest);
    }

    if (s.empty()) return "0";

    for (char& c : s)
        if (c == 'e') c = 'E';
    KeepFirst(s, 'E');

    // A minus sign belongs in front or at the start of the exponent only.
    {
        std::string out;
        out.reserve(s.size());
        for (size_t i = 0; i < s.size(); ++i) {
            if (i > 0 && s[i] == '-' && s[i - 1] != 'E') continue;
            out += s[i];
        }
        s = std::move(out);
    }

    if (s == "-") return "0";

    KeepFirst(s, '.');

    if (s[0] == 'E') s.insert(s.begin(), '1');

    const size_t e = s.find('E');
    if (e != std::string::npos && e + 1 < s.size()) {
        std::string exponent = s.substr(e + 1);
        const size_t point = exponent.find('.');
        if (point != std::string::npos) exponent.erase(point, 1);
        // An exponent the number type cannot hold is cut to its first two characters.
        const long long v = StrToInt(exponent);
        if (v > 300 || v < -300) exponent.resize(2);
        s = s.substr(0, e + 1) + exponent;
    }
    return s;
}

std::string TrimZeros(std::string_view text) {
    std::string s(text);
    const size_t e = s.find('E');
    std::string mantissa = s.substr(0, e);
    std::string exponent = e == std::string::npos ? "" : s.substr(e);

    // Only the mantissa loses trailing zeros: those of an exponent are part of its value.
    if (mantissa.find('.') != std::string::npos) {
        while (!mantissa.empty() && mantissa.back() == '0') mantissa.pop_back();
        if (!mantissa.empty() && mantissa.back() == '.') mantissa.pop_back();
    }

    if (!exponent.empty()) {
        size_t digits = 1;  // after the "E"
        if (digits < exponent.size() && (exponent[digits] == '-' || exponent[digits] == '+'))
            ++digits;
        size_t end = digits;
        // Keep one digit so that "E000" stays a valid exponent.
        while (end + 1 < exponent.size() && exponent[end] == '0') ++end;
        exponent.erase(digits, end - digits);
    }
    return mantissa + exponent;
}

bool ParseValuePair(std::string_view text, double& a, double& b) {
    const size_t slash = text.find('/');
    if (slash == std::string_view::npos) {
        a = StrToFloat(text);
        return false;
    }
    a = StrToFloat(text.substr(0, slash));
    b = StrToFloat(text.substr(slash + 1));
    return true;
}

}  // namespace qdx
