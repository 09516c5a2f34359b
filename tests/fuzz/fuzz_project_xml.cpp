// ".cqx" project open.

#include "project_fuzz.hpp"
#include "seed_files.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    static fuzz::ProjectOpenTarget target("input.cqx", [] {
        TCoilProject sample;
        fuzz::MakeSampleProject(sample);
        return fuzz::SavedXml(sample);
    }());
    target.Run(data, size);
    return 0;
}
