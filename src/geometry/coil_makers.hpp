#pragma once
// The coil-maker catalogue "CoilMakers.xml": for each maker its tube and fin specifications,
// the specification text that names one of them, and the program-wide cache of the maker last
// loaded.

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "geometry/model_rec.hpp"

namespace qdx {

// One catalogue entry. Lengths in m.
struct TMnfRec {
    std::string maker;         // maker name
    std::string name;          // specification name, e.g. "1/2 inch"
    int32_t d = 0;             // tube number: eighths of an inch below 100, else 100 + mm
    double id = 0;             // tube inside diameter
    double od = 0;             // tube outside diameter
    double sx = 0;             // row pitch
    double sy = 0;             // tube pitch
    double t = 0;              // fin thickness
    uint8_t kind = 0;          // tube pattern: 0 staggered, 1 in-line
    std::string tubeMaterial;  // material code ("Cu", ...)
    std::string finMaterial;   // material code
    double finF = 1;           // fin area factor
    double tubeF = 1;          // tube inside area factor
    int32_t basis = 0;         // circuit basis: 0 height, 1 depth

    bool operator==(const TMnfRec&) const = default;
};
using TMnfRecVec = std::vector<TMnfRec>;

// The entry used when a maker has no entries at all.
TMnfRec DefaultMnfRec();

// Conversions to and from the geometry's record. Material codes become indexes by a search
// ignoring case (an unknown tube material gives copper, an unknown fin material aluminium).
TMnfRec ModelToMnf(const TModelRec& rec);
void ApplyMnf(const TMnfRec& mnf, TModelRec& rec);

// "name, id, od, sx, sy, t, pattern, tube material, fin material, fin f, tube f, basis" with
// lengths in mm.
std::string FormatSpecification(const TMnfRec& rec);
// Reads the current form above or the older ten-field form ("4s, id, od, sx, sy, t, Cu, Al,
// fin f, basis"); a text that does not parse gives the catalogue entry of its tube number.
TMnfRec ParseSpecification(std::string_view maker, std::string_view text);

// The catalogue file in the maker's common folder.
std::string CatalogFileName();
// Start-up: copies the shipped catalogue into MakerCommonDir when it is missing there.
bool EnsureCatalogue();

// The maker names of the catalogue, in file order; empty when it cannot be read.
std::vector<std::string> MakerNames();

// The maker last loaded and its entries in file order.
struct TMakerCache {
    std::string Maker;
    TMnfRecVec Entries;
    // The entries are the catalogue's own for Maker (not another maker's kept under the name
    // of one the catalogue does not hold, nor the built-in entry).
    bool FromCatalogue = false;
};
const TMakerCache& MakerCache();
// Forgets the cached maker, so that the next lookup reads the catalogue again (after the
// catalogue was edited or replaced).
void ClearMakerCache();
// Forgets the cached maker unless it holds the catalogue's own entries of maker: loading maker
// then finds what it finds in a run that has loaded nothing before.
void KeepMakerCacheOnlyFor(std::string_view maker);

// Fills the cache with the maker's entries unless that maker is cached already. A maker the
// catalogue does not hold leaves the previous entries in the cache under the new name.
void LoadMaker(std::string_view maker);
// The entry of tube number n (or of n - 100), else the maker's first entry. Without any
// entries the user is told, and the built-in entry is returned and written into the catalogue.
TMnfRec FindTube(std::string_view maker, int n);
// Replaces rec by the catalogue entry that best matches its dimensions, pattern, basis, name,
// factors and materials; rec keeps its own tube and fin materials.
void MatchSpecification(std::string_view maker, TMnfRec& rec);
// The "Current:" line of the coil maker window: "maker, model, ID, OD, Sx, Sy, fin thickness,
// pattern, tube material, fin material, fin factor, tube factor, basis" with lengths in mm.
std::string CurrentSpecificationLine(const TModelRec& geometry);
// The catalogue line the coil maker window selects for a geometry: among the entries with the
// geometry's tube diameters, pitches, fin thickness, pattern and basis, a perfect match at once,
// else the last one scoring highest as MatchSpecification scores; the first line when none
// qualifies; -1 for no entries.
int BestListedMatch(const TMnfRecVec& entries, const TModelRec& geometry);

// Writes the cached maker's entries into its item of the file (the catalogue when path is
// empty), replacing the item's models. Attributes equal to the item's defaults are left out.
// A file that cannot be read, or has no document element, is created only when create is set.
void SaveMaker(const std::string& path, bool create);

}  // namespace qdx
