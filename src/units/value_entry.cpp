#include "units/value_entry.hpp"

#include <cmath>

#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/number_text.hpp"
#include "units/unit_table.hpp"

namespace qdx {

namespace {

bool HasLetter(std::string_view s, char lower) {
    const char upper = static_cast<char>(lower - 'a' + 'A');
    return s.find(lower) != std::string_view::npos || s.find(upper) != std::string_view::npos;
}

// Rounded to the nearest integer, halves away from zero; a value no integer holds is a
// conversion error like any other text that is not a number.
long long RoundToInteger(double v) {
    if (!std::isfinite(v) || std::fabs(v) >= 9.2e18) throw ConvertError("Integer overflow");
    return std::llround(v);
}

double EntryNumber(const TEntryValue& value) {
    if (auto p = std::get_if<double>(&value)) return *p;
    if (auto p = std::get_if<long long>(&value)) return static_cast<double>(*p);
    return StrToFloat(std::get<std::string>(value));
}

}  // namespace

TFormatKind FormatKind(std::string_view formatStr) {
    if (HasLetter(formatStr, 's')) return TFormatKind::String;
    if (formatStr.find('/') != std::string_view::npos) return TFormatKind::Pair;
    if (HasLetter(formatStr, 'd')) return TFormatKind::Integer;
    if (HasLetter(formatStr, 'f') || HasLetter(formatStr, 'g')) return TFormatKind::Float;
    return TFormatKind::Other;
}

bool IsGeneralFormat(std::string_view formatStr) { return HasLetter(formatStr, 'g'); }

std::string FormatByType(double value, const TEntryFormat& format) {
    switch (format.FormatType) {
        case ft_Auto:
            return Format(SigDigitsFormat(format.SigDigs, 12, value), value);
        case ft_AutoOverride:
            // Values too small for the pattern's decimals keep their significant digits.
            if (std::pow(10.0, 2 - FormatDecimals(format.FormatStr)) > value)
                return Format(SigDigitsFormat(format.SigDigs, 12, value), value);
            return Format(format.FormatStr, value);
        case ft_Fixed:
        case ft_Manual:
            break;
    }
    return Format(format.FormatStr, value);
}

bool HasRange(double lo, double hi) { return std::fabs(lo - hi) >= 0.00001; }

bool RangeCheck(double& v, double lo, double hi) {
    if (!HasRange(lo, hi)) return false;
    bool changed = false;
    if (!(v >= lo || (lo != 0 && std::fabs((lo - v) / lo) <= 0.005))) {
        v = lo;
        changed = true;
    }
    if (!(v <= hi || (hi != 0 && std::fabs((v - hi) / hi) <= 0.005))) {
        v = hi;
        changed = true;
    }
    return changed;
}

TValidatedText ValidateEntryText(std::string_view text, const TEntryFormat& format, double lo,
                                 double hi) {
    const TFormatKind kind = FormatKind(format.FormatStr);
    TValidatedText result{std::string(text), false};
    try {
        if (kind == TFormatKind::String) {
            result.Text = Format(format.FormatStr, std::string(text));
            return result;
        }
        const std::string clean = CleanNumberText(text);
        if (kind == TFormatKind::Pair) {
            double a = 0, b = 0;
            const bool both = ParseValuePair(clean, a, b);
            const bool changedA = RangeCheck(a, lo, hi);
            const bool changedB = RangeCheck(b, lo, hi);
            result.Text = both ? Format(format.FormatStr, a, b)
                               : Format(format.FormatStr.substr(0, format.FormatStr.find('/')), a);
            result.RangeChanged = changedA || changedB;
            return result;
        }
        double v = StrToFloat(clean);
        const bool changed = RangeCheck(v, lo, hi);
        result.Text = kind == TFormatKind::Integer ? Format(format.FormatStr, RoundToInteger(v))
                                                   : FormatByType(v, format);
        result.RangeChanged = changed;
    } catch (const ConvertError&) {
        return {std::string(text), false};
    } catch (const CalcError&) {
        return {std::string(text), false};
    }
    return result;
}

std::string EntryValueText(const TEntryValue& value) {
    if (auto p = std::get_if<double>(&value)) return FloatToStr(*p);
    if (auto p = std::get_if<long long>(&value)) return std::to_string(*p);
    return std::get<std::string>(value);
}

TEntryValue ReadEntryValue(std::string_view text, std::string_view formatStr, double factor,
                           double offset) {
    try {
        switch (FormatKind(formatStr)) {
            case TFormatKind::String:
                return Format(formatStr, std::string(text));
            case TFormatKind::Pair: {
                double a = 0, b = 0;
                if (ParseValuePair(text, a, b))
                    return Format(formatStr, FromUnits(a, factor, offset),
                                  FromUnits(b, factor, offset));
                return Format("%0.4g", FromUnits(a, factor, offset));
            }
            case TFormatKind::Integer:
                return RoundToInteger(
                    FromUnits(StrToFloat(CleanNumberText(text)), factor, offset));
            case TFormatKind::Float:
            case TFormatKind::Other:
                break;
        }
        return FromUnits(StrToFloat(CleanNumberText(text)), factor, offset);
    } catch (const ConvertError&) {
    } catch (const CalcError&) {
    }
    return std::string(text);
}

std::string WriteEntryValue(const TEntryValue& value, const TEntryFormat& format, double factor,
                            double offset) {
    try {
        switch (FormatKind(format.FormatStr)) {
            case TFormatKind::String:
                return Format(format.FormatStr, EntryValueText(value));
            case TFormatKind::Pair: {
                double a = 0, b = 0;  // a missing second value counts as 0
                ParseValuePair(EntryValueText(value), a, b);
                return Format(format.FormatStr, ToUnits(a, factor, offset),
                              ToUnits(b, factor, offset));
            }
            case TFormatKind::Integer:
                return Format(format.FormatStr,
                              RoundToInteger(ToUnits(EntryNumber(value), factor, offset)));
            case TFormatKind::Float:
            case TFormatKind::Other:
                break;
        }
        return FormatByType(ToUnits(EntryNumber(value), factor, offset), format);
    } catch (const ConvertError&) {
    } catch (const CalcError&) {
    }
    return {};
}

std::optional<double> SpinValue(double v, std::string_view formatStr, double step, double lo,
                                double hi, bool up) {
    if (step == 0 || !std::isfinite(v)) return std::nullopt;
    // Without a range there is no limit to stop at or clamp to.
    const bool range = HasRange(lo, hi);
    if (range && v == (up ? hi : lo)) return std::nullopt;
    const TFormatKind kind = FormatKind(formatStr);
    if (kind == TFormatKind::String || kind == TFormatKind::Pair) return std::nullopt;
    double d;
    try {
        // The value as the row shows it, so the step lands on what the user sees.
        d = StrToFloat(kind == TFormatKind::Integer ? Format(formatStr, RoundToInteger(v))
                                                    : Format(formatStr, v));
    } catch (const ConvertError&) {
        return std::nullopt;
    }
    const double q = d / step;
    double e = (q - std::trunc(q)) * step;
    if (std::fabs(e) < 0.00001) e = 0;
    double r = d - e;
    if (up) {
        if (e == 0 || v > 0) r += step;
    } else {
        if (e == 0 || v < 0) r -= step;
    }
    if (range) r = std::fmax(lo, std::fmin(hi, r));
    return r;
}

}  // namespace qdx
