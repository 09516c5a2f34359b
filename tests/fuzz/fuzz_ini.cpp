// The INI stores: any text parses, its sections and keys read back from what is written of it,
// every typed read of every key keeps to its fallback rules, and a change survives writing and
// reading again. The coil window's stores read from it give settings a coil is built from (the
// first-run coil when the model cannot take them) and unit choices each category has.

#include <string>

#include "documents/ini_file.hpp"
#include "engine/coil_project.hpp"
#include "engine/coil_settings_store.hpp"
#include "fuzz_support.hpp"
#include "units/unit_prefs.hpp"
#include "units/unit_table.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    const std::string_view text = fuzz::Text(data, size);

    IniDocument doc;
    doc.Parse(text);
    const std::string written = doc.Text();
    IniDocument again;
    again.Parse(written);
    fuzz::Expect(again.SectionNames() == doc.SectionNames(), "written sections read back otherwise");
    for (const std::string& section : doc.SectionNames())
        fuzz::Expect(again.NameValues(section) == doc.NameValues(section),
                     "written keys read back otherwise");

    const std::string path = fuzz::WriteInput("input.ini", text);
    {
        TPowerIniFile store(path);
        for (const std::string& section : store.ReadSections()) {
            for (const std::string& key : store.ReadSection(section)) {
                store.ReadInteger(section, key, 7);
                store.ReadFloat(section, key, 0.5);
                store.ReadBool(section, key, true);
                fuzz::Expect(store.ValueExists(section, key), "a listed key does not exist");
            }
            store.ReadSectionValues(section);
        }
        TCoilSettings settings;
        LoadSettings(store, settings);
        LoadFluidDefaults(store, settings);
        ReadCompanySettings(store, "logo.gif");
        ReadSplashScreen(store);
        TCoilProject project;
        project.OnMessage = [](const std::string&) {};
        project.CreateCoil(settings);
        TUnitPrefs prefs;
        ReadUnitChoices(store, prefs);
        for (const CoilUnitKey& k : CoilUnitKeys()) {
            UnitRec& rec = prefs[k.Rec];
            fuzz::Expect(rec.UnitsValue >= 0 && rec.UnitsValue < UnitsCount(rec.UnitsType),
                         "a unit choice outside its category");
            FormatRecValue(rec, true, ",", false, 21.5);
        }

        store.WriteString("Fuzz", "Key", "a=b\r\nc");
        store.WriteInteger("Fuzz", "Number", -42);
        fuzz::Expect(store.UpdateFile(), "the store does not write");
    }
    const TwIniFile reread(path);
    fuzz::Expect(reread.ReadString("Fuzz", "Key", "") == "a=b%13%10c", "a written text is lost");
    fuzz::Expect(reread.ReadInteger("Fuzz", "Number", 0) == -42, "a written number is lost");
    return 0;
}
