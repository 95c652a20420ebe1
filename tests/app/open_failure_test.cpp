// What the user is told when the desktop cannot open a file the window wrote
// or a help page: the window opens them through xdg-open (here a stand-in
// of the test's), and a status other than 0 gives one message naming the
// file; a file that opened says nothing.
#include "app/desktop/desktop_opener.h"
#include "app/fake_opener.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAction>
#include <QDir>
#include <QPushButton>
#include <QTest>

#include <fstream>

using namespace qudrim::testing;

namespace {

enum class Action { TextExport, HistoryListDoubleClick, TallyDoubleClick, HelpPage };

struct OpenCase {
    const char* name;
    Action action;
    const char* file;   // in the program folder
    const char* title;  // of the message
};

void PrintTo(const OpenCase& c, std::ostream* os) { *os << c.name; }

class OpenFailureTest : public WindowTest, public ::testing::WithParamInterface<std::tuple<OpenCase, int>> {
protected:
    OpenFailureTest() { answeredOnlyWithoutBusyCursor = true; }

    void act(Action action)
    {
        switch (action) {
        case Action::TextExport:
            QTest::mouseClick(find<QPushButton>(QStringLiteral("Command4")), Qt::LeftButton);
            break;
        case Action::HistoryListDoubleClick:
            QTest::mouseDClick(find<QTableView>(QStringLiteral("MSFlexGrid1"))->viewport(), Qt::LeftButton, {},
                               QPoint(10, 10));
            break;
        case Action::TallyDoubleClick:
            QTest::mouseClick(find<QPushButton>(QStringLiteral("Command1")), Qt::LeftButton);
            QApplication::processEvents();
            QTest::mouseDClick(find<QTableView>(QStringLiteral("MSFlexGrid3"))->viewport(), Qt::LeftButton, {},
                               QPoint(10, 10));
            break;
        case Action::HelpPage:
            find<QAction>(QStringLiteral("mnuDescrb"))->trigger();
            break;
        }
        QApplication::processEvents();
    }

    qudrim::app::DesktopOpener opener;
};

TEST_P(OpenFailureTest, AFailedOpenNamesTheFileAndASuccessSaysNothing)
{
    const auto& [c, status] = GetParam();
    const FakeOpener fake(status);
    opener.setProgram(fake.program());
    prompter.opener = &opener;
    std::filesystem::create_directories(folder.path() / "docs");
    std::ofstream(folder.path() / "docs" / "manual.html") << "<html><body>help</body></html>";
    fillHistory(history2013());
    open();
    activate(window.get());

    act(c.action);
    ASSERT_TRUE(QTest::qWaitFor([&] { return opener.awaitingAnswer() == 0 && opener.running() == 0; }, 10000))
        << "the opener never ended";

    const QString path = QDir(folderText()).filePath(QString::fromUtf8(c.file));
    EXPECT_EQ(fake.arguments(), QStringList{path});
    if (status == 0) {
        EXPECT_TRUE(prompter.warnings.empty()) << prompter.warnings[0].text.toStdString();
        return;
    }
    ASSERT_EQ(prompter.warnings.size(), 1u);
    const Shown& w = prompter.warnings[0];
    EXPECT_EQ(w.title, QString::fromUtf8(c.title));
    EXPECT_TRUE(w.text.contains(QDir::toNativeSeparators(path))) << w.text.toStdString();
    EXPECT_TRUE(w.detail.contains(QStringLiteral("退出状态是 %1").arg(status))) << w.detail.toStdString();
}

INSTANTIATE_TEST_SUITE_P(
    Opens, OpenFailureTest,
    ::testing::Combine(
        ::testing::Values(OpenCase{"TextExport", Action::TextExport, "更新至2013020期历史号码.txt", "无法打开文件"},
                          OpenCase{"HistoryList", Action::HistoryListDoubleClick, "lishi.xlsx", "无法打开文件"},
                          OpenCase{"Tally", Action::TallyDoubleClick, "Jieguo.xlsx", "无法打开文件"},
                          OpenCase{"HelpPage", Action::HelpPage, "docs/manual.html", "无法打开帮助页面"}),
        ::testing::Values(0, 3)),
    [](const ::testing::TestParamInfo<std::tuple<OpenCase, int>>& info) {
        return std::string(std::get<0>(info.param).name) + "Status" + std::to_string(std::get<1>(info.param));
    });

}  // namespace
