// The row of command buttons under the option frames: "软件设置(&T)" with its
// menu (SettingsMenu), the import, the online update, deleting the newest
// draw, the text export and the position search.
#pragma once

#include <QList>
#include <QWidget>

class QPushButton;

namespace qudrim::app {

class CommandButtons final : public QWidget {
    Q_OBJECT
public:
    explicit CommandButtons(QWidget* parent = nullptr);

    // The buttons, for the window to give them their commands.
    QPushButton* Command9() const { return Command9_; }
    QPushButton* cmdRdLst() const { return cmdRdLst_; }
    QPushButton* Command21() const { return Command21_; }
    QPushButton* Command3() const { return Command3_; }
    QPushButton* Command4() const { return Command4_; }
    QPushButton* Command1() const { return Command1_; }
    // Left to right.
    QList<QWidget*> tabOrder() const;

private:
    QPushButton* Command9_;
    QPushButton* cmdRdLst_;
    QPushButton* Command21_;
    QPushButton* Command3_;
    QPushButton* Command4_;
    QPushButton* Command1_;
};

}  // namespace qudrim::app
