#include "documents/unit_prefs_store.hpp"

#include <filesystem>
#include <system_error>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/ini_file.hpp"

namespace qdx {

namespace fs = std::filesystem;

std::string UnitsFilePath() { return MakerDir() + "Coils/units.ini"; }

std::string OlderUnitsFilePath() { return MakerCommonDir() + "Coils/units.ini"; }

bool LoadUnitsFile(TUnitPrefs& prefs, const std::string& path) {
    std::error_code ec;
    if (!fs::is_regular_file(path, ec)) return false;
    const TPowerIniFile file(path);
    for (UnitRec* rec : prefs.Registry())
        rec->UnitsValue = CheckUnitsIndex(
            rec->UnitsType, file.ReadInteger(rec->Section, rec->Key, rec->UnitsValue));
    return true;
}

bool SaveUnitsFile(const TUnitPrefs& prefs, const std::string& path) {
    // Edit the existing file so that whatever else it holds stays.
    TPowerIniFile file(path);
    for (const UnitRec* rec : prefs.Registry())
        file.WriteInteger(rec->Section, rec->Key, rec->UnitsValue);
    return file.UpdateFile();
}

namespace {

// A units file left at the older place alone is moved to the new one, once: afterwards the old
// place is empty. Where both exist the new one holds the user's later choices and stays.
void MoveOlderUnitsFile() {
    const std::string path = UnitsFilePath();
    const std::string older = OlderUnitsFilePath();
    std::error_code ec;
    if (older == path || fs::exists(fs::symlink_status(path, ec)) ||
        !fs::is_regular_file(older, ec) || !CreateFolderOf(path))
        return;
    fs::rename(older, path, ec);
    if (!ec) return;
    // Another file system: copy, and let the old one go once the copy is whole.
    std::string content;
    if (ReadWholeFile(older, content) && WriteFileAtomically(path, content)) fs::remove(older, ec);
}

}  // namespace

bool LoadUnitsFile() {
    MoveOlderUnitsFile();
    return LoadUnitsFile(UnitPrefs(), UnitsFilePath());
}

bool SaveUnitsFile() {
    const std::string path = UnitsFilePath();
    return CreateFolderOf(path) && SaveUnitsFile(UnitPrefs(), path);
}

void ReadUnitChoiceTable(const TCustomIniFile& store, TUnitChoiceTable& table,
                         std::string_view section) {
    for (int t = 0; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        table.Units[t] =
            CheckUnitsIndex(type, store.ReadInteger(section, UnitsCaption(type), table.Units[t]));
    }
}

void WriteUnitChoiceTable(const TUnitChoiceTable& table, TCustomIniFile& store,
                          std::string_view section) {
    for (int t = 0; t < kUnitsTypeCount; ++t)
        store.WriteInteger(section, UnitsCaption(static_cast<TUnitsType>(t)), table.Units[t]);
}

}  // namespace qdx
