#include "app/window_fixture.h"

#include <QDate>
#include <QLineEdit>
#include <QRadioButton>

#include <filesystem>

using namespace qudrim::testing;

namespace {

using StartupTest = WindowTest;

TEST_F(StartupTest, EmptyFolderGetsDatabaseAndWindowOffersFirstIssueOfThisYear)
{
    open();
    EXPECT_TRUE(std::filesystem::exists(folder.path() / "plenvox.mdb"));
    EXPECT_EQ(gridRows(QStringLiteral("MSFlexGrid1")), 1);
    const int year = QDate::currentDate().year();
    EXPECT_EQ(find<QLineEdit>(QStringLiteral("Text1"))->text(), QString::number(year * 1000 + 1));
    EXPECT_TRUE(prompter.warnings.empty());
}

}  // namespace
