// The help pages against the real window: every caption the window shows
// (buttons, option buttons, check boxes, menus and their entries, frame
// titles, tabs, labels, grid headers) is named in the manual, so that the
// manual cannot fall behind the window; and the pages stand on their own,
// with no scripts and nothing fetched from elsewhere.
#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QAction>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QMenu>
#include <QRegularExpression>
#include <QTabBar>
#include <QTableView>

using namespace qudrim::testing;

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
