// Helpers of the window tests of the history commands (import, trims,
// deleting and clearing): what the database file holds, read through a
// connection of its own, history files in the program folder, the history
// menu, and typing the next draw.
#pragma once

#include "app/window_actions.h"
#include "app/window_fixture.h"
#include "history/history_line.h"
#include "store/lishi_rows.h"

#include <QAction>
#include <QFile>
#include <QLineEdit>
#include <QMenu>
#include <QTableView>
#include <QTest>

#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

namespace qudrim::testing {

class HistoryWindowTest : public WindowTest {
protected:
    HistoryWindowTest() { answeredOnlyWithoutBusyCursor = true; }

    // Every column of every row, in SQQH order.
    std::vector<testrows::StoredRow> storedLishi() const
    {
        store::Database db(folder.path() / "plenvox.mdb", store::Database::Mode::OpenExisting);
        return testrows::readLishi(db);
    }
    std::vector<int32_t> storedIssues() const
    {
        std::vector<int32_t> issues;
        for (const auto& row : storedLishi())
            issues.push_back(static_cast<int32_t>(row.at("SQQH")));
        return issues;
    }

    // The history lines of `draws` as a file of the program folder.
    std::filesystem::path writeHistoryFile(const std::string& relative, const std::vector<DrawInput>& draws)
    {
        std::string text;
        for (const DrawInput& d : draws)
            text += history::PrintHisLine(d.issue, d.numbers) + "\r\n";
        return writeFile(relative, text);
    }
    std::filesystem::path writeFile(const std::string& relative, const std::string& bytes)
    {
        const auto path = folder.path() / relative;
        std::filesystem::create_directories(path.parent_path());
        std::ofstream(path, std::ios::binary) << bytes;
        return path;
    }
    static QString qpath(const std::filesystem::path& p) { return QFile::decodeName(QByteArray::fromStdString(p.string())); }

    QLineEdit* box(const char* name) const { return find<QLineEdit>(QString::fromLatin1(name)); }
    QString text(const char* name) const { return box(name)->text(); }

    // The history list: its issues, top to bottom.
    std::vector<int32_t> listedIssues() const
    {
        std::vector<int32_t> issues;
        for (int r = 1; r < gridRows(QStringLiteral("MSFlexGrid1")); ++r)
            issues.push_back(cell(QStringLiteral("MSFlexGrid1"), r, 0).toInt());
        return issues;
    }

    // Right-click on the history list, then a click on the menu entry.
    void chooseFromHistoryMenu(const char* entry)
    {
        auto* grid = find<QTableView>(QStringLiteral("MSFlexGrid1"));
        QTest::mouseClick(grid->viewport(), Qt::RightButton, {}, QPoint(20, 20));
        QApplication::processEvents();
        auto* menu = find<QMenu>(QStringLiteral("mnuLsgl"));
        ASSERT_TRUE(menu->isVisible()) << "the history menu did not pop up";
        QAction* action = find<QAction>(QString::fromLatin1(entry));
        QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(action).center());
        QApplication::processEvents();
    }

    // Types a draw into the entry boxes, starting in the box with the focus.
    static void typeDraw(const std::array<int, 7>& numbers)
    {
        for (int n : numbers) {
            QWidget* focused = QApplication::focusWidget();
            ASSERT_NE(focused, nullptr);
            QTest::keyClicks(focused, QStringLiteral("%1").arg(n, 2, 10, QLatin1Char('0')));
            QApplication::processEvents();
        }
    }
};

}  // namespace qudrim::testing
