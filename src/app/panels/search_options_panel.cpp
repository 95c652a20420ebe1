#include "app/panels/search_options_panel.h"

#include "app/desktop/error_text.h"
#include "app/desktop/prompter.h"
#include "app/panels/settings_keys.h"
#include "app/panels/settings_store.h"
#include "app/session/history_session.h"
#include "app/widgets/caption_overlay.h"
#include "app/widgets/controls.h"
#include "app/widgets/digits.h"
#include "app/widgets/lost_focus.h"
#include "app/widgets/mask_edit.h"
#include "store/plain_text.h"

#include <QBoxLayout>
#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <array>
#include <limits>

namespace qudrim::app {

namespace {

std::optional<int32_t> issueOf(const QLineEdit* box)
{
    int64_t v = 0;
    if (!parseInt(box->text().toStdString(), v) || v < std::numeric_limits<int32_t>::min() ||
        v > std::numeric_limits<int32_t>::max())
        return std::nullopt;
    return static_cast<int32_t>(v);
}

// A frame of controls one under the other, kept at its top.
QGroupBox* frameOf(const QString& name, const QString& title, const QList<QWidget*>& rows, int spacing = 3)
{
    auto* box = named<QGroupBox>(name, title);
    auto* v = new QVBoxLayout(box);
    compact(v, 4, spacing);
    for (QWidget* row : rows)
        v->addWidget(row);
    v->addStretch(1);
    return box;
}

}  // namespace

// The controls the handlers read and set; the frames and captions around
// them need no name of their own here.
struct SearchOptionsPanel::Controls {
    std::array<QRadioButton*, 4> Option1{};  // 0 固定位, 1 自由位, 2 前N期, 3 上期
    QCheckBox* Check2 = nullptr;
    MaskEdit* MaskEdBox2 = nullptr;
    std::array<QRadioButton*, 6> Option2{};  // 4 落地码, 5 顺序码
    std::array<QRadioButton*, 2> Option6{};  // 0 平特, 1 平码
    QComboBox* Combo1 = nullptr;
    QPushButton* Command2 = nullptr;
    std::array<QLineEdit*, 2> Text3{};
    std::array<QRadioButton*, 8> Option3{};  // search type
    std::array<QRadioButton*, 8> Option4{};  // result type
    std::array<QRadioButton*, 3> Option5{};  // 平特, 平码, 特码
};

SearchOptionsPanel::SearchOptionsPanel(const HistorySession& history, SettingsStore& settings, Prompter& prompter,
                                       QWidget* parent)
    : QWidget(parent),
      c_(std::make_unique<Controls>()),
      history_(history),
      settings_(settings),
      prompter_(prompter),
      lostFocus_([this](QObject* box) { runBoxHandler(box); })
{
    createControls();
    for (int i = 0; i < 4; ++i)
        connect(c_->Option1[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (int i = 4; i <= 5; ++i)
        connect(c_->Option2[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    for (int k = 0; k < 8; ++k) {
        connect(c_->Option3[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option3_Click(k); });
        connect(c_->Option4[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option4_Click(k); });
    }
    for (int i = 0; i < 2; ++i)
        connect(c_->Option6[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option6_Click(i); });
    // Check2 and the tally scope have no handler: their options follow the
    // controls however they change.
    connect(c_->Check2, &QCheckBox::stateChanged, this, [this](int state) { s_.specialCounts = state != Qt::Unchecked; });
    for (int i = 0; i < 3; ++i)
        connect(c_->Option5[static_cast<size_t>(i)], &QRadioButton::toggled, this, [this, i](bool on) {
            if (on)
                s_.scope = i;
        });
    // Boxes whose handler runs when they lose the focus.
    lostFocus_.watch(c_->Check2);
    lostFocus_.watch(c_->Combo1);
    lostFocus_.watch(c_->MaskEdBox2);
    chainTabOrder(tabOrder());
}

SearchOptionsPanel::~SearchOptionsPanel() = default;

QPushButton* SearchOptionsPanel::Command2() const { return c_->Command2; }

void SearchOptionsPanel::createControls()
{
    Controls& c = *c_;
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(4);
    grid->setVerticalSpacing(4);

    // Top row: 检索位选择, 检索期选择, 号码序选择, 组合组位检索.
    c.Option1[0] = named<QRadioButton>(QStringLiteral("Option1_0"), QStringLiteral("固定位"));
    c.Option1[1] = named<QRadioButton>(QStringLiteral("Option1_1"), QStringLiteral("自由位"));
    c.Check2 = named<QCheckBox>(QStringLiteral("Check2"), QStringLiteral("自由位计特码"));
    c.Option1[1]->setChecked(true);
    c.Check2->setChecked(true);
    QGroupBox* Frame1_0 =
        frameOf(QStringLiteral("Frame1_0"), QStringLiteral("检索位选择"), {c.Option1[0], c.Option1[1], c.Check2});

    c.Option1[2] = named<QRadioButton>(QStringLiteral("Option1_2"), QStringLiteral("前    期"));
    c.Option1[3] = named<QRadioButton>(QStringLiteral("Option1_3"), QStringLiteral("上期"));
    c.MaskEdBox2 = named<MaskEdit>(QStringLiteral("MaskEdBox2"), 1);
    c.MaskEdBox2->setToolTip(entryBoxTip());
    c.MaskEdBox2->setAlignment(Qt::AlignCenter);
    c.MaskEdBox2->setTextMargins(0, 0, 0, 0);
    const QFontMetrics fm(c.Option1[2]->font());
    // The N box stands in the blank gap of "前    期".
    auto* nBack = new CaptionOverlay(c.Option1[2], c.MaskEdBox2, QStringLiteral("前"), QStringLiteral("    "),
                                     fm.horizontalAdvance(QLatin1Char('0')) + 10);
    c.Option1[3]->setChecked(true);
    QGroupBox* Frame1_1 = frameOf(QStringLiteral("Frame1_1"), QStringLiteral("检索期选择"), {nBack, c.Option1[3]});
    // The overlay gives "前    期" a parent of its own, so the two buttons
    // are no longer siblings: one group keeps them exclusive.
    auto* compared = new QButtonGroup(Frame1_1);
    compared->addButton(c.Option1[2]);
    compared->addButton(c.Option1[3]);

    c.Option2[4] = named<QRadioButton>(QStringLiteral("Option2_4"), QStringLiteral("落地码"));
    c.Option2[5] = named<QRadioButton>(QStringLiteral("Option2_5"), QStringLiteral("顺序码"));
    c.Option2[4]->setChecked(true);
    QGroupBox* Frame1_2 = frameOf(QStringLiteral("Frame1_2"), QStringLiteral("号码序选择"), {c.Option2[4], c.Option2[5]});

    auto* Frame5 = named<QGroupBox>(QStringLiteral("Frame5"), QStringLiteral("组合组位检索"));
    {
        auto* g = new QGridLayout(Frame5);
        compact(g);
        c.Option6[0] = named<QRadioButton>(QStringLiteral("Option6_0"), QStringLiteral("平特"));
        c.Option6[1] = named<QRadioButton>(QStringLiteral("Option6_1"), QStringLiteral("平码"));
        c.Option6[0]->setChecked(true);
        auto* Label1 = named<QLabel>(QStringLiteral("Label1"), QStringLiteral("组合位数"));
        c.Combo1 = named<QComboBox>(QStringLiteral("Combo1"));
        c.Combo1->setEditable(true);
        c.Combo1->addItems({QStringLiteral("1"), QStringLiteral("2"), QStringLiteral("3"), QStringLiteral("4"),
                            QStringLiteral("5"), QStringLiteral("6")});
        c.Combo1->setInsertPolicy(QComboBox::NoInsert);
        c.Combo1->setCurrentIndex(1);
        c.Combo1->setMinimumContentsLength(2);
        c.Command2 = named<QPushButton>(QStringLiteral("Command2"), QStringLiteral("组合检索(&G)"));
        g->addWidget(c.Option6[0], 0, 0);
        g->addWidget(c.Option6[1], 0, 1);
        g->addWidget(Label1, 1, 0);
        g->addWidget(c.Combo1, 1, 1);
        g->addWidget(c.Command2, 2, 0, 1, 2);
    }

    // Second row: 检索起止期数, 搜索类型选择, 结果类型选择, 结果统计选择.
    auto* Frame7 = named<QGroupBox>(QStringLiteral("Frame7"), QStringLiteral("检索起止期数"));
    {
        auto* g = new QGridLayout(Frame7);
        compact(g);
        std::array<QLabel*, 2> Label3{};
        for (int i = 0; i < 2; ++i) {
            c.Text3[static_cast<size_t>(i)] = named<QLineEdit>(indexed("Text3", i), QStringLiteral("2013001"));
            c.Text3[static_cast<size_t>(i)]->setFixedWidth(
                c.Text3[0]->fontMetrics().horizontalAdvance(QStringLiteral("20130010")) + 8);
            Label3[static_cast<size_t>(i)] =
                named<QLabel>(indexed("Label3", i), i == 0 ? QStringLiteral("起") : QStringLiteral("止"));
        }
        auto* Label4 = named<QLabel>(QStringLiteral("Label4"), QStringLiteral("～"));
        Label4->setAlignment(Qt::AlignCenter);
        g->addWidget(c.Text3[0], 0, 0);
        g->addWidget(Label3[0], 0, 1);
        g->addWidget(Label4, 1, 0);
        g->addWidget(c.Text3[1], 2, 0);
        g->addWidget(Label3[1], 2, 1);
        g->setRowStretch(3, 1);
    }
    auto kindFrame = [](const QString& name, const QString& title, std::array<QRadioButton*, 8>& options,
                        const char* optionName) {
        auto* box = named<QGroupBox>(name, title);
        auto* g = new QGridLayout(box);
        compact(g, 4, 2);
        for (int k = 0; k < 8; ++k) {
            options[static_cast<size_t>(k)] =
                named<QRadioButton>(indexed(optionName, k), caption(kKindCaptions[static_cast<size_t>(k)]));
            g->addWidget(options[static_cast<size_t>(k)], k / 2, k % 2);
        }
        options[0]->setChecked(true);
        return box;
    };
    QGroupBox* Frame3 = kindFrame(QStringLiteral("Frame3"), QStringLiteral("搜索类型选择"), c.Option3, "Option3");
    QGroupBox* Frame4 = kindFrame(QStringLiteral("Frame4"), QStringLiteral("结果类型选择"), c.Option4, "Option4");
    const QStringList scope = {QStringLiteral("平特"), QStringLiteral("平码"), QStringLiteral("特码")};
    for (int i = 0; i < 3; ++i)
        c.Option5[static_cast<size_t>(i)] = named<QRadioButton>(indexed("Option5", i), scope[i]);
    c.Option5[0]->setChecked(true);
    QGroupBox* Frame6 =
        frameOf(QStringLiteral("Frame6"), QStringLiteral("结果统计选择"), {c.Option5[0], c.Option5[1], c.Option5[2]}, 2);

    grid->addWidget(Frame1_0, 0, 0);
    grid->addWidget(Frame1_1, 0, 1);
    grid->addWidget(Frame1_2, 0, 2);
    grid->addWidget(Frame5, 0, 3);
    grid->addWidget(Frame7, 1, 0);
    grid->addWidget(Frame3, 1, 1);
    grid->addWidget(Frame4, 1, 2);
    grid->addWidget(Frame6, 1, 3);
}

QList<QWidget*> SearchOptionsPanel::tabOrder() const
{
    const Controls& c = *c_;
    QList<QWidget*> order = {c.Option1[0], c.Option1[1], c.Check2,     c.Option1[2], c.MaskEdBox2,
                             c.Option1[3], c.Option2[4], c.Option2[5], c.Option6[0], c.Option6[1],
                             c.Combo1,     c.Command2,   c.Text3[0],   c.Text3[1]};
    for (const auto* options : {&c.Option3, &c.Option4})
        for (QRadioButton* b : *options)
            order << b;
    for (QRadioButton* b : c.Option5)
        order << b;
    return order;
}

void SearchOptionsPanel::loadSettings()
{
    SearchOptionState& s = s_;
    s.bolZyw = settings_.readBool(settingKey::bolZyw, true);
    s.bolSq = settings_.readBool(settingKey::bolSq, true);
    s.intLei = settings_.readInt16(settingKey::intLei, 0);

    // Each click runs its handler as the user's would: it saves its keys
    // again and refreshes the panel with the options read so far.
    (s.bolZyw ? c_->Option1[1] : c_->Option1[0])->click();
    c_->Check2->setVisible(s.bolZyw);
    (s.bolSq ? c_->Option1[3] : c_->Option1[2])->click();

    // A stored value other than 0 and 1 leaves the box as it is.
    const int16_t intIdfTm = settings_.readInt16(settingKey::intIdfTm, 1);
    if (intIdfTm == 0 || intIdfTm == 1)
        c_->Check2->setChecked(intIdfTm == 1);

    // The result type; a stored number that names no kind selects no button.
    s.intXianshiLei = settings_.readInt16(settingKey::intXianshiLei, 0);
    if (const auto kind = s.resultKind())
        c_->Option4[static_cast<size_t>(*kind)]->click();

    s.bolZhpm = settings_.readBool(settingKey::bolZhpm, false);
    (s.bolZhpm ? c_->Option6[1] : c_->Option6[0])->click();

    // N of 前N期; the box takes one digit.
    s.intPreQi = settings_.readInt16(settingKey::intPreQi, 2);
    if (s.intPreQi >= 0 && s.intPreQi <= 9)
        c_->MaskEdBox2->setText(QString::number(s.intPreQi));

    // The combination size; a stored size the box does not offer is read as
    // the default.
    s.intZhWSetup = settings_.readInt16(settingKey::intZhWSetup, 2);
    if (s.intZhWSetup < 1 || s.intZhWSetup > 6)
        s.intZhWSetup = 2;
    c_->Combo1->setCurrentText(QString::number(s.intZhWSetup));

    if (const auto kind = s.searchKind())
        c_->Option3[static_cast<size_t>(*kind)]->click();

    s.bolLdm = settings_.readBool(settingKey::bolLdm, true);
    (s.bolLdm ? c_->Option2[4] : c_->Option2[5])->click();
}

void SearchOptionsPanel::showWholeRange()
{
    const store::Snapshot& view = history_.view();
    if (const DrawRow* last = view.last()) {
        c_->Text3[0]->setText(QString::number(view.row(0).issue + searchRangeOffset()));
        c_->Text3[1]->setText(QString::number(last->issue));
    }
}

void SearchOptionsPanel::showRangeEnd()
{
    if (const DrawRow* last = history_.view().last())
        c_->Text3[1]->setText(QString::number(last->issue));
}

void SearchOptionsPanel::Option1_Click(int index)
{
    SearchOptionState& s = s_;
    if (index == 1)
        s.bolZyw = true;
    else if (index == 0)
        s.bolZyw = false;
    c_->Check2->setVisible(s.bolZyw);
    if (index == 3)
        s.bolSq = true;
    else if (index == 2)
        s.bolSq = false;
    // Both keys on every click, whichever group was clicked.
    settings_.saveBool(settingKey::bolZyw, s.bolZyw);
    settings_.saveBool(settingKey::bolSq, s.bolSq);
    emit baseDrawChanged();
    resetSearchRangeStart();
}

void SearchOptionsPanel::Option2_Click(int)
{
    s_.bolLdm = c_->Option2[4]->isChecked();
    settings_.saveBool(settingKey::bolLdm, s_.bolLdm);
    emit baseDrawChanged();
}

void SearchOptionsPanel::Option3_Click(int index)
{
    s_.intLei = static_cast<int16_t>(index);
    // The refresh already shows the new type; the key is saved after it.
    emit baseDrawChanged();
    settings_.saveInt(settingKey::intLei, s_.intLei);
}

void SearchOptionsPanel::Option4_Click(int index)
{
    // The result type is used by the next search; nothing is refreshed.
    s_.intXianshiLei = static_cast<int16_t>(index);
    settings_.saveInt(settingKey::intXianshiLei, s_.intXianshiLei);
}

void SearchOptionsPanel::Option6_Click(int index)
{
    s_.bolZhpm = index != 0;
    settings_.saveBool(settingKey::bolZhpm, s_.bolZhpm);
}

void SearchOptionsPanel::Check2_LostFocus()
{
    // The key only restores the box; the searches take specialCounts,
    // which follows the box.
    settings_.saveInt(settingKey::intIdfTm, c_->Check2->isChecked() ? 1 : 0);
}

void SearchOptionsPanel::Combo1_LostFocus()
{
    // Only a whole number from 1 to 6 is a combination size. Anything else
    // leaves the size in force, and the box shows it again.
    const auto v = SettingsStore::toInt16(c_->Combo1->currentText());
    if (v && *v >= 1 && *v <= 6) {
        s_.intZhWSetup = *v;
        settings_.saveInt(settingKey::intZhWSetup, s_.intZhWSetup);
    }
    c_->Combo1->setCurrentText(QString::number(s_.intZhWSetup));
}

void SearchOptionsPanel::MaskEdBox2_LostFocus()
{
    if (const auto n = digitInNBox())
        s_.intPreQi = *n;
    settings_.saveInt(settingKey::intPreQi, s_.intPreQi);
    emit baseDrawChanged();
    resetSearchRangeStart();
}

std::optional<int16_t> SearchOptionsPanel::digitInNBox() const
{
    const QString t = c_->MaskEdBox2->text();
    if (t.size() == 1 && isAsciiDigit(t[0]))
        return static_cast<int16_t>(t[0].digitValue());
    return std::nullopt;
}

int SearchOptionsPanel::searchRangeOffset() const
{
    if (s_.bolSq)
        return 1;
    // The number in the N box; a box without a digit counts as the N in force.
    // The first draw with a compared draw N back is N issues after the first
    // stored one, and at least one issue after it (N = 0 compares with the
    // previous draw, as the search does).
    return std::max<int>(1, digitInNBox().value_or(s_.intPreQi));
}

void SearchOptionsPanel::resetSearchRangeStart()
{
    const store::Snapshot& view = history_.view();
    if (view.empty())
        return;
    c_->Text3[0]->setText(QString::number(view.row(0).issue + searchRangeOffset()));
}

std::optional<std::pair<int32_t, int32_t>> SearchOptionsPanel::searchRange()
{
    const auto first = issueOf(c_->Text3[0]);
    const auto last = issueOf(c_->Text3[1]);
    if (first && last)
        return std::pair{*first, *last};
    prompter_.warning(window(), inputErrorTitle(), QStringLiteral("检索起止期数必须是整数期号，例如 2013001。"));
    QLineEdit* faulty = first ? c_->Text3[1] : c_->Text3[0];
    faulty->setFocus(Qt::OtherFocusReason);
    faulty->selectAll();
    return std::nullopt;
}

bool SearchOptionsPanel::runBoxHandler(QObject* box)
{
    if (box == c_->MaskEdBox2) {
        MaskEdBox2_LostFocus();
        return true;
    }
    if (box == c_->Combo1 || (box->isWidgetType() && c_->Combo1->isAncestorOf(static_cast<QWidget*>(box)))) {
        Combo1_LostFocus();
        return true;
    }
    if (box == c_->Check2) {
        Check2_LostFocus();
        return true;
    }
    return false;
}

}  // namespace qudrim::app
