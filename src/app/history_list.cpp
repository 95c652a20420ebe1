// The read view of the history, the history list MSFlexGrid1 and the next
// issue number.
#include "app/frmMain.h"

#include "app/column_widths.h"
#include "app/grid_models.h"

#include <QDate>
#include <QHeaderView>
#include <QLineEdit>
#include <QShowEvent>
#include <QTableView>

#include <array>
#include <limits>

using namespace qudrim;

void frmMain::reopenSnapshot()
{
    // A view that cannot be read gives an empty history rather than a wait.
    auto snapshot = std::make_shared<store::Snapshot>();
    if (store_->isOpen()) {
        try {
            *snapshot = store_->snapshot();
        } catch (const std::exception&) {
        }
    }
    resSnap_ = std::move(snapshot);
}

void frmMain::AddHaoma()
{
    reopenSnapshot();
    fillHistoryList();
    // Every command that changed the history ends here; its commits are
    // folded into the file once the window is idle.
    historyChanged();
}

void frmMain::fillHistoryList()
{
    historyModel_->setSnapshot(resSnap_);
    intRecCount_ = resSnap_->count();
    setHistoryColumnWidths();
    // From 40 grid rows on (header included) the last draw is brought into view.
    if (intRecCount_ + 1 >= 40)
        MSFlexGrid1->scrollToBottom();
}

void frmMain::setHistoryColumnWidths()
{
    // The issue column, then the six regular numbers and the special number;
    // a column grows where the grid's font needs more, and the list is as
    // wide as its columns.
    std::array<int, 8> widths{};
    widths[0] = app::twipsToPixels(820);
    for (int c = 1; c <= 7; ++c)
        widths[static_cast<size_t>(c)] = app::twipsToPixels(600);
    app::fitColumnWidthsToCells(MSFlexGrid1, widths);
    MSFlexGrid1->setFixedWidth(app::widthForAllColumns(MSFlexGrid1));
}

void frmMain::QihaoXianshi()
{
    app::ProgramState& s = state_;
    if (const DrawRow* last = resSnap_->last()) {
        s.lngQihao = last->issue < std::numeric_limits<int32_t>::max() ? last->issue + 1 : last->issue;
        Text1->setText(QString::number(s.lngQihao));
        Text3[1]->setText(QString::number(last->issue));
        return;
    }
    // An empty history offers the first draw of the current year.
    s.lngQihao = QDate::currentDate().year() * 1000 + 1;
    Text1->setText(QString::number(s.lngQihao));
}

void frmMain::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Start-up fills the list before the grid has a size to scroll in.
    if (!shownOnce_ && intRecCount_ + 1 >= 40)
        MSFlexGrid1->scrollToBottom();
    shownOnce_ = true;
}
