// The option frames on their own, without the window: the panel builds its
// controls with their defaults and tab order, and reports what the user
// clicks and types as the state the searches take.
#include "app/panels/search_options_panel.h"
#include "app/panels/settings_store.h"
#include "app/session/history_session.h"
#include "app/tab_stops.h"
#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

using namespace qudrim;
using namespace qudrim::testing;

namespace {

class SearchOptionsPanelTest : public ::testing::Test {
protected:
    void SetUp() override { clearSettings(); }
    void TearDown() override
    {
        panel.reset();
        clearSettings();
    }

    template <class T>
    T* find(const char* name) const
    {
        T* w = panel->findChild<T*>(QString::fromLatin1(name));
        EXPECT_NE(w, nullptr) << "no control " << name;
        return w;
    }

    // The panel before start-up has read a setting: what it builds by itself.
    void build() { panel = std::make_unique<app::SearchOptionsPanel>(session, settings, prompter); }

    TempFolder folder;
    app::HistorySession session{folder.path()};
    app::SettingsStore settings;
    ScriptedPrompter prompter;
    std::unique_ptr<app::SearchOptionsPanel> panel;
};

TEST_F(SearchOptionsPanelTest, BuildsItsControlsWithTheirDefaultsAndTabOrder)
{
    build();
    struct Frame {
        const char* name;
        const char* title;
    };
    for (const Frame& f : {Frame{"Frame1_0", "检索位选择"}, Frame{"Frame1_1", "检索期选择"}, Frame{"Frame1_2", "号码序选择"},
                           Frame{"Frame5", "组合组位检索"}, Frame{"Frame7", "检索起止期数"}, Frame{"Frame3", "搜索类型选择"},
                           Frame{"Frame4", "结果类型选择"}, Frame{"Frame6", "结果统计选择"}})
        EXPECT_EQ(find<QGroupBox>(f.name)->title(), QString::fromUtf8(f.title)) << f.name;

    QStringList checked;
    for (QAbstractButton* b : panel->findChildren<QAbstractButton*>())
        if (b->isChecked())
            checked << b->objectName();
    checked.sort();
    EXPECT_EQ(checked, (QStringList{"Check2", "Option1_1", "Option1_3", "Option2_4", "Option3_0", "Option4_0",
                                    "Option5_0", "Option6_0"}));
    EXPECT_TRUE(find<QCheckBox>("Check2")->isVisibleTo(panel.get()));
    EXPECT_EQ(find<QLineEdit>("MaskEdBox2")->text(), QStringLiteral("_"));
    EXPECT_EQ(find<QComboBox>("Combo1")->currentText(), QStringLiteral("2"));
    EXPECT_EQ(find<QLineEdit>("Text3_0")->text(), QStringLiteral("2013001"));
    EXPECT_EQ(find<QLineEdit>("Text3_1")->text(), QStringLiteral("2013001"));
    EXPECT_EQ(find<QPushButton>("Command2")->text(), QStringLiteral("组合检索(&G)"));
    EXPECT_EQ(panel->Command2(), find<QPushButton>("Command2"));
    EXPECT_TRUE(panel->state().specialCounts);
    EXPECT_EQ(panel->state().scope, 0);

    EXPECT_EQ(tabStops(panel.get()), optionFramesTabOrder());
}

TEST_F(SearchOptionsPanelTest, ReportsWhatTheUserClicksAndTypes)
{
    build();
    panel->loadSettings();
    panel->show();
    activate(panel.get());

    clickButton(find<QRadioButton>("Option5_2"));
    EXPECT_EQ(panel->state().scope, 2);
    clickButton(find<QCheckBox>("Check2"));
    EXPECT_FALSE(panel->state().specialCounts);
    // Check2 keeps its setting only when the user leaves it.
    EXPECT_EQ(storedSetting(QStringLiteral("intIdfTm")), QString());
    clickButton(find<QRadioButton>("Option1_0"));
    EXPECT_EQ(storedSetting(QStringLiteral("intIdfTm")), QStringLiteral("0"));
    EXPECT_FALSE(panel->state().bolZyw);
    EXPECT_FALSE(find<QCheckBox>("Check2")->isVisible());
    EXPECT_EQ(storedSetting(QStringLiteral("bolZyw")), QStringLiteral("False"));

    typeOver(find<QComboBox>("Combo1"), QStringLiteral("5"));
    clickBox(find<QLineEdit>("Text3_0"));
    EXPECT_EQ(panel->state().intZhWSetup, 5);
    EXPECT_EQ(storedSetting(QStringLiteral("intZhWSetup")), QStringLiteral("5"));

    // The request both searches are asked is the state as it stands.
    std::array<bool, 8> positions{};
    positions[2] = true;
    const search::SearchOptions o = panel->state().request({2013002, 2013020}, PanelState{}, positions, CodeBases{});
    EXPECT_FALSE(o.bolZyw);
    EXPECT_FALSE(o.specialCounts);
    EXPECT_EQ(o.bolWei, positions);
    EXPECT_EQ(o.display.scope, 2);
    EXPECT_EQ(o.display.firstIssue, 2013002);
    EXPECT_EQ(o.display.lastIssue, 2013020);
}

// A box that still has the focus as the panel goes, in a window that stays,
// loses it without its handler: nothing of the panel is left to run it.
TEST_F(SearchOptionsPanelTest, GoingWithABoxInTheFocusRunsNoHandler)
{
    QWidget window;
    auto* layout = new QVBoxLayout(&window);
    panel = std::make_unique<app::SearchOptionsPanel>(session, settings, prompter, &window);
    layout->addWidget(panel.get());
    panel->loadSettings();
    window.show();
    activate(&window);
    typeOver(find<QComboBox>("Combo1"), QStringLiteral("5"));
    ASSERT_TRUE(find<QComboBox>("Combo1")->hasFocus());
    panel.reset();
    EXPECT_EQ(storedSetting(QStringLiteral("intZhWSetup")), QString());
}

}  // namespace
