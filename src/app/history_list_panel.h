// The history list MSFlexGrid1: every draw of the read view, oldest first,
// the last draw brought into view; and the history menu "历史管理" that a
// right-button release over the list pops up.
#pragma once

#include <QAbstractTableModel>
#include <QList>
#include <QWidget>

class QAction;
class QMenu;
class QTableView;

namespace qudrim::app {

class History;
struct HistoryChange;

// The read view as the list shows it: column 0 the issue, 1..6 the regular
// numbers in drawn order, 7 the special number. It reads the view itself,
// so a list of any length costs nothing to fill, and follows each change of
// the view with no more than the change: new rows, one row less, or
// everything, told before and after as the views expect.
class HistoryModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HistoryModel(const History& history, QObject* parent = nullptr);

    // Shows the view as it stands (start-up, after the history was opened).
    void showWholeView();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void aboutToFollow(const HistoryChange& change);
    void follow(const HistoryChange& change);

    const History& history_;
    int rows_ = 0;  // the rows the view had when the model last followed it
};

class HistoryListPanel final : public QWidget {
    Q_OBJECT
public:
    explicit HistoryListPanel(const History& history, QWidget* parent = nullptr);

    // The entries of the history menu, for the window to give them their commands.
    QAction* mnuDcls() const { return mnuDcls_; }
    QAction* mnuErase() const { return mnuErase_; }
    QAction* mnuClear() const { return mnuClear_; }
    QAction* mnuDlzd() const { return mnuDlzd_; }
    QAction* mnuEszhzd() const { return mnuEszhzd_; }
    // What the list shows, for its export.
    const QAbstractItemModel& model() const { return *model_; }
    QList<QWidget*> tabOrder() const;

    // AddHaoma: the list, which follows the read view by itself, fits its
    // columns and brings the last draw into view.
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

    const History& history_;
    QTableView* MSFlexGrid1_;
    HistoryModel* model_;
    QMenu* mnuLsgl_;
    QAction* mnuDcls_;
    QAction* mnuErase_;
    QAction* mnuClear_;
    QAction* mnuDlzd_;
    QAction* mnuEszhzd_;
    bool shownOnce_ = false;
};

}  // namespace qudrim::app
