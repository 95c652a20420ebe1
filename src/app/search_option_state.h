// The search options the user chooses in the option frames, each mirrored
// by its control and kept in the setting store under its own name. The
// option panel owns them; the panel refresh and the searches read them.
#pragma once

#include "store/attribute_kind.h"

#include <cstdint>
#include <optional>

namespace qudrim::app {

struct SearchOptionState {
    // Everything starts at zero or False until start-up reads the settings.
    // The two kinds stay as stored, a number outside 0..7 included (it
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

    // None for a stored number that names no kind (edited outside the program).
    std::optional<Kind> searchKind() const { return kindFromSetting(intLei); }
    std::optional<Kind> resultKind() const { return kindFromSetting(intXianshiLei); }
    NumberOrder numberOrder() const { return orderFromSetting(bolLdm); }
};

}  // namespace qudrim::app
