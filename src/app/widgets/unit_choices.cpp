#include "app/widgets/unit_choices.hpp"

#include "app/widgets/entry_grid.hpp"
#include "units/errors.hpp"
#include "units/format.hpp"
#include "units/unit_prefs.hpp"

namespace qdx::app {

void ApplyUnitChoices(TEntryGrid& grid) {
    if (!UnitPrefs().UnitChoices()) return;
    for (int row = 1; row < grid.RowCount(); ++row)
        if (grid.Field(row)) grid.SetRowUnitsValue(row, UnitChoice(grid.RowUnitsType(row)));
}

QString FormatRowValue(const TEntryGrid& grid, int row, double value) {
    try {
        return QString::fromStdString(
            Format(grid.RowFormatStr(row).toStdString(),
                   ToUnits(value, grid.RowFactor(row), grid.RowOffset(row))));
    } catch (const ConvertError&) {
    } catch (const CalcError&) {
    }
    return {};
}

}  // namespace qdx::app
