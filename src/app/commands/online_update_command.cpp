// "历史号在线更新(&O)": brings the history up to date from the yearly results
// pages of the results site. Every page of the run is read before anything
// is stored; then all new draws go into the history in one transaction, so
// a run that fails or is cancelled leaves the history as it was, except
// that an appending run keeps the draws of the pages it read before the
// first page that failed.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/progress_dialog.h"
#include "app/commands/results_fetcher.h"
#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/panels/settings_keys.h"
#include "app/panels/settings_store.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "app/widgets/busy_cursor.h"
#include "history/results_page.h"
#include "history/update_run.h"

#include <QDate>
#include <QProgressDialog>

#include <optional>
#include <string>
#include <vector>

namespace qudrim::app {

namespace {

const QString kMessageTitle = QStringLiteral("历史号在线更新");

// The results site from the setting; when there is none yet (or the
// setting holds no usable address) it is asked for and stored. Empty when
// the user cancels or types no web address.
QString resultsSite(Prompter& prompter, QWidget* parent, SettingsStore& settings)
{
    const QString stored = settings.read(settingKey::ResultsSite, QString());
    if (const QString site = resultsSiteAddress(stored); !site.isEmpty())
        return site;
    const QString answer = prompter.getText(
        parent, QStringLiteral("开奖结果网站"),
        QStringLiteral("请输入开奖结果网站的地址，以 http:// 或 https:// 开头，可以带端口号，例如 "
                       "http://www.example.com:8080。在线更新从这个网站读取各年的开奖结果页面。"),
        stored.isEmpty() ? QStringLiteral("http://") : stored);
    if (answer.isEmpty())
        return {};
    const QString site = resultsSiteAddress(answer);
    if (site.isEmpty()) {
        prompter.warning(parent, inputErrorTitle(),
                         QStringLiteral("“%1”不是开奖结果网站的地址。网站地址以 http:// 或 https:// 开头，后面是网站的名称，"
                                        "可以带端口号，例如 http://www.example.com:8080。\n\n在线更新没有进行，历史号码没有改动。")
                             .arg(answer));
        return {};
    }
    settings.save(settingKey::ResultsSite, site);
    return site;
}

struct PageFailure {
    int32_t year = 0;
    QString reason;
    QString detail;
    bool fetched = false;  // the page arrived and was found unusable
};

QUrl pageUrl(const QString& site, int32_t year)
{
    return QUrl(QString::fromStdString(history::resultsPageAddress(site.toStdString(), year)));
}

// Why the page of the year that stopped the run was not taken, in the
// user's words, and in technical terms for the detail.
PageFailure pageFailure(const history::UpdateOutcome& outcome, const QString& site)
{
    PageFailure f{outcome.year, {}, {}, outcome.fault != history::UpdateFault::PageNotFetched};
    const QString url = pageUrl(site, outcome.year).toString();
    switch (outcome.fault) {
    case history::UpdateFault::PageNotFetched:
        f.reason = QString::fromStdString(outcome.reason);
        f.detail = QString::fromStdString(outcome.detail);
        return f;
    case history::UpdateFault::PageUnreadable:
        switch (outcome.problem) {
        case history::PageProblem::TooLarge:
            f.reason = QStringLiteral("页面大于 %1 KB，不是开奖结果页面").arg(history::kMaxPageBytes / 1024);
            f.detail = QStringLiteral("the page has more than %1 bytes\n").arg(history::kMaxPageBytes) + url;
            return f;
        case history::PageProblem::TooComplex:
            f.reason = QStringLiteral("页面的结构过于复杂，不是开奖结果页面");
            f.detail = QStringLiteral("the page has more than %1 elements\n").arg(history::kMaxPageElements) + url;
            return f;
        case history::PageProblem::None:
        case history::PageProblem::NoTable:
            break;
        }
        f.reason = QStringLiteral("页面中没有开奖结果表");
        f.detail = QStringLiteral("no table with id \"main\" in the page\n") + url;
        return f;
    case history::UpdateFault::DrawsDoNotFollow:
        f.reason = QStringLiteral("页面上的号码缺少第 %1 期，接不上已有的历史号码，页面可能已经损坏").arg(outcome.firstMissing);
        f.detail = QStringLiteral("the new draws on the page do not follow on: %1 is missing\n").arg(outcome.firstMissing) + url;
        return f;
    case history::UpdateFault::None:
    case history::UpdateFault::Cancelled:
    case history::UpdateFault::StoreRefused:
        break;
    }
    return f;
}

// What the user is told when a page of the run could not be read.
QString failureText(const PageFailure& f, const history::UpdatePlan& plan, size_t pagesRead, size_t stored,
                    int yearsKept)
{
    QString text = QStringLiteral("%1 年的开奖结果页面没有能够读取：%2。\n\n").arg(QString::number(f.year), f.reason);
    if (pagesRead == 0)
        text += QStringLiteral("没有读到任何开奖结果页面，历史号码没有改动。");
    else if (plan.replaceHistory)
        text += QStringLiteral("最早的历史号码已超过保留的 %1 年，历史号码要由 %2 至 %3 年的全部页面替换；"
                               "因为 %4 年的页面没有读到，历史号码没有改动。")
                    .arg(yearsKept)
                    .arg(plan.startYear)
                    .arg(plan.endYear)
                    .arg(f.year);
    else if (stored > 0)
        text += QStringLiteral("%1 年以前的页面中的 %2 期新号码已经加入历史号码，%1 年及以后的号码没有更新。")
                    .arg(f.year)
                    .arg(stored);
    else
        text += QStringLiteral("%1 年以前的页面中没有新的号码，历史号码没有改动。").arg(f.year);
    text += f.fetched ? QStringLiteral("\n\n开奖结果网站上的这个页面可能不完整或已经损坏，请稍后再次更新。")
                      : QStringLiteral("\n\n请检查网络连接和开奖结果网站的地址（设置项 ResultsSite），稍后再次更新。");
    return text;
}

// The yearly pages over HTTP, the progress dialog naming the year that is
// being read. Cancel in the dialog ends the fetch that waits and every
// later one.
class SitePages final : public history::ResultsPageSource {
public:
    SitePages(const QString& site, const history::UpdatePlan& plan, QProgressDialog& progress)
        : site_(site), plan_(plan), pages_(plan.years().size()), progress_(progress)
    {
        QObject::connect(&progress_, &QProgressDialog::canceled, &fetcher_, &ResultsFetcher::cancel);
    }

    history::PageFetch fetch(int32_t year) override
    {
        const int index = year - plan_.startYear;
        progress_.setLabelText(QStringLiteral("正在读取 %1 年的开奖结果页面（第 %2 页，共 %3 页）……")
                                   .arg(year)
                                   .arg(index + 1)
                                   .arg(pages_));
        progress_.setValue(index);
        const FetchedPage page = fetcher_.fetch(pageUrl(site_, year));
        history::PageFetch fetched;
        if (page.outcome == FetchedPage::Outcome::Cancelled || progress_.wasCanceled()) {
            fetched.outcome = history::PageFetch::Outcome::Cancelled;
            return fetched;
        }
        if (page.outcome == FetchedPage::Outcome::Failed || page.outcome == FetchedPage::Outcome::Missing) {
            if (page.outcome == FetchedPage::Outcome::Missing)
                fetched.outcome = history::PageFetch::Outcome::Missing;
            fetched.reason = page.reason.toStdString();
            fetched.detail = page.detail.toStdString();
            return fetched;
        }
        fetched.outcome = history::PageFetch::Outcome::Read;
        fetched.body.assign(page.body.constData(), static_cast<size_t>(page.body.size()));
        fetched.contentType = page.contentType.toStdString();
        return fetched;
    }

private:
    QString site_;
    history::UpdatePlan plan_;
    size_t pages_;
    QProgressDialog& progress_;
    ResultsFetcher fetcher_;
};

}  // namespace

void updateOnline(const CommandContext& context, SettingsStore& settings, int16_t yearsKept, const CodeBases& bases,
                  const QDate& today)
{
    Prompter& prompter = context.prompter;
    QWidget* window = context.window;
    HistorySession& history = context.history;
    // Without the database the pages would be fetched for nothing.
    if (!historyOpenFor(context, QStringLiteral("在线更新无法进行")))
        return;
    if (!prompter.confirm(window, QStringLiteral("读入历史"),
                            QStringLiteral("确实要在线更新最新历史号码吗？更新可能要花费一段时间，"
                                           "网络不通或者我方服务器更新不及时可能都造成更新失败！")))
        return;
    const QString site = resultsSite(prompter, window, settings);
    if (site.isEmpty())
        return;

    // The keep-years rule, the last issue and the years, from the history
    // as it stands.
    const store::Snapshot& view = history.view();
    std::optional<int32_t> oldest, newest;
    if (const DrawRow* last = view.last()) {
        oldest = view.row(0).issue;
        newest = last->issue;
    }
    const history::UpdatePlan plan = history::planUpdate(oldest, newest, yearsKept, today.year());
    const std::vector<int32_t> years = plan.years();

    // Under the keep-years rule the pages replace the whole history, which
    // may hold decades a user imported on purpose: that is asked first.
    if (plan.replaceHistory && !years.empty() &&
        !prompter.confirm(
            window, QStringLiteral("确认替换历史"),
            QStringLiteral("历史号码中最早的一期（%1 期）已超过保留的 %2 年。这次更新将用 %3 至 %4 年的开奖结果"
                           "替换全部历史号码，现有的 %5 期历史号码将被删除；只有这几年的页面全部读到时才会替换。\n\n"
                           "确实要继续更新吗？")
                .arg(*oldest)
                .arg(yearsKept)
                .arg(plan.startYear)
                .arg(plan.endYear)
                .arg(view.count())))
        return;

    // The arrow with the hourglass: the progress dialog's Cancel stays there to be clicked.
    BusyCursor busy(Qt::BusyCursor);
    if (years.empty()) {
        // Only a date of today before the newest stored year leads here.
        history.changed(HistoryChange::unchanged());
        busy.release();
        prompter.warning(window, kMessageTitle,
                           QStringLiteral("没有要读取的开奖结果页面：要读取的第一年是 %1 年，而计算机的日期是 %2 年。"
                                          "请检查计算机的日期设置。历史号码没有改动。")
                               .arg(plan.startYear)
                               .arg(plan.endYear));
        return;
    }

    // The progress dialog is modal: while the run waits for a page, no
    // other command of the window can start.
    const std::unique_ptr<QProgressDialog> progress =
        showProgressDialog(window, QStringLiteral("onlineUpdateProgress"), kMessageTitle, static_cast<int>(years.size()));
    SitePages pages(site, plan, *progress);
    const history::UpdateOutcome outcome = history::runOnlineUpdate(history.store(), plan, bases, pages);
    progress->hide();

    if (outcome.fault == history::UpdateFault::Cancelled)
        return;  // nothing was stored
    if (outcome.fault == history::UpdateFault::StoreRefused) {
        // The database refused a row: the whole run is undone.
        busy.release();
        prompter.warning(window, QStringLiteral("保存失败"),
                           QStringLiteral("在线更新读到的 %1 期历史号码没有能够保存到历史数据库，历史号码保持更新前的样子。")
                               .arg(outcome.drawsFound),
                           QString::fromStdString(outcome.detail));
        return;
    }

    if (outcome.stored == 0)
        history.changed(HistoryChange::unchanged());
    else if (plan.replaceHistory)
        history.changed(HistoryChange::replaced());
    else
        history.changed(HistoryChange::appendedDraws(static_cast<int>(outcome.stored)));

    busy.release();
    if (outcome.fault != history::UpdateFault::None) {
        const PageFailure failure = pageFailure(outcome, site);
        prompter.warning(window, kMessageTitle,
                           failureText(failure, plan, outcome.pagesRead, outcome.stored, yearsKept),
                           failure.detail);
    }
}

}  // namespace qudrim::app
