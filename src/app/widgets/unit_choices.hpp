#pragma once
// The unit-choice table applied to a property grid, and values formatted as a grid row shows
// them.

#include <QString>

namespace qdx::app {

class TEntryGrid;

// Every data row of the grid takes the table's display unit for its category; nothing happens
// while there is no table (the units window has not been created).
void ApplyUnitChoices(TEntryGrid& grid);

// A stored-unit value converted with the row's factor and offset and formatted with the row's
// format; empty when the format does not take a number.
QString FormatRowValue(const TEntryGrid& grid, int row, double value);

}  // namespace qdx::app
