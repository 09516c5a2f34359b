#pragma once
// Where the coil window's remembered working point lives, shared by the desktop window and the
// command line:
//  - program store, window section "QDXForm": the air, coil, flows, design duty, calculation
//    mode, correction factors and grid column widths;
//  - program store, section "Default": the liquid defaults;
//  - program store, section "Settings": the splash screen switch;
//  - common store, section "Coils": the unit choice of every quantity the coil window shows;
//  - company store, section "Calorix": the maker's name, address and logo for the reports.
// Every read falls back to the first-run default for a missing or unreadable value.
//
// Reads happen once when the window is created, in the order window section, unit choices,
// liquid defaults (the coil is then created from them); writes once when it closes, in the
// order liquid defaults, window section, unit choices.

#include <functional>
#include <string>

#include "engine/coil_settings.hpp"

namespace qdx {

class TCoilProject;
class TCustomIniFile;
class TUnitPrefs;

inline constexpr const char* kCoilWindowSection = "QDXForm";
inline constexpr const char* kFluidDefaultsSection = "Default";
inline constexpr const char* kProgramSettingsSection = "Settings";
inline constexpr const char* kCoilUnitsSection = "Coils";
inline constexpr const char* kCompanySection = "Calorix";

// The window section into settings. The correction factors default to the values settings
// holds (the program-wide factors of this run).
void LoadSettings(const TCustomIniFile& store, TCoilSettings& settings);
// The window section from settings, every key in its order.
void SaveSettings(TCustomIniFile& store, const TCoilSettings& settings);

// The "Default" section into / from settings.
void LoadFluidDefaults(const TCustomIniFile& store, TCoilSettings& settings);
void SaveFluidDefaults(TCustomIniFile& store, const TCoilSettings& settings);

// Copies the live model into settings as the window writes it at close: the barometer, both
// air states, the coil's designation, size, maker and tube specification, face velocity,
// design duty and calculation mode, the file name, and the live liquid values. Ambient, never
// read back, gets the entering air too. Column widths stay as the window set them, and the
// correction factors as settings holds them: they are the run's, which an accepted calibration
// copies from the coil into settings; the coil's own may be a cancelled calibration's.
void CaptureSettings(const TCoilProject& project, TCoilSettings& settings);

// The "Coils" section of the common store: the seventeen unit keys, each read into its unit
// record (the record's current choice is the default) or written from it, ten of every coil
// window first, then the seven liquid keys.
void ReadUnitChoices(const TCustomIniFile& common, TUnitPrefs& prefs);
void WriteUnitChoices(TCustomIniFile& common, const TUnitPrefs& prefs);

// "SplashScreen" of the "Settings" section.
bool ReadSplashScreen(const TCustomIniFile& store);
void WriteSplashScreen(TCustomIniFile& store, bool on);

// The company section, read once at start-up and never written.
struct TCompanySettings {
    std::string company = "Calorix Software";
    std::string description;
    std::string logo;  // default: the common-files folder + "Calorix/ReportLogo.gif"
    std::string addr1;
    std::string addr2;
    std::string code;
    std::string country;
    std::string email;
    std::string web;
    std::string tel;
    std::string fax;
    std::string user;
};
// logoDefault is the logo path used when the store has none.
TCompanySettings ReadCompanySettings(const TCustomIniFile& company,
                                     const std::string& logoDefault);

// The whole start-up read on the per-user stores: window section, the program-wide unit
// records' "Coils" choices, liquid defaults. Returns the settings the coil is created from.
TCoilSettings ReadCoilSettings();
// The whole close write on the per-user stores: the live model captured into settings, then
// liquid defaults, window section and unit choices written and the stores flushed. A window
// writes its position into the program store through writePosition, just before its section.
// False when a store could not be written.
bool WriteCoilSettings(const TCoilProject& project, TCoilSettings& settings,
                       const std::function<void(TCustomIniFile&)>& writePosition = {});
// The company section of the company store, with the shipped logo as the logo default.
TCompanySettings ReadCompanySettings();

}  // namespace qdx
