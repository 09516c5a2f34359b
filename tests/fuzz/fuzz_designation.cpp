// Coil designations: any text parses or is refused with a code that has its message, and the
// geometry built from it, with its weights and workshop sheet, can be worked out.

#include <string>

#include "fuzz_support.hpp"
#include "geometry/designation.hpp"
#include "geometry/fin_and_tube.hpp"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    using namespace qdx;
    fuzz::Scratch();
    const std::string_view text = fuzz::Text(data, size);

    TDesignationNumbers numbers;
    const int code = ParseDesignation(text, numbers);
    fuzz::Expect((code == dpOk) == DesignationErrorText(code).empty(),
                 "a parse result without its message");
    if (code == dpOk) {
        TDesignationNumbers again;
        ParseDesignation(FormatDesignation(numbers), again);
    }

    TFinAndTube g("Typical", text, 0, 4);
    g.GetErrorCode();
    g.SetDesignation(text);
    g.Recalculate();
    fuzz::WorkOut(g);
    return 0;
}
