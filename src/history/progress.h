// How far a long command has come, told to whoever waits for it, who can
// also call it off.
#pragma once

#include <cstddef>
#include <functional>

namespace qudrim::history {

enum class ProgressStep {
    Loading,   // a history file's bytes into memory: `done` and `total` in bytes
    Checking,  // its lines read and checked: `done` and `total` in bytes
    Storing,   // its draws: `done` and `total` in draws
};

// Called now and then while a step runs, and once as it starts. Answering
// false calls the command off; it then leaves the history as it was.
using ProgressCallback = std::function<bool(ProgressStep step, size_t done, size_t total)>;

}  // namespace qudrim::history
