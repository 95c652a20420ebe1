#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAction>
#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QRadioButton>

#include <map>

using namespace qudrim::testing;

namespace {

QString indexed(const char* name, int index) { return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index); }

class SettingsTest : public WindowTest {
protected:
    frmMain& openActive()
    {
        open();
        activate(window.get());
        return *window;
    }
    template <class T>
    T* w(const char* name) const
    {
        return find<T>(QString::fromLatin1(name));
    }
    bool checked(const char* name) const { return w<QAbstractButton>(name)->isChecked(); }
    // Clicking a box that has no handler of its own moves the focus away.
    void leaveBox() { clickBox(w<QLineEdit>("Text3_1")); }
};

TEST_F(SettingsTest, OptionsChosenByTheUserAreBackAfterARestart)
{
    fillHistory(history2013());
    openActive();
    clickButton(w<QRadioButton>("Option1_0"));  // 固定位
    clickButton(w<QRadioButton>("Option1_2"));  // 前N期
    clickButton(w<QRadioButton>("Option2_5"));  // 顺序码
    clickButton(w<QRadioButton>("Option3_1"));  // search type 生肖
    clickButton(w<QRadioButton>("Option4_6"));  // result type 波色
    clickButton(w<QRadioButton>("Option6_1"));  // pool 平码
    typeOver(w<QComboBox>("Combo1"), QStringLiteral("4"));
    leaveBox();
    typeOver(w<QLineEdit>("MaskEdBox2"), QStringLiteral("5"));
    leaveBox();
    w<QAction>("mnuSxcs_0")->trigger();
    w<QAction>("mnuBscs_0")->trigger();

    const std::map<QString, QString> expected = {
        {QStringLiteral("bolZyw"), QStringLiteral("False")}, {QStringLiteral("bolSq"), QStringLiteral("False")},
        {QStringLiteral("bolLdm"), QStringLiteral("False")}, {QStringLiteral("intLei"), QStringLiteral("1")},
        {QStringLiteral("intXianshiLei"), QStringLiteral("6")}, {QStringLiteral("bolZhpm"), QStringLiteral("True")},
        {QStringLiteral("intZhWSetup"), QStringLiteral("4")}, {QStringLiteral("intPreQi"), QStringLiteral("5")},
        {QStringLiteral("SxIni"), QStringLiteral("0")},     {QStringLiteral("BsIni"), QStringLiteral("0")}};
    for (const auto& [key, text] : expected)
        EXPECT_EQ(storedSetting(key), text) << key.toStdString();
    // The range start follows N at once: 2013001 + 5.
    EXPECT_EQ(w<QLineEdit>("Text3_0")->text(), QStringLiteral("2013006"));

    window.reset();
    openActive();
    EXPECT_TRUE(checked("Option1_0"));
    EXPECT_FALSE(w<QCheckBox>("Check2")->isVisible());
    EXPECT_TRUE(checked("Option1_2"));
    EXPECT_TRUE(checked("Option2_5"));
    for (int k = 0; k < 8; ++k) {
        EXPECT_EQ(checked(indexed("Option3", k).toLatin1().constData()), k == 1) << k;
        EXPECT_EQ(checked(indexed("Option4", k).toLatin1().constData()), k == 6) << k;
    }
    EXPECT_TRUE(checked("Option6_1"));
    EXPECT_EQ(w<QComboBox>("Combo1")->currentText(), QStringLiteral("4"));
    EXPECT_EQ(w<QLineEdit>("MaskEdBox2")->text(), QStringLiteral("5"));
    EXPECT_TRUE(w<QAction>("mnuSxcs_0")->isChecked());
    EXPECT_FALSE(w<QAction>("mnuSxcs_1")->isChecked());
    EXPECT_TRUE(w<QAction>("mnuBscs_0")->isChecked());
    EXPECT_TRUE(w<QAction>("mnuDscs_1")->isChecked());
    EXPECT_EQ(w<QLineEdit>("Text3_0")->text(), QStringLiteral("2013006"));

    const auto& s = window->programState();
    EXPECT_FALSE(s.bolZyw);
    EXPECT_FALSE(s.bolSq);
    EXPECT_FALSE(s.bolLdm);
    EXPECT_EQ(s.intLei, 1);
    EXPECT_EQ(s.intXianshiLei, 6);
    EXPECT_TRUE(s.bolZhpm);
    EXPECT_EQ(s.intZhWSetup, 4);
    EXPECT_EQ(s.intPreQi, 5);
    EXPECT_EQ(s.bases, (qudrim::CodeBases{0, 1, 0}));
    EXPECT_EQ(window->panelState().strQz, 'D');
    // Restoring the options saved them again, unchanged.
    for (const auto& [key, text] : expected)
        EXPECT_EQ(storedSetting(key), text) << key.toStdString();
}

TEST_F(SettingsTest, EveryPositionClickSavesBothPositionAndCompareKeys)
{
    openActive();
    clickButton(w<QRadioButton>("Option1_2"));  // 前N期 while 自由位 stays
    EXPECT_EQ(storedSetting(QStringLiteral("bolZyw")), QStringLiteral("True"));
    EXPECT_EQ(storedSetting(QStringLiteral("bolSq")), QStringLiteral("False"));
    EXPECT_TRUE(w<QCheckBox>("Check2")->isVisible());
    clickButton(w<QRadioButton>("Option1_0"));  // 固定位 hides the check box whatever the compared draw
    EXPECT_EQ(storedSetting(QStringLiteral("bolZyw")), QStringLiteral("False"));
    EXPECT_EQ(storedSetting(QStringLiteral("bolSq")), QStringLiteral("False"));
    EXPECT_FALSE(w<QCheckBox>("Check2")->isVisible());
    clickButton(w<QRadioButton>("Option1_3"));
    EXPECT_FALSE(w<QCheckBox>("Check2")->isVisible());
    EXPECT_EQ(storedSetting(QStringLiteral("bolSq")), QStringLiteral("True"));
    clickButton(w<QRadioButton>("Option1_1"));
    EXPECT_TRUE(w<QCheckBox>("Check2")->isVisible());
    EXPECT_EQ(storedSetting(QStringLiteral("bolZyw")), QStringLiteral("True"));
}

TEST_F(SettingsTest, CompareButtonsAreExclusiveBothWays)
{
    openActive();
    clickButton(w<QRadioButton>("Option1_2"));
    EXPECT_TRUE(checked("Option1_2"));
    EXPECT_FALSE(checked("Option1_3"));
    EXPECT_FALSE(window->programState().bolSq);
    clickButton(w<QRadioButton>("Option1_3"));
    EXPECT_FALSE(checked("Option1_2"));
    EXPECT_TRUE(checked("Option1_3"));
    EXPECT_TRUE(window->programState().bolSq);
    clickButton(w<QRadioButton>("Option1_3"));  // clicking the chosen one keeps it
    EXPECT_TRUE(checked("Option1_3"));
}

TEST_F(SettingsTest, StoredDrawNBeforeLeavesOnlyItsButtonChosen)
{
    storeSetting(QStringLiteral("bolSq"), QStringLiteral("False"));
    openActive();
    EXPECT_TRUE(checked("Option1_2"));
    EXPECT_FALSE(checked("Option1_3"));
}

TEST_F(SettingsTest, SpecialNumberBoxIsSavedWhenLeftAndRestored)
{
    openActive();
    auto* check2 = w<QCheckBox>("Check2");
    clickButton(check2);
    EXPECT_FALSE(check2->isChecked());
    leaveBox();
    EXPECT_EQ(storedSetting(QStringLiteral("intIdfTm")), QStringLiteral("0"));
    window.reset();
    openActive();
    EXPECT_FALSE(w<QCheckBox>("Check2")->isChecked());
    EXPECT_TRUE(w<QCheckBox>("Check2")->isVisible());
}

TEST_F(SettingsTest, StoredFixedPositionsHideTheSpecialNumberBoxWhateverItsValue)
{
    storeSetting(QStringLiteral("bolZyw"), QStringLiteral("False"));
    storeSetting(QStringLiteral("intIdfTm"), QStringLiteral("1"));
    openActive();
    EXPECT_TRUE(checked("Option1_0"));
    EXPECT_FALSE(checked("Option1_1"));
    EXPECT_FALSE(w<QCheckBox>("Check2")->isVisible());
    EXPECT_TRUE(checked("Check2"));
}

TEST_F(SettingsTest, CombinationSizeTakesOnlyOneToSixAndKeepsItsValueForOtherText)
{
    openActive();
    auto* combo = w<QComboBox>("Combo1");
    typeOver(combo, QStringLiteral("5"));
    leaveBox();
    EXPECT_EQ(window->programState().intZhWSetup, 5);
    EXPECT_EQ(storedSetting(QStringLiteral("intZhWSetup")), QStringLiteral("5"));
    for (const char* refused : {"9", "x"}) {
        typeOver(combo, QString::fromLatin1(refused));
        leaveBox();
        EXPECT_EQ(window->programState().intZhWSetup, 5) << refused;
        EXPECT_EQ(storedSetting(QStringLiteral("intZhWSetup")), QStringLiteral("5")) << refused;
        EXPECT_EQ(combo->currentText(), QStringLiteral("5")) << refused;
    }
}

// A stored text that does not convert gives the variable's zero value, not
// the key's default, and the control shows that.
TEST_F(SettingsTest, UnconvertibleStoredTextsGiveZeroNotTheDefault)
{
    for (const char* key : {"bolZyw", "bolSq", "bolLdm", "intPreQi", "intZhWSetup", "intIdfTm", "SxIni", "DsIni",
                            "BsIni", "IniSerchDay", "intLei", "intXianshiLei"})
        storeSetting(QString::fromLatin1(key), QStringLiteral("abc"));
    storeSetting(QStringLiteral("intLei"), QStringLiteral("3")); // kept valid, to see 0 elsewhere
    storeSetting(QStringLiteral("intXianshiLei"), QStringLiteral("2x"));
    openActive();
    EXPECT_TRUE(checked("Option1_0"));
    EXPECT_FALSE(w<QCheckBox>("Check2")->isVisible());
    EXPECT_FALSE(checked("Check2"));
    EXPECT_TRUE(checked("Option1_2"));
    EXPECT_TRUE(checked("Option2_5"));
    EXPECT_TRUE(checked("Option3_3"));
    EXPECT_TRUE(checked("Option4_0"));
    EXPECT_EQ(w<QLineEdit>("MaskEdBox2")->text(), QStringLiteral("0"));
    // A combination size outside 1..6 is read as 2.
    EXPECT_EQ(w<QComboBox>("Combo1")->currentText(), QStringLiteral("2"));
    for (const char* pair : {"mnuSxcs", "mnuDscs", "mnuBscs"}) {
        EXPECT_TRUE(w<QAction>(indexed(pair, 0).toLatin1().constData())->isChecked()) << pair;
        EXPECT_FALSE(w<QAction>(indexed(pair, 1).toLatin1().constData())->isChecked()) << pair;
    }
    const auto& s = window->programState();
    EXPECT_FALSE(s.bolZyw);
    EXPECT_FALSE(s.bolSq);
    EXPECT_FALSE(s.bolLdm);
    EXPECT_EQ(s.intPreQi, 0);
    EXPECT_EQ(s.intZhWSetup, 2);
    EXPECT_EQ(s.IniSerchDay, 0);
    EXPECT_EQ(s.intXianshiLei, 0);
    EXPECT_EQ(s.bases, (qudrim::CodeBases{0, 0, 0}));
}

// Indexes beyond their option group or menu pair select nothing; the
// variable keeps the value read.
TEST_F(SettingsTest, OutOfRangeIndexesSelectNoButtonOrMenuEntry)
{
    storeSetting(QStringLiteral("intLei"), QStringLiteral("9"));
    storeSetting(QStringLiteral("intXianshiLei"), QStringLiteral("12"));
    storeSetting(QStringLiteral("SxIni"), QStringLiteral("5"));
    storeSetting(QStringLiteral("DsIni"), QStringLiteral("-1"));
    fillHistory(history2013());
    openActive();
    const auto& s = window->programState();
    EXPECT_EQ(s.intLei, 9);
    EXPECT_EQ(s.intXianshiLei, 12);
    for (int k = 1; k < 8; ++k) {
        EXPECT_FALSE(checked(indexed("Option3", k).toLatin1().constData())) << k;
        EXPECT_FALSE(checked(indexed("Option4", k).toLatin1().constData())) << k;
    }
    for (const char* pair : {"mnuSxcs", "mnuDscs"})
        for (int i = 0; i < 2; ++i)
            EXPECT_FALSE(w<QAction>(indexed(pair, i).toLatin1().constData())->isChecked()) << pair << i;
    EXPECT_EQ(s.bases.SxIni, 5);
    EXPECT_EQ(s.bases.DsIni, -1);
    // Nothing wrote the out-of-range values over.
    EXPECT_EQ(storedSetting(QStringLiteral("intLei")), QStringLiteral("9"));
    EXPECT_EQ(storedSetting(QStringLiteral("intXianshiLei")), QStringLiteral("12"));
}

TEST_F(SettingsTest, ReadingTheSettingsCreatesNoKey)
{
    openActive();
    window.reset();
    // Start-up saves the options it selects; it writes the code bases,
    // years, N and the size only when the user changes them.
    for (const char* key : {"intPreQi", "intZhWSetup", "SxIni", "DsIni", "BsIni", "IniSerchDay", "intIdfTm"})
        EXPECT_TRUE(storedSetting(QString::fromLatin1(key)).isEmpty()) << key;
}

}  // namespace
