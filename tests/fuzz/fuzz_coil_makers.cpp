// The coil-maker catalogue: whatever CoilMakers.xml holds, its makers list, load and give
// tube entries, a geometry matches against them, and a maker's entries can be written back.

#include <algorithm>
#include <string>

#include "fuzz_support.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/fin_and_tube.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    fuzz::Scratch();
    const std::string catalogue = CatalogFileName();
    {
        std::ofstream out(catalogue, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
    }
    ClearMakerCache();

    std::vector<std::string> makers = MakerNames();
    makers.resize(std::min<size_t>(makers.size(), 4));
    makers.push_back("Typical");
    const TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    for (const std::string& maker : makers) {
        LoadMaker(maker);
        TMnfRec rec = FindTube(maker, 4);
        FindTube(maker, 107);
        MatchSpecification(maker, rec);
        const int line = BestListedMatch(MakerCache().Entries, g.Record());
        fuzz::Expect(line >= -1 && line < static_cast<int>(MakerCache().Entries.size()),
                     "a listed match outside the list");
    }
    SaveMaker((fuzz::Scratch() / "makers-saved.xml").string(), true);
    ClearMakerCache();
    return 0;
}
