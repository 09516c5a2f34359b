#include "geometry/materials.hpp"

#include <array>

#include "documents/text_utils.hpp"

namespace qdx {

namespace {

constexpr std::array<TMaterial, kMaterialCount> kMaterials{{
    {"Copper", "Cu", 8900, 0.384, 0.394},
    {"Aluminium", "Al", 2700, 0.209, 0.904},
    {"Steel", "St", 7850, 0.054, 0.49},
    {"Galvanised Iron", "GI", 7800, 0.054, 0.49},
    {"Stainless Steel", "SS", 7800, 0.054, 0.49},
    {"Epoxy Coated Aluminium", "Ale", 2700, 0.19, 0.904},
    {"Titanium", "TI", 4510, 0.0156, 0.544},
    {"Brass", "Br", 8522, 0.111, 0.385},
}};

constexpr std::array<const char*, kSerpentineCount> kSerpentines{
    "3/40",  "1/13",  "3/38",  "3/37",  "1/12",  "3/35",  "3/34",  "1/11",  "3/32",  "3/31",
    "1/10",  "4/39",  "3/29",  "2/19",  "3/28",  "4/37",  "1/9",   "4/35",  "3/26",  "2/17",
    "3/25",  "4/33",  "1/8",   "5/39",  "4/31",  "3/23",  "5/38",  "2/15",  "5/37",  "3/22",
    "4/29",  "5/36",  "1/7",   "5/34",  "4/27",  "3/20",  "5/33",  "2/13",  "5/32",  "3/19",
    "4/25",  "5/31",  "6/37",  "1/6",   "6/35",  "5/29",  "4/23",  "3/17",  "5/28",  "2/11",
    "5/27",  "3/16",  "4/21",  "5/26",  "6/31",  "1/5",   "8/39",  "6/29",  "5/24",  "4/19",
    "3/14",  "8/37",  "5/23",  "2/9",   "5/22",  "8/35",  "3/13",  "4/17",  "5/21",  "6/25",
    "8/33",  "1/4",   "8/31",  "6/23",  "5/19",  "4/15",  "3/11",  "8/29",  "5/18",  "2/7",
    "5/17",  "8/27",  "3/10",  "4/13",  "5/16",  "6/19",  "8/25",  "1/3",   "8/23",  "6/17",
    "5/14",  "4/11",  "3/8",   "8/21",  "5/13",  "2/5",   "5/12",  "8/19",  "3/7",   "4/9",
    "5/11",  "6/13",  "8/17",  "1/2",   "8/15",  "6/11",  "5/9",   "4/7",   "3/5",   "8/13",
    "5/8",   "2/3",   "5/7",   "8/11",  "3/4",   "4/5",   "5/6",   "6/7",   "8/9",   "1",
    "1-1/7", "1-1/5", "1-1/4", "1-1/3", "1-1/2", "1-3/5", "1-2/3", "2",     "2-1/2", "2-2/3",
    "3",     "4",     "5",     "6",     "8",     "10",    "12",    "14",    "16",    "18",
    "20",    "40",
};

// A mixed fraction "w", "n/d" or "w-n/d" as a number.
double MixedFraction(std::string_view text) {
    auto number = [](std::string_view s) {
        double v = 0;
        for (char c : s) v = v * 10 + (c - '0');
        return v;
    };
    double whole = 0;
    size_t dash = text.find('-');
    if (dash != std::string_view::npos) {
        whole = number(text.substr(0, dash));
        text = text.substr(dash + 1);
    }
    size_t slash = text.find('/');
    if (slash == std::string_view::npos) return whole + number(text);
    return whole + number(text.substr(0, slash)) / number(text.substr(slash + 1));
}

const std::array<double, kSerpentineCount>& SerpentineValues() {
    static const std::array<double, kSerpentineCount> values = [] {
        std::array<double, kSerpentineCount> v{};
        for (int i = 0; i < kSerpentineCount; ++i) v[i] = MixedFraction(kSerpentines[i]);
        return v;
    }();
    return values;
}

}  // namespace

const TMaterial& Material(int index) {
    if (index < 0 || index >= kMaterialCount) return kMaterials[kCopper];
    return kMaterials[index];
}

std::string MaterialCode(int index) {
    if (index < 0 || index >= kMaterialCount) return {};
    return kMaterials[index].Code;
}

int MaterialIndex(std::string_view code, int fallback) {
    for (int i = 0; i < kMaterialCount; ++i)
        if (SameText(code, kMaterials[i].Code)) return i;
    return fallback;
}

std::string MaterialNames() {
    std::string out;
    for (int i = 0; i < kMaterialCount; ++i) {
        if (i > 0) out += "\n";
        out += kMaterials[i].Name;
    }
    return out;
}

std::string SerpentineText(int index) {
    if (index < 0 || index >= kSerpentineCount) return {};
    return kSerpentines[index];
}

double SerpentineValue(int index) {
    if (index < 0) index = 0;
    if (index >= kSerpentineCount) index = kSerpentineCount - 1;
    return SerpentineValues()[index];
}

int SerpentineIndex(double ratio) {
    const auto& values = SerpentineValues();
    int found = 0;
    for (int i = 0; i < kSerpentineCount; ++i) {
        if (values[i] <= ratio)
            found = i;
        else
            break;
    }
    return found;
}

std::string KindCaption(int code) {
    static constexpr const char* kKinds[] = {"CW", "HW", "ST", "DX", "CD", "HR"};
    if (code < 0 || code > 5) return {};
    return kKinds[code];
}

std::string CircuitBasisCaption(int cb) { return cb == 1 ? "Rows deep" : "Tubes high"; }

std::string TubePatternCaption(int tp) { return tp == 1 ? "In-line" : "Staggered"; }

std::string ConnectionCaption(bool opposite) { return opposite ? "Opposite" : "Same"; }

}  // namespace qdx
