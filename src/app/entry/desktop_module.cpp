// The entry point `qdx` calls after loading the desktop module.
#include "app/desktop_program.hpp"

extern "C" __attribute__((visibility("default"))) int qdx_run_desktop(int argc, char** argv) {
    return qdx::app::RunDesktop(argc, argv);
}
