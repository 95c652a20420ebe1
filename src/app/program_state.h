// The program-wide variables of the window: the search options that every
// part reads (each mirrored by a control and kept in the setting store under
// its own name) and the next issue.
#pragma once

#include "store/attribute_kind.h"

#include <cstdint>

namespace qudrim::app {

struct ProgramState {
    // Search options; everything starts at zero or False until start-up
    // reads the settings. The two kinds stay as stored, a number outside 0..7
    // included; kindFromSetting reads them where they are used.
    bool bolZyw = false;         // true 自由位, false 固定位
    bool bolSq = false;          // true 上期, false 前N期
    int16_t intPreQi = 0;        // N of 前N期
    bool bolLdm = false;         // true 落地码 (drawn order), false 顺序码
    int16_t intLei = 0;          // search type, attribute kind 0..7
    int16_t intXianshiLei = 0;   // result type, attribute kind 0..7
    bool bolZhpm = false;        // combination pool: true 平码, false 平特
    int16_t intZhWSetup = 0;     // combination size
    CodeBases bases{0, 0, 0};    // SxIni, DsIni, BsIni
    int16_t IniSerchDay = 0;     // years of history the online update keeps

    int32_t lngQihao = 0;        // the issue the next typed draw is offered under
};

// Widths that the grids are given in twips, on a 96 dpi screen.
inline int twipsToPixels(int twips) { return (twips + 7) / 15; }

}  // namespace qudrim::app
