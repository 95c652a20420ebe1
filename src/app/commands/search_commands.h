// "检索(&S)" and "组合检索(&G)": each takes the search options and the panel's
// values as one request, runs its search on the history and hands the
// result to the window's grids; the combination search reads the
// positions of the last position search.
#pragma once

#include "app/commands/command_context.h"
#include "draw/base_draw.h"
#include "search/pending_marks.h"
#include "search/search_options.h"
#include "store/attribute_kind.h"

#include <QObject>
#include <QString>

#include <array>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

namespace qudrim::app {

class Prompter;
struct SearchOptionState;

// What the user is told when a search, or the writing of its marks, failed:
// both grids are empty, and `detail` is the technical account.
void reportSearchFailure(Prompter& prompter, QWidget* window, const QString& detail);

class SearchCommands final : public QObject {
    Q_OBJECT
public:
    // Asks for the issue range the user typed; none, once the user has been
    // told why, when there is none.
    using RangeAsk = std::function<std::optional<std::pair<int32_t, int32_t>>()>;

    // `options`, `panel` and `bases` are kept by the option frames, the
    // base-draw panel and the settings menu.
    SearchCommands(const CommandContext& context, const SearchOptionState& options, const PanelState& panel,
                   const CodeBases& bases, RangeAsk askRange, QObject* parent = nullptr);

    // The position search over the positions ticked on the panel's page in
    // force (position_search_command.cpp).
    void Command1_Click(const std::array<bool, 8>& positions);
    // The combination search (combination_search_command.cpp).
    void Command2_Click();

    // The positions the last position search chose (all false before the first).
    const std::array<bool, 8>& lastSearchPositions() const { return bolWei_; }

signals:
    // A search's result, to be shown at once; setSerialColumn is false for
    // the combination search, which keeps the width of the row-number column.
    void resultFound(std::shared_ptr<const qudrim::search::SearchResult> result, bool setSerialColumn);
    // A search failed: the grids show no partial result.
    void searchFailed(bool setSerialColumn);

private:
    using Prepare = std::function<search::PreparedSearch(const search::SearchOptions&)>;
    // The frame both buttons share: the open history and the issue range
    // checked (`refused` says what cannot be done without the history), the
    // request with `positions` (kept as the last search's positions when
    // `keepPositions`), the busy cursor while `prepare` works the search
    // out, its result or its failure for the grids, and its marks handed to
    // the history to be written when the window is idle.
    void runSearch(const QString& refused, bool setSerialColumn, const std::array<bool, 8>& positions,
                   bool keepPositions, const Prepare& prepare);

    CommandContext context_;
    const SearchOptionState& options_;
    const PanelState& panel_;
    const CodeBases& bases_;
    RangeAsk askRange_;
    std::array<bool, 8> bolWei_{};
};

}  // namespace qudrim::app
