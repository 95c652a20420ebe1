// The search options the user chooses in the option frames, each mirrored
// by its control and, but for the tally scope, kept in the setting store.
// The option panel owns them; the panel refresh and the searches read them.
#pragma once

#include "draw/base_draw.h"
#include "search/search_options.h"
#include "store/attribute_kind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <utility>

namespace qudrim::app {

struct SearchOptionState {
    // The settings' variables start at zero or False until start-up reads
    // them. The two kinds stay as stored, a number outside 0..7 included (it
    // selects no button); searchKind() and resultKind() are the one reading
    // of them as kinds.
    bool bolZyw = false;         // true 自由位, false 固定位
    bool bolSq = false;          // true 上期, false 前N期
    int16_t intPreQi = 0;        // N of 前N期
    bool bolLdm = false;         // true 落地码 (drawn order), false 顺序码
    int16_t intLei = 0;          // search type, attribute kind 0..7
    int16_t intXianshiLei = 0;   // result type, attribute kind 0..7
    bool bolZhpm = false;        // combination pool: true 平码, false 平特
    int16_t intZhWSetup = 0;     // combination size
    // Two options without a variable of the program's, which follow their
    // controls from the start: Check2 "自由位计特码" (ticked, or greyed: the
    // special number counts in free positions; the setting intIdfTm only
    // restores the box) and the tally scope Option5 (0 平特, 1 平码, 2 特码;
    // not kept between runs).
    bool specialCounts = true;
    int scope = 0;

    // None for a stored number that names no kind (edited outside the program).
    std::optional<Kind> searchKind() const { return kindFromSetting(intLei); }
    std::optional<Kind> resultKind() const { return kindFromSetting(intXianshiLei); }
    NumberOrder numberOrder() const { return orderFromSetting(bolLdm); }

    // What both searches are asked, over `range` with the panel's reference
    // values at `positions`. Throws std::invalid_argument when a kind
    // setting names no kind.
    search::SearchOptions request(std::pair<int32_t, int32_t> range, const PanelState& panel,
                                  const std::array<bool, 8>& positions, const CodeBases& bases) const;
};

}  // namespace qudrim::app
