#include "app/widgets/controls.h"

#include <QHeaderView>
#include <QAction>
#include <QLayout>
#include <QMenu>
#include <QTableView>
#include <QWidget>

namespace qudrim::app {

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

void compact(QLayout* layout, int margin, int spacing)
{
    layout->setContentsMargins(margin, margin / 2 + 2, margin, margin / 2 + 2);
    layout->setSpacing(spacing);
}

QTableView* makeGrid(const QString& name)
{
    auto* grid = named<QTableView>(name);
    grid->verticalHeader()->setVisible(false);
    grid->verticalHeader()->setDefaultSectionSize(grid->fontMetrics().height() + 6);
    grid->verticalHeader()->setMinimumSectionSize(grid->fontMetrics().height() + 2);
    grid->horizontalHeader()->setHighlightSections(false);
    grid->horizontalHeader()->setMinimumSectionSize(12);
    grid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    grid->setWordWrap(false);
    return grid;
}

void chainTabOrder(const QList<QWidget*>& controls)
{
    for (qsizetype i = 1; i < controls.size(); ++i)
        QWidget::setTabOrder(controls[i - 1], controls[i]);
}

}  // namespace qudrim::app
