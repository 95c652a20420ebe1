// The controls Tab stops at, read off a window's focus chain, and the order
// the option frames give theirs: the whole window's tests and the option
// panel's own both hold them to it.
#pragma once

#include <QComboBox>
#include <QStringList>
#include <QTabBar>
#include <QWidget>

namespace qudrim::testing {

inline QStringList indexedNames(const char* name, int first, int last)
{
    QStringList names;
    for (int i = first; i <= last; ++i)
        names << QString::fromLatin1(name) + QLatin1Char('_') + QString::number(i);
    return names;
}

// Every control of `window` that takes the focus by Tab, in the order of its
// focus chain; the parts of a control (the combo box's line edit, the tab
// strip's scroll buttons) go with it. A control without a name shows by its class.
inline QStringList tabStops(QWidget* window)
{
    QStringList order;
    for (QWidget* w = window->nextInFocusChain(); w != window; w = w->nextInFocusChain()) {
        const QWidget* parent = w->parentWidget();
        if (!(w->focusPolicy() & Qt::TabFocus) || qobject_cast<const QComboBox*>(parent) ||
            qobject_cast<const QTabBar*>(parent))
            continue;
        order << (w->objectName().isEmpty() ? QString::fromLatin1(w->metaObject()->className()) : w->objectName());
    }
    return order;
}

// The option frames, row by row, each top to bottom and left to right.
inline QStringList optionFramesTabOrder()
{
    return QStringList{QStringLiteral("Option1_0"), QStringLiteral("Option1_1"), QStringLiteral("Check2"),
                       QStringLiteral("Option1_2"), QStringLiteral("MaskEdBox2"), QStringLiteral("Option1_3"),
                       QStringLiteral("Option2_4"), QStringLiteral("Option2_5"), QStringLiteral("Option6_0"),
                       QStringLiteral("Option6_1"), QStringLiteral("Combo1"),    QStringLiteral("Command2"),
                       QStringLiteral("Text3_0"),   QStringLiteral("Text3_1")} +
           indexedNames("Option3", 0, 7) + indexedNames("Option4", 0, 7) + indexedNames("Option5", 0, 2);
}

}  // namespace qudrim::testing
