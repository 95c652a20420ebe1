// The search-option controls: each handler sets its program-wide variable,
// saves it at once and refreshes what depends on it.
#include "app/frmMain.h"

#include "app/mask_edit.h"
#include "app/settings_keys.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

using namespace qudrim;

void frmMain::Option1_Click(int index)
{
    app::ProgramState& s = state_;
    if (index == 1)
        s.bolZyw = true;
    else if (index == 0)
        s.bolZyw = false;
    Check2->setVisible(s.bolZyw);
    if (index == 3)
        s.bolSq = true;
    else if (index == 2)
        s.bolSq = false;
    // Both keys on every click, whichever group was clicked.
    settings_.saveBool(app::settingKey::bolZyw, s.bolZyw);
    settings_.saveBool(app::settingKey::bolSq, s.bolSq);
    ShangqiXianshi();
    resetSearchRangeStart();
}

void frmMain::Option2_Click(int)
{
    state_.bolLdm = Option2[4]->isChecked();
    settings_.saveBool(app::settingKey::bolLdm, state_.bolLdm);
    ShangqiXianshi();
}

void frmMain::Option3_Click(int index)
{
    state_.intLei = static_cast<int16_t>(index);
    // The refresh already shows the new type; the key is saved after it.
    ShangqiXianshi();
    settings_.saveInt(app::settingKey::intLei, state_.intLei);
}

void frmMain::Option4_Click(int index)
{
    // The result type is used by the next search; nothing is refreshed.
    state_.intXianshiLei = static_cast<int16_t>(index);
    settings_.saveInt(app::settingKey::intXianshiLei, state_.intXianshiLei);
}

void frmMain::Option6_Click(int index)
{
    state_.bolZhpm = index != 0;
    settings_.saveBool(app::settingKey::bolZhpm, state_.bolZhpm);
}

void frmMain::Check2_LostFocus()
{
    // The searches read the box itself; the key only restores it.
    settings_.saveInt(app::settingKey::intIdfTm, Check2->isChecked() ? 1 : 0);
}

void frmMain::Combo1_LostFocus()
{
    // Only a whole number from 1 to 6 is a combination size. Anything else
    // leaves the size in force, and the box shows it again.
    const auto v = app::SettingsStore::toInt16(Combo1->currentText());
    if (v && *v >= 1 && *v <= 6) {
        state_.intZhWSetup = *v;
        settings_.saveInt(app::settingKey::intZhWSetup, state_.intZhWSetup);
    }
    Combo1->setCurrentText(QString::number(state_.intZhWSetup));
}

void frmMain::MaskEdBox2_LostFocus()
{
    if (const auto n = digitInNBox())
        state_.intPreQi = *n;
    settings_.saveInt(app::settingKey::intPreQi, state_.intPreQi);
    ShangqiXianshi();
    resetSearchRangeStart();
}

std::optional<int16_t> frmMain::digitInNBox() const
{
    const QString t = MaskEdBox2->text();
    if (t.size() == 1 && t[0].isDigit())
        return static_cast<int16_t>(t[0].digitValue());
    return std::nullopt;
}

bool frmMain::runBoxHandler(QObject* box)
{
    if (box == MaskEdBox2) {
        MaskEdBox2_LostFocus();
        return true;
    }
    if (box == Combo1) {
        Combo1_LostFocus();
        return true;
    }
    if (box == Check2) {
        Check2_LostFocus();
        return true;
    }
    for (int i = 1; i <= 7; ++i)
        if (box == Text22[static_cast<size_t>(i)]) {
            Text22_LostFocus(i);
            return true;
        }
    return false;
}

void frmMain::runPendingBoxHandler()
{
    // A mnemonic or a menu command can run while a box still has the focus;
    // the box's value must be in force before the command uses it.
    QWidget* focused = focusWidget();
    if (!focused)
        return;
    if (Combo1->isAncestorOf(focused))
        focused = Combo1;
    runBoxHandler(focused);
}
