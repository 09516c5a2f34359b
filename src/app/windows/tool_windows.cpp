#include "app/windows/tool_windows.hpp"

#include "app/windows/data_chart.hpp"
#include "app/windows/qdx_form.hpp"
#include "app/windows/set_units_form.hpp"
#include "app/windows/view_form.hpp"

namespace qdx::app {

void CreateToolWindows(TQDXForm& main, TToolWindows& tools) {
    tools.Viewer = new TViewForm(&main);
    tools.Units = new TSetUnitsForm(&main);
    tools.DataChart = new TDataChart(&main);
}

}  // namespace qdx::app
