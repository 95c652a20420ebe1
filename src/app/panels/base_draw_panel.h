// The base-draw panel: the reference values of the seven positions, taken
// from the base draw (tab "自动历史位") or typed by hand (tab "手动输入号"),
// and the positions ticked on the page in force.
#pragma once

#include "app/widgets/lost_focus.h"
#include "draw/base_draw.h"
#include "store/attribute_kind.h"

#include <QList>
#include <QString>
#include <QWidget>

#include <array>

class QCheckBox;
class QFrame;
class QLineEdit;
class QTabBar;

namespace qudrim::app {

class HistorySession;
struct SearchOptionState;

class BaseDrawPanel final : public QWidget {
    Q_OBJECT
public:
    // The panel follows the search options and the code bases in force,
    // kept by the option frames and the settings menu.
    BaseDrawPanel(const HistorySession& history, const SearchOptionState& options, const CodeBases& bases,
                  QWidget* parent = nullptr);

    const PanelState& state() const { return panel_; }
    // The positions ticked on the page in force.
    std::array<bool, 8> chosenPositions() const;
    // The tab strip, the position boxes of both pages, then the typed values.
    QList<QWidget*> tabOrder() const;

    // The panel refresh: the base draw's values for the search type, or the
    // typed ones on the second page.
    void ShangqiXianshi();
    // Starts from nothing, as at start-up: no values, empty boxes.
    void clear();

    void TabStrip1_Click(int index);
    void Text22_LostFocus(int index);
    // Runs the lost-focus handler of `box` when it is one of the panel's
    // boxes; false otherwise.
    bool runBoxHandler(QObject* box);

private:
    struct Controls {
        QTabBar* TabStrip1 = nullptr;
        std::array<QFrame*, 2> Frame2{};
        std::array<QCheckBox*, 8> Check1{};   // 1..7
        std::array<QLineEdit*, 8> Text2{};    // 1..7
        std::array<QCheckBox*, 8> Check11{};  // 1..7
        std::array<QLineEdit*, 8> Text22{};   // 1..7
    };

    void createControls();
    void takeTypedValues();

    Controls c_;
    const HistorySession& history_;
    const SearchOptionState& options_;
    const CodeBases& bases_;
    PanelState panel_;
    std::array<QString, 8> lastGoodText22_;
    LostFocusWatcher lostFocus_;
};

}  // namespace qudrim::app
