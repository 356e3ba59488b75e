// Read-only grids of texts, as the device, application object and assembly views show them: the
// first row carries the column headings (bold on a button-grey ground), there are no header
// sections and no row numbers, and every cell is centred.
#pragma once

#include <string>
#include <vector>

class QTableWidget;

namespace tavrin {

// Hides both headers and makes the grid read-only, without word wrap.
void SetUpTextGrid(QTableWidget& grid);

// Empties every cell, then gives each cell of the grid's current rows and columns the text at
// cells[row][column] (empty where `cells` is shorter). Row 0 is styled as the heading row.
// Columns too narrow for their texts are widened (see WidenColumnsToText).
void FillTextGrid(QTableWidget& grid, const std::vector<std::vector<std::string>>& cells);

// The designed column widths are a minimum: a column whose heading or cell text would be cut off
// grows to show it whole, since a commissioning engineer reads these addresses off the screen.
void WidenColumnsToText(QTableWidget& grid, const std::vector<std::vector<std::string>>& cells);

}  // namespace tavrin
