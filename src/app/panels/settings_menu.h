// "软件设置(&T)" and its menu: the code bases of the zodiac, segment and wave
// colour (with their check marks), the years of history the online update
// keeps, and the help pages shipped beside the program.
#pragma once

#include "store/attribute_kind.h"

#include <QObject>
#include <QString>

#include <array>
#include <cstdint>
#include <functional>

class QAction;
class QMenu;
class QPushButton;
class QWidget;

namespace qudrim::app {

class Prompter;
class SettingsStore;

class SettingsMenu final : public QObject {
    Q_OBJECT
public:
    // `beforeCommand` runs first in every command of the menu: the window's
    // step before every command (it takes the value of a box still being
    // typed in, and the history settles). A command runs only when it
    // returns true; it has told the user otherwise.
    SettingsMenu(QPushButton* Command9, SettingsStore& settings, Prompter& prompter, const QString& programFolder,
                 std::function<bool()> beforeCommand, QWidget* window);

    const CodeBases& bases() const { return bases_; }
    int16_t yearsKept() const { return IniSerchDay_; }

    // Start-up: the years of history to keep, then the code bases and their
    // check marks.
    void loadYearsKept();
    void loadCodeBases();

    void Command9_Click();
    void mnuCodeBase_Click(int which, int index);
    void mnuSetDay_Click();
    void openHelpPage(const QString& fileName);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Of a pair of code-base entries only the one of the base in force
    // carries a check mark; a base other than 0 or 1 marks neither.
    static void markPair(const std::array<QAction*, 2>& pair, int base);
    void createMenu();

    QPushButton* Command9_;
    SettingsStore& settings_;
    Prompter& prompter_;
    QString programFolder_;
    std::function<bool()> beforeCommand_;
    QWidget* window_;
    CodeBases bases_{0, 0, 0};  // SxIni, DsIni, BsIni
    int16_t IniSerchDay_ = 0;
    bool command9ByMouse_ = false;  // the button was last pressed with the mouse

    QMenu* mnuSetup = nullptr;
    std::array<QAction*, 2> mnuSxcs{};
    std::array<QAction*, 2> mnuDscs{};
    std::array<QAction*, 2> mnuBscs{};
};

}  // namespace qudrim::app
