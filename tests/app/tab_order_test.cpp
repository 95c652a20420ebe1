// The order in which Tab moves through the window's controls.
#include "app/tab_stops.h"
#include "app/window_fixture.h"

using namespace qudrim::testing;

namespace {

class TabOrderTest : public WindowTest {};

// Those of the panel's page not shown keep their places, and the base
// draw's read-only values take no part.
TEST_F(TabOrderTest, TabMovesThroughTheControlsInTheWindowsOrder)
{
    open();
    const QStringList expected =
        indexedNames("MaskEdBox1", 1, 7) + QStringList{QStringLiteral("Text1"), QStringLiteral("TabStrip1")} +
        indexedNames("Check1", 1, 7) + indexedNames("Check11", 1, 7) + indexedNames("Text22", 1, 7) +
        optionFramesTabOrder() +
        QStringList{QStringLiteral("Command9"), QStringLiteral("cmdRdLst"), QStringLiteral("Command21"),
                    QStringLiteral("Command3"), QStringLiteral("Command4"), QStringLiteral("Command1"),
                    QStringLiteral("MSFlexGrid2"), QStringLiteral("MSFlexGrid3"), QStringLiteral("MSFlexGrid1")};
    EXPECT_EQ(tabStops(window.get()), expected);
}

}  // namespace
