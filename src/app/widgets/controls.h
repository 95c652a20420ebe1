// What the panels build their controls with: a control under its object
// name, the names of a control array's members, the close spacing of the
// frames, the look the three grids share, and the tab order of a list of
// controls.
#pragma once

#include <QList>
#include <QString>

#include <string_view>
#include <utility>

class QAction;
class QLayout;
class QMenu;
class QTableView;
class QWidget;

namespace qudrim::app {

template <class W, class... Args>
W* named(const QString& name, Args&&... args)
{
    auto* w = new W(std::forward<Args>(args)...);
    w->setObjectName(name);
    return w;
}

// A caption the core keeps (a kind's name, a position's), in UTF-8.
inline QString caption(std::string_view text)
{
    return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// An entry of `menu` under its object name.
QAction* namedAction(QMenu* menu, const QString& name, const QString& caption);

// A member of a control array: "Option3_5".
inline QString indexed(const char* name, int index)
{
    return QString::fromLatin1(name) + QLatin1Char('_') + QString::number(index);
}

// Frames keep their contents close: the window has to fit a 1280 x 720 screen.
void compact(QLayout* layout, int margin = 4, int spacing = 3);

// A grid of the window: no row numbers, rows as high as the font needs,
// read-only, one line a cell. Its scroll bars show only when its rows or
// columns need them; its panel gives it its model and widths.
QTableView* makeGrid(const QString& name);

// Tab moves through `controls` in this order. Each control is put after
// the one before it, so a whole window's order can be made of its panels'.
void chainTabOrder(const QList<QWidget*>& controls);

// The tool tips the program gives more than one control.
inline QString entryBoxTip() { return QStringLiteral("在此补充输入最新历史号码"); }
inline QString gridExportTip() { return QStringLiteral("鼠标双击列表可以将列表导出到EXCEL"); }

}  // namespace qudrim::app
