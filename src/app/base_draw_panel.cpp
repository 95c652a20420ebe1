#include "app/base_draw_panel.h"

#include "app/history.h"
#include "app/lost_focus.h"
#include "app/search_option_state.h"

#include <QCheckBox>
#include <QFrame>
#include <QLineEdit>
#include <QTabBar>

namespace qudrim::app {

BaseDrawPanel::BaseDrawPanel(const Controls& controls, const History& history, const SearchOptionState& options,
                             const CodeBases& bases, QObject* parent)
    : QObject(parent), c_(controls), history_(history), options_(options), bases_(bases)
{
    connect(c_.TabStrip1, &QTabBar::currentChanged, this, [this](int index) { TabStrip1_Click(index); });
    for (int i = 1; i <= 7; ++i)
        c_.Text22[static_cast<size_t>(i)]->installEventFilter(this);
}

std::array<bool, 8> BaseDrawPanel::chosenPositions() const
{
    const auto& checks = panel_.bolSdsr ? c_.Check11 : c_.Check1;
    std::array<bool, 8> chosen{};
    for (int i = 1; i <= 7; ++i)
        chosen[static_cast<size_t>(i)] = checks[static_cast<size_t>(i)]->isChecked();
    return chosen;
}

void BaseDrawPanel::ShangqiXianshi()
{
    const NumberOrder order = options_.numberOrder();
    if (c_.TabStrip1->currentIndex() != 0) {
        // Tab 2: the typed values are in force. Text2 is left as it is.
        panel_.bolSdsr = true;
        panel_.strQz = order;
        takeTypedValues();
        return;
    }
    // Tab 1: the base draw is the last draw (上期) or intPreQi - 1 rows before
    // it (前N期); without one the values and boxes stay as they are.
    fillFromBaseDraw(panel_, baseDraw(history_.view(), options_.bolSq, options_.intPreQi), order,
                     options_.searchKind(), bases_);
    for (int i = 1; i <= 7; ++i)
        c_.Text2[static_cast<size_t>(i)]->setText(QString::fromStdString(panel_.text2[static_cast<size_t>(i)]));
}

void BaseDrawPanel::clear()
{
    panel_ = PanelState{};
    for (int i = 1; i <= 7; ++i)
        c_.Text2[static_cast<size_t>(i)]->clear();
}

void BaseDrawPanel::TabStrip1_Click(int index)
{
    if (index == 0) {
        c_.Frame2[0]->setVisible(true);
        c_.Frame2[1]->setVisible(false);
        panel_.bolSdsr = false;
        // Back to the values the base-draw boxes show, names included.
        for (int i = 1; i <= 7; ++i)
            if (const auto v = valueFromDisplay(c_.Text2[static_cast<size_t>(i)]->text().toStdString(),
                                                options_.searchKind(), bases_))
                panel_.intSqLei[static_cast<size_t>(i)] = *v;
        return;
    }
    c_.Frame2[1]->setVisible(true);
    c_.Frame2[0]->setVisible(false);
    panel_.bolSdsr = true;
    takeTypedValues();
}

void BaseDrawPanel::takeTypedValues()
{
    // A box that does not convert keeps its position's value.
    for (int i = 1; i <= 7; ++i)
        if (const auto v = toInt16(c_.Text22[static_cast<size_t>(i)]->text().toStdString()))
            panel_.intSqLei[static_cast<size_t>(i)] = *v;
}

void BaseDrawPanel::Text22_LostFocus(int index)
{
    QLineEdit* box = c_.Text22[static_cast<size_t>(index)];
    if (const auto v = toInt16(box->text().toStdString())) {
        panel_.intSqLei[static_cast<size_t>(index)] = *v;
        lastGoodText22_[static_cast<size_t>(index)] = box->text();
        return;
    }
    // "", "-": the last good value stays in force, and the box shows it again.
    box->setText(lastGoodText22_[static_cast<size_t>(index)]);
}

bool BaseDrawPanel::runBoxHandler(QObject* box)
{
    for (int i = 1; i <= 7; ++i)
        if (box == c_.Text22[static_cast<size_t>(i)]) {
            Text22_LostFocus(i);
            return true;
        }
    return false;
}

bool BaseDrawPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (userLeftBox(event))
        runBoxHandler(watched);
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
