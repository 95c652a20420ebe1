// The option frames of the searches: 检索位选择, 检索期选择 (with the N box),
// 号码序选择, 组合组位检索 (pool, size and "组合检索(&G)"), 检索起止期数 (the
// issue range), 搜索类型选择, 结果类型选择 and 结果统计选择. Each handler sets its
// option, saves it at once and refreshes what depends on it; the searches
// take the options as one SearchOptionState.
#pragma once

#include "app/panels/search_option_state.h"
#include "app/widgets/lost_focus.h"

#include <QList>
#include <QWidget>

#include <memory>
#include <optional>
#include <utility>

class QPushButton;

namespace qudrim::app {

class HistorySession;
class Prompter;
class SettingsStore;

class SearchOptionsPanel final : public QWidget {
    Q_OBJECT
public:
    SearchOptionsPanel(const HistorySession& history, SettingsStore& settings, Prompter& prompter,
                       QWidget* parent = nullptr);
    ~SearchOptionsPanel() override;

    const SearchOptionState& state() const { return s_; }
    // "组合检索(&G)", which stands in the frame of the combination's options.
    QPushButton* Command2() const;
    // The frames row by row, each top to bottom and left to right.
    QList<QWidget*> tabOrder() const;

    // Start-up: every option from the settings, in the order the window
    // loads them; selecting a button runs its handler as a click does.
    void loadSettings();
    // The range from the first draw with a compared draw to the last one.
    void showWholeRange();
    // The end of the range at the last stored draw.
    void showRangeEnd();

    // The issue range the user typed; none, after telling the user, when it
    // is not two whole numbers.
    std::optional<std::pair<int32_t, int32_t>> searchRange();

    void Option1_Click(int index);
    void Option2_Click(int index);
    void Option3_Click(int index);
    void Option4_Click(int index);
    void Option6_Click(int index);
    void Check2_LostFocus();
    void Combo1_LostFocus();
    void MaskEdBox2_LostFocus();
    // Runs the lost-focus handler of `box` (or of the box it lies in) when
    // it is one of the panel's boxes; false otherwise.
    bool runBoxHandler(QObject* box);

signals:
    // The base draw or the search type changed: the panel refresh runs.
    void baseDrawChanged();

private:
    struct Controls;

    void createControls();
    // The digit the N box holds; none while it shows only its prompt.
    std::optional<int16_t> digitInNBox() const;
    int searchRangeOffset() const;
    void resetSearchRangeStart();

    std::unique_ptr<Controls> c_;
    const HistorySession& history_;
    SettingsStore& settings_;
    Prompter& prompter_;
    SearchOptionState s_;
    LostFocusWatcher lostFocus_;
};

}  // namespace qudrim::app
