// What the user is told when a typed draw cannot be stored: the entry
// check's fault in words.
#pragma once

#include "draw/draw_entry.h"

#include <QString>

namespace qudrim::app {

// Empty when the check found no fault.
QString entryFaultText(const EntryCheck& check);

}  // namespace qudrim::app
