// Open of the older value-stream project files.

#include "project_fuzz.hpp"
#include "seed_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    static fuzz::ProjectOpenTarget target("input.dat", [] {
        TCoilProject sample;
        fuzz::MakeSampleProject(sample);
        return fuzz::SavedStream(sample);
    }());
    target.Run(data, size);
    return 0;
}
