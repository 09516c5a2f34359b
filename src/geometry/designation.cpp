#include "geometry/designation.hpp"

#include <cmath>

#include "documents/line_parser.hpp"
#include "documents/text_utils.hpp"
#include "geometry/materials.hpp"
#include "units/format.hpp"

namespace qdx {

int ParseDesignation(std::string_view text, TDesignationNumbers& numbers) {
    const TDesignationNumbers before = numbers;
    TLineParser parser;
    parser.SetSeparators(" ()-/Xcfrx");
    parser.SetText(std::string(text));
    int code = dpOk;

    struct Step {
        double TDesignationNumbers::*field;
        double scale;
        double low, high;
        int error;
    };
    static constexpr Step kSteps[] = {
        {&TDesignationNumbers::fHeight, 0.001, 0.00625, 25, dpHeight},
        {&TDesignationNumbers::fLength, 0.001, 0.1, 50, dpLength},
        {&TDesignationNumbers::Rows, 1, 1, 20, dpRows},
        {&TDesignationNumbers::fpi, 1, 0, 30, dpFins},
        {&TDesignationNumbers::Circ, 1, 1, 1600, dpCircuits},
    };
    for (const Step& step : kSteps) {
        double v = parser.NextFloat();
        if (parser.TakeState() != 0) {
            numbers = before;
            return dpSyntax;
        }
        v *= step.scale;
        numbers.*step.field = v;
        if (v < step.low || v > step.high) code = step.error;
    }
    return code;
}

std::string FormatDesignation(const TDesignationNumbers& n) {
    return Format("%0.6g x %0.6g  %0.4gr  %0.6gf  %0.4gc", n.fHeight * 1000, n.fLength * 1000,
                  n.Rows, n.fpi, n.Circ);
}

std::string DesignationErrorText(int code) {
    switch (code) {
        case dpOk: return {};
        case dpSyntax: return "a number is missing or is not a number";
        case dpFins: return "fins per inch outside 0 to 30";
        case dpHeight: return "fin height outside 6.25 mm to 25 m";
        case dpLength: return "finned length outside 0.1 m to 50 m";
        case dpRows: return "rows outside 1 to 20";
        case dpCircuits: return "circuits outside 1 to 1600";
        default: return "unknown error";
    }
}

int TubeDiameterCode(int tube) {
    // Held in one byte up to 255; larger tubes show their full code rather than a wrapped one.
    if (tube < 100) return static_cast<int>(std::nearbyint(tube * 254.0 / 8.0));
    return (tube - 100) * 10;
}

std::string HcKindCode(int code) {
    static constexpr const char* kCodes[] = {"CHW", "LPH", "STM", "DXE", "CND", "HRC"};
    if (code < 0 || code > 5) return {};
    return kCodes[code];
}

std::string MakerDesignation(const TModelRec& r) {
    const double tubesHigh = r.fHeight / r.Sy;
    const double lengthMm = r.fLength * 1000;
    const double heightIn = r.fHeight / 0.0254;
    const int tubeShown = r.Tube >= 100 ? r.Tube - 100 : r.Tube;
    if (SameText(r.Mnf, "GEA"))
        return Format("%0.0fT %0.1fNR %0.0fA %0.0fP %0.0fNC", tubesHigh, r.Rows, lengthMm,
                      25.4 / r.fpi, r.Circ);
    if (SameText(r.Mnf, "BAC"))
        return Format("%0.0f - %0.0f - %0.1f / %0.4g - %0.0fc", tubesHigh, r.fLength * 100,
                      r.Rows, 25.4 / r.fpi, r.Circ);
    if (SameText(r.Mnf, "HC"))
        return Format("%d %s %0.0f x %0.0f x %0.1fr x %0.2ff - %0.4gc (%s/%s/%s)", tubeShown,
                      HcKindCode(r.Code), heightIn, lengthMm, r.Rows, r.fpi, r.Circ,
                      MaterialCode(r.Mt), MaterialCode(r.Mf), MaterialCode(r.Mc));
    if (SameText(r.Mnf, "Recoil"))
        return Format("%s  %3.3d%2.0f / %0.0f / %2.1f / %2.2f / %4.0f %s/%s (%0.4g)",
                      KindCaption(r.Code), TubeDiameterCode(r.Tube), r.Sx * 1000, tubesHigh,
                      r.Rows, r.fpi, lengthMm, MaterialCode(r.Mf), MaterialCode(r.Mc), r.Circ);
    if (SameText(r.Mnf, "Norvane"))
        return Format("NRV%d  %0.0f\" x %0.0fmm x %0.1fr x %0.2ff - %0.4gc", tubeShown, heightIn,
                      lengthMm, r.Rows, r.fpi, r.Circ);
    return {};
}

std::string ShortModelText(const TModelRec& r) {
    return Format("%s: %s\" %0.3gx%0.3g (%s/%s/%s)", r.Mnf, r.Model, r.Sx * 1000, r.Sy * 1000,
                  MaterialCode(r.Mt), MaterialCode(r.Mf), MaterialCode(r.Mc));
}

std::string TubeSizeText(int tube) {
    if (tube >= 100) return Format("%d mm", tube - 100);
    const int whole = tube / 8;
    int num = tube % 8;
    int den = 8;
    while (num != 0 && num % 2 == 0) {
        num /= 2;
        den /= 2;
    }
    if (num == 0) return Format("%d\"", whole);
    if (whole == 0) return Format("%d/%d\"", num, den);
    return Format("%d-%d/%d\"", whole, num, den);
}

}  // namespace qdx
