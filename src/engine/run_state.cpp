#include "engine/run_state.hpp"

#include "engine/heat_exchanger.hpp"

namespace qdx {

void StartLikeANewRun() { LastADP() = kStartADP; }

}  // namespace qdx
