// The base-draw panel as plain values: which row is the base draw, and the
// reference value and display text of each position for a search type.
#pragma once

#include "draw/tables.h"
#include "store/history_store.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim {

struct PanelState {
    std::array<int16_t, 8> intSqLei{};   // reference values of positions 1..7
    std::array<std::string, 8> text2{};  // what the base-draw boxes show, 1..7
    std::optional<NumberOrder> strQz;    // none before the first refresh
    bool bolSdsr = false;                // the typed values of the second page are in force
};

// The last draw for 上期, or the draw intPreQi − 1 rows before it for 前N期.
const DrawRow* baseDraw(const store::Snapshot& snapshot, bool bolSq, int intPreQi);

// Tab 1: takes the values of the base draw for the search type. A name index
// out of range leaves that box's text; no base draw leaves values and texts.
// Without a known kind (a setting edited outside the program) every value
// is 0.
void fillFromBaseDraw(PanelState& panel, const DrawRow* base, NumberOrder order, std::optional<Kind> kind,
                      const CodeBases& bases);

// A text that converts to a 16-bit integer ("-5", " 12"), as the boxes take it.
std::optional<int16_t> toInt16(std::string_view text);

// The code of a displayed value (a number, or a zodiac, colour or parity name
// of the kind).
std::optional<int16_t> valueFromDisplay(std::string_view text, std::optional<Kind> kind, const CodeBases& bases);

}  // namespace qudrim
