#include "app/widgets/column_widths.h"

#include <QAbstractItemModel>
#include <QFontMetrics>
#include <QHash>
#include <QHeaderView>
#include <QStyle>
#include <QStyleOptionViewItem>
#include <QTableView>

#include <algorithm>

namespace qudrim::app {

namespace {

// The width a cell needs for `text`, as the grid's item delegate asks the
// style for it: the text, its margins and the focus frame.
int cellWidth(const QTableView* grid, const QString& text)
{
    QStyleOptionViewItem option;
    option.initFrom(grid->viewport());
    option.font = grid->font();
    option.fontMetrics = QFontMetrics(option.font);
    option.features = QStyleOptionViewItem::HasDisplay;
    option.text = text;
    option.displayAlignment = Qt::AlignCenter;
    option.textElideMode = grid->textElideMode();
    return grid->style()->sizeFromContents(QStyle::CT_ItemViewItem, &option, QSize(), grid).width();
}

// At least `minimum`, and as wide as the header needs.
int headedWidth(const QTableView* grid, int column, int minimum)
{
    if (grid->horizontalHeader()->isHidden())
        return minimum;
    return std::max(minimum, grid->horizontalHeader()->sectionSizeHint(column));
}

int gridLine(const QTableView* grid) { return grid->showGrid() ? 1 : 0; }

}  // namespace

void fitColumnWidths(QTableView* grid, std::span<const int> minimum, std::span<const QStringList> widest)
{
    const QAbstractItemModel* model = grid->model();
    const int columns = model ? std::min(model->columnCount(), static_cast<int>(minimum.size())) : 0;
    const bool hasRows = model && model->rowCount() > 0;
    for (int c = 0; c < columns; ++c) {
        int width = headedWidth(grid, c, minimum[static_cast<size_t>(c)]);
        if (hasRows && static_cast<size_t>(c) < widest.size())
            for (const QString& text : widest[static_cast<size_t>(c)])
                width = std::max(width, cellWidth(grid, text) + gridLine(grid));
        grid->setColumnWidth(c, width);
    }
}

void fitColumnWidthsToCells(QTableView* grid, std::span<const int> minimum)
{
    const QAbstractItemModel* model = grid->model();
    const int columns = model ? std::min(model->columnCount(), static_cast<int>(minimum.size())) : 0;
    for (int c = 0; c < columns; ++c) {
        // Many cells of a column hold the same text: each is measured once.
        QHash<QString, bool> seen;
        int width = headedWidth(grid, c, minimum[static_cast<size_t>(c)]);
        for (int r = 0; r < model->rowCount(); ++r) {
            const QString text = model->index(r, c).data(Qt::DisplayRole).toString();
            if (seen.contains(text))
                continue;
            seen.insert(text, true);
            width = std::max(width, cellWidth(grid, text) + gridLine(grid));
        }
        grid->setColumnWidth(c, width);
    }
}

QString widestNumberText(const QFontMetrics& fm, int64_t largest)
{
    QChar widestDigit = QLatin1Char('0');
    for (char d = '1'; d <= '9'; ++d)
        if (fm.horizontalAdvance(QLatin1Char(d)) > fm.horizontalAdvance(widestDigit))
            widestDigit = QLatin1Char(d);
    const QString digits = QString::number(std::max<int64_t>(largest, 0));
    return QString(digits.size(), widestDigit).prepend(largest < 0 ? QStringLiteral("-") : QString());
}

int widthForAllColumns(const QTableView* grid)
{
    int width = 0;
    for (int c = 0; c < grid->horizontalHeader()->count(); ++c)
        width += grid->columnWidth(c);
    return width + grid->frameWidth() * 2 + grid->style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, grid);
}

}  // namespace qudrim::app
