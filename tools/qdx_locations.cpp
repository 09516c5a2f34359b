// qdx-locations: builds the location database ("Regions.idx" and the ".wdb" record files) from
// CSV text, one place a line. The build runs it over data/locations/*.csv; users run it over
// their own files and copy the output into the maker's common folder.

#include <cstdio>
#include <string>
#include <vector>

#include <CLI/CLI.hpp>

#include "documents/atomic_file.hpp"
#include "documents/folders.hpp"
#include "documents/location_csv.hpp"

int main(int argc, char** argv) {
    CLI::App app{"Builds Regions.idx and the .wdb files of a location database from CSV files.\n"
                 "Columns: place,database,region,latitude,longitude,timezone,altitude,\n"
                 "cooling_db,cooling_wb,heating_db,wind_speed,max_db,min_db,daily_range",
                 "qdx-locations"};
    std::string output = ".";
    std::vector<std::string> inputs;
    app.add_option("-o,--output", output, "Folder that receives the files")->capture_default_str();
    app.add_option("csv", inputs, "CSV files, read in the order given")->required();
    CLI11_PARSE(app, argc, argv);

    qdx::TLocationSet set;
    for (const std::string& path : inputs) {
        std::string text;
        if (!qdx::ReadWholeFile(path, text)) {
            std::fprintf(stderr, "qdx-locations: cannot read %s\n", path.c_str());
            return 1;
        }
        try {
            qdx::ReadLocationCsv(text, path, set);
        } catch (const qdx::TLocationCsvError& e) {
            std::fprintf(stderr, "qdx-locations: %s\n", e.what());
            return 1;
        }
    }
    std::string error;
    // The output folder is made, as a build's output folder is; the files are then written
    // into it like any other save.
    if (!qdx::CreateFolderOf(qdx::AddBackslash(output) + "Regions.idx")) {
        std::fprintf(stderr, "qdx-locations: cannot create the folder %s\n", output.c_str());
        return 1;
    }
    if (!qdx::WriteLocationDatabase(set, output, error)) {
        std::fprintf(stderr, "qdx-locations: %s\n", error.c_str());
        return 1;
    }
    std::printf("%zu places in %zu databases written to %s\n", set.Records.size(),
                set.Databases.size(), output.c_str());
    return 0;
}
