#include "engine/heat_exchanger.hpp"

namespace qdx {

double& LastADP() {
    static double adp = 10.0;
    return adp;
}

TCustomHeatExchanger::TCustomHeatExchanger(std::string_view designation)
    : Designation(designation) {}

}  // namespace qdx
