// The order in which Tab moves through the window's controls.
#include "app/window_fixture.h"

#include <QComboBox>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

using namespace qudrim::testing;

namespace {

class TabOrderTest : public WindowTest {};

QStringList indexedNames(const char* name, int first, int last)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i);
    return names;
}

// Every control Tab stops at, in the window's focus chain (the parts of a
// control, such as the combo box's line edit, go with it): those of the
// panel's page not shown keep their places, and the base draw's read-only
// values take no part.
TEST_F(TabOrderTest, TabMovesThroughTheControlsInTheWindowsOrder)
{
    open();
    QStringList order;
    for (QWidget* w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain()) {
        const QWidget* parent = w->parentWidget();
        if (!(w->focusPolicy() & Qt::TabFocus) || qobject_cast<const QComboBox*>(parent) ||
            qobject_cast<const QTabBar*>(parent))
            continue;
        order << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    }
    const QStringList expected =
        indexedNames("MaskEdBox1", 1, 7) + QStringList{QStringLiteral("Text1"), QStringLiteral("TabStrip1")} +
        indexedNames("Check1", 1, 7) + indexedNames("Check11", 1, 7) + indexedNames("Text22", 1, 7) +
        QStringList{QStringLiteral("Option1_0"), QStringLiteral("Option1_1"), QStringLiteral("Check2"),
                    QStringLiteral("Option1_2"), QStringLiteral("MaskEdBox2"), QStringLiteral("Option1_3"),
                    QStringLiteral("Option2_4"), QStringLiteral("Option2_5"), QStringLiteral("Option6_0"),
                    QStringLiteral("Option6_1"), QStringLiteral("Combo1"), QStringLiteral("Command2"),
                    QStringLiteral("Text3_0"), QStringLiteral("Text3_1")} +
        indexedNames("Option3", 0, 7) + indexedNames("Option4", 0, 7) + indexedNames("Option5", 0, 2) +
        QStringList{QStringLiteral("Command9"), QStringLiteral("cmdRdLst"), QStringLiteral("Command21"),
                    QStringLiteral("Command3"), QStringLiteral("Command4"), QStringLiteral("Command1"),
                    QStringLiteral("MSFlexGrid2"), QStringLiteral("MSFlexGrid3"), QStringLiteral("MSFlexGrid1")};
    EXPECT_EQ(order, expected);
}

}  // namespace
