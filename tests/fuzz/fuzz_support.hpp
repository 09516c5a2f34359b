#pragma once
// What every fuzz target shares: a scratch folder that holds the program's settings and data
// folders and the per-run input file, the shipped catalogue put in place as at start-up, and
// messages kept quiet. A broken promise of a reader is reported as a crash, so that libFuzzer
// keeps the input.

#include <unistd.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>

#include "documents/folders.hpp"
#include "documents/messages.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/fin_and_tube.hpp"
#include "reports/report_document.hpp"
#include "units/errors.hpp"

namespace qdx::fuzz {

namespace fs = std::filesystem;

// Reports a broken promise and stops the run; libFuzzer writes the input as a crash.
[[noreturn]] inline void Broken(const char* what) {
    std::fprintf(stderr, "fuzz: %s\n", what);
    std::abort();
}

inline void Expect(bool condition, const char* what) {
    if (!condition) Broken(what);
}

// The scratch folder of this process below the temporary folder, created with the settings
// folders below it on first use.
inline const fs::path& Scratch() {
    static const fs::path dir = [] {
        const fs::path d = fs::temp_directory_path() / ("qdx-fuzz-" + std::to_string(::getpid()));
        fs::create_directories(d);
        setenv("XDG_CONFIG_HOME", (d / "config").c_str(), 1);
        setenv("XDG_DATA_HOME", (d / "data").c_str(), 1);
        setenv("QDX_COMMON_DIR", (d / "common").c_str(), 1);
        ResetFolders();
        ClearMakerCache();
        EnsureCatalogue();
        SetMessageHandler([](const std::string&) {});
        // libFuzzer ends without running exit handlers: the run script gives each target a
        // temporary folder of its own (TMPDIR) and removes it afterwards.
        return d;
    }();
    return dir;
}

inline std::string_view Text(const uint8_t* data, size_t size) {
    return {reinterpret_cast<const char*>(data), size};
}

// Writes the input into the scratch folder under name and returns its path.
inline std::string WriteInput(const std::string& name, std::string_view bytes) {
    const fs::path path = Scratch() / name;
    std::ofstream(path, std::ios::binary | std::ios::trunc).write(bytes.data(),
                                                                 static_cast<std::streamsize>(bytes.size()));
    return path.string();
}

// What the program shows of a geometry: the workshop sheet with its weights, the maker's model
// code and the tube and air sides. A geometry whose weight is no number is refused with
// CalcError, as the engine refuses non-finite results.
inline void WorkOut(TFinAndTube& g) {
    try {
        TTextReport sheet;
        g.WriteManufacturingReport(sheet);
    } catch (const CalcError&) {
    }
    g.MakerDesignation();
    g.SerpentineText();
    g.ConnectionText();
    g.TubeSide();
    g.AirSide();
}

}  // namespace qdx::fuzz
