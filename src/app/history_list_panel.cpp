#include "app/history_list_panel.h"

#include "app/column_widths.h"
#include "app/controls.h"
#include "app/history.h"

#include <QAction>
#include <QBoxLayout>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>

#include <array>

namespace qudrim::app {

HistoryModel::HistoryModel(const History& history, QObject* parent)
    : QAbstractTableModel(parent), history_(history), rows_(history.view().count())
{
    connect(&history, &History::historyAboutToChange, this, &HistoryModel::aboutToFollow);
    connect(&history, &History::historyChanged, this, &HistoryModel::follow);
}

void HistoryModel::showWholeView()
{
    beginResetModel();
    rows_ = history_.view().count();
    endResetModel();
}

void HistoryModel::aboutToFollow(const HistoryChange& change)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        return;
    case HistoryChange::Rows::Appended:
        if (change.appended > 0)
            beginInsertRows({}, rows_, rows_ + change.appended - 1);
        return;
    case HistoryChange::Rows::LastRemoved:
        if (rows_ > 0)
            beginRemoveRows({}, rows_ - 1, rows_ - 1);
        return;
    case HistoryChange::Rows::Replaced:
    case HistoryChange::Rows::Emptied:
        beginResetModel();
        return;
    }
}

void HistoryModel::follow(const HistoryChange& change)
{
    switch (change.rows) {
    case HistoryChange::Rows::Unchanged:
        return;
    case HistoryChange::Rows::Appended:
        if (change.appended > 0) {
            rows_ = history_.view().count();
            endInsertRows();
        }
        return;
    case HistoryChange::Rows::LastRemoved:
        if (rows_ > 0) {
            rows_ = history_.view().count();
            endRemoveRows();
        }
        return;
    case HistoryChange::Rows::Replaced:
    case HistoryChange::Rows::Emptied:
        rows_ = history_.view().count();
        endResetModel();
        return;
    }
}

int HistoryModel::rowCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : rows_; }

int HistoryModel::columnCount(const QModelIndex& parent) const { return parent.isValid() ? 0 : 8; }

QVariant HistoryModel::data(const QModelIndex& index, int role) const
{
    const store::Snapshot& view = history_.view();
    if (!index.isValid() || index.row() >= rows_ || index.row() >= view.count())
        return {};
    if (role == Qt::TextAlignmentRole)
        return int(Qt::AlignCenter);
    if (role != Qt::DisplayRole)
        return {};
    const DrawRow& row = view.row(index.row());
    if (index.column() == 0)
        return QString::number(row.issue);
    return QString::number(row.L[static_cast<size_t>(index.column())].A);
}

QVariant HistoryModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole)
        return QAbstractTableModel::headerData(section, orientation, role);
    if (orientation == Qt::Vertical)
        return section + 1;
    if (section == 0)
        return QStringLiteral("期号");
    if (section == 7)
        return QStringLiteral("特码");
    return QStringLiteral("落%1码").arg(section);
}

namespace {

QAction* namedAction(QMenu* menu, const QString& name, const QString& caption)
{
    QAction* a = menu->addAction(caption);
    a->setObjectName(name);
    return a;
}

}  // namespace

HistoryListPanel::HistoryListPanel(const History& history, QWidget* parent)
    : QWidget(parent),
      history_(history),
      MSFlexGrid1_(makeGrid(QStringLiteral("MSFlexGrid1"))),
      model_(new HistoryModel(history, this)),
      mnuLsgl_(named<QMenu>(QStringLiteral("mnuLsgl"), QStringLiteral("历史管理"), this)),
      mnuDcls_(namedAction(mnuLsgl_, QStringLiteral("mnuDcls"), QStringLiteral("导出历史号码(&O)"))),
      mnuErase_(namedAction(mnuLsgl_, QStringLiteral("mnuErase"), QStringLiteral("删除最后历史(&E)"))),
      mnuClear_(namedAction(mnuLsgl_, QStringLiteral("mnuClear"), QStringLiteral("清空历史号码(&C)"))),
      mnuDlzd_(namedAction(mnuLsgl_, QStringLiteral("mnuDlzd"), QStringLiteral("删除到选定期(&D)"))),
      mnuEszhzd_(namedAction(mnuLsgl_, QStringLiteral("mnuEszhzd"), QStringLiteral("删除最后指定数量期历史(&E)")))
{
    MSFlexGrid1_->setToolTip(gridExportTip());
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->addWidget(MSFlexGrid1_);
    // As wide as the grid, which is as wide as its columns.
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Preferred);

    MSFlexGrid1_->setModel(model_);
    setHistoryColumnWidths();

    // Mouse releases and double clicks on the list, its header row included.
    MSFlexGrid1_->viewport()->installEventFilter(this);
    MSFlexGrid1_->horizontalHeader()->viewport()->installEventFilter(this);
}

QList<QWidget*> HistoryListPanel::tabOrder() const { return {MSFlexGrid1_}; }

void HistoryListPanel::fill()
{
    model_->showWholeView();
    AddHaoma();
}

void HistoryListPanel::AddHaoma()
{
    setHistoryColumnWidths();
    bringLastDrawIntoView();
}

void HistoryListPanel::bringLastDrawIntoView()
{
    // From 40 grid rows on (header included) the last draw is brought into view.
    if (history_.view().count() + 1 >= 40)
        MSFlexGrid1_->scrollToBottom();
}

void HistoryListPanel::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    if (!shownOnce_)
        bringLastDrawIntoView();
    shownOnce_ = true;
}

void HistoryListPanel::setHistoryColumnWidths()
{
    // The issue column, then the six regular numbers and the special number;
    // a column grows where the grid's font needs more, and the list is as
    // wide as its columns. Issues ascend, so the last one has the most
    // digits; a number has at most two.
    std::array<int, 8> widths{};
    widths[0] = twipsToPixels(820);
    for (int c = 1; c <= 7; ++c)
        widths[static_cast<size_t>(c)] = twipsToPixels(600);
    std::array<QStringList, 8> widest;
    if (const DrawRow* last = history_.view().last()) {
        const QFontMetrics fm(MSFlexGrid1_->font());
        widest[0] = {widestNumberText(fm, last->issue), widestNumberText(fm, history_.view().row(0).issue)};
        for (int c = 1; c <= 7; ++c)
            widest[static_cast<size_t>(c)] = {widestNumberText(fm, 49)};
    }
    fitColumnWidths(MSFlexGrid1_, widths, widest);
    MSFlexGrid1_->setFixedWidth(widthForAllColumns(MSFlexGrid1_));
}

void HistoryListPanel::MSFlexGrid1_MouseUp(Qt::MouseButton button)
{
    if (button == Qt::RightButton)
        mnuLsgl_->popup(QCursor::pos());
}

bool HistoryListPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() == QEvent::MouseButtonRelease)
        MSFlexGrid1_MouseUp(static_cast<QMouseEvent*>(event)->button());
    // A double click is one of the left button, as everywhere on the desktop.
    if (event->type() == QEvent::MouseButtonDblClick && static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton)
        emit doubleClicked();
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
