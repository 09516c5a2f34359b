// The units file and the unit-choice table of a settings store: any text gives every record
// and every category a unit it has, values format in it, and the choices survive a save.

#include <string>

#include "documents/ini_file.hpp"
#include "documents/unit_prefs_store.hpp"
#include "fuzz_support.hpp"
#include "units/unit_prefs.hpp"
#include "units/unit_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    const std::string path = fuzz::WriteInput("units.ini", fuzz::Text(data, size));

    TUnitPrefs prefs;
    fuzz::Expect(LoadUnitsFile(prefs, path), "the units file is not read");
    for (UnitRec* rec : prefs.Registry()) {
        FormatRecValue(*rec, true, ",", false, 12.5);
        FormatRecPair(*rec, true, ",", false, -3, 1e6);
    }

    const TPowerIniFile store(path);
    TUnitChoiceTable table;
    ReadUnitChoiceTable(store, table);
    for (int t = 0; t < kUnitsTypeCount; ++t) {
        const auto type = static_cast<TUnitsType>(t);
        const int index = table.Get(type);
        UnitSymbol(type, index);
        UnitFormatStr(type, index);
        ToUnits(20, UnitFactor(type, index), UnitOffset(type, index));
    }

    const std::string saved = (fuzz::Scratch() / "units-saved.ini").string();
    std::error_code ec;
    std::filesystem::remove(saved, ec);
    fuzz::Expect(SaveUnitsFile(prefs, saved), "the units file does not save");
    TUnitPrefs reread;
    LoadUnitsFile(reread, saved);
    for (size_t i = 0; i < prefs.Registry().size(); ++i)
        fuzz::Expect(prefs.Registry()[i]->UnitsValue == reread.Registry()[i]->UnitsValue,
                     "a unit choice does not survive saving");
    return 0;
}
