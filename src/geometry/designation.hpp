#pragma once
// The designation text of a coil ("544 x 720 4r 12f  (14c)": fin height and finned length in
// mm, rows, fins per inch, circuits) and the model codes of the coil makers.

#include <string>
#include <string_view>

#include "geometry/model_rec.hpp"

namespace qdx {

// The five numbers a designation carries, in SI (heights and lengths in m).
struct TDesignationNumbers {
    double fHeight = 0;
    double fLength = 0;
    double Rows = 0;
    double fpi = 0;
    double Circ = 0;
};

// Designation parse results.
enum : int {
    dpOk = 0,
    dpSyntax = 1,       // a number is missing or is not a number
    dpFins = 2,         // fins per inch outside 0..30
    dpHeight = 5,       // fin height outside 0.00625..25 m
    dpLength = 6,       // finned length outside 0.1..50 m
    dpRows = 7,         // rows outside 1..20
    dpCircuits = 8,     // circuits outside 1..1600
};

// Reads the five numbers of `text` into `numbers` and returns the error code (0 when all parse
// and lie in range). On a syntax error the numbers are left as they were; a range error leaves
// the numbers read, so the caller applies them only when the code is 0.
int ParseDesignation(std::string_view text, TDesignationNumbers& numbers);
std::string FormatDesignation(const TDesignationNumbers& numbers);
// A readable reason for a parse error code; empty for 0.
std::string DesignationErrorText(int code);

// The coil as its maker writes its model code; empty for makers without a format.
std::string MakerDesignation(const TModelRec& rec);
// One-line summary of maker, model, pitches and materials.
std::string ShortModelText(const TModelRec& rec);

// Tube outside diameter in tenths of a millimetre from a tube number (eighths of an inch
// below 100, 100 + millimetres from 100 up).
int TubeDiameterCode(int tube);
// The tube size a tube number stands for: inches as a fraction below 100 ("1/2\"", "3/8\"",
// "1-1/4\""), millimetres from 100 up ("7 mm").
std::string TubeSizeText(int tube);
// The two- or three-letter kind code of the "HC" model codes.
std::string HcKindCode(int code);

}  // namespace qdx
