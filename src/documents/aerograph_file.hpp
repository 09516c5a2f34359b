#pragma once
// The ".psy" chart file: an air process for the psychrometric chart program. A text of lines,
// CR LF between them: the header, the file properties, the barometric pressure, the chart range,
// then the air states (nodes) and the processes that join them.
//
//   'Aerograph 1.0 data file'
//   'name'  'number'  n  n description lines  'author'  'company'  'dd mm yyyy'  (one a line)
//   101.325                                   barometric pressure, kPa
//   5.00, 35.00, 0.00100, 0.02000             dry bulb from, to (°C); moisture from, to (kg/kg)
//                                             (within -100..200 °C and 0..1 kg/kg)
//   'Node1', 'On', 27.000, 19.500, ''         name, caption, dry bulb, wet bulb (°C), note
//   'Process1', 'Coil', 'Node1', 'Node2', 1.2000, ''
//                                             name, caption, start node, end node,
//                                             dry-air mass flow (kg/s), note

#include <string>
#include <string_view>
#include <vector>

#include "documents/file_properties.hpp"

namespace qdx {

struct TAerographNode {
    std::string name;
    std::string caption;
    double dryBulb = 0;  // °C
    double wetBulb = 0;  // °C
    std::string note;
};

struct TAerographProcess {
    std::string name;
    std::string caption;
    std::string startNode;
    std::string endNode;
    double massFlow = 0;  // kg/s of dry air
    std::string note;
};

struct TAerographFile {
    static constexpr const char* kHeader = "'Aerograph 1.0 data file'";
    static constexpr const char* kExtension = ".psy";

    TFileProperties properties;
    double barometer = 101.325;  // kPa
    // The chart range: dry bulb (°C) and moisture content (kg/kg dry air).
    double dryBulbMin = 5;
    double dryBulbMax = 35;
    double moistureMin = 0.001;
    double moistureMax = 0.02;
    std::vector<TAerographNode> nodes;
    std::vector<TAerographProcess> processes;

    // The node of that name, or null.
    const TAerographNode* FindNode(std::string_view name) const;
};

// The whole file text.
std::string WriteAerographText(const TAerographFile& file);

// Reads a file text (CR LF or LF line ends). False with the reason in error ("line 9: ...")
// when the text is not such a file or a value does not read; file is then left as it was.
bool ReadAerographText(std::string_view text, TAerographFile& file, std::string& error);

// The same over a file on disk; the reason names the path when it cannot be read.
bool ReadAerographFile(const std::string& path, TAerographFile& file, std::string& error);

}  // namespace qdx
