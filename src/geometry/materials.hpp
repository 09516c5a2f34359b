#pragma once
// Fixed tables of the fin-and-tube geometry: materials, the serpentine (circuiting) ratios and
// the captions of the coded fields.

#include <string>
#include <string_view>

namespace qdx {

struct TMaterial {
    const char* Name;     // shown in selection lists
    const char* Code;     // used in XML captions, reports and the catalogue
    double Density;       // kg/m³
    double Conductivity;  // kW/(m·K)
    double SpecificHeat;  // kJ/(kg·K)
};

inline constexpr int kMaterialCount = 8;
inline constexpr int kCopper = 0;
inline constexpr int kAluminium = 1;
inline constexpr int kGalvanisedIron = 3;

// The material of an index; an index outside the table (a damaged file) gives copper rather
// than reading past the table.
const TMaterial& Material(int index);
// The code of an index, empty outside the table.
std::string MaterialCode(int index);
// The index of a material code, ignoring case; `fallback` when the code is unknown.
int MaterialIndex(std::string_view code, int fallback);
// All material names, one per line, for selection lists.
std::string MaterialNames();

// Serpentine table: ascending ratios of circuits to tubes high (or to rows).
inline constexpr int kSerpentineCount = 142;
std::string SerpentineText(int index);
double SerpentineValue(int index);
// The largest index whose ratio does not exceed `ratio`; 0 below the first entry.
int SerpentineIndex(double ratio);

// Coil kind captions: 0 "CW", 1 "HW", 2 "ST", 3 "DX", 4 "CD", 5 "HR"; empty outside.
std::string KindCaption(int code);
// Circuit basis: 0 "Tubes high", 1 "Rows deep".
std::string CircuitBasisCaption(int cb);
// Tube pattern: 0 "Staggered", 1 "In-line".
std::string TubePatternCaption(int tp);
inline constexpr const char* kTubePatterns = "Staggered,In-line";
// Connection ends: false "Same", true "Opposite".
std::string ConnectionCaption(bool opposite);

}  // namespace qdx
