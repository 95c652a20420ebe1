// Helpers of the window tests: a program folder in a temporary folder, a
// prompter that records messages and answers questions from a script, the
// settings cleared before every test, and lookups of controls by objectName.
#pragma once

#include "app/desktop/prompter.h"
#include "app/window/frmMain.h"
#include "support/history_fixture.h"

#include <QAbstractItemModel>
#include <QApplication>
#include <QDate>
#include <QSettings>
#include <QString>
#include <QTableView>
#include <QUrl>

#include <gtest/gtest.h>

#include <deque>
#include <memory>
#include <vector>

namespace qudrim::testing {

struct Shown {
    QString title;
    QString text;
    QString detail;
};

class ScriptedPrompter final : public app::Prompter {
public:
    std::vector<Shown> warnings;
    std::vector<Shown> questions;
    std::vector<QUrl> opened;
    std::vector<QString> fileDialogs;  // "folder|filter" of every open-file dialog shown
    std::deque<QString> answers;       // answers of getText, in order; empty = cancel
    std::deque<bool> replies;          // answers of confirm; none left = Cancel
    std::deque<QString> files;         // answers of the open-file dialog; none left = cancel
    bool openSucceeds = true;
    // Titles of the messages, questions and dialogs put up while the busy
    // cursor was on: the user would have to answer them under an hourglass.
    std::vector<QString> shownWhileBusy;

    void warning(QWidget*, const QString& title, const QString& text, const QString& detail) override
    {
        noteBusy(title);
        warnings.push_back({title, text, detail});
    }
    bool confirm(QWidget*, const QString& title, const QString& text) override
    {
        noteBusy(title);
        questions.push_back({title, text, {}});
        if (replies.empty())
            return false;
        const bool r = replies.front();
        replies.pop_front();
        return r;
    }
    QString getOpenFileName(QWidget*, const QString& folder, const QString& filter) override
    {
        noteBusy(QStringLiteral("open-file dialog"));
        fileDialogs.push_back(folder + QLatin1Char('|') + filter);
        if (files.empty())
            return {};
        QString f = files.front();
        files.pop_front();
        return f;
    }
    QString getText(QWidget*, const QString& title, const QString& prompt, const QString& defaultText) override
    {
        noteBusy(title);
        questions.push_back({title, prompt + QStringLiteral(" [") + defaultText + QStringLiteral("]"), {}});
        if (answers.empty())
            return {};
        QString a = answers.front();
        answers.pop_front();
        return a;
    }
    // Set, every page and file opens through it as in the program, with the
    // opener program the test gives it; unset, openSucceeds answers.
    app::DesktopOpener* opener = nullptr;

    void openUrl(const QUrl& url, std::function<void(const QString&)> failed) override
    {
        opened.push_back(url);
        if (opener)
            opener->open(url, std::move(failed));
        else if (!openSucceeds)
            failed(QStringLiteral("the test's opener failed"));
    }

private:
    void noteBusy(const QString& title)
    {
        if (QApplication::overrideCursor())
            shownWhileBusy.push_back(title);
    }
};

// The day every test window takes for today, whatever the system's date: a
// year that is not the one the tests run in, so that a window asking the
// system instead shows at once.
inline QDate pinnedToday() { return QDate(2030, 12, 31); }

// Every settings key of the program, under the one group.
inline void clearSettings()
{
    QSettings s(QStringLiteral("REDARORO"), QStringLiteral("REDARORO"));
    s.clear();
    s.sync();
}

inline void storeSetting(const QString& key, const QString& text)
{
    QSettings s(QStringLiteral("REDARORO"), QStringLiteral("REDARORO"));
    s.setValue(QStringLiteral("IniSetting/") + key, text);
    s.sync();
}

inline QString storedSetting(const QString& key)
{
    QSettings s(QStringLiteral("REDARORO"), QStringLiteral("REDARORO"));
    return s.value(QStringLiteral("IniSetting/") + key).toString();
}

class WindowTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override
    {
        if (answeredOnlyWithoutBusyCursor)
            for (const QString& title : prompter.shownWhileBusy)
                ADD_FAILURE() << "\"" << title.toStdString() << "\" was put up under the busy cursor";
        window.reset();
        clearSettings();
    }

    QString folderText() const { return QString::fromStdString(folder.path().string()); }

    // A store in the program folder holding `draws`, closed again before
    // the window opens it.
    void fillHistory(const std::vector<DrawInput>& draws)
    {
        store::HistoryStore store(folder.path());
        fillStore(store, draws);
    }

    frmMain& open()
    {
        window = std::make_unique<frmMain>(folderText(), &prompter, [this] { return today; });
        window->show();
        QApplication::processEvents();
        return *window;
    }

    template <class T>
    T* find(const QString& name) const
    {
        T* w = window->findChild<T*>(name);
        EXPECT_NE(w, nullptr) << "no control " << name.toStdString();
        return w;
    }

    // Grid row 0 is the header row; grid row r >= 1 is model row r - 1.
    QString cell(const QString& grid, int row, int column) const
    {
        auto* view = find<QTableView>(grid);
        auto* m = view->model();
        if (row == 0)
            return m->headerData(column, Qt::Horizontal, Qt::DisplayRole).toString();
        return m->index(row - 1, column).data(Qt::DisplayRole).toString();
    }
    int gridRows(const QString& grid) const { return find<QTableView>(grid)->model()->rowCount() + 1; }

    TempFolder folder;
    ScriptedPrompter prompter;
    // What the window takes for today; a test may move it on while the
    // window is open.
    QDate today = pinnedToday();
    std::unique_ptr<frmMain> window;
    // Fixtures that set it fail a test in which a message, question or dialog
    // was put up while the busy cursor was on.
    bool answeredOnlyWithoutBusyCursor = false;
};

}  // namespace qudrim::testing
