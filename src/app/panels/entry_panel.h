// Draw entry: the issue box and the seven boxes of the newest draw. The
// moment the special number's box is complete, the draw is checked and
// stored under the issue shown and the boxes are emptied; the history then
// tells the window's parts of the new draw.
#pragma once

#include "app/window/today.h"
#include "store/attribute_kind.h"

#include <QList>
#include <QWidget>

#include <array>
#include <cstdint>
#include <functional>

class QLabel;
class QLineEdit;

namespace qudrim::app {

class HistorySession;
class MaskEdit;
class Prompter;

class EntryPanel final : public QWidget {
    Q_OBJECT
public:
    // `bases` are the code bases in force, kept by the settings menu;
    // `today` gives the year of an empty history's first issue.
    // `beforeCommand` is the window's step before every command: a complete
    // draw is stored only when it returns true (it has told the user
    // otherwise).
    EntryPanel(HistorySession& history, Prompter& prompter, const CodeBases& bases, Today today,
               std::function<bool()> beforeCommand, QWidget* parent = nullptr);

    // The issue the next typed draw is offered under.
    int32_t nextIssue() const { return lngQihao_; }
    // Shows the issue after the last stored draw (the current year's first
    // issue for an empty history) and offers it.
    void showNextIssue();
    void focusFirstBox();
    // The seven boxes of the draw, then the issue box.
    QList<QWidget*> tabOrder() const;

    void MaskEdBox1_KeyPress(int index);
    void MaskEdBox1_Change(int index);

private:
    struct Controls {
        QLabel* Label12_1 = nullptr;
        QLineEdit* Text1 = nullptr;
        std::array<MaskEdit*, 8> MaskEdBox1{};  // 1..7
        QLabel* Label2 = nullptr;
    };

    void createControls();
    void storeTypedDraw();
    void focusFaultyBox(int box);
    void clearEntryBoxes();

    Controls c_;
    HistorySession& history_;
    Prompter& prompter_;
    const CodeBases& bases_;
    Today today_;
    std::function<bool()> beforeCommand_;
    // Set while the boxes are emptied after a store, until the next key.
    bool bolQingkong_ = false;
    int32_t lngQihao_ = 0;
};

}  // namespace qudrim::app
