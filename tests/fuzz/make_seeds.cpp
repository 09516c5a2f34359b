// Writes the seed corpora below the folder given (tests/fuzz/ of the source tree) with the
// program's own writers: saved projects, stream blocks, settings and units files, texts.

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include "documents/ini_file.hpp"
#include "documents/unit_prefs_store.hpp"
#include "documents/value_stream.hpp"
#include "engine/coil_settings_store.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/fin_and_tube.hpp"
#include "seed_files.hpp"
#include "units/unit_prefs.hpp"

namespace {

namespace fs = std::filesystem;
using namespace qdx;

void Put(const fs::path& root, const std::string& target, const std::string& name,
         const std::string& bytes) {
    fs::create_directories(root / target);
    std::ofstream(root / target / name, std::ios::binary | std::ios::trunc) << bytes;
}

std::string Bytes(const ValueWriter& w) { return {w.Bytes().begin(), w.Bytes().end()}; }

std::string FileText(const fs::path& path) {
    std::string text;
    ReadWholeFile(path.string(), text);
    return text;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) return 2;
    const fs::path root = argv[1];
    fuzz::Scratch();

    TCoilProject first, sample;
    first.OnMessage = [](const std::string&) {};
    first.CreateCoil(TCoilSettings());
    fuzz::MakeSampleProject(sample);
    Put(root, "project_xml", "first_run.cqx", fuzz::SavedXml(first));
    Put(root, "project_xml", "sample.cqx", fuzz::SavedXml(sample));
    Put(root, "project_stream", "first_run.dat", fuzz::SavedStream(first));
    Put(root, "project_stream", "sample.dat", fuzz::SavedStream(sample));
    // Saved after a failed calculation: leaving air that is no state.
    sample.Coil().AirOut->db = -443.658;
    Put(root, "project_stream", "failed_calculation.dat", fuzz::SavedStream(sample));

    const TFinAndTube geometries[] = {{"Typical", "544 x 720 4r 12f  (14c)", 0, 4},
                                      {"Typical", "1219 x 2400 8r 14f  (48c)", 1, 5}};
    for (int i = 0; i < 2; ++i) {
        ValueWriter w;
        geometries[i].WriteToStream(w);
        Put(root, "geometry_stream", "block" + std::to_string(i) + ".dat", Bytes(w));
    }

    {
        const fs::path path = fuzz::Scratch() / "settings.ini";
        TPowerIniFile ini(path.string());
        ini.WriteString("File Properties", "Name", "Harbour Tower");
        ini.WriteInteger("Coil", "Rows", 6);
        ini.WriteFloat("Coil", "FaceVelocity", 2.5);
        ini.WriteBool("Coil", "UseFouling", true);
        ini.WriteString("Coil", "Notes", "two\r\nlines");
        ini.UpdateFile();
        Put(root, "ini", "settings.ini", FileText(path));
        // The coil window's stores as the window writes them at close.
        const fs::path window = fuzz::Scratch() / "window.ini";
        TPowerIniFile stores(window.string());
        SaveFluidDefaults(stores, TCoilSettings());
        SaveSettings(stores, TCoilSettings());
        WriteUnitChoices(stores, UnitPrefs());
        stores.UpdateFile();
        Put(root, "ini", "coil_window.ini", FileText(window));
        Put(root, "ini", "comments.ini", "; comment\r\n[A]\r\nkey = value\r\n\r\n# other\r\n[b]\r\nx=1=2\r\n");
    }

    {
        TUnitPrefs prefs;
        const fs::path si = fuzz::Scratch() / "units-si.ini", imp = fuzz::Scratch() / "units-imp.ini";
        SaveUnitsFile(prefs, si.string());
        prefs.SetImperialUnits();
        SaveUnitsFile(prefs, imp.string());
        TPowerIniFile table(imp.string());
        TUnitChoiceTable choices;
        choices.SetImperial();
        WriteUnitChoiceTable(choices, table);
        table.UpdateFile();
        Put(root, "units_file", "metric.ini", FileText(si));
        Put(root, "units_file", "imperial.ini", FileText(imp));
    }

    Put(root, "coil_makers", "CoilMakers.xml", FileText(CatalogFileName()));

    const std::vector<std::string> designations = {
        "544 x 720 4r 12f  (14c)", "762 1200 6r 10f 12c", "1219 x 2400  8r  14f  48c", "635x720 3r 11.5f 9c"};
    for (size_t i = 0; i < designations.size(); ++i)
        Put(root, "designation", "d" + std::to_string(i) + ".txt", designations[i]);

    const TMnfRec entries[] = {FindTube("Typical", 4), FindTube("Typical", 5), FindTube("Typical", 107)};
    for (size_t i = 0; i < std::size(entries); ++i)
        Put(root, "specification", "s" + std::to_string(i) + ".txt", FormatSpecification(entries[i]));
    Put(root, "specification", "older.txt", "4s, 13.8, 15.88, 33, 38.1, 0.15, Cu, Al, 1, 0");

    const std::vector<std::string> airTexts = {std::string("\0", 1) + "25.0/17.0", "\x01" "24",
                                               "\x02" "32/24.5", "\x03" "-5.5/-7"};
    for (size_t i = 0; i < airTexts.size(); ++i)
        Put(root, "air_text", "a" + std::to_string(i) + ".txt", airTexts[i]);

    const std::vector<std::string> lines = {
        std::string("\0", 1) + "--model\n762 1200 6r 10f 12c\n--air-on\n27/19\n--json",
        std::string("\0", 1) + "--mode\nsize\n--size\nface\n--design-duty\n35\n--save\nrated.cqx",
        "\x01" "0\n25\n18\n--pressure\n95",
        "\x02" "0\n7\n--additive\n1\n--fraction\n0.3\n--json",
        "\x03" "--maker\nTypical\n--tube\n5\n--model\n544 x 720 4r 12f 14c"};
    for (size_t i = 0; i < lines.size(); ++i)
        Put(root, "command_line", "c" + std::to_string(i) + ".txt", lines[i]);
    return 0;
}
