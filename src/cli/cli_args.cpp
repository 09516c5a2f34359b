#include "cli/cli_args.hpp"

#include <charconv>
#include <cmath>

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

void AppendJsonNumber(std::string& out, double v) {
    if (!std::isfinite(v)) {
        out += "null";
        return;
    }
    // The text of printf's %.17g, without its cost.
    char buf[32];
    const auto end = std::to_chars(buf, buf + sizeof buf, v, std::chars_format::general, 17).ptr;
    out.append(buf, end);
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
