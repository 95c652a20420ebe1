#include "history/export_file.h"

#include <cerrno>
#include <fstream>
#include <random>
#include <string>
#include <system_error>

#if defined(__unix__) || defined(__APPLE__)
#include <fcntl.h>
#include <unistd.h>
#endif

namespace qudrim::history {

namespace fs = std::filesystem;

namespace {

std::string hex(uint32_t v)
{
    static constexpr char kDigits[] = "0123456789abcdef";
    std::string s(8, '0');
    for (int i = 7; i >= 0; --i, v >>= 4)
        s[static_cast<size_t>(i)] = kDigits[v & 0xF];
    return s;
}

void removeQuietly(const fs::path& path)
{
    std::error_code ignored;
    fs::remove(path, ignored);
}

// Makes the new file's bytes durable before the rename makes them the file,
// so that a crash just after it never leaves an empty file in its place.
void flushToDisk([[maybe_unused]] const fs::path& file)
{
#if defined(__unix__) || defined(__APPLE__)
    const int fd = ::open(file.c_str(), O_RDONLY);
    if (fd < 0)
        throw ExportError("cannot reopen " + Utf8Of(file) + ": " + std::generic_category().message(errno));
    const int rc = ::fsync(fd);
    const int error = errno;
    ::close(fd);
    if (rc != 0)
        throw ExportError("cannot flush " + Utf8Of(file) + ": " + std::generic_category().message(error));
#endif
}

}  // namespace

fs::path PathFromUtf8(std::string_view utf8)
{
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string Utf8Of(const fs::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

fs::path TemporaryBeside(const fs::path& target)
{
    // A random part keeps two exports at the same moment apart; the leading
    // dot keeps the half-written file out of sight on most desktops.
    std::random_device random;
    for (int attempt = 0;; ++attempt) {
        fs::path name = ".";
        name += target.filename();
        name += "." + hex(random()) + ".tmp";
        fs::path candidate = target.parent_path() / name;
        std::error_code ec;
        if (!fs::exists(candidate, ec) || attempt >= 16)
            return candidate;
    }
}

void ReplaceWith(const fs::path& temporary, const fs::path& target)
{
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        removeQuietly(temporary);
        throw ExportError("cannot replace " + Utf8Of(target) + ": " + ec.message());
    }
}

void WriteFileAtomically(const fs::path& target, std::string_view bytes)
{
    const fs::path temporary = TemporaryBeside(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            const int error = errno;
            removeQuietly(temporary);
            throw ExportError("cannot create " + Utf8Of(temporary) + ": " + std::generic_category().message(error));
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const int error = errno;
            removeQuietly(temporary);
            throw ExportError("cannot write " + Utf8Of(temporary) + ": " + std::generic_category().message(error));
        }
    }
    try {
        flushToDisk(temporary);
    } catch (...) {
        removeQuietly(temporary);
        throw;
    }
    ReplaceWith(temporary, target);
}

}  // namespace qudrim::history
