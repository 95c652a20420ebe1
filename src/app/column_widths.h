// Column widths of the grids. A column is given the width it is meant to
// have and grows where its header or one of its cells needs more room in the
// grid's own font, so that no text is cut off: the widths were made for
// another font than the one the desktop may give the program.
#pragma once

#include <span>

class QTableView;

namespace qudrim::app {

// Sets column c of `grid` to at least minimum[c] pixels, wider where its
// header text or a cell text needs more. Columns beyond `minimum` are left
// alone.
void fitColumnWidths(QTableView* grid, std::span<const int> minimum);

// The width a grid needs to show all its columns side by side with room for
// its vertical scroll bar, so that it never needs a horizontal one.
int widthForAllColumns(const QTableView* grid);

}  // namespace qudrim::app
