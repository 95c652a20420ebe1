#include "app/panels/base_draw_panel.h"

#include "app/panels/search_option_state.h"
#include "app/session/history_session.h"
#include "app/widgets/controls.h"
#include "app/widgets/int16_validator.h"
#include "app/widgets/lost_focus.h"

#include <QBoxLayout>
#include <QCheckBox>
#include <QFrame>
#include <QGridLayout>
#include <QLineEdit>
#include <QTabBar>

namespace qudrim::app {

BaseDrawPanel::BaseDrawPanel(const HistorySession& history, const SearchOptionState& options, const CodeBases& bases,
                             QWidget* parent)
    : QWidget(parent),
      history_(history),
      options_(options),
      bases_(bases),
      lostFocus_([this](QObject* box) { runBoxHandler(box); })
{
    createControls();
    connect(c_.TabStrip1, &QTabBar::currentChanged, this, [this](int index) { TabStrip1_Click(index); });
    for (int i = 1; i <= 7; ++i)
        lostFocus_.watch(c_.Text22[static_cast<size_t>(i)]);
    chainTabOrder(tabOrder());
}

void BaseDrawPanel::createControls()
{
    auto* v = new QVBoxLayout(this);
    v->setContentsMargins(0, 0, 0, 0);
    v->setSpacing(4);

    // The tab strip and its two pages, at one and the same place.
    c_.TabStrip1 = named<QTabBar>(QStringLiteral("TabStrip1"));
    c_.TabStrip1->addTab(QStringLiteral("自动历史位"));
    c_.TabStrip1->addTab(QStringLiteral("手动输入号"));
    c_.TabStrip1->setExpanding(false);
    c_.TabStrip1->setDrawBase(false);
    v->addWidget(c_.TabStrip1);

    auto* pages = new QWidget;
    auto* stack = new QGridLayout(pages);
    stack->setContentsMargins(0, 0, 0, 0);
    for (int page = 0; page < 2; ++page) {
        auto* f = named<QFrame>(indexed("Frame2", page));
        f->setFrameShape(QFrame::StyledPanel);
        f->setFrameShadow(QFrame::Raised);
        auto* g = new QGridLayout(f);
        compact(g, 4, 3);
        for (int i = 1; i <= 7; ++i) {
            auto* check = named<QCheckBox>(indexed(page == 0 ? "Check1" : "Check11", i),
                                          caption(kPositionCaptions[static_cast<size_t>(i)]));
            auto* box = named<QLineEdit>(indexed(page == 0 ? "Text2" : "Text22", i));
            box->setAlignment(Qt::AlignCenter);
            box->setMinimumWidth(40);
            g->addWidget(check, 0, i - 1);
            g->addWidget(box, 1, i - 1);
            if (page == 0) {
                // The user reads the base draw's values but does not type
                // them: read-only in the normal text colour, on the window's
                // background so that they do not look like entry boxes, and
                // out of the Tab order.
                box->setReadOnly(true);
                box->setFocusPolicy(Qt::ClickFocus);
                QPalette readable = box->palette();
                readable.setColor(QPalette::Base, readable.color(QPalette::Window));
                box->setPalette(readable);
                c_.Check1[static_cast<size_t>(i)] = check;
                c_.Text2[static_cast<size_t>(i)] = box;
            } else {
                box->setValidator(new Int16Validator(box));
                c_.Check11[static_cast<size_t>(i)] = check;
                c_.Text22[static_cast<size_t>(i)] = box;
            }
        }
        c_.Frame2[static_cast<size_t>(page)] = f;
        stack->addWidget(f, 0, 0);
    }
    c_.Frame2[1]->setVisible(false);
    v->addWidget(pages);
}

QList<QWidget*> BaseDrawPanel::tabOrder() const
{
    QList<QWidget*> order = {c_.TabStrip1};
    for (const auto* boxes : {&c_.Check1, &c_.Check11})
        for (int i = 1; i <= 7; ++i)
            order << (*boxes)[static_cast<size_t>(i)];
    for (int i = 1; i <= 7; ++i)
        order << c_.Text22[static_cast<size_t>(i)];
    return order;
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

}  // namespace qudrim::app
