#include "engine/design_settings.hpp"

#include <algorithm>
#include <cmath>

#include "documents/ini_file.hpp"
#include "engine/coil.hpp"

namespace qdx {

namespace {
// Whole numbers round halves to even, as the program's rounding does everywhere.
double Whole(double v) { return std::nearbyint(v); }
}  // namespace

TDesignSettings DesignDefaults(const TCoil& coil) {
    TDesignSettings s;
    s.Aspect = coil.DesignAspectDefault;
    s.Vf = coil.DesignVfDefault;
    s.Rows = coil.DesignRowsDefault;
    s.Fins = coil.DesignFinsDefault;
    s.AirOn = coil.DesignAirOnDefault;
    s.FluidIn = coil.DesignFluidInDefault;
    s.UseFouling = coil.UseFouling;
    return s;
}

TDesignSettings LoadDesignSettings(const TCustomIniFile& store, const TCoil& coil) {
    const TDesignSettings d = DesignDefaults(coil);
    const char* sec = kDesignSettingsSection;
    TDesignSettings s;
    s.Aspect = store.ReadFloat(sec, "DesignAspect", d.Aspect);
    s.Vf = store.ReadFloat(sec, "DesignVf", d.Vf);
    s.Rows = store.ReadFloat(sec, "DesignRows", d.Rows);
    s.Fins = store.ReadFloat(sec, "DesignFins", d.Fins);
    s.AirOn = store.ReadString(sec, "DesignAirOn", d.AirOn);
    s.FluidIn = store.ReadFloat(sec, "DesignFluidIn", d.FluidIn);
    s.UseFouling = store.ReadBool(sec, "UseFouling", d.UseFouling);
    return s;
}

void SaveDesignSettings(TCustomIniFile& store, const TDesignSettings& s) {
    const char* sec = kDesignSettingsSection;
    store.WriteFloat(sec, "DesignAspect", s.Aspect);
    store.WriteFloat(sec, "DesignVf", s.Vf);
    store.WriteFloat(sec, "DesignRows", s.Rows);
    store.WriteFloat(sec, "DesignFins", s.Fins);
    store.WriteString(sec, "DesignAirOn", s.AirOn);
    store.WriteFloat(sec, "DesignFluidIn", s.FluidIn);
    store.WriteBool(sec, "UseFouling", s.UseFouling);
}

void ApplyDesignSettings(const TDesignSettings& s, TCoil& coil) {
    coil.AspectRatio = s.Aspect;
    coil.DesignFaceVelocity = s.Vf;
    coil.SizingRows = s.Rows;
    coil.SizingFins = static_cast<int>(Whole(s.Fins));
    coil.UseFouling = s.UseFouling;
}

double LimitAspect(double v) { return std::clamp(v, 0.5, 5.0); }
double LimitVf(double v) { return std::clamp(v, 1.0, 5.0); }
double LimitRows(double v) { return std::clamp(Whole(v), 1.0, 6.0); }
double LimitFins(double v) { return std::clamp(Whole(v), 8.0, 12.0); }
double LimitFluidIn(double v) { return std::clamp(Whole(v), -60.0, 250.0); }

}  // namespace qdx
