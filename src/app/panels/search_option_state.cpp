#include "app/panels/search_option_state.h"

#include <stdexcept>
#include <string>

namespace qudrim::app {

namespace {

// A kind setting as the searches take it. One that names no kind (edited
// outside the program) fails the search with the words the core has for it.
Kind searchedKind(std::optional<Kind> kind, const char* what)
{
    if (kind)
        return *kind;
    throw std::invalid_argument(std::string(what) + " out of range");
}

}  // namespace

search::SearchOptions SearchOptionState::request(std::pair<int32_t, int32_t> range, const PanelState& panel,
                                                 const std::array<bool, 8>& positions, const CodeBases& bases) const
{
    search::SearchOptions o;
    o.specialCounts = specialCounts;
    o.bolZyw = bolZyw;
    o.bolSq = bolSq;
    o.intPreQi = intPreQi;
    o.intLei = searchedKind(searchKind(), "search kind");
    o.bolWei = positions;
    o.intSqLei = panel.intSqLei;

    search::DisplayOptions& d = o.display;
    d.firstIssue = range.first;
    d.lastIssue = range.second;
    d.intXianshiLei = searchedKind(resultKind(), "result kind");
    d.strQz = panel.strQz.value_or(numberOrder());
    d.bolSq = bolSq;
    d.bases = bases;
    d.scope = scope;
    return o;
}

}  // namespace qudrim::app
