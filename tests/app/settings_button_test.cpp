// Where "软件设置(&T)" opens its menu: at the pointer after a click, below
// the button after Alt+T, wherever the pointer is then.
#include "app/window_actions.h"
#include "app/window_fixture.h"

#include <QCursor>
#include <QMenu>
#include <QPushButton>
#include <QTest>

#include <ostream>

using namespace qudrim::testing;

// Failures name the point rather than dumping its bytes.
static void PrintTo(const QPoint& p, std::ostream* os) { *os << "(" << p.x() << ", " << p.y() << ")"; }

namespace {

class SettingsButtonTest : public WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        open();
        activate(window.get());
        button = find<QPushButton>(QStringLiteral("Command9"));
        menu = find<QMenu>(QStringLiteral("mnuSetup"));
    }
    void TearDown() override
    {
        menu->close();
        QApplication::processEvents();
        WindowTest::TearDown();
    }
    // The menu's top-left corner once it is shown.
    QPoint shownAt() const
    {
        EXPECT_TRUE(QTest::qWaitFor([this] { return menu->isVisible(); }, 1000));
        return menu->geometry().topLeft();
    }

    QPushButton* button = nullptr;
    QMenu* menu = nullptr;
};

TEST_F(SettingsButtonTest, AltTOpensTheMenuBelowTheButton)
{
    // The pointer is far from the button.
    QCursor::setPos(window->mapToGlobal(QPoint(window->width() - 20, window->height() - 20)));
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(shownAt(), button->mapToGlobal(QPoint(0, button->height())));
}

TEST_F(SettingsButtonTest, ClickOpensTheMenuAtThePointer)
{
    const QPoint inside(button->width() - 10, button->height() / 2);
    QCursor::setPos(button->mapToGlobal(inside));
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    EXPECT_EQ(shownAt(), QCursor::pos());
}

TEST_F(SettingsButtonTest, KeyboardAfterAClickOpensBelowTheButtonAgain)
{
    const QPoint inside(button->width() - 10, button->height() / 2);
    QCursor::setPos(button->mapToGlobal(inside));
    QTest::mouseClick(button, Qt::LeftButton, {}, inside);
    (void)shownAt();
    menu->close();
    QApplication::processEvents();
    activate(window.get());
    QTest::keyClick(window.get(), Qt::Key_T, Qt::AltModifier);
    EXPECT_EQ(shownAt(), button->mapToGlobal(QPoint(0, button->height())));
}

}  // namespace
