// "检索(&S)" and "组合检索(&G)": each takes the option frames and the panel as
// one request, runs its search on the history and shows the result in the
// result grids; the combination search reads the positions of the last
// position search.
#pragma once

#include "app/command_context.h"
#include "search/pending_marks.h"
#include "search/search_options.h"
#include "store/attribute_kind.h"

#include <QString>

#include <array>
#include <functional>
#include <utility>

namespace qudrim::app {

class BaseDrawPanel;
class ResultGrids;
class SearchOptionsPanel;
class Prompter;

// What the user is told when a search, or the writing of its marks, failed:
// both grids are empty, and `detail` is the technical account.
void reportSearchFailure(Prompter& prompter, QWidget* window, const QString& detail);

class SearchCommands {
public:
    SearchCommands(const CommandContext& context, SearchOptionsPanel& options, const BaseDrawPanel& panel,
                   ResultGrids& grids, const CodeBases& bases);

    // The position search (position_search_command.cpp).
    void Command1_Click();
    // The combination search (combination_search_command.cpp).
    void Command2_Click();

    // The positions the last position search chose (all false before the first).
    const std::array<bool, 8>& lastSearchPositions() const { return bolWei_; }

private:
    using Prepare = std::function<search::PreparedSearch(const search::SearchOptions&)>;
    // The frame both buttons share: the open history and the issue range
    // checked (`refused` says what cannot be done without the history), the
    // request with `positions` (kept as the last search's positions when
    // `keepPositions`), the busy cursor while `prepare` works the search
    // out, its result or its failure in the grids, and its marks handed to
    // the history to be written when the window is idle.
    void runSearch(const QString& refused, bool setSerialColumn, const std::array<bool, 8>& positions,
                   bool keepPositions, const Prepare& prepare);

    CommandContext context_;
    SearchOptionsPanel& options_;
    const BaseDrawPanel& panel_;
    ResultGrids& grids_;
    const CodeBases& bases_;
    std::array<bool, 8> bolWei_{};
};

}  // namespace qudrim::app
