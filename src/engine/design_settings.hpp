#pragma once
// The defaults the automatic sizing works with, as the design settings window keeps them in
// the program store (section "CoilSettingsForm"): aspect ratio, face velocity, rows and fins,
// the fouling switch, and a typical entering air and liquid inlet kept for the user.

#include <string>

namespace qdx {

class TCoil;
class TCustomIniFile;

inline constexpr const char* kDesignSettingsSection = "CoilSettingsForm";

struct TDesignSettings {
    double Aspect = 1.4;    // finned length / fin height
    double Vf = 2.5;        // face velocity, m/s
    double Rows = 4;
    double Fins = 10;       // fins per inch
    std::string AirOn;      // "db/wb", °C
    double FluidIn = 6;     // liquid inlet, °C
    bool UseFouling = true;
};

// The coil's design defaults and its fouling switch ("Restore Defaults").
TDesignSettings DesignDefaults(const TCoil& coil);
// The section with the coil's defaults for what is missing or unreadable.
TDesignSettings LoadDesignSettings(const TCustomIniFile& store, const TCoil& coil);
void SaveDesignSettings(TCustomIniFile& store, const TDesignSettings& s);
// Aspect ratio, design face velocity, sizing rows and fins (a whole number) and the fouling
// switch go to the coil; the typical air and liquid inlet do not.
void ApplyDesignSettings(const TDesignSettings& s, TCoil& coil);

// The limits applied when a field is left. Rows, fins and the liquid inlet are taken as the
// nearest whole numbers.
double LimitAspect(double v);   // 0.5 .. 5
double LimitVf(double v);       // 1 .. 5 m/s
double LimitRows(double v);     // 1 .. 6
double LimitFins(double v);     // 8 .. 12
double LimitFluidIn(double v);  // -60 .. 250 °C
// (The typical air text is re-read with NormaliseAirText at the coil's mean pressure.)

}  // namespace qdx
