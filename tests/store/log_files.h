// What the history file holds by itself, without its write-ahead log: the
// state a checkpoint has written into the file.
#pragma once

#include "store/database.h"
#include "store/lishi_rows.h"

#include <cstdint>
#include <filesystem>
#include <system_error>
#include <vector>

namespace qudrim::testrows {

inline std::filesystem::path logOf(const std::filesystem::path& file)
{
    std::filesystem::path wal = file;
    wal += "-wal";
    return wal;
}

// Size of the log file, 0 when there is none.
inline uintmax_t logSize(const std::filesystem::path& file)
{
    std::error_code ec;
    const auto size = std::filesystem::file_size(logOf(file), ec);
    return ec ? 0 : size;
}

// A copy of `file` in the empty folder `scratch`, its log left behind: what
// the file holds by itself.
inline std::filesystem::path copyWithoutLog(const std::filesystem::path& file, const std::filesystem::path& scratch)
{
    const auto copy = scratch / "file-alone.mdb";
    std::filesystem::remove(copy);
    std::filesystem::remove(logOf(copy));
    std::filesystem::remove(std::filesystem::path(copy) += "-shm");
    std::filesystem::copy_file(file, copy);
    return copy;
}

// Every Lishi row that `file` holds by itself.
inline std::vector<StoredRow> rowsInFileAlone(const std::filesystem::path& file, const std::filesystem::path& scratch)
{
    store::Database db(copyWithoutLog(file, scratch), store::Database::Mode::OpenExisting);
    return readLishi(db);
}

}  // namespace qudrim::testrows
