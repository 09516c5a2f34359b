// "Customise Units" with the Temperature row current and its conversion on the status line.
#include <QTimer>

#include "app/widgets/entry_grid.hpp"
#include "app/windows/set_units_form.hpp"
#include "screenshots/scene.hpp"

namespace {

qdx::test::RegisterScene setUnitsForm("set_units_form", [](qdx::test::TAppTestEnv&) {
    auto form = std::make_unique<qdx::app::TSetUnitsForm>();
    form->Table().Set(qdx::utTemperature, 1);
    qdx::app::TEntryGrid* grid = form->Grid();
    const int row = form->CategoryRow(qdx::utTemperature);
    grid->SetCurrentCell(1, row);
    QTimer::singleShot(0, grid, [grid, row] {
        grid->scrollTo(grid->model()->index(row - 1, 1), QAbstractItemView::PositionAtCenter);
    });
    return std::unique_ptr<QWidget>(std::move(form));
});

}  // namespace
