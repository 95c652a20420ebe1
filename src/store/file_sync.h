// Making what the system holds of a file, or of a folder's entries, durable
// on the disk: a file renamed over another before its bytes reach the disk
// could be found empty after a power cut, so the rename must come after.
#pragma once

#include <filesystem>
#include <optional>
#include <system_error>

namespace qudrim::store {

struct SyncFailure {
    bool opening = false;  // the file could not be opened; otherwise the sync itself failed
    std::error_code error;
};

// Waits until the file's (or the folder's) data is on the disk; none when it
// is. Does nothing where the system gives no such call.
std::optional<SyncFailure> syncToDisk(const std::filesystem::path& path) noexcept;

}  // namespace qudrim::store
