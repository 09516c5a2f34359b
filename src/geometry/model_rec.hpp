#pragma once
// The description record of one fin-and-tube coil, copied whole between the geometry, the
// editor windows and the files. Lengths in m.

#include <cstdint>
#include <string>

namespace qdx {

struct TModelRec {
    std::string Mnf = "Default";  // coil maker's name (up to 255 characters)
    uint8_t Tube = 4;             // tube number within the maker's catalogue
    std::string Model;            // name of the maker's catalogue entry
    uint8_t Code = 0;             // coil kind: 0 CW, 1 HW, 2 ST, 3 DX, 4 CD, 5 HR
    double fHeight = 0.5334;      // fin (face) height, m
    double fLength = 0.74;        // finned length, m
    double Rows = 4;              // tube rows deep, may be fractional
    double fpi = 10;              // fins per inch
    double Circ = 7;              // number of circuits
    int32_t cb = 0;               // circuit basis: 0 tubes high, 1 rows deep
    int32_t Serp = 103;           // serpentine index ("1/2")
    double Sx = 0.033;            // row pitch along the air flow, m
    double Sy = 0.0381;           // tube pitch across the face, m
    uint8_t tp = 0;               // tube pattern: 0 staggered, 1 in-line
    double ID = 0.0125222;        // tube inside diameter, m
    double OD = 0.013335;         // tube outside diameter, m
    double tf = 0.0001524;        // fin thickness, m
    double fc = 1;                // fin area factor
    double ft = 1;                // tube inside area factor
    bool Rifle = false;           // rifled tube (kept, not used in calculations)
    int32_t Sections = 1;         // coil sections (kept, not used in calculations)
    uint8_t Mf = 1;               // fin material index (aluminium)
    uint8_t Mt = 0;               // tube material index (copper)
    uint8_t Mc = 3;               // casing material index (galvanised iron)
    double tc = 0.0016;           // casing sheet thickness, m

    bool operator==(const TModelRec&) const = default;
};

}  // namespace qdx
