// "检索(&S)": reads the search options and the panel, runs the position
// search and shows both result grids.
#include "app/frmMain.h"

#include "app/grid_models.h"
#include "app/prompter.h"
#include "draw/draw_entry.h"
#include "search/position_search.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QRadioButton>
#include <QTableView>

#include <limits>
#include <optional>

using namespace qudrim;

namespace {

// The busy cursor for the length of a search, restored however it ends.
class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

std::optional<int32_t> issueOf(const QLineEdit* box)
{
    int64_t v = 0;
    if (!parseInt(box->text().toStdString(), v) || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
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

}  // namespace

void frmMain::Command1_Click()
{
    runPendingBoxHandler();

    // The issue range must be two whole numbers before anything runs.
    const auto first = issueOf(Text3[0]);
    const auto last = issueOf(Text3[1]);
    if (!first || !last) {
        prompter_->warning(this, QString::fromUtf8(kInputErrorTitle),
                                QStringLiteral("检索起止期数必须是整数期号，例如 2013001。"));
        QLineEdit* faulty = first ? Text3[1] : Text3[0];
        faulty->setFocus(Qt::OtherFocusReason);
        faulty->selectAll();
        return;
    }

    search::SearchOptions o;
    o.specialCounts = Check2->isChecked();
    std::optional<BusyCursor> busy;
    busy.emplace();
    // Fixed or free positions follow the buttons at the moment of the click.
    state_.bolZyw = !Option1[0]->isChecked();
    Check2->setVisible(state_.bolZyw);
    // The positions of the page in force.
    const auto& checks = panel_.bolSdsr ? Check11 : Check1;
    for (int i = 1; i <= 7; ++i)
        bolWei_[static_cast<size_t>(i)] = checks[static_cast<size_t>(i)]->isChecked();

    o.bolZyw = state_.bolZyw;
    o.bolSq = state_.bolSq;
    o.intPreQi = state_.intPreQi;
    o.intLei = state_.intLei;
    o.bolWei = bolWei_;
    o.intSqLei = panel_.intSqLei;
    o.display.firstIssue = *first;
    o.display.lastIssue = *last;
    o.display.intXianshiLei = state_.intXianshiLei;
    o.display.strQz = panel_.strQz ? panel_.strQz : (state_.bolLdm ? 'L' : 'D');
    o.display.bolSq = state_.bolSq;
    o.display.bases = state_.bases;
    o.display.scope = 0;
    for (int i = 0; i < 3; ++i)
        if (Option5[static_cast<size_t>(i)]->isChecked())
            o.display.scope = i;

    try {
        const search::SearchResult result = search::runPositionSearch(store_->db(), o);
        std::vector<QStringList> hits;
        hits.reserve(result.hits.size());
        for (const auto& row : result.hits)
            hits.push_back(toStrings(row));
        std::vector<QStringList> tally;
        tally.reserve(result.tally.size());
        for (const auto& row : result.tally)
            tally.push_back(toStrings(row));
        hitsModel_->setHeader(toStrings(result.hitHeader));
        hitsModel_->setRows(std::move(hits));
        tallyModel_->setHeader(toStrings(result.tallyHeader));
        tallyModel_->setRows(std::move(tally));
        setHitColumnWidths();
        setTallyColumnWidths();
    } catch (const std::exception& e) {
        // A failed search never shows a partial result.
        hitsModel_->clearRows();
        tallyModel_->clearRows();
        setHitColumnWidths();
        setTallyColumnWidths();
        busy.reset();
        prompter_->warning(this, QStringLiteral("检索失败"),
                                QStringLiteral("检索没有能够完成，结果列表已清空。\n\n详细信息：%1")
                                    .arg(QString::fromLocal8Bit(e.what())));
    }
    historyChanged();
}

void frmMain::setHitColumnWidths()
{
    MSFlexGrid2->setColumnWidth(0, app::twipsToPixels(1000));
    for (int c = 1; c <= 7; ++c)
        MSFlexGrid2->setColumnWidth(c, app::twipsToPixels(800));
    MSFlexGrid2->setColumnWidth(8, app::twipsToPixels(2500));
    MSFlexGrid2->setColumnWidth(9, app::twipsToPixels(680));
}

void frmMain::setTallyColumnWidths()
{
    const int widths[4] = {480, 680, 800, 880};
    for (int c = 0; c < 4; ++c)
        MSFlexGrid3->setColumnWidth(c, app::twipsToPixels(widths[c]));
}
