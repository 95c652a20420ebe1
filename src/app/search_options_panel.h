// The option frames of the searches: 检索位选择, 检索期选择 (with the N box),
// 号码序选择, 组合组位检索 (pool and size), 检索起止期数 (the issue range),
// 搜索类型选择, 结果类型选择 and 结果统计选择. Each handler sets its option,
// saves it at once and refreshes what depends on it; the searches take
// everything the frames say as one request.
#pragma once

#include "app/search_option_state.h"
#include "draw/base_draw.h"
#include "search/search_options.h"

#include <QObject>

#include <array>
#include <optional>
#include <utility>

class QCheckBox;
class QComboBox;
class QLineEdit;
class QRadioButton;
class QWidget;

namespace qudrim::app {

class History;
class MaskEdit;
class Prompter;
class SettingsStore;

class SearchOptionsPanel final : public QObject {
    Q_OBJECT
public:
    struct Controls {
        std::array<QRadioButton*, 4> Option1{};  // 0 固定位, 1 自由位, 2 前N期, 3 上期
        QCheckBox* Check2 = nullptr;
        MaskEdit* MaskEdBox2 = nullptr;
        std::array<QRadioButton*, 6> Option2{};  // 4 落地码, 5 顺序码
        std::array<QRadioButton*, 2> Option6{};  // 0 平特, 1 平码
        QComboBox* Combo1 = nullptr;
        std::array<QLineEdit*, 2> Text3{};
        std::array<QRadioButton*, 8> Option3{};  // search type
        std::array<QRadioButton*, 8> Option4{};  // result type
        std::array<QRadioButton*, 3> Option5{};  // 平特, 平码, 特码
    };

    SearchOptionsPanel(const Controls& controls, const History& history, SettingsStore& settings, Prompter& prompter,
                       QWidget* window);

    const SearchOptionState& state() const { return s_; }

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
    // What both searches are asked, over `range` with the panel's reference
    // values and `positions`. Fixed or free positions follow the buttons at
    // this moment. Throws std::invalid_argument when a kind setting names no
    // kind.
    search::SearchOptions request(std::pair<int32_t, int32_t> range, const qudrim::PanelState& panel,
                                  const std::array<bool, 8>& positions, const CodeBases& bases);

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

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // The digit the N box holds; none while it shows only its prompt.
    std::optional<int16_t> digitInNBox() const;
    int searchRangeOffset() const;
    void resetSearchRangeStart();

    Controls c_;
    const History& history_;
    SettingsStore& settings_;
    Prompter& prompter_;
    QWidget* window_;
    SearchOptionState s_;
};

}  // namespace qudrim::app
