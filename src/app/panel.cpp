// The base-draw panel: the reference values of the seven positions, taken
// from the base draw (tab 1) or typed by hand (tab 2), and the start of the
// search range.
#include "app/frmMain.h"

#include "app/mask_edit.h"

#include <QFrame>
#include <QLineEdit>
#include <QTabBar>

#include <algorithm>

using namespace qudrim;

void frmMain::ShangqiXianshi()
{
    const app::ProgramState& s = state_;
    const NumberOrder order = orderFromSetting(s.bolLdm);
    if (TabStrip1->currentIndex() != 0) {
        // Tab 2: the typed values are in force. Text2 is left as it is.
        panel_.bolSdsr = true;
        panel_.strQz = order;
        takeTypedValues();
        return;
    }
    // Tab 1: the base draw is the last draw (上期) or intPreQi - 1 rows before
    // it (前N期); without one the values and boxes stay as they are.
    fillFromBaseDraw(panel_, baseDraw(*resSnap_, s.bolSq, s.intPreQi), order, kindFromSetting(s.intLei), s.bases);
    for (int i = 1; i <= 7; ++i)
        Text2[static_cast<size_t>(i)]->setText(QString::fromStdString(panel_.text2[static_cast<size_t>(i)]));
}

int frmMain::searchRangeOffset() const
{
    if (state_.bolSq)
        return 1;
    // The number in the N box; a box without a digit counts as the N in force.
    // The first draw with a compared draw N back is N issues after the first
    // stored one, and at least one issue after it (N = 0 compares with the
    // previous draw, as the search does).
    return std::max<int>(1, digitInNBox().value_or(state_.intPreQi));
}

void frmMain::resetSearchRangeStart()
{
    if (resSnap_->empty())
        return;
    Text3[0]->setText(QString::number(resSnap_->row(0).issue + searchRangeOffset()));
}

void frmMain::TabStrip1_Click(int index)
{
    if (index == 0) {
        Frame2[0]->setVisible(true);
        Frame2[1]->setVisible(false);
        panel_.bolSdsr = false;
        // Back to the values the base-draw boxes show, names included.
        for (int i = 1; i <= 7; ++i)
            if (const auto v = valueFromDisplay(Text2[static_cast<size_t>(i)]->text().toStdString(),
                                                kindFromSetting(state_.intLei), state_.bases))
                panel_.intSqLei[static_cast<size_t>(i)] = *v;
        return;
    }
    Frame2[1]->setVisible(true);
    Frame2[0]->setVisible(false);
    panel_.bolSdsr = true;
    takeTypedValues();
}

void frmMain::takeTypedValues()
{
    // A box that does not convert keeps its position's value.
    for (int i = 1; i <= 7; ++i)
        if (const auto v = toInt16(Text22[static_cast<size_t>(i)]->text().toStdString()))
            panel_.intSqLei[static_cast<size_t>(i)] = *v;
}

void frmMain::Text22_LostFocus(int index)
{
    QLineEdit* box = Text22[static_cast<size_t>(index)];
    if (const auto v = toInt16(box->text().toStdString())) {
        panel_.intSqLei[static_cast<size_t>(index)] = *v;
        lastGoodText22_[static_cast<size_t>(index)] = box->text();
        return;
    }
    // "", "-": the last good value stays in force, and the box shows it again.
    box->setText(lastGoodText22_[static_cast<size_t>(index)]);
}
