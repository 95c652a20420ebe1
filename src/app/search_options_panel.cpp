#include "app/search_options_panel.h"

#include "app/digits.h"
#include "app/error_text.h"
#include "app/history.h"
#include "app/lost_focus.h"
#include "app/mask_edit.h"
#include "app/prompter.h"
#include "app/settings_keys.h"
#include "app/settings_store.h"
#include "store/plain_text.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <algorithm>
#include <limits>
#include <stdexcept>
#include <string>

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

// A kind setting as the searches take it. One that names no kind (edited
// outside the program) fails the search with the words the core has for it.
Kind searchedKind(std::optional<Kind> kind, const char* what)
{
    if (kind)
        return *kind;
    throw std::invalid_argument(std::string(what) + " out of range");
}

}  // namespace

SearchOptionsPanel::SearchOptionsPanel(const Controls& controls, const History& history, SettingsStore& settings,
                                       Prompter& prompter, QWidget* window)
    : QObject(window), c_(controls), history_(history), settings_(settings), prompter_(prompter), window_(window)
{
    for (int i = 0; i < 4; ++i)
        connect(c_.Option1[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option1_Click(i); });
    for (int i = 4; i <= 5; ++i)
        connect(c_.Option2[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option2_Click(i); });
    for (int k = 0; k < 8; ++k) {
        connect(c_.Option3[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option3_Click(k); });
        connect(c_.Option4[static_cast<size_t>(k)], &QRadioButton::clicked, this, [this, k] { Option4_Click(k); });
    }
    for (int i = 0; i < 2; ++i)
        connect(c_.Option6[static_cast<size_t>(i)], &QRadioButton::clicked, this, [this, i] { Option6_Click(i); });
    // Boxes whose handler runs when they lose the focus.
    c_.Check2->installEventFilter(this);
    c_.Combo1->installEventFilter(this);
    c_.MaskEdBox2->installEventFilter(this);
}

void SearchOptionsPanel::loadSettings()
{
    SearchOptionState& s = s_;
    s.bolZyw = settings_.readBool(settingKey::bolZyw, true);
    s.bolSq = settings_.readBool(settingKey::bolSq, true);
    s.intLei = settings_.readInt16(settingKey::intLei, 0);

    // Positions and compared draw. Later steps set the final state.
    (s.bolZyw ? c_.Option1[1] : c_.Option1[0])->click();
    c_.Check2->setVisible(s.bolZyw);
    (s.bolSq ? c_.Option1[3] : c_.Option1[2])->click();

    // The check box that counts the special number in free positions.
    const int16_t intIdfTm = settings_.readInt16(settingKey::intIdfTm, 1);
    if (intIdfTm == 0 || intIdfTm == 1)
        c_.Check2->setChecked(intIdfTm == 1);

    // The result type; a stored number that names no kind selects no button.
    s.intXianshiLei = settings_.readInt16(settingKey::intXianshiLei, 0);
    if (const auto kind = s.resultKind())
        c_.Option4[static_cast<size_t>(*kind)]->click();

    // The combination pool.
    s.bolZhpm = settings_.readBool(settingKey::bolZhpm, false);
    (s.bolZhpm ? c_.Option6[1] : c_.Option6[0])->click();

    // N of 前N期; the box takes one digit.
    s.intPreQi = settings_.readInt16(settingKey::intPreQi, 2);
    if (s.intPreQi >= 0 && s.intPreQi <= 9)
        c_.MaskEdBox2->setText(QString::number(s.intPreQi));

    // The combination size; a stored size the box does not offer is read as
    // the default.
    s.intZhWSetup = settings_.readInt16(settingKey::intZhWSetup, 2);
    if (s.intZhWSetup < 1 || s.intZhWSetup > 6)
        s.intZhWSetup = 2;
    c_.Combo1->setCurrentText(QString::number(s.intZhWSetup));

    // The search type.
    if (const auto kind = s.searchKind())
        c_.Option3[static_cast<size_t>(*kind)]->click();

    // The number order.
    s.bolLdm = settings_.readBool(settingKey::bolLdm, true);
    (s.bolLdm ? c_.Option2[4] : c_.Option2[5])->click();
}

void SearchOptionsPanel::showWholeRange()
{
    const store::Snapshot& view = history_.view();
    if (const DrawRow* last = view.last()) {
        c_.Text3[0]->setText(QString::number(view.row(0).issue + searchRangeOffset()));
        c_.Text3[1]->setText(QString::number(last->issue));
    }
}

void SearchOptionsPanel::showRangeEnd()
{
    if (const DrawRow* last = history_.view().last())
        c_.Text3[1]->setText(QString::number(last->issue));
}

void SearchOptionsPanel::Option1_Click(int index)
{
    SearchOptionState& s = s_;
    if (index == 1)
        s.bolZyw = true;
    else if (index == 0)
        s.bolZyw = false;
    c_.Check2->setVisible(s.bolZyw);
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
    s_.bolLdm = c_.Option2[4]->isChecked();
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
    // The searches read the box itself; the key only restores it.
    settings_.saveInt(settingKey::intIdfTm, c_.Check2->isChecked() ? 1 : 0);
}

void SearchOptionsPanel::Combo1_LostFocus()
{
    // Only a whole number from 1 to 6 is a combination size. Anything else
    // leaves the size in force, and the box shows it again.
    const auto v = SettingsStore::toInt16(c_.Combo1->currentText());
    if (v && *v >= 1 && *v <= 6) {
        s_.intZhWSetup = *v;
        settings_.saveInt(settingKey::intZhWSetup, s_.intZhWSetup);
    }
    c_.Combo1->setCurrentText(QString::number(s_.intZhWSetup));
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
    const QString t = c_.MaskEdBox2->text();
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
    c_.Text3[0]->setText(QString::number(view.row(0).issue + searchRangeOffset()));
}

std::optional<std::pair<int32_t, int32_t>> SearchOptionsPanel::searchRange()
{
    const auto first = issueOf(c_.Text3[0]);
    const auto last = issueOf(c_.Text3[1]);
    if (first && last)
        return std::pair{*first, *last};
    prompter_.warning(window_, inputErrorTitle(), QStringLiteral("检索起止期数必须是整数期号，例如 2013001。"));
    QLineEdit* faulty = first ? c_.Text3[1] : c_.Text3[0];
    faulty->setFocus(Qt::OtherFocusReason);
    faulty->selectAll();
    return std::nullopt;
}

search::SearchOptions SearchOptionsPanel::request(std::pair<int32_t, int32_t> range, const PanelState& panel,
                                                  const std::array<bool, 8>& positions, const CodeBases& bases)
{
    // Fixed or free positions follow the buttons at the moment of the
    // click; the setting keeps what the user last chose.
    s_.bolZyw = !c_.Option1[0]->isChecked();
    c_.Check2->setVisible(s_.bolZyw);

    search::SearchOptions o;
    // A greyed box counts as ticked.
    o.specialCounts = c_.Check2->checkState() != Qt::Unchecked;
    o.bolZyw = s_.bolZyw;
    o.bolSq = s_.bolSq;
    o.intPreQi = s_.intPreQi;
    o.intLei = searchedKind(s_.searchKind(), "search kind");
    o.bolWei = positions;
    o.intSqLei = panel.intSqLei;

    search::DisplayOptions& d = o.display;
    d.firstIssue = range.first;
    d.lastIssue = range.second;
    d.intXianshiLei = searchedKind(s_.resultKind(), "result kind");
    d.strQz = panel.strQz.value_or(s_.numberOrder());
    d.bolSq = s_.bolSq;
    d.bases = bases;
    d.scope = 0;
    for (int i = 0; i < 3; ++i)
        if (c_.Option5[static_cast<size_t>(i)]->isChecked())
            d.scope = i;
    return o;
}

bool SearchOptionsPanel::runBoxHandler(QObject* box)
{
    if (box == c_.MaskEdBox2) {
        MaskEdBox2_LostFocus();
        return true;
    }
    if (box == c_.Combo1 || (box->isWidgetType() && c_.Combo1->isAncestorOf(static_cast<QWidget*>(box)))) {
        Combo1_LostFocus();
        return true;
    }
    if (box == c_.Check2) {
        Check2_LostFocus();
        return true;
    }
    return false;
}

bool SearchOptionsPanel::eventFilter(QObject* watched, QEvent* event)
{
    if (userLeftBox(event))
        runBoxHandler(watched);
    return QObject::eventFilter(watched, event);
}

}  // namespace qudrim::app
