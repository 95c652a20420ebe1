// The models behind the result grids: a search's result as the core worked
// it out, each cell put into words only when the view asks for it, so that
// a result of ten thousand draws shows as fast as one of ten. Header row 0
// of a grid is the model's horizontal header; grid row r >= 1 is model row
// r - 1.
#pragma once

#include "search/result_display.h"

#include <QAbstractTableModel>
#include <QStringList>

#include <array>
#include <memory>

namespace qudrim::app {

// What both result models share: the result, the names of the result
// kind's values worked out once, and the header texts.
class ResultModel : public QAbstractTableModel {
    Q_OBJECT
public:
    ResultModel(QStringList header, QObject* parent);

    void setResult(std::shared_ptr<const search::SearchResult> result);
    // No rows; the header keeps the texts of the last result.
    void clearRows();

    const search::SearchResult* result() const { return result_.get(); }
    // The text a cell shows for a value of the result kind.
    QString valueText(int64_t value) const;
    // The texts of the values a cell can show, each once (for the widths).
    QStringList valueTexts() const;

    int rowCount(const QModelIndex& parent = {}) const override;
    int columnCount(const QModelIndex& parent = {}) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role = Qt::DisplayRole) const override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;

protected:
    virtual QStringList headerOf(const search::SearchResult& result) const = 0;
    virtual size_t rowsOf(const search::SearchResult& result) const = 0;
    virtual QString cellText(size_t row, int column) const = 0;

private:
    std::shared_ptr<const search::SearchResult> result_;
    size_t rows_ = 0;
    QStringList header_;
    std::array<QString, 50> names_;
};

// MSFlexGrid2: the matching draws.
class HitsModel final : public ResultModel {
    Q_OBJECT
public:
    explicit HitsModel(QObject* parent);

protected:
    QStringList headerOf(const search::SearchResult& result) const override;
    size_t rowsOf(const search::SearchResult& result) const override { return result.hits.size(); }
    QString cellText(size_t row, int column) const override;
};

// MSFlexGrid3: the tally of the result kind.
class TallyModel final : public ResultModel {
    Q_OBJECT
public:
    explicit TallyModel(QObject* parent);

protected:
    QStringList headerOf(const search::SearchResult& result) const override;
    size_t rowsOf(const search::SearchResult& result) const override { return result.tally.size(); }
    QString cellText(size_t row, int column) const override;
};

}  // namespace qudrim::app
