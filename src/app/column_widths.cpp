#include "app/column_widths.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QStyle>
#include <QTableView>

#include <algorithm>

namespace qudrim::app {

namespace {

// The cell of `column` whose text is the widest in the grid's font; many
// cells of a column hold the same text, so each text is measured once.
QModelIndex widestCell(const QTableView* grid, int column)
{
    const QAbstractItemModel* model = grid->model();
    const QFontMetrics fm(grid->font());
    QHash<QString, int> measured;
    QModelIndex widest;
    int widestAdvance = -1;
    const int rows = model->rowCount();
    for (int r = 0; r < rows; ++r) {
        const QModelIndex index = model->index(r, column);
        const QString text = index.data(Qt::DisplayRole).toString();
        auto it = measured.constFind(text);
        if (it == measured.cend())
            it = measured.insert(text, fm.horizontalAdvance(text));
        if (*it > widestAdvance) {
            widestAdvance = *it;
            widest = index;
        }
    }
    return widest;
}

}  // namespace

void fitColumnWidths(QTableView* grid, std::span<const int> minimum)
{
    const QAbstractItemModel* model = grid->model();
    const int columns = model ? std::min(model->columnCount(), static_cast<int>(minimum.size())) : 0;
    // The grid line takes one pixel of every column.
    const int gridLine = grid->showGrid() ? 1 : 0;
    for (int c = 0; c < columns; ++c) {
        int width = minimum[static_cast<size_t>(c)];
        if (!grid->horizontalHeader()->isHidden())
            width = std::max(width, grid->horizontalHeader()->sectionSizeHint(c));
        if (const QModelIndex widest = widestCell(grid, c); widest.isValid())
            width = std::max(width, grid->sizeHintForIndex(widest).width() + gridLine);
        grid->setColumnWidth(c, width);
    }
}

int widthForAllColumns(const QTableView* grid)
{
    int width = 0;
    for (int c = 0; c < grid->horizontalHeader()->count(); ++c)
        width += grid->columnWidth(c);
    return width + grid->frameWidth() * 2 + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
}

}  // namespace qudrim::app
