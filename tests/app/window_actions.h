// What the user does with the window in the tests: clicking buttons and
// boxes, typing into a box and leaving it, and a small history whose last
// draws the panel tests know by heart.
#pragma once

#include "app/window_fixture.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <string>
#include <vector>

namespace qudrim::testing {

// The window has to be the active one for clicks to move the focus.
inline void activate(QWidget* window)
{
    window->activateWindow();
    QApplication::setActiveWindow(window);
    (void)QTest::qWaitForWindowActive(window);
    QApplication::processEvents();
}

// A click on the indicator of a check box or option button, where a click
// always lands whatever the width the layout gives the button.
inline void clickButton(QAbstractButton* button)
{
    QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(8, button->height() / 2));
    QApplication::processEvents();
}

inline void clickBox(QWidget* box)
{
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() / 2, box->height() / 2));
    QApplication::processEvents();
}

// Clicks into the box, selects what it holds and types `text` over it.
inline void typeOver(QLineEdit* box, const QString& text)
{
    clickBox(box);
    QTest::keyClick(box, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClicks(box, text);
    QApplication::processEvents();
}

inline void typeOver(QComboBox* combo, const QString& text) { typeOver(combo->lineEdit(), text); }

// Alt+`key` typed into the control with the focus. The mnemonic shows
// `button` pressed for a moment and then clicks it; true once the button is
// up again, which it is only after its click has been handled. False when
// the keys did not reach the button, or it stayed down.
[[nodiscard]] inline bool typeMnemonic(Qt::Key key, QAbstractButton* button)
{
    QTest::keyClick(QApplication::focusWidget(), key, Qt::AltModifier);
    if (!button->isDown())
        return false;
    return QTest::qWaitFor([button] { return !button->isDown(); }, 5000);
}

// The history of 2013 up to issue 2013020. The last draw and the draw two
// before it are the ones the panel tests look at.
inline constexpr std::array<int, 7> kLastDraw = {38, 7, 12, 45, 3, 22, 49};
inline constexpr std::array<int, 7> kTwoBeforeLast = {1, 2, 3, 4, 5, 6, 10};

inline std::vector<qudrim::DrawInput> history2013()
{
    std::vector<qudrim::DrawInput> draws;
    for (int q = 1; q <= 20; ++q) {
        qudrim::DrawInput d;
        d.issue = 2013000 + q;
        d.zodiacIssue = d.issue;
        for (int i = 0; i < 7; ++i)
            d.numbers[static_cast<size_t>(i)] = (q + 7 * i) % 49 + 1;
        draws.push_back(d);
    }
    for (size_t i = 0; i < 7; ++i) {
        draws[17].numbers[i] = kTwoBeforeLast[i];
        draws[19].numbers[i] = kLastDraw[i];
    }
    return draws;
}

}  // namespace qudrim::testing
