// The program-wide variables of the window as one value, for checks from
// outside: the search options, the code bases and the years of history the
// online update keeps, and the issue the next typed draw is offered under.
#pragma once

#include "app/panels/search_option_state.h"
#include "store/attribute_kind.h"

#include <cstdint>

namespace qudrim::app {

struct ProgramState : SearchOptionState {
    CodeBases bases{0, 0, 0};    // SxIni, DsIni, BsIni
    int16_t IniSerchDay = 0;     // years of history the online update keeps
    int32_t lngQihao = 0;        // the issue the next typed draw is offered under
};

}  // namespace qudrim::app
