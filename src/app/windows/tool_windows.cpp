#include "app/windows/tool_windows.hpp"

#include "app/windows/qdx_form.hpp"
#include "app/windows/set_units_form.hpp"
#include "app/windows/view_form.hpp"

namespace qdx::app {

void CreateToolWindows(TQDXForm& main, TToolWindows& tools) {
    tools.Viewer = new TViewForm(&main);
    tools.Units = new TSetUnitsForm(&main);
}

}  // namespace qdx::app
