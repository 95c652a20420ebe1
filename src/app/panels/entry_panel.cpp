#include "app/panels/entry_panel.h"

#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/panels/entry_fault_text.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "app/widgets/caption_overlay.h"
#include "app/widgets/controls.h"
#include "app/widgets/mask_edit.h"
#include "draw/draw_entry.h"
#include "draw/row_builder.h"

#include <QBoxLayout>
#include <QLabel>
#include <QLineEdit>

#include <limits>
#include <span>

namespace qudrim::app {

EntryPanel::EntryPanel(HistorySession& history, Prompter& prompter, const CodeBases& bases, Today today,
                       std::function<bool()> beforeCommand, QWidget* parent)
    : QWidget(parent),
      history_(history),
      prompter_(prompter),
      bases_(bases),
      today_(std::move(today)),
      beforeCommand_(std::move(beforeCommand))
{
    createControls();
    for (int k = 1; k <= 7; ++k) {
        MaskEdit* box = c_.MaskEdBox1[static_cast<size_t>(k)];
        connect(box, &MaskEdit::keyTyped, this, [this, k](QChar) { MaskEdBox1_KeyPress(k); });
        connect(box, &QLineEdit::textChanged, this, [this, k] { MaskEdBox1_Change(k); });
    }
    chainTabOrder(tabOrder());
}

void EntryPanel::createControls()
{
    QFont entryFont(QStringLiteral("SimSun"));
    entryFont.setFamilies({QStringLiteral("SimSun"), QStringLiteral("NSimSun"), QStringLiteral("WenQuanYi Micro Hei Mono")});
    entryFont.setPointSizeF(21.75);
    for (int k = 1; k <= 7; ++k) {
        auto* box = named<MaskEdit>(indexed("MaskEdBox1", k), 2);
        box->setFont(entryFont);
        box->setToolTip(entryBoxTip());
        box->setAlignment(Qt::AlignCenter);
        box->setFixedWidth(QFontMetrics(entryFont).horizontalAdvance(QStringLiteral("00")) + 14);
        c_.MaskEdBox1[static_cast<size_t>(k)] = box;
    }

    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    // The issue box lies over the issue number in the caption.
    c_.Label12_1 = named<QLabel>(QStringLiteral("Label12_1"), QStringLiteral("在下面输入 2007001 期历史号码:"));
    c_.Text1 = named<QLineEdit>(QStringLiteral("Text1"), QStringLiteral("2007001"));
    c_.Text1->setAlignment(Qt::AlignCenter);
    c_.Text1->setTextMargins(0, 0, 0, 0);
    v->addWidget(new CaptionOverlay(c_.Label12_1, c_.Text1, QStringLiteral("在下面输入 "), QStringLiteral("2007001"),
                                    c_.Label12_1->fontMetrics().horizontalAdvance(QStringLiteral("2007001")) + 10),
                 0, Qt::AlignLeft);

    // Six regular numbers, "+" and the special number.
    auto* boxes = new QHBoxLayout;
    boxes->setSpacing(3);
    for (int k = 1; k <= 6; ++k)
        boxes->addWidget(c_.MaskEdBox1[static_cast<size_t>(k)]);
    c_.Label2 = named<QLabel>(QStringLiteral("Label2"), QStringLiteral("+"));
    QFont plus = c_.Label2->font();
    plus.setPointSize(20);
    plus.setBold(true);
    c_.Label2->setFont(plus);
    boxes->addWidget(c_.Label2);
    boxes->addWidget(c_.MaskEdBox1[7]);
    boxes->addStretch(1);
    v->addLayout(boxes);
}

QList<QWidget*> EntryPanel::tabOrder() const
{
    QList<QWidget*> order;
    for (int k = 1; k <= 7; ++k)
        order << c_.MaskEdBox1[static_cast<size_t>(k)];
    order << c_.Text1;
    return order;
}

void EntryPanel::showNextIssue()
{
    if (const DrawRow* last = history_.view().last()) {
        lngQihao_ = last->issue < std::numeric_limits<int32_t>::max() ? last->issue + 1 : last->issue;
    } else {
        // An empty history offers the first draw of the current year.
        lngQihao_ = today_().year() * 1000 + 1;
    }
    c_.Text1->setText(QString::number(lngQihao_));
}

void EntryPanel::focusFirstBox() { c_.MaskEdBox1[1]->setFocus(Qt::OtherFocusReason); }

void EntryPanel::MaskEdBox1_KeyPress(int)
{
    // Any key typed into an entry box arms the store again.
    bolQingkong_ = false;
}

void EntryPanel::MaskEdBox1_Change(int index)
{
    // While the boxes are being emptied after a store (and until the next
    // key), a change neither stores nor moves the focus.
    if (bolQingkong_)
        return;
    const MaskEdit* box = c_.MaskEdBox1[static_cast<size_t>(index)];

    // The draw is complete when box 7 completes; after a refused draw, also
    // when the corrected box completes while every box holds two digits.
    bool complete = box->isComplete();
    if (complete && index != 7)
        for (int k = 1; k <= 7; ++k)
            complete = complete && c_.MaskEdBox1[static_cast<size_t>(k)]->isComplete();
    if (complete) {
        storeTypedDraw();
        return;
    }

    // The focus moves on once the second position of a box 1..6 is typed.
    if (index <= 6 && box->text().size() == 2 && box->text()[1] != QChar(MaskEdit::kPrompt))
        c_.MaskEdBox1[static_cast<size_t>(index + 1)]->setFocus(Qt::OtherFocusReason);
}

void EntryPanel::storeTypedDraw()
{
    // The history settles first: should another program have changed it,
    // the next issue shown follows the last draw the database now holds, and
    // the draw goes under that issue. Otherwise it goes under the issue the
    // user saw. What was typed stays in the boxes when the step refuses.
    if (!beforeCommand_())
        return;
    const QString issueText = c_.Text1->text();
    std::array<std::string, 7> texts;
    for (int k = 1; k <= 7; ++k)
        texts[static_cast<size_t>(k - 1)] = c_.MaskEdBox1[static_cast<size_t>(k)]->text().toStdString();
    std::optional<int32_t> lastIssue;
    if (const DrawRow* last = history_.view().last())
        lastIssue = last->issue;

    // Without the database nothing can be stored; what was typed stays.
    if (!history_.isOpen()) {
        warnHistoryNotOpen(prompter_, window(), history_,
                           QStringLiteral("第 %1 期的号码无法保存，输入框中的号码保持不变").arg(issueText.trimmed()));
        return;
    }

    const EntryCheck check = checkEntry(texts, issueText.toStdString(), lastIssue);
    if (!check.draw) {
        // Nothing is stored; the boxes keep what was typed.
        prompter_.warning(window(), inputErrorTitle(), entryFaultText(check));
        focusFaultyBox(check.faultyBox);
        return;
    }

    try {
        AddLishi(history_.store(), std::span<const DrawInput>(&*check.draw, 1), bases_);
    } catch (const std::exception& e) {
        // The database refused the row: nothing changes, nothing is lost.
        prompter_.warning(window(), QStringLiteral("保存失败"),
                          QStringLiteral("第 %1 期的历史号码没有能够保存到历史数据库，历史记录没有改变，输入框中的号码保持不变。\n\n"
                                         "请关闭可能正在使用历史数据库的其他程序，然后重新输入特码，再保存一次。")
                              .arg(check.draw->issue),
                          exceptionText(e));
        return;
    }

    history_.changed(HistoryChange::appendedDraws(1));
    clearEntryBoxes();
    focusFirstBox();
}

void EntryPanel::clearEntryBoxes()
{
    bolQingkong_ = true;
    for (int k = 1; k <= 7; ++k)
        c_.MaskEdBox1[static_cast<size_t>(k)]->clearToPrompt();
}

void EntryPanel::focusFaultyBox(int box)
{
    QLineEdit* target = (box >= 1 && box <= 7) ? static_cast<QLineEdit*>(c_.MaskEdBox1[static_cast<size_t>(box)]) : c_.Text1;
    target->setFocus(Qt::OtherFocusReason);
    // Typing replaces the faulty text at once.
    target->selectAll();
}

}  // namespace qudrim::app
