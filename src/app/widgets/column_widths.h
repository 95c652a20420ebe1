// Column widths of the grids. A column is given the width it is meant to
// have and grows where its header or one of its cells needs more room in the
// grid's own font, so that no text is cut off: the widths were made for
// another font than the one the desktop may give the program.
//
// A grid of thousands of rows is never walked for this: its caller names
// the widest text each column can hold (a list the core picked as its
// longest, the name of a value from the kind's few names, a whole number of
// so many digits), and only those texts are measured.
#pragma once

#include <QString>
#include <QStringList>

#include <cstdint>
#include <span>

class QFontMetrics;
class QTableView;

namespace qudrim::app {

// Widths that the grids are given in twips, on a 96 dpi screen.
inline int twipsToPixels(int twips) { return (twips + 7) / 15; }

// Sets column c of `grid` to at least minimum[c] pixels, wider where its
// header or one of widest[c] (the texts its cells may hold that could be the
// widest) needs more. Columns beyond `minimum` are left alone.
void fitColumnWidths(QTableView* grid, std::span<const int> minimum, std::span<const QStringList> widest);

// As above for a short grid, measuring every cell the grid holds.
void fitColumnWidthsToCells(QTableView* grid, std::span<const int> minimum);

// A text at least as wide as any whole number from 0 to `largest` in the
// font: as many of the font's widest digit as `largest` has digits.
QString widestNumberText(const QFontMetrics& fm, int64_t largest);

// The width a grid needs to show all its columns side by side with room for
// its vertical scroll bar, so that it never needs a horizontal one.
int widthForAllColumns(const QTableView* grid);

}  // namespace qudrim::app
