// Specification texts ("name, id, od, sx, sy, t, pattern, tube, fin, fin f, tube f, basis" and
// the older ten-field form): any text gives a catalogue entry, and a geometry with that entry
// can be worked out and written.

#include <string>

#include "fuzz_support.hpp"
#include "geometry/coil_makers.hpp"
#include "geometry/fin_and_tube.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    fuzz::Scratch();
    const std::string_view text = fuzz::Text(data, size);

    TMnfRec rec = ParseSpecification("Typical", text);
    const std::string formatted = FormatSpecification(rec);
    ParseSpecification("Typical", formatted);
    MatchSpecification("Typical", rec);

    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    TModelRec model = g.Record();
    ApplyMnf(ParseSpecification("Typical", text), model);
    g.SetRecord(model);
    g.Recalculate();
    fuzz::WorkOut(g);
    CurrentSpecificationLine(g.Record());
    g.SetMakerModel("Typical", text);
    return 0;
}
