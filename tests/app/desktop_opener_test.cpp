// Opening files in the desktop's programs through xdg-open: its status is
// the answer, given when it ends, and only a failure is told; the file's
// path reaches it as one argument; without xdg-open Qt's own opener takes
// over; one still running after the answer time has opened its file.
#include "app/desktop/desktop_opener.h"
#include "app/fake_opener.h"

#include <QTest>

#include <gtest/gtest.h>

#include <optional>

using namespace qudrim::testing;
using qudrim::app::DesktopOpener;

namespace {

// A file whose name a shell would split and expand.
const QString kFile = QStringLiteral("/tmp/更新至 2025134 期 $HOME '历史'号码.txt");

struct Outcome {
    int calls = 0;
    QString detail;
};

// Opens kFile and waits until the opener has answered and ended.
Outcome openAndWait(DesktopOpener& opener)
{
    Outcome o;
    opener.open(QUrl::fromLocalFile(kFile), [&o](const QString& detail) {
        ++o.calls;
        o.detail = detail;
    });
    EXPECT_TRUE(QTest::qWaitFor([&] { return opener.awaitingAnswer() == 0 && opener.running() == 0; }, 10000))
        << "the opener never ended";
    return o;
}

struct StatusCase {
    const char* name;
    int status;
    FakeOpener::Ends ends;
    bool fails;
    const char* detail;  // a part of the failure's detail
};

void PrintTo(const StatusCase& c, std::ostream* os) { *os << c.name; }

class OpenerStatusTest : public ::testing::TestWithParam<StatusCase> {};

TEST_P(OpenerStatusTest, OnlyAFailureIsTold)
{
    const StatusCase& c = GetParam();
    const FakeOpener fake(c.status, c.ends);
    DesktopOpener opener;
    opener.setProgram(fake.program());
    const Outcome o = openAndWait(opener);
    EXPECT_EQ(o.calls, c.fails ? 1 : 0);
    EXPECT_TRUE(o.detail.contains(QString::fromUtf8(c.detail))) << o.detail.toStdString();
    EXPECT_EQ(fake.arguments(), QStringList{kFile});
}

INSTANTIATE_TEST_SUITE_P(
    Statuses, OpenerStatusTest,
    ::testing::Values(StatusCase{"Opened", 0, FakeOpener::Ends::AtOnce, false, ""},
                      StatusCase{"NoProgramForTheType", 3, FakeOpener::Ends::AtOnce, true, "退出状态是 3"},
                      StatusCase{"ProgramWouldNotStart", 4, FakeOpener::Ends::AtOnce, true, "退出状态是 4"},
                      StatusCase{"Killed", 0, FakeOpener::Ends::Killed, true, "意外终止"}),
    [](const ::testing::TestParamInfo<StatusCase>& info) { return info.param.name; });

// Where xdg-open is missing, Qt's opener gets the page; its answer counts.
TEST(DesktopOpener, WithoutTheOpenerProgramTheFallbackOpens)
{
    const TempFolder empty;
    for (const bool fallbackOpens : {true, false}) {
        DesktopOpener opener;
        opener.setProgram(QString::fromStdString((empty.path() / "xdg-open").string()));
        std::vector<QUrl> fallbackGot;
        opener.setFallback([&](const QUrl& url) {
            fallbackGot.push_back(url);
            return fallbackOpens;
        });
        const Outcome o = openAndWait(opener);
        EXPECT_EQ(fallbackGot, std::vector<QUrl>{QUrl::fromLocalFile(kFile)});
        EXPECT_EQ(o.calls, fallbackOpens ? 0 : 1) << fallbackOpens;
        if (!fallbackOpens) {
            EXPECT_TRUE(o.detail.contains(QStringLiteral("无法启动"))) << o.detail.toStdString();
        }
    }
}

// On a desktop xdg-open does not know, it runs the program itself and ends
// with it: still running after the answer time, it has opened the file,
// and what it ends with later is not the opening's answer.
TEST(DesktopOpener, AnOpenerStillRunningAfterTheAnswerTimeHasOpened)
{
    const FakeOpener fake(3, FakeOpener::Ends::WhenLetGo);
    DesktopOpener opener;
    opener.setProgram(fake.program());
    opener.setAnswerTime(0);
    int calls = 0;
    opener.open(QUrl::fromLocalFile(kFile), [&](const QString&) { ++calls; });
    ASSERT_TRUE(QTest::qWaitFor([&] { return opener.awaitingAnswer() == 0; }, 10000));
    EXPECT_EQ(opener.running(), 1);
    fake.letGo();
    ASSERT_TRUE(QTest::qWaitFor([&] { return opener.running() == 0; }, 10000));
    EXPECT_EQ(calls, 0);
}

// The window closing with an opener still running ends it at once and
// answers nothing.
TEST(DesktopOpener, GoingWithAnOpenerRunningAnswersNothing)
{
    const FakeOpener fake(3, FakeOpener::Ends::WhenLetGo);
    int calls = 0;
    {
        DesktopOpener opener;
        opener.setProgram(fake.program());
        opener.open(QUrl::fromLocalFile(kFile), [&](const QString&) { ++calls; });
        ASSERT_TRUE(QTest::qWaitFor([&] { return !fake.arguments().isEmpty(); }, 10000));
    }
    QCoreApplication::processEvents();
    EXPECT_EQ(calls, 0);
}

}  // namespace
