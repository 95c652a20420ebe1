// The model behind the history list MSFlexGrid1.
#pragma once

#include <QAbstractTableModel>

namespace qudrim::app {

class HistorySession;
struct HistoryChange;

// The read view as the list shows it: column 0 the issue, 1..6 the regular
// numbers in drawn order, 7 the special number. It reads the view itself,
// so a list of any length costs nothing to fill, and follows each change of
// the view with no more than the change: new rows, one row less, or
// everything, told before and after as the views expect.
class HistoryListModel final : public QAbstractTableModel {
    Q_OBJECT
public:
    explicit HistoryListModel(const HistorySession& history, QObject* parent = nullptr);

    // Shows the view as it stands (start-up, after the history was opened).
    void showWholeView();

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;

private:
    void aboutToFollow(const HistoryChange& change);
    void follow(const HistoryChange& change);

    const HistorySession& history_;
    int rows_ = 0;  // the rows the view had when the model last followed it
};

}  // namespace qudrim::app
