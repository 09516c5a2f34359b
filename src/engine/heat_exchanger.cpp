#include "engine/heat_exchanger.hpp"

#include "engine/run_state.hpp"

namespace qdx {

double& LastADP() {
    // Per thread, as the rest of the engine's program-wide state.
    thread_local double adp = kStartADP;
    return adp;
}

TCustomHeatExchanger::TCustomHeatExchanger(std::string_view designation)
    : Designation(designation) {}

}  // namespace qdx
