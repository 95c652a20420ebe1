// Draw entry: the seven boxes of the newest draw. The moment the special
// number's box is complete, the draw is checked and stored under the issue
// shown, the boxes are emptied and the list, the next issue and the panel
// show the new draw.
#include "app/frmMain.h"

#include "app/entry_fault_text.h"
#include "app/error_text.h"
#include "app/mask_edit.h"
#include "app/prompter.h"
#include "draw/draw_entry.h"
#include "draw/row_builder.h"

#include <QLineEdit>

#include <span>

using namespace qudrim;

void frmMain::MaskEdBox1_KeyPress(int)
{
    // Any key typed into an entry box arms the store again.
    bolQingkong_ = false;
}

void frmMain::MaskEdBox1_Change(int index)
{
    // While the boxes are being emptied after a store (and until the next
    // key), a change neither stores nor moves the focus.
    if (bolQingkong_)
        return;
    const app::MaskEdit* box = MaskEdBox1[static_cast<size_t>(index)];

    // The draw is complete when box 7 completes; after a refused draw, also
    // when the corrected box completes while every box holds two digits.
    bool complete = box->isComplete();
    if (complete && index != 7)
        for (int k = 1; k <= 7; ++k)
            complete = complete && MaskEdBox1[static_cast<size_t>(k)]->isComplete();
    if (complete) {
        storeTypedDraw();
        return;
    }

    // The focus moves on once the second position of a box 1..6 is typed.
    if (index <= 6 && box->text().size() == 2 && box->text()[1] != QChar(app::MaskEdit::kPrompt))
        MaskEdBox1[static_cast<size_t>(index + 1)]->setFocus(Qt::OtherFocusReason);
}

bool frmMain::storeTypedDraw()
{
    std::array<std::string, 7> texts;
    for (int k = 1; k <= 7; ++k)
        texts[static_cast<size_t>(k - 1)] = MaskEdBox1[static_cast<size_t>(k)]->text().toStdString();
    std::optional<int32_t> lastIssue;
    if (const DrawRow* last = resSnap_->last())
        lastIssue = last->issue;

    // Without the database nothing can be stored; what was typed stays.
    if (!store_->isOpen()) {
        warnHistoryNotOpen(QStringLiteral("第 %1 期的号码无法保存，输入框中的号码保持不变").arg(Text1->text().trimmed()));
        return false;
    }

    const EntryCheck check = checkEntry(texts, Text1->text().toStdString(), lastIssue);
    if (!check.draw) {
        // Nothing is stored; the boxes keep what was typed.
        prompter_->warning(this, app::inputErrorTitle(), app::entryFaultText(check));
        focusFaultyBox(check.faultyBox);
        return false;
    }

    try {
        AddLishi(*store_, std::span<const DrawInput>(&*check.draw, 1), state_.bases);
    } catch (const std::exception& e) {
        // The database refused the row: nothing changes, nothing is lost.
        prompter_->warning(this, QStringLiteral("保存失败"),
                           QStringLiteral("第 %1 期的历史号码没有能够保存到历史数据库，历史记录没有改变，输入框中的号码保持不变。\n\n"
                                          "请关闭可能正在使用历史数据库的其他程序，然后重新输入特码，再保存一次。")
                               .arg(check.draw->issue),
                           app::exceptionText(e));
        return false;
    }

    historyChanged();
    reopenSnapshot();
    ShangqiXianshi();
    clearEntryBoxes();
    MaskEdBox1[1]->setFocus(Qt::OtherFocusReason);
    // The view was re-opened just above and nothing has changed since.
    fillHistoryList();
    QihaoXianshi();
    return true;
}

void frmMain::clearEntryBoxes()
{
    bolQingkong_ = true;
    for (int k = 1; k <= 7; ++k)
        MaskEdBox1[static_cast<size_t>(k)]->clearToPrompt();
}

void frmMain::focusFaultyBox(int box)
{
    QLineEdit* target = (box >= 1 && box <= 7) ? static_cast<QLineEdit*>(MaskEdBox1[static_cast<size_t>(box)]) : Text1;
    target->setFocus(Qt::OtherFocusReason);
    // Typing replaces the faulty text at once.
    target->selectAll();
}
