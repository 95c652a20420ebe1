#include "store/file_sync.h"

#include <cerrno>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qudrim::store {

std::optional<SyncFailure> syncToDisk([[maybe_unused]] const std::filesystem::path& path) noexcept
{
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(path.c_str(), O_RDONLY);
    if (fd < 0)
        return SyncFailure{true, std::error_code(errno, std::generic_category())};
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        return SyncFailure{false, std::error_code(error, std::generic_category())};
#endif
    return std::nullopt;
}

}  // namespace qudrim::store
