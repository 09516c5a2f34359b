#include "cli/cli_args.hpp"

#include <cmath>
#include <cstdio>

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

std::string JsonNumber(double v) {
    if (!std::isfinite(v)) return "null";
    char buf[40];
    std::snprintf(buf, sizeof buf, "%.17g", v);
    return buf;
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
