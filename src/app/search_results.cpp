// What both searches share in the window: the issue range and the options
// they read, and the showing of their result, or of their failure, in the
// two result grids.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "app/error_text.h"
#include "app/grid_models.h"
#include "app/prompter.h"
#include "search/search_options.h"
#include "store/plain_text.h"

#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include <limits>
#include <optional>
#include <stdexcept>
#include <string>

using namespace qudrim;

namespace {

std::optional<int32_t> issueOf(const QLineEdit* box)
{
    int64_t v = 0;
    if (!parseInt(box->text().toStdString(), v) || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

// A kind setting as the searches take it. One that names no kind (edited
// outside the program) fails the search with the words the core has for it.
Kind searchedKind(int16_t setting, const char* what)
{
    if (const auto kind = kindFromSetting(setting))
        return *kind;
    throw std::invalid_argument(std::string(what) + " out of range");
}

template <size_t N>
QStringList toStrings(const std::array<std::string, N>& texts)
{
    QStringList list;
    list.reserve(static_cast<qsizetype>(N));
    for (const std::string& t : texts)
        list << QString::fromStdString(t);
    return list;
}

// Every cell of a grid's rows as the result's own texts give it.
template <class CellText>
std::vector<QStringList> toRows(size_t rows, int columns, CellText&& text)
{
    std::vector<QStringList> out;
    out.reserve(rows);
    for (size_t r = 0; r < rows; ++r) {
        QStringList row;
        row.reserve(columns);
        for (int c = 0; c < columns; ++c)
            row << QString::fromStdString(text(r, c));
        out.push_back(std::move(row));
    }
    return out;
}

}  // namespace

std::optional<std::pair<int32_t, int32_t>> frmMain::searchRange()
{
    const auto first = issueOf(Text3[0]);
    const auto last = issueOf(Text3[1]);
    if (first && last)
        return std::pair{*first, *last};
    prompter_->warning(this, app::inputErrorTitle(),
                       QStringLiteral("检索起止期数必须是整数期号，例如 2013001。"));
    QLineEdit* faulty = first ? Text3[1] : Text3[0];
    faulty->setFocus(Qt::OtherFocusReason);
    faulty->selectAll();
    return std::nullopt;
}

search::SearchOptions frmMain::searchOptions(std::pair<int32_t, int32_t> range)
{
    // Fixed or free positions follow the buttons at the moment of the
    // click; the setting keeps what the user last chose.
    state_.bolZyw = !Option1[0]->isChecked();
    Check2->setVisible(state_.bolZyw);

    search::SearchOptions o;
    // A greyed box counts as ticked.
    o.specialCounts = Check2->checkState() != Qt::Unchecked;
    o.bolZyw = state_.bolZyw;
    o.bolSq = state_.bolSq;
    o.intPreQi = state_.intPreQi;
    o.intLei = searchedKind(state_.intLei, "search kind");
    o.bolWei = bolWei_;
    o.intSqLei = panel_.intSqLei;

    search::DisplayOptions& d = o.display;
    d.firstIssue = range.first;
    d.lastIssue = range.second;
    d.intXianshiLei = searchedKind(state_.intXianshiLei, "result kind");
    d.strQz = panel_.strQz.value_or(orderFromSetting(state_.bolLdm));
    d.bolSq = state_.bolSq;
    d.bases = state_.bases;
    d.scope = 0;
    for (int i = 0; i < 3; ++i)
        if (Option5[static_cast<size_t>(i)]->isChecked())
            d.scope = i;
    return o;
}

void frmMain::runSearchCommand(const QString& refused, bool setSerialColumn,
                               const std::function<search::SearchResult(std::pair<int32_t, int32_t>)>& run)
{
    runPendingBoxHandler();

    if (!store_->isOpen()) {
        warnHistoryNotOpen(refused);
        return;
    }

    // The issue range must be two whole numbers before anything runs.
    const auto range = searchRange();
    if (!range)
        return;

    std::optional<app::BusyCursor> busy;
    busy.emplace();
    try {
        showSearchResult(run(*range), setSerialColumn);
    } catch (const std::exception& e) {
        busy.reset();
        showSearchFailure(e, setSerialColumn);
    }
    historyChanged();
}

void frmMain::showSearchResult(const search::SearchResult& result, bool setSerialColumn)
{
    hitsModel_->setHeader(toStrings(result.hitHeader()));
    hitsModel_->setRows(toRows(result.hits.size(), 10, [&](size_t r, int c) { return result.hitText(r, c); }));
    tallyModel_->setHeader(toStrings(result.tallyHeader()));
    tallyModel_->setRows(toRows(result.tally.size(), 4, [&](size_t r, int c) { return result.tallyText(r, c); }));
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
}

void frmMain::showSearchFailure(const std::exception& e, bool setSerialColumn)
{
    // A failed search never shows a partial result.
    hitsModel_->clearRows();
    tallyModel_->clearRows();
    setHitColumnWidths(setSerialColumn);
    setTallyColumnWidths();
    prompter_->warning(this, QStringLiteral("检索失败"),
                       QStringLiteral("检索没有能够完成，结果列表已清空。\n\n"
                                      "请关闭可能正在使用历史数据库的其他程序，然后再检索一次。"),
                       app::exceptionText(e));
}
