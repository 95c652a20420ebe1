// The program-wide variables of the window: the search options that every
// part reads (each mirrored by a control and kept in the setting store under
// its own name), the next issue and the zodiac year of the draw to be typed.
#pragma once

#include "draw/tables.h"

#include <array>
#include <cstdint>
#include <string>

namespace qudrim::app {

struct ProgramState {
    // Search options; everything starts at zero, False or empty until start-up
    // reads the settings.
    bool bolZyw = false;         // true 自由位, false 固定位
    bool bolSq = false;          // true 上期, false 前N期
    int16_t intPreQi = 0;        // N of 前N期
    bool bolLdm = false;         // true 落地码 (drawn order), false 顺序码
    int16_t intLei = 0;          // search type, attribute kind 0..7
    int16_t intXianshiLei = 0;   // result type, attribute kind 0..7
    std::string strXianshiZd;    // column letter of the result type
    bool bolZhpm = false;        // combination pool: true 平码, false 平特
    int16_t intZhWSetup = 0;     // combination size
    CodeBases bases{0, 0, 0};    // SxIni, DsIni, BsIni
    int16_t IniSerchDay = 0;     // years of history the online update keeps

    int32_t lngQihao = 0;        // the issue the next typed draw is offered under
    int32_t lngSxYear = 0;       // zodiac year of the draw to be typed
    std::array<std::string, 12> strSxHm{};  // numbers of each zodiac sign in that year
};

// Widths that the grids are given in twips, on a 96 dpi screen.
inline int twipsToPixels(int twips) { return (twips + 7) / 15; }

}  // namespace qudrim::app
