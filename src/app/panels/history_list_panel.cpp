#include "app/panels/history_list_panel.h"

#include "app/session/history_list_model.h"
#include "app/session/history_session.h"
#include "app/widgets/column_widths.h"
#include "app/widgets/controls.h"

#include <QAction>
#include <QBoxLayout>
#include <QCursor>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QTableView>

#include <array>

namespace qudrim::app {

HistoryListPanel::HistoryListPanel(const HistorySession& history, QWidget* parent)
    : QWidget(parent),
      history_(history),
      MSFlexGrid1_(makeGrid(QStringLiteral("MSFlexGrid1"))),
      model_(new HistoryListModel(history, this)),
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

const QAbstractItemModel& HistoryListPanel::model() const { return *model_; }

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
