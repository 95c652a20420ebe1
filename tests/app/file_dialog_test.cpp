// The open-file dialog the window shows (Qt's own, where the desktop offers
// none): it answers the chosen file, its size, type and date columns read
// Chinese on a system whose locale is not, and show their texts whole.
#include "app/desktop/prompter.h"
#include "app/desktop/qt_translations.h"
#include "support/history_fixture.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QLocale>
#include <QRegularExpression>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QTranslator>
#include <QTreeView>

#include <gtest/gtest.h>

#include <fstream>
#include <functional>
#include <string>

namespace {

// The dialog's part of that object name; a dialog without it fails the test
// and is rejected.
template <class Part>
Part* partOf(QFileDialog& dialog, const char* name)
{
    auto* part = dialog.findChild<Part*>(QString::fromLatin1(name));
    if (!part) {
        ADD_FAILURE() << "the dialog has no " << name;
        dialog.reject();
    }
    return part;
}

class FileDialogTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        translator = qudrim::app::installQtChineseTranslations(*qApp);
        // As the program starts.
        qudrim::app::useChineseLocale();
        const auto history = folder.path() / "历史号码";
        std::filesystem::create_directories(history / "旧的");
        file = history / "更新至2025134期历史号码.txt";
        std::ofstream out(file, std::ios::binary);
        for (int k = 0; k < 4288; ++k)
            out << "2014016 05 12 23 34 45 49 07 \r\n";
    }
    void TearDown() override
    {
        QLocale::setDefault(localeBefore);
        if (translator) {
            QCoreApplication::removeTranslator(translator);
            delete translator;
        }
    }
    QString folderText() const { return QFile::decodeName(QByteArray::fromStdString((folder.path() / "历史号码").string())); }

    // Shows the dialog through the prompter and runs `act` on it, again and
    // again while it stays open. A dialog still open after the deadline is
    // rejected and the test fails, so that no run can wait forever.
    QString showDialog(const std::function<void(QFileDialog&)>& act, int deadlineMs = 15000)
    {
        int acted = 0;
        bool acting = false;  // `act` may run the event loop itself
        bool gaveUp = false;
        QElapsedTimer waited;
        waited.start();
        QTimer poll;
        poll.setInterval(20);
        QObject::connect(&poll, &QTimer::timeout, [&] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            if (!dialog || !dialog->isVisible() || acting)
                return;
            if (waited.elapsed() > deadlineMs) {
                gaveUp = true;
                dialog->reject();
                return;
            }
            ++acted;
            acting = true;
            act(*dialog);
            acting = false;
        });
        poll.start();
        qudrim::app::DialogPrompter prompter;
        const QString chosen = prompter.getOpenFileName(nullptr, folderText(), QStringLiteral("Text(*.txt) (*.txt)"));
        EXPECT_GT(acted, 0) << "the dialog never showed";
        EXPECT_FALSE(gaveUp) << "the dialog was still open after " << deadlineMs << " ms";
        return chosen;
    }

    qudrim::testing::TempFolder folder;
    std::filesystem::path file;
    QTranslator* translator = nullptr;
    const QLocale localeBefore;
};

struct Cut {
    int column;
    QString text;
    int needed;
    int given;
};

// The texts of the size, type and date columns that do not fit their column.
std::vector<Cut> cutTexts(const QTreeView& details)
{
    std::vector<Cut> cut;
    const QAbstractItemModel& m = *details.model();
    const QModelIndex root = details.rootIndex();
    // The item delegate leaves a focus margin and one pixel on either side.
    const int margins = 2 * (details.style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, &details) + 1);
    for (int r = 0; r < m.rowCount(root); ++r)
        for (int c = 1; c < m.columnCount(root); ++c) {
            const QString text = m.index(r, c, root).data().toString();
            const int needed = details.fontMetrics().horizontalAdvance(text) + margins;
            // Every entry has a type; a folder has no size.
            if ((text.isEmpty() && c == 2) || needed > details.columnWidth(c))
                cut.push_back({c, text, needed, details.columnWidth(c)});
        }
    return cut;
}

TEST_F(FileDialogTest, AnswersTheChosenFile)
{
    // As a user does: type the file's name into the name box and press Return.
    // The dialog may hold the focus in the name box or not, and its completer
    // may pop up and take the first Return; the poll types and presses again
    // for as long as the dialog stays open.
    const QString name = QFile::decodeName(QByteArray::fromStdString(file.filename().string()));
    const QString chosen = showDialog([&](QFileDialog& dialog) {
        auto* nameBox = partOf<QLineEdit>(dialog, "fileNameEdit");
        if (!nameBox)
            return;
        if (nameBox->text() != name) {
            nameBox->setFocus();
            QTest::keyClick(nameBox, Qt::Key_A, Qt::ControlModifier);
            QTest::keyClick(nameBox, Qt::Key_Delete);
            // The name holds Chinese: each character arrives as a key with its text.
            for (const QChar c : name)
                QTest::sendKeyEvent(QTest::Click, nameBox, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
        QTest::keyClick(nameBox, Qt::Key_Return);
    });
    EXPECT_EQ(chosen, QFile::decodeName(QByteArray::fromStdString(file.string())));
    EXPECT_EQ(showDialog([](QFileDialog& dialog) { dialog.reject(); }), QString());
}

// The test runs under the system locale C.UTF-8 (app_test_main.cpp): what
// reads Chinese here follows the program's own locale, not the system's.
TEST_F(FileDialogTest, ReadsChineseOnASystemThatIsNot)
{
    ASSERT_EQ(QLocale::system().language(), QLocale::C);
    QStringList shown;
    QString date;
    showDialog([&](QFileDialog& dialog) {
        auto* details = partOf<QTreeView>(dialog, "treeView");
        if (!details)
            return;
        // The folder is read in the background.
        const QAbstractItemModel& m = *details->model();
        const bool read = QTest::qWaitFor(
            [&] {
                for (int r = 0; r < m.rowCount(details->rootIndex()); ++r)
                    if (m.index(r, 0, details->rootIndex()).data().toString().endsWith(QStringLiteral(".txt")) &&
                        !m.index(r, 3, details->rootIndex()).data().toString().isEmpty())
                        return true;
                return false;
            },
            5000);
        EXPECT_TRUE(read) << "the folder was never read";
        for (int r = 0; r < m.rowCount(details->rootIndex()); ++r) {
            QStringList row;
            for (int c = 0; c < m.columnCount(details->rootIndex()); ++c)
                row << m.index(r, c, details->rootIndex()).data().toString();
            if (row[0].endsWith(QStringLiteral(".txt")))
                date = row[3];
            shown << row.join(QStringLiteral(" | "));
        }
        dialog.reject();
    });
    const QFileInfo info(QFile::decodeName(QByteArray::fromStdString(file.string())));
    const QLocale chinese = qudrim::app::chineseLocale();
    EXPECT_TRUE(shown.contains(QStringLiteral("旧的 |  | 文件夹 | ") +
                               chinese.toString(QFileInfo(info.dir().filePath(QStringLiteral("旧的"))).lastModified(),
                                                QLocale::ShortFormat)))
        << shown.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(shown.contains(info.fileName() + QStringLiteral(" | ") + chinese.formattedDataSize(info.size()) +
                               QStringLiteral(" | 纯文本文档 | ") + chinese.toString(info.lastModified(), QLocale::ShortFormat)))
        << shown.join(QLatin1Char('\n')).toStdString();
    // Year, month and day as in China, the time in 24 hours.
    EXPECT_TRUE(QRegularExpression(QStringLiteral("^\\d{4}/\\d{1,2}/\\d{1,2} \\d{1,2}:\\d{2}$")).match(date).hasMatch())
        << date.toStdString();
}

TEST_F(FileDialogTest, SizeTypeAndDateColumnsShowTheirTextsWhole)
{
    std::vector<Cut> cut;
    int rows = 0;
    showDialog([&](QFileDialog& dialog) {
        auto* details = partOf<QTreeView>(dialog, "treeView");
        if (!details)
            return;
        // The folder is read in the background: wait until both entries show
        // every text, and for the columns to follow.
        (void)QTest::qWaitFor(
            [&] {
                rows = details->model()->rowCount(details->rootIndex());
                cut = cutTexts(*details);
                return rows == 2 && cut.empty();
            },
            5000);
        dialog.reject();
    });
    EXPECT_EQ(rows, 2);
    for (const Cut& c : cut)
        ADD_FAILURE() << "column " << c.column << " \"" << c.text.toStdString() << "\" needs " << c.needed
                      << " pixels, has " << c.given;
}

}  // namespace
