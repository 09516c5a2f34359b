#pragma once
// The stored side of the unit preferences: the units file, which holds every unit record's
// display choice (Coils/units.ini under MakerDir), and the unit-choice table's settings section.

#include <string>
#include <string_view>

#include "units/unit_prefs.hpp"

namespace qdx {

class TCustomIniFile;

// Coils/units.ini under MakerDir.
std::string UnitsFilePath();
// Where earlier versions kept the units file: Coils/units.ini under MakerCommonDir.
std::string OlderUnitsFilePath();

// The registered records take their display index from the units file when it exists (a
// missing key keeps the current choice, an index outside its category takes the nearest end).
// True when the file was there. The cached conversions are left as they are: the formatting
// functions refresh them at each use.
bool LoadUnitsFile(TUnitPrefs& prefs, const std::string& path);
// Writes every record's display index into the file, keeping whatever else it holds. False
// when nothing could be written; the file's folder must be there.
bool SaveUnitsFile(const TUnitPrefs& prefs, const std::string& path);

// The program-wide preferences and the program's own units file, whose folder is created on
// saving. Loading first moves a units file found only at the older place to the new one.
bool LoadUnitsFile();
bool SaveUnitsFile();

// The unit-choice table from / to a settings section, one integer per category under its
// caption. Reading keeps the current entry for a missing key and brings a stored index into its
// category's range.
void ReadUnitChoiceTable(const TCustomIniFile& store, TUnitChoiceTable& table,
                         std::string_view section = TUnitChoiceTable::kSettingsSection);
void WriteUnitChoiceTable(const TUnitChoiceTable& table, TCustomIniFile& store,
                          std::string_view section = TUnitChoiceTable::kSettingsSection);

}  // namespace qdx
