// The geometry block of the older stream files: a block either reads into a geometry whose
// workshop sheet and weights can be written, or throws StreamError and changes nothing.

#include "fuzz_support.hpp"
#include "documents/value_stream.hpp"
#include "geometry/fin_and_tube.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    fuzz::Scratch();
    TFinAndTube g("Typical", "544 x 720 4r 12f  (14c)", 0, 4);
    const TModelRec before = g.Record();
    ValueReader reader(std::span<const uint8_t>(data, size));
    try {
        g.ReadFromStream(reader);
    } catch (const StreamError&) {
        fuzz::Expect(g.Record() == before, "a refused block changed the geometry");
        return 0;
    }
    fuzz::WorkOut(g);

    // The raw record reader alone, as the block's first form is read.
    TModelRec rec;
    ValueReader again(std::span<const uint8_t>(data, size));
    try {
        ReadModelRecord(again, rec);
    } catch (const StreamError&) {
    }
    return 0;
}
