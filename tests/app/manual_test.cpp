// The help pages against the real window: every caption the window shows
// (buttons, option buttons, check boxes, menus and their entries, frame
// titles, tabs, labels, grid headers) is named in the manual, and every
// figure the manual quotes is what the program gives (its two examples run
// on the real history, the tables behind the kinds, the keep-years rule), so
// that the manual cannot fall behind the window; and the pages stand on
// their own, with no scripts and nothing fetched from elsewhere.
#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "draw/tables.h"
#include "history/update_plan.h"

#include <QAbstractButton>
#include <QAction>
#include <QComboBox>
#include <QLineEdit>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QPushButton>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>

using namespace qudrim::testing;
using qudrim::DrawInput;

namespace {

const QDir kDocs(QStringLiteral(QUDRIM_DOCS_DIR));

QString readPage(const QString& name)
{
    QFile f(kDocs.filePath(name));
    EXPECT_TRUE(f.open(QIODevice::ReadOnly)) << name.toStdString();
    return QString::fromUtf8(f.readAll());
}

// What a reader of the page sees: the text without its tags, entities
// decoded, every run of white space one blank.
QString visibleText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<!--.*?-->"), QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<(style|title)[^>]*>.*?</\\1>"),
                                   QRegularExpression::DotMatchesEverythingOption));
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    html.replace(QStringLiteral("&nbsp;"), QStringLiteral(" "));
    html.replace(QStringLiteral("&lt;"), QStringLiteral("<"));
    html.replace(QStringLiteral("&gt;"), QStringLiteral(">"));
    html.replace(QStringLiteral("&quot;"), QStringLiteral("\""));
    html.replace(QStringLiteral("&amp;"), QStringLiteral("&"));
    return html.simplified();
}

// A caption as the window shows it: the accelerator's "&" marks the letter
// that is underlined, and is not shown itself ("&&" shows one "&").
QString shownCaption(const QString& text)
{
    QString shown;
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (text[i] == QLatin1Char('&') && i + 1 < text.size())
            ++i;
        shown += text[i];
    }
    return shown;
}

// The manual names a caption in quotation marks, “检索(S)”. Where a box lies
// over the caption (a run of blanks, or a number between blanks, as in
// "前    期"), the manual writes what the box holds in its place.
QRegularExpression quotedCaption(const QString& caption)
{
    static const QRegularExpression boxStretch(QStringLiteral("\\s{2,}|\\s\\d+\\s"));
    QStringList pieces;
    for (const QString& piece : caption.split(boxStretch))
        pieces << QRegularExpression::escape(piece.simplified());
    return QRegularExpression(QStringLiteral("“") + pieces.join(QStringLiteral("\\s?[^\\s“”]{0,12}\\s?")) +
                              QStringLiteral("”"));
}

struct Caption {
    QString text;
    QString where;  // the control, for the failure message
};

// Every caption of the window and of its pop-up menus, hidden ones included.
std::vector<Caption> windowCaptions(const QWidget& window)
{
    std::vector<Caption> captions;
    auto add = [&](const QString& text, const QObject* from) {
        const QString shown = shownCaption(text).trimmed();
        if (!shown.isEmpty())
            captions.push_back({shown, from->objectName().isEmpty() ? QString::fromLatin1(from->metaObject()->className())
                                                                     : from->objectName()});
    };
    for (const QAbstractButton* b : window.findChildren<QAbstractButton*>())
        add(b->text(), b);
    for (const QGroupBox* g : window.findChildren<QGroupBox*>())
        add(g->title(), g);
    for (const QTabBar* t : window.findChildren<QTabBar*>())
        for (int i = 0; i < t->count(); ++i)
            add(t->tabText(i), t);
    for (const QLabel* l : window.findChildren<QLabel*>())
        add(l->text(), l);
    for (const QMenu* m : window.findChildren<QMenu*>()) {
        add(m->title(), m);
        for (const QAction* a : m->actions())
            if (!a->isSeparator())
                add(a->text(), a);
    }
    for (const QTableView* grid : window.findChildren<QTableView*>())
        for (int c = 0; c < grid->model()->columnCount(); ++c)
            add(grid->model()->headerData(c, Qt::Horizontal, Qt::DisplayRole).toString(), grid);
    return captions;
}

using ManualTest = WindowTest;

TEST_F(ManualTest, NamesEveryCaptionOfTheWindow)
{
    open();
    const std::vector<Caption> captions = windowCaptions(*window);
    // The walk itself must find the window's controls, or it proves nothing.
    ASSERT_GT(captions.size(), 60u);
    const QString manual = visibleText(readPage(QStringLiteral("manual.html")));
    QStringList missing;
    for (const Caption& c : captions)
        if (!quotedCaption(c.text).match(manual).hasMatch())
            missing << QStringLiteral("“%1” (%2)").arg(c.text, c.where);
    missing.removeDuplicates();
    EXPECT_TRUE(missing.isEmpty()) << "docs/manual.html does not name these captions in quotation marks:\n"
                                   << missing.join(QLatin1Char('\n')).toStdString();
}

// The matching-draws list names its last column after the compared draw (the
// window above shows one of the two names); the manual explains both.
TEST(HelpPagesTest, ManualNamesBothHeadersOfTheComparedDrawColumn)
{
    const QString manual = visibleText(readPage(QStringLiteral("manual.html")));
    for (const QString& header : {QStringLiteral("上期开奖"), QStringLiteral("前期开奖")})
        EXPECT_TRUE(quotedCaption(header).match(manual).hasMatch()) << header.toStdString();
}

// The figures of the manual's examples are worked out anew: the test writes
// each sentence the manual quotes with the program's own values and finds it
// in the manual. A sentence it cannot find names what the manual should say.
class ManualFiguresTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        draws = loadRealHistory();
        if (draws.empty())
            GTEST_SKIP() << "no real history at " << realHistoryFile();
        manual = visibleText(readPage(QStringLiteral("manual.html")));
        demo = visibleText(readPage(QStringLiteral("demo.html")));
    }

    void openOnRealHistory()
    {
        fillHistory(draws);
        open();
        activate(window.get());
    }

    void expectQuoted(const QString& sentence) const
    {
        EXPECT_TRUE(manual.contains(sentence)) << "docs/manual.html does not say: " << sentence.toStdString();
    }
    void expectInDemo(const QString& sentence) const
    {
        EXPECT_TRUE(demo.contains(sentence)) << "docs/demo.html does not say: " << sentence.toStdString();
    }

    void click(const char* button)
    {
        QTest::mouseClick(find<QPushButton>(QString::fromLatin1(button)), Qt::LeftButton);
        QApplication::processEvents();
    }
    QString text(const char* box) const { return find<QLineEdit>(QString::fromLatin1(box))->text(); }

    // The tally, highest count first, the values of one count together in
    // the grid's order.
    struct Tied {
        QStringList values;
        QString count;
        QString percent;
    };
    std::vector<Tied> tallyGroups() const
    {
        std::vector<Tied> groups;
        const QString grid = QStringLiteral("MSFlexGrid3");
        for (int r = 1; r < gridRows(grid); ++r) {
            if (groups.empty() || groups.back().count != cell(grid, r, 2))
                groups.push_back({{}, cell(grid, r, 2), cell(grid, r, 3)});
            groups.back().values << cell(grid, r, 1);
        }
        return groups;
    }
    // "24", "24 和 33", "3、7 和 20".
    static QString together(QStringList values)
    {
        const QString last = values.takeLast();
        return values.isEmpty() ? last : values.join(QStringLiteral("、")) + QStringLiteral(" 和 ") + last;
    }
    // The draw of `issue`.
    const DrawInput& draw(int32_t issue) const
    {
        for (const DrawInput& d : draws)
            if (d.issue == issue)
                return d;
        ADD_FAILURE() << "no draw " << issue;
        return draws.front();
    }
    const DrawInput& drawBefore(int32_t issue) const
    {
        for (size_t i = 1; i < draws.size(); ++i)
            if (draws[i].issue == issue)
                return draws[i - 1];
        ADD_FAILURE() << "no draw before " << issue;
        return draws.front();
    }
    static QString twoDigits(const std::array<int, 7>& numbers, const QString& beforeSpecial = QStringLiteral(" "))
    {
        QString t;
        for (size_t i = 0; i < 7; ++i)
            t += (i == 0 ? QString() : i == 6 ? beforeSpecial : QStringLiteral(" ")) +
                 QStringLiteral("%1").arg(numbers[i], 2, 10, QLatin1Char('0'));
        return t;
    }
    QString panelValues(int from, int to) const
    {
        QStringList v;
        for (int k = from; k <= to; ++k)
            v << find<QLineEdit>(QStringLiteral("Text2_%1").arg(k))->text();
        return v.join(QLatin1Char(' '));
    }

    std::vector<DrawInput> draws;
    QString manual;
    QString demo;
};

// Section 7 (and the picture of section 1): "检索(S)" with "特位" ticked.
TEST_F(ManualFiguresTest, PositionSearchExample)
{
    openOnRealHistory();
    const DrawInput& last = draws.back();
    expectQuoted(QStringLiteral("读入 1993～2025 年共 %1 期历史后，勾选“特位”（最后一期 %2 期的特码 %3）")
                     .arg(draws.size())
                     .arg(last.issue)
                     .arg(last.numbers[6]));
    expectQuoted(QStringLiteral("真实的 1993～2025 年历史（%1 期，最后一期 %2：%3）")
                     .arg(draws.size())
                     .arg(last.issue)
                     .arg(twoDigits(last.numbers, QStringLiteral(" + "))));
    const QString line = QStringLiteral("例如 %1 %2。").arg(last.issue).arg(twoDigits(last.numbers));
    expectQuoted(line);
    expectInDemo(line);
    expectQuoted(QStringLiteral("更新至%1期历史号码.txt").arg(last.issue));
    expectInDemo(QStringLiteral("右边的历史列表显示 %1 期，最后一期 %2，输入框上的期号变为 %3，面板显示最后一期的号码 %4。")
                     .arg(gridRows(QStringLiteral("MSFlexGrid1")) - 1)
                     .arg(cell(QStringLiteral("MSFlexGrid1"), gridRows(QStringLiteral("MSFlexGrid1")) - 1, 0),
                          text("Text1"), panelValues(1, 7)));
    const QString from = text("Text3_0"), to = text("Text3_1");
    expectQuoted(QStringLiteral("“检索起止期数”为 %1 起 ～ %2 止").arg(from, to));
    clickButton(find<QAbstractButton>(QStringLiteral("Check1_7")));
    expectQuoted(QStringLiteral("面板上特位显示 %1。").arg(text("Text2_7")));

    click("Command1");
    ASSERT_TRUE(prompter.warnings.empty());
    const QString hits = QStringLiteral("MSFlexGrid2");
    const int count = gridRows(hits) - 1;
    ASSERT_GT(count, 1);
    expectQuoted(QStringLiteral("上一期开出过 %1（平码或特码）的共 %2 期。").arg(text("Text2_7")).arg(count));
    QStringList firstNumbers;
    for (int c = 1; c <= 6; ++c)
        firstNumbers << cell(hits, 1, c);
    const int32_t firstIssue = cell(hits, 1, 0).toInt();
    expectQuoted(QStringLiteral("第一行是 %1 期（%2 + %3），它的“上期开奖”是 %4 期的 %5；")
                     .arg(firstIssue)
                     .arg(firstNumbers.join(QLatin1Char(' ')), cell(hits, 1, 7))
                     .arg(drawBefore(firstIssue).issue)
                     .arg(cell(hits, 1, 8).trimmed()));
    const int32_t lastIssue = cell(hits, count, 0).toInt();
    expectQuoted(QStringLiteral("最后一行（序号 %1）是 %2 期，上一期 %3 期开出 %4。")
                     .arg(cell(hits, count, 9))
                     .arg(lastIssue)
                     .arg(drawBefore(lastIssue).issue)
                     .arg(cell(hits, count, 8).trimmed()));
    const auto t = tallyGroups();
    ASSERT_GE(t.size(), 5u);
    expectInDemo(QStringLiteral("左下列出上一期开出过 %1 的全部 %2 期（范围 %3～%4），右下统计这些期开出的号码：%5 最多，%6 次，%7。")
                     .arg(text("Text2_7"))
                     .arg(count)
                     .arg(from, to, together(t[0].values), t[0].count, t[0].percent));
    const QString tally = QStringLiteral("MSFlexGrid3");
    const int rows = gridRows(tally) - 1;
    expectQuoted(QStringLiteral("统计表共统计 %1 × 7 = %2 个号码：第一名 %3，出现 %4 次，%5；其次 %6，%7 次，%8；%9 各 %10 次，%11；"
                                "最少的是 %12（%13 次，%14）和 %15（%16 次，%17）。平均每个号码约 %18 次（%19%）。")
                     .arg(count)
                     .arg(count * 7)
                     .arg(together(t[0].values), t[0].count, t[0].percent, together(t[1].values), t[1].count,
                          t[1].percent, together(t[2].values), t[2].count, t[2].percent)
                     .arg(cell(tally, rows - 1, 1), cell(tally, rows - 1, 2), cell(tally, rows - 1, 3),
                          cell(tally, rows, 1), cell(tally, rows, 2), cell(tally, rows, 3))
                     .arg(qRound(count * 7 / 49.0))
                     .arg(100.0 / 49, 0, 'f', 3));

    // The same search from 2013001 on.
    typeOver(find<QLineEdit>(QStringLiteral("Text3_0")), QStringLiteral("2013001"));
    click("Command1");
    const auto t2013 = tallyGroups();
    ASSERT_GE(t2013.size(), 2u);
    expectQuoted(QStringLiteral("只统计 2013001～%1 期：符合条件的是 %2 期，第一名变成 %3（%4 次，%5），其次 %6（各 %7 次，%8）。")
                     .arg(to)
                     .arg(gridRows(hits) - 1)
                     .arg(together(t2013[0].values), t2013[0].count, t2013[0].percent, together(t2013[1].values),
                          t2013[1].count, t2013[1].percent));
}

// Section 8: "组合检索(G)" by zodiac, four of the six regular positions; and
// section 11: the panel after the zodiac codes are switched to 0~11.
TEST_F(ManualFiguresTest, CombinationSearchExample)
{
    storeSetting(QStringLiteral("intLei"), QStringLiteral("1"));
    storeSetting(QStringLiteral("intXianshiLei"), QStringLiteral("1"));
    storeSetting(QStringLiteral("bolZhpm"), QStringLiteral("True"));
    storeSetting(QStringLiteral("intZhWSetup"), QStringLiteral("4"));
    openOnRealHistory();
    const QString regulars = panelValues(1, 6);
    expectQuoted(QStringLiteral("面板显示最后一期 %1 期的生肖：%2，特位%3。").arg(draws.back().issue).arg(regulars, text("Text2_7")));
    expectQuoted(QStringLiteral("范围 %1～%2。").arg(text("Text3_0"), text("Text3_1")));

    click("Command2");
    ASSERT_TRUE(prompter.warnings.empty());
    const QString hits = QStringLiteral("MSFlexGrid2");
    const int count = gridRows(hits) - 1;
    ASSERT_GT(count, 1);
    expectQuoted(QStringLiteral("至少含有“%1”里 4 个的共 %2 期").arg(regulars).arg(count));
    const int32_t firstIssue = cell(hits, 1, 0).toInt();
    const DrawInput& before = drawBefore(firstIssue);
    const int32_t zodiacYear = qudrim::GetSxYear(before.issue);
    QStringList zodiacs;
    for (int n : before.numbers)
        zodiacs << QString::fromUtf8(qudrim::strSxName[static_cast<size_t>(qudrim::zodiacIndex(n, zodiacYear))]);
    const QString special = zodiacs.takeLast();
    expectQuoted(QStringLiteral("第一行 %1 期，它的上一期 %2 期开出 %3，在 %4 年的生肖是%5，特码%6：")
                     .arg(firstIssue)
                     .arg(before.issue)
                     .arg(twoDigits(before.numbers))
                     .arg(zodiacYear)
                     .arg(zodiacs.join(QLatin1Char(' ')), special));
    const auto t = tallyGroups();
    ASSERT_GE(t.size(), 4u);
    expectInDemo(QStringLiteral("上一期含有最后一期六个平码生肖中至少 4 个的共 %1 期，其后开出最多的生肖是%2（%3）。")
                     .arg(count)
                     .arg(together(t[0].values), t[0].percent));
    expectQuoted(QStringLiteral("统计 %1 × 7 = %2 个生肖：%3 %4 次（%5）最多，其次%6 %7 次（%8）、%9 %10 次（%11），最少的是%12 %13 次（%14）。")
                     .arg(count)
                     .arg(count * 7)
                     .arg(together(t[0].values), t[0].count, t[0].percent, together(t[1].values), t[1].count,
                          t[1].percent, together(t[2].values), t[2].count, t[2].percent)
                     .arg(together(t.back().values), t.back().count, t.back().percent));

    typeOver(find<QComboBox>(QStringLiteral("Combo1")), QStringLiteral("3"));
    click("Command2");
    expectQuoted(QStringLiteral("同样的选项组合位数改为 3 时，符合条件的有 %1 期。").arg(gridRows(hits) - 1));

    const QString countedFromOne = panelValues(1, 7);
    find<QAction>(QStringLiteral("mnuSxcs_0"))->trigger();
    // The panel shows the stored codes anew when the program next starts.
    window.reset();
    open();
    // The manual writes an empty box as "（空）".
    QString countedFromZero;
    for (int k = 1; k <= 7; ++k) {
        const QString v = find<QLineEdit>(QStringLiteral("Text2_%1").arg(k))->text();
        const bool joins = countedFromZero.isEmpty() || countedFromZero.endsWith(QStringLiteral("（空）"));
        countedFromZero += v.isEmpty() ? QStringLiteral("（空）") : (joins ? QString() : QStringLiteral(" ")) + v;
    }
    expectQuoted(QStringLiteral("重新启动后面板上最后一期的生肖“%1”变成“%2”").arg(countedFromOne, countedFromZero));
}

// Section 3's tables and section 9's keep-years example, from the core.
TEST(ManualTablesTest, WaveColoursZodiacYearsAndTheKeptYears)
{
    const QString manual = visibleText(readPage(QStringLiteral("manual.html")));
    std::array<QStringList, 3> colours;
    for (int n = 1; n <= 49; ++n)
        colours[static_cast<size_t>(qudrim::waveColourIndex(n))] << QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0'));
    const QString waves = QStringLiteral("波色：红 %1；蓝 %2；绿 %3。")
                              .arg(colours[0].join(QLatin1Char(' ')), colours[1].join(QLatin1Char(' ')),
                                   colours[2].join(QLatin1Char(' ')));
    EXPECT_TRUE(manual.contains(waves)) << waves.toStdString();

    auto zodiac = [](int n, int year) {
        return QString::fromUtf8(qudrim::strSxName[static_cast<size_t>(qudrim::zodiacIndex(n, year))]);
    };
    const QString year2025 = QStringLiteral("例如 2025 年%1年：01 %2、02 %3、03 %4……12 %5。")
                                 .arg(zodiac(1, 2025), zodiac(1, 2025), zodiac(2, 2025), zodiac(3, 2025), zodiac(12, 2025));
    EXPECT_TRUE(manual.contains(year2025)) << year2025.toStdString();
    for (int n : {13, 25, 37, 49})
        EXPECT_EQ(zodiac(n, 2025), zodiac(1, 2025)) << n;

    // The lunar-new-year table covers 1993 to 2026, as the manual says twice.
    for (int year = 1993; year <= 2026; ++year)
        EXPECT_GT(qudrim::intChunjieQi(year), 0) << year;
    EXPECT_EQ(qudrim::intChunjieQi(1992), 0);
    EXPECT_EQ(qudrim::intChunjieQi(2027), 0);
    EXPECT_TRUE(manual.contains(QStringLiteral("春节期数表只有 1993～2026 年")));

    // Six years kept: in 2026 a history older than 2020 is replaced by the
    // pages of 2020 to 2026.
    const auto plan = qudrim::history::planUpdate(2019001, 2025134, 6, 2026);
    EXPECT_TRUE(plan.replaceHistory);
    EXPECT_FALSE(qudrim::history::planUpdate(2020001, 2025134, 6, 2026).replaceHistory);
    const QString kept = QStringLiteral("默认 6 年：今年是 %1 年时，早于 %2 年），更新会先问是否替换（标题“确认替换历史”），然后用这些年（%2～%1 年）")
                             .arg(plan.endYear)
                             .arg(plan.startYear);
    EXPECT_TRUE(manual.contains(kept)) << kept.toStdString();
}

TEST(HelpPagesTest, StandOnTheirOwnAndLinkOnlyToFilesBesideThem)
{
    static const QRegularExpression reference(QStringLiteral("\\b(?:src|href)\\s*=\\s*\"([^\"]*)\""));
    for (const QString& page : {QStringLiteral("index.html"), QStringLiteral("manual.html"), QStringLiteral("demo.html")}) {
        const QString html = readPage(page);
        EXPECT_FALSE(html.contains(QStringLiteral("<script"), Qt::CaseInsensitive)) << page.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("@import"), Qt::CaseInsensitive)) << page.toStdString();
        EXPECT_FALSE(html.contains(QStringLiteral("url("), Qt::CaseInsensitive)) << page.toStdString();
        EXPECT_TRUE(html.contains(QStringLiteral("<meta charset=\"utf-8\">"))) << page.toStdString();
        for (auto m = reference.globalMatch(html); m.hasNext();) {
            const QString target = m.next().captured(1);
            const QString file = target.section(QLatin1Char('#'), 0, 0);
            EXPECT_FALSE(target.contains(QStringLiteral("//")) || target.startsWith(QLatin1Char('/')))
                << page.toStdString() << " refers to " << target.toStdString();
            if (!file.isEmpty()) {
                EXPECT_TRUE(QFile::exists(kDocs.filePath(file)))
                    << page.toStdString() << " refers to missing " << target.toStdString();
            }
            const QString anchor = target.section(QLatin1Char('#'), 1);
            const QString anchorPage = file.isEmpty() ? page : file;
            if (!anchor.isEmpty() && QFile::exists(kDocs.filePath(anchorPage))) {
                EXPECT_TRUE(readPage(anchorPage).contains(QStringLiteral("id=\"%1\"").arg(anchor)))
                    << page.toStdString() << " refers to a missing place " << target.toStdString();
            }
        }
    }
    const QString index = readPage(QStringLiteral("index.html"));
    EXPECT_TRUE(index.contains(QStringLiteral("href=\"manual.html\"")));
    EXPECT_TRUE(index.contains(QStringLiteral("href=\"demo.html\"")));
}

}  // namespace
