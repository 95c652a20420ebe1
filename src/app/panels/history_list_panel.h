// The history list MSFlexGrid1: every draw of the read view, oldest first,
// the last draw brought into view; and the history menu "历史管理" that a
// right-button release over the list pops up.
#pragma once

#include <QList>
#include <QWidget>

class QAbstractItemModel;
class QAction;
class QMenu;
class QTableView;

namespace qudrim::app {

class HistoryListModel;
class HistorySession;

class HistoryListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryListPanel(const HistorySession& history, QWidget* parent = nullptr);

    // The entries of the history menu, for the window to give them their commands.
    QAction* mnuDcls() const { return mnuDcls_; }
    QAction* mnuErase() const { return mnuErase_; }
    QAction* mnuClear() const { return mnuClear_; }
    QAction* mnuDlzd() const { return mnuDlzd_; }
    QAction* mnuEszhzd() const { return mnuEszhzd_; }
    // What the list shows, for its export.
    const QAbstractItemModel& model() const;
    QList<QWidget*> tabOrder() const;

    // AddHaoma, the step that once filled the list row by row. The rows now
    // follow the read view through the model by themselves (and a change
    // reaches the model before this runs), so all the step still does is
    // fit the columns to the issues shown and bring the last draw into view.
    void AddHaoma();
    // Start-up: the whole history as the opened database has it.
    void fill();

    void MSFlexGrid1_MouseUp(Qt::MouseButton button);

signals:
    // A double click of the left button on the list or its header row.
    void doubleClicked();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    // Start-up fills the list before the grid has a size to scroll in.
    void showEvent(QShowEvent* event) override;

private:
    void setHistoryColumnWidths();
    void bringLastDrawIntoView();

    const HistorySession& history_;
    QTableView* MSFlexGrid1_;
    HistoryListModel* model_;
    QMenu* mnuLsgl_;
    QAction* mnuDcls_;
    QAction* mnuErase_;
    QAction* mnuClear_;
    QAction* mnuDlzd_;
    QAction* mnuEszhzd_;
    bool shownOnce_ = false;
};

}  // namespace qudrim::app
