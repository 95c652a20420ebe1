// Qt's own dialogs speak Chinese like the rest of the window.
#include "app/desktop/qt_translations.h"

#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFileIconProvider>
#include <QFileInfo>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTranslator>

#include <gtest/gtest.h>

namespace {

class QtTranslationsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        translator = qudrim::app::installQtChineseTranslations(*qApp);
        // scripts/setup-deps installs them with qt6-translations-l10n.
        ASSERT_NE(translator, nullptr) << "Qt's Chinese translations (qtbase_zh_CN) are not installed";
    }
    // The other tests see Qt's texts as they were.
    void TearDown() override
    {
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    QTranslator* translator = nullptr;
};

TEST_F(QtTranslationsTest, MessageBoxButtonsReadOkAndCancelInChinese)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("标题"), QStringLiteral("内容"),
                    QMessageBox::Ok | QMessageBox::Cancel);
    EXPECT_EQ(box.button(QMessageBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(box.button(QMessageBox::Cancel)->text(), QStringLiteral("取消"));
}

TEST_F(QtTranslationsTest, InputBoxButtonsReadOkAndCancelInChinese)
{
    QInputDialog dialog;
    dialog.setLabelText(QStringLiteral("请输入"));
    // The dialog builds its buttons when it is first shown.
    dialog.show();
    auto* buttons = dialog.findChild<QDialogButtonBox*>();
    ASSERT_NE(buttons, nullptr);
    EXPECT_EQ(buttons->button(QDialogButtonBox::Ok)->text(), QStringLiteral("确定"));
    EXPECT_EQ(buttons->button(QDialogButtonBox::Cancel)->text(), QStringLiteral("取消"));
}

// The open-file dialog's type column: a folder beside "纯文本文档" reads
// "文件夹", not Qt's English "Folder".
TEST_F(QtTranslationsTest, FileDialogNamesFoldersAndDrivesInChinese)
{
    const QFileIconProvider icons;
    EXPECT_EQ(icons.type(QFileInfo(QDir::tempPath())), QStringLiteral("文件夹"));
    EXPECT_EQ(icons.type(QFileInfo(QDir::rootPath())), QStringLiteral("驱动器"));
}

}  // namespace
