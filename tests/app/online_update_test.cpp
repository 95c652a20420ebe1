// The online update against a results site on 127.0.0.1: what it appends
// (row for row what typing the same draws would store), the keep-years
// rule, a site that is down or misses a year, Cancel, the address of the
// site, and a database that refuses a row.
#include "app/commands/results_fetcher.h"
#include "app/results_server.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "history/results_page_fixture.h"
#include "store/database.h"
#include "store/lishi_rows.h"

#include <QDate>
#include <QLineEdit>
#include <QNetworkProxy>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <string>
#include <vector>

using namespace qudrim::testing;
using qudrim::DrawInput;
using qudrim::testing::drawsOf;
using qudrim::testing::joined;
using qudrim::testrows::readLishi;
using qudrim::testrows::StoredRow;

namespace {

const QString kConfirmText = QStringLiteral(
    "确实要在线更新最新历史号码吗？更新可能要花费一段时间，网络不通或者我方服务器更新不及时可能都造成更新失败！");

QByteArray two(int n) { return QByteArray::number(n).rightJustified(2, '0'); }

// The page of a year in the site's layout, newest draw at the top. Rows
// given in `extraRows` (raw HTML) come below the draws, as older rows.
QByteArray pageOf(const std::vector<DrawInput>& draws, const QByteArray& separator = " + ",
                  const QByteArray& extraRows = {}, const QByteArray& head = "<meta charset=\"utf-8\">")
{
    QByteArray html = "<html><head>" + head + "<title>开奖结果</title></head><body>\n<table id=\"main\">\n"
                      "<tr><th>序号</th><th>期数</th><th>平码</th><th>特码</th></tr>\n";
    for (auto it = draws.rbegin(); it != draws.rend(); ++it) {
        QByteArray regulars;
        for (int k = 0; k < 6; ++k)
            regulars += (k ? separator : QByteArray()) + two(it->numbers[static_cast<size_t>(k)]);
        html += "<tr><td>" + QByteArray::number(it->issue % 1000) + "</td><td>" +
                QByteArray::number(it->issue % 1000).rightJustified(3, '0') + "期</td><td>" + regulars +
                "</td><td>" + two(it->numbers[6]) + "</td></tr>\n";
    }
    html += extraRows + "</table></body></html>\n";
    return html;
}

ResultsServer::Page okPage(const QByteArray& body, const QByteArray& contentType = "text/html; charset=utf-8")
{
    ResultsServer::Page p;
    p.body = body;
    p.contentType = contentType;
    return p;
}

ResultsServer::Page missingPage()
{
    ResultsServer::Page p;
    p.status = 404;
    p.body = "not here";
    return p;
}

std::vector<StoredRow> storedRows(const std::filesystem::path& folder)
{
    qudrim::store::HistoryStore store(folder);
    store.open();
    return readLishi(store.db());
}

// What the history holds after typing `draws` into an empty program.
std::vector<StoredRow> typedRows(const std::vector<DrawInput>& draws)
{
    TempFolder other;
    {
        qudrim::store::HistoryStore store(other.path());
        fillStore(store, draws);
    }
    return storedRows(other.path());
}

std::vector<QString> yearPaths(std::initializer_list<int> years)
{
    std::vector<QString> paths;
    for (int y : years)
        paths.push_back(ResultsServer::yearPath(y));
    return paths;
}

class OnlineUpdateTest : public WindowTest {
protected:
    OnlineUpdateTest() { answeredOnlyWithoutBusyCursor = true; }
    void SetUp() override
    {
        WindowTest::SetUp();
        // Nothing of these tests may leave the machine.
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
        ASSERT_TRUE(server.listening());
    }
    void TearDown() override
    {
        WindowTest::TearDown();
        QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
    }

    void openOn(const std::vector<DrawInput>& history, const QString& site)
    {
        if (!history.empty())
            fillHistory(history);
        if (!site.isNull())
            storeSetting(QStringLiteral("ResultsSite"), site);
        open();
        activate(window.get());
    }

    void clickUpdate()
    {
        QTest::mouseClick(find<QPushButton>(QStringLiteral("Command21")), Qt::LeftButton);
        QApplication::processEvents();
    }

    // Closes the window and reads what its history file holds.
    std::vector<StoredRow> closeAndRead()
    {
        window.reset();
        return storedRows(folder.path());
    }

    QString warningTexts() const
    {
        QString all;
        for (const Shown& w : prompter.warnings)
            all += w.title + QStringLiteral(": ") + w.text + QStringLiteral("\n");
        return all;
    }

    ResultsServer server;
};

}  // namespace

TEST_F(OnlineUpdateTest, AppendsTheNewDrawsAsTypingThemWould)
{
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 10);
    const auto lastYearNew = drawsOf(y - 1, 11, 14);
    const auto thisYear = drawsOf(y, 1, 3);
    // Rows up to the newest stored draw are passed over unread, so a row
    // among them whose special number reads 00 does not end the page.
    auto lastYearPage = joined({stored, lastYearNew});
    server.setYear(y - 1, okPage(pageOf(lastYearPage, " + ",
                                        "<tr><td>0</td><td>005期</td><td>01 + 02 + 03 + 04 + 05 + 06</td><td>00</td></tr>\n")));
    // The header's charset comes before the page's meta tag, and the
    // separator is one character of three bytes.
    server.setYear(y, okPage(pageOf(thisYear, " ＋ ", {}, "<meta charset=\"gb2312\">"), "text/html; charset=UTF-8"));
    prompter.replies = {true};
    openOn(stored, server.address());

    clickUpdate();

    ASSERT_EQ(prompter.questions.size(), 1u);
    EXPECT_EQ(prompter.questions[0].title, QStringLiteral("读入历史"));
    EXPECT_EQ(prompter.questions[0].text, kConfirmText);
    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested, yearPaths({y - 1, y}));
    // The list, the next issue and the end of the search range show the new draws.
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1 + 17);
    EXPECT_EQ(cell(QStringLiteral("MSFlexGrid1"), 17, 0), QString::number(y * 1000 + 3));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QString::number(y * 1000 + 4));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text3_1"))->text(), QString::number(y * 1000 + 3));

    const auto rows = closeAndRead();
    EXPECT_EQ(rows, typedRows(joined({stored, lastYearNew, thisYear})));

    // The first appended row continues the newest stored draw.
    ASSERT_EQ(rows.size(), 17u);
    const StoredRow& newest = rows[9];
    const StoredRow& first = rows[10];
    for (const std::string& stem : qudrim::testrows::copyStems())
        for (const char* letter : qudrim::testrows::kLetters) {
            EXPECT_EQ(first.at(stem + letter + "S"), newest.at(stem + letter)) << stem << letter;
            EXPECT_EQ(first.at(stem + letter + "P"), newest.at(stem + letter + "S")) << stem << letter;
        }
    std::string numbers;
    for (int k = 1; k <= 7; ++k)
        numbers += two(static_cast<int>(newest.at("L" + std::to_string(k) + "A"))).toStdString() + " ";
    EXPECT_EQ(first.text("txtHisLst"), numbers);
}

TEST_F(OnlineUpdateTest, NothingNewSaysNothing)
{
    const int y = today.year();
    const auto stored = drawsOf(y, 1, 5);
    server.setYear(y, okPage(pageOf(stored)));
    prompter.replies = {true};
    openOn(stored, server.address());
    const auto before = storedRows(folder.path());

    clickUpdate();

    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested, yearPaths({y}));
    EXPECT_EQ(closeAndRead(), before);
}

// The pages run up to the year of the click, not of the window's start: the
// first update after New Year's midnight reads the new year's page.
TEST_F(OnlineUpdateTest, AnUpdateAfterNewYearsMidnightReadsTheNewYear)
{
    today = QDate(2030, 12, 31);
    const auto stored = drawsOf(2030, 1, 5);
    server.setYear(2030, okPage(pageOf(stored)));
    server.setYear(2031, okPage(pageOf(drawsOf(2031, 1, 2))));
    prompter.replies = {true, true};
    openOn(stored, server.address());

    clickUpdate();
    EXPECT_EQ(server.requested, yearPaths({2030}));

    today = QDate(2031, 1, 1);
    clickUpdate();
    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested, yearPaths({2030, 2030, 2031}));
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QStringLiteral("2031003"));
    EXPECT_EQ(closeAndRead(), typedRows(joined({stored, drawsOf(2031, 1, 2)})));
}

TEST_F(OnlineUpdateTest, KeepYearsRuleReplacesTheHistoryWhenEveryPageIsRead)
{
    const int y = today.year();
    storeSetting(QStringLiteral("IniSerchDay"), QStringLiteral("2"));
    // The oldest stored draw is three years old, one more than kept.
    const auto stored = joined({drawsOf(y - 3, 1, 4), drawsOf(y - 2, 1, 2)});
    server.setYear(y - 2, okPage(pageOf(drawsOf(y - 2, 1, 3))));
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 2))));
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 2))));
    prompter.replies = {true, true};
    openOn(stored, server.address());

    clickUpdate();

    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested, yearPaths({y - 2, y - 1, y}));
    EXPECT_EQ(closeAndRead(), typedRows(joined({drawsOf(y - 2, 1, 3), drawsOf(y - 1, 1, 2), drawsOf(y, 1, 2)})));
}

TEST_F(OnlineUpdateTest, KeepYearsRuleAsksBeforeItReplacesTheHistory)
{
    const int y = today.year();
    storeSetting(QStringLiteral("IniSerchDay"), QStringLiteral("2"));
    const auto stored = joined({drawsOf(y - 3, 1, 4), drawsOf(y - 2, 1, 2)});
    server.setYear(y - 2, okPage(pageOf(drawsOf(y - 2, 1, 3))));
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 2))));
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 2))));
    prompter.replies = {true, false};
    openOn(stored, server.address());
    const auto before = storedRows(folder.path());

    clickUpdate();

    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[1].title, QStringLiteral("确认替换历史"));
    EXPECT_TRUE(prompter.questions[1].text.contains(QStringLiteral("现有的 6 期历史号码将被删除")))
        << prompter.questions[1].text.toStdString();
    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_TRUE(server.requested.empty());
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, KeepYearsRuleWithAYearMissingChangesNothing)
{
    const int y = today.year();
    storeSetting(QStringLiteral("IniSerchDay"), QStringLiteral("2"));
    const auto stored = joined({drawsOf(y - 3, 1, 4), drawsOf(y - 2, 1, 2)});
    server.setYear(y - 2, okPage(pageOf(drawsOf(y - 2, 1, 3))));
    server.setYear(y - 1, missingPage());
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 2))));
    prompter.replies = {true, true};
    openOn(stored, server.address());
    const auto before = storedRows(folder.path());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    const QString text = prompter.warnings[0].text;
    EXPECT_TRUE(text.startsWith(QString::number(y - 1) + QStringLiteral(" 年"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("HTTP 404"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("历史号码没有改动"))) << text.toStdString();
    // The run stops at the year that failed.
    EXPECT_EQ(server.requested, yearPaths({y - 2, y - 1}));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1 + 6);
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, AppendKeepsTheYearsBeforeOneThatFailed)
{
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 3);
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 6))));
    server.setYear(y, okPage("<html><body><p>维护中</p></body></html>"));
    prompter.replies = {true};
    openOn(stored, server.address());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    const QString text = prompter.warnings[0].text;
    EXPECT_TRUE(text.startsWith(QString::number(y) + QStringLiteral(" 年"))) << text.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("开奖结果表"))) << text.toStdString();
    // How the page was searched is the detail's business.
    EXPECT_FALSE(text.contains(QStringLiteral("main"))) << text.toStdString();
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("\"main\""))) << prompter.warnings[0].detail.toStdString();
    EXPECT_TRUE(text.contains(QStringLiteral("3 期新号码已经加入"))) << text.toStdString();
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QString::number((y - 1) * 1000 + 7));
    EXPECT_EQ(closeAndRead(), typedRows(drawsOf(y - 1, 1, 6)));
}

// A page whose new draws skip an issue would leave a hole that no later
// update fills: that year is refused and named with the first missing
// issue, and the years before it are kept.
TEST_F(OnlineUpdateTest, AYearWhoseDrawsLeaveAHoleIsRefusedAndNamed)
{
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 3);
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 6))));
    server.setYear(y, okPage(pageOf(joined({drawsOf(y, 1, 2), drawsOf(y, 4, 5)}))));
    prompter.replies = {true};
    openOn(stored, server.address());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    const Shown& w = prompter.warnings[0];
    EXPECT_TRUE(w.text.startsWith(QString::number(y) + QStringLiteral(" 年"))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("缺少第 %1 期").arg(y * 1000 + 3))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("3 期新号码已经加入"))) << w.text.toStdString();
    EXPECT_TRUE(w.detail.contains(ResultsServer::yearPath(y))) << w.detail.toStdString();
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QString::number((y - 1) * 1000 + 7));
    EXPECT_EQ(closeAndRead(), typedRows(drawsOf(y - 1, 1, 6)));
}

// With 34 years kept the replacement begins a year before the results
// site's first, whose page has no draw: the history becomes the pages of
// the years after it.
TEST_F(OnlineUpdateTest, KeptYearsThatBeginBeforeTheSitesFirstYear)
{
    const int y = today.year();
    storeSetting(QStringLiteral("IniSerchDay"), QStringLiteral("34"));
    const auto stored = joined({drawsOf(y - 36, 1, 2), drawsOf(y - 1, 1, 2)});
    server.setYear(y - 34, okPage(pageOf({})));
    std::vector<DrawInput> site;
    for (int year = y - 33; year <= y; ++year) {
        const auto draws = drawsOf(year, 1, 2);
        server.setYear(year, okPage(pageOf(draws)));
        site = joined({site, draws});
    }
    prompter.replies = {true, true};
    openOn(stored, server.address());

    clickUpdate();

    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested.size(), 35u);
    EXPECT_EQ(closeAndRead(), typedRows(site));
}

TEST_F(OnlineUpdateTest, AFirstYearWithoutAPageIsPassedOver)
{
    const int y = today.year();
    storeSetting(QStringLiteral("IniSerchDay"), QStringLiteral("2"));
    // No page of y - 2: the site answers 404.
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 3))));
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 2))));
    prompter.replies = {true};
    openOn({}, server.address());

    clickUpdate();

    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(server.requested, yearPaths({y - 2, y - 1, y}));
    EXPECT_EQ(closeAndRead(), typedRows(joined({drawsOf(y - 1, 1, 3), drawsOf(y, 1, 2)})));
}

TEST_F(OnlineUpdateTest, APageLargerThanAnyResultsPageIsRefusedAndNamed)
{
    const int y = today.year();
    const auto stored = drawsOf(y, 1, 3);
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 5)) + QByteArray(2 * 1024 * 1024, ' ')));
    prompter.replies = {true};
    openOn(stored, server.address());
    const auto before = storedRows(folder.path());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    const Shown& w = prompter.warnings[0];
    EXPECT_TRUE(w.text.startsWith(QString::number(y) + QStringLiteral(" 年"))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("不是开奖结果页面"))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("历史号码没有改动"))) << w.text.toStdString();
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, ServerThatIsDownChangesNothingAndSaysSo)
{
    // A port that was free a moment ago and has nobody listening.
    QTcpServer probe;
    ASSERT_TRUE(probe.listen(QHostAddress::LocalHost, 0));
    const QString deadSite = QStringLiteral("http://127.0.0.1:%1").arg(probe.serverPort());
    probe.close();
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 3);
    prompter.replies = {true};
    openOn(stored, deadSite);
    const auto before = storedRows(folder.path());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    const Shown& w = prompter.warnings[0];
    EXPECT_TRUE(w.text.startsWith(QString::number(y - 1) + QStringLiteral(" 年"))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("无法连接"))) << w.text.toStdString();
    EXPECT_TRUE(w.text.contains(QStringLiteral("没有读到任何开奖结果页面"))) << w.text.toStdString();
    EXPECT_TRUE(w.detail.contains(deadSite)) << w.detail.toStdString();
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, CancelOfTheProgressStoresNothing)
{
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 3);
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 8))));
    ResultsServer::Page held;
    held.hold = true;
    server.setYear(y, held);
    prompter.replies = {true};
    openOn(stored, server.address());
    const auto before = storedRows(folder.path());

    // Once the dialog names the year that never comes, the user cancels.
    QString labelSeen;
    bool modal = false;
    bool busy = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* progress = window->findChild<QProgressDialog*>(QStringLiteral("onlineUpdateProgress"));
        if (!progress || !progress->isVisible() || !progress->labelText().contains(QString::number(y)) ||
            server.requested.size() < 2)
            return;
        poll.stop();
        labelSeen = progress->labelText();
        modal = progress->isModal();
        busy = QApplication::overrideCursor() && QApplication::overrideCursor()->shape() == Qt::BusyCursor;
        QTest::mouseClick(progress->findChild<QPushButton*>(), Qt::LeftButton);
    });
    poll.start();

    clickUpdate();

    EXPECT_FALSE(poll.isActive()) << "the progress dialog never showed the year";
    EXPECT_TRUE(labelSeen.contains(QStringLiteral("%1 年").arg(y))) << labelSeen.toStdString();
    EXPECT_TRUE(modal);
    EXPECT_TRUE(busy);
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(prompter.warnings.empty()) << warningTexts().toStdString();
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1 + 3);
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, DatabaseThatRefusesARowKeepsTheHistoryAsItWas)
{
    const int y = today.year();
    const auto stored = drawsOf(y - 1, 1, 3);
    server.setYear(y - 1, okPage(pageOf(drawsOf(y - 1, 1, 8))));
    server.setYear(y, okPage(pageOf({})));
    fillHistory(stored);
    {
        qudrim::store::HistoryStore store(folder.path());
        store.open();
        store.db().exec("CREATE TRIGGER refuse BEFORE INSERT ON Lishi WHEN NEW.SQQH = " +
                        std::to_string((y - 1) * 1000 + 6) + " BEGIN SELECT RAISE(ABORT, 'refused'); END;");
    }
    const auto before = storedRows(folder.path());
    prompter.replies = {true};
    openOn({}, server.address());

    clickUpdate();

    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("保存失败"));
    EXPECT_TRUE(prompter.warnings[0].detail.contains(QStringLiteral("refused")));
    EXPECT_EQ(closeAndRead(), before);
}

TEST_F(OnlineUpdateTest, CancelOfTheConfirmationAsksNothingElse)
{
    prompter.replies = {false};
    openOn(drawsOf(today.year(), 1, 3), QString());

    clickUpdate();

    EXPECT_EQ(prompter.questions.size(), 1u);
    EXPECT_TRUE(server.requested.empty());
    EXPECT_EQ(QApplication::overrideCursor(), nullptr);
    EXPECT_TRUE(storedSetting(QStringLiteral("ResultsSite")).isEmpty());
}

TEST_F(OnlineUpdateTest, AsksForTheSiteWhenThereIsNoneAndKeepsIt)
{
    const int y = today.year();
    server.setYear(y, okPage(pageOf(drawsOf(y, 1, 4))));
    prompter.replies = {true};
    prompter.answers = {QStringLiteral("  HTTP://127.0.0.1:%1/ ").arg(server.address().section(QLatin1Char(':'), -1))};
    openOn(drawsOf(y, 1, 2), QString());

    clickUpdate();

    ASSERT_EQ(prompter.questions.size(), 2u);
    EXPECT_EQ(prompter.questions[1].title, QStringLiteral("开奖结果网站"));
    EXPECT_EQ(storedSetting(QStringLiteral("ResultsSite")), server.address());
    EXPECT_EQ(server.requested, yearPaths({y}));
    EXPECT_EQ(closeAndRead(), typedRows(drawsOf(y, 1, 4)));
}

TEST_F(OnlineUpdateTest, AnInvalidOrCancelledAddressEndsWithNothingChanged)
{
    const int y = today.year();
    prompter.replies = {true, true};
    prompter.answers = {QStringLiteral("ftp://127.0.0.1/")};  // the second input box is cancelled
    openOn(drawsOf(y, 1, 2), QString());
    const auto before = storedRows(folder.path());

    clickUpdate();
    ASSERT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.warnings[0].title, QStringLiteral("输入有误"));
    EXPECT_TRUE(prompter.warnings[0].text.contains(QStringLiteral("ftp://127.0.0.1/")));

    clickUpdate();
    EXPECT_EQ(prompter.warnings.size(), 1u);
    EXPECT_EQ(prompter.questions.size(), 4u);

    EXPECT_TRUE(server.requested.empty());
    EXPECT_TRUE(storedSetting(QStringLiteral("ResultsSite")).isEmpty());
    EXPECT_EQ(closeAndRead(), before);
}

TEST(ResultsSiteAddress, TakesSchemeHostAndPortOnly)
{
    using qudrim::app::resultsSiteAddress;
    EXPECT_EQ(resultsSiteAddress(QStringLiteral("http://www.example.com")), QStringLiteral("http://www.example.com"));
    EXPECT_EQ(resultsSiteAddress(QStringLiteral(" HTTPS://WWW.Example.com:8443/ ")),
              QStringLiteral("https://www.example.com:8443"));
    EXPECT_EQ(resultsSiteAddress(QStringLiteral("http://127.0.0.1:8080")), QStringLiteral("http://127.0.0.1:8080"));
    for (const char* bad : {"", "http://", "www.example.com", "ftp://www.example.com", "file:///tmp",
                            "http://www.example.com/85122", "http://www.example.com/?a=1", "http://user@example.com",
                            "http://example.com:99999", "http://exa mple.com", "javascript:alert(1)"})
        EXPECT_TRUE(resultsSiteAddress(QString::fromUtf8(bad)).isEmpty()) << bad;
}

TEST(ResultsFetcher, PageThatNeverComesEndsAtTheTimeLimit)
{
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::NoProxy));
    ResultsServer server;
    ResultsServer::Page held;
    held.hold = true;
    server.setYear(2016, held);
    qudrim::app::ResultsFetcher fetcher(300);
    const auto page = fetcher.fetch(QUrl(server.address() + ResultsServer::yearPath(2016)));
    EXPECT_EQ(page.outcome, qudrim::app::FetchedPage::Outcome::Failed);
    // The limit given, rounded up to whole seconds, not the 30 s of a page
    // in the window.
    EXPECT_TRUE(page.reason.contains(QStringLiteral("网站在 1 秒内没有送来页面"))) << page.reason.toStdString();
    QNetworkProxy::setApplicationProxy(QNetworkProxy(QNetworkProxy::DefaultProxy));
}
