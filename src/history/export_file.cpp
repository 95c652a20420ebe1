#include "history/export_file.h"

#include "store/file_sync.h"
#include "store/plain_text.h"

#include <cerrno>
#include <fstream>
#include <optional>
#include <random>
#include <string>
#include <system_error>

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

constexpr std::string_view kTemporarySuffix = ".tmp";
constexpr size_t kRandomDigits = 8;

fs::path temporaryName(const fs::path& target, uint32_t random)
{
    // The leading dot keeps the half-written file out of sight on most desktops.
    fs::path name = ".";
    name += target.filename();
    name += "." + hex(random) + std::string(kTemporarySuffix);
    return name;
}

bool isHexDigit(char c) { return isDigit(c) || (c >= 'a' && c <= 'f'); }

// Whether `name` is one of the temporary names of `target`.
bool isTemporaryOf(const std::string& name, const fs::path& target)
{
    const std::string prefix = "." + target.filename().string() + ".";
    if (name.size() != prefix.size() + kRandomDigits + kTemporarySuffix.size() || !name.starts_with(prefix) ||
        !name.ends_with(kTemporarySuffix))
        return false;
    for (size_t i = prefix.size(); i < prefix.size() + kRandomDigits; ++i)
        if (!isHexDigit(name[i]))
            return false;
    return true;
}

// A write killed between its temporary file and the rename (a crash, a
// power cut) leaves the temporary file beside the target, where nothing
// else would ever remove it. Only files named as this program names them
// are touched. A write of the same target by another copy of the program at
// this very moment would lose its file too; it then fails whole (its flush
// opens the file by name), and the target stays as that write found it.
void removeStaleTemporaries(const fs::path& target)
{
    std::error_code ec;
    const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
    for (fs::directory_iterator it(folder, ec), end; !ec && it != end; it.increment(ec)) {
        std::error_code typeError;
        if (it->is_regular_file(typeError) && isTemporaryOf(it->path().filename().string(), target))
            removeQuietly(it->path());
    }
}

}  // namespace

fs::path pathFromUtf8(std::string_view utf8)
{
    return fs::path(std::u8string(reinterpret_cast<const char8_t*>(utf8.data()), utf8.size()));
}

std::string utf8Of(const fs::path& path)
{
    const std::u8string s = path.u8string();
    return std::string(reinterpret_cast<const char*>(s.data()), s.size());
}

fs::path temporaryBeside(const fs::path& target)
{
    removeStaleTemporaries(target);
    std::random_device random;
    for (int attempt = 0;; ++attempt) {
        fs::path candidate = target.parent_path() / temporaryName(target, random());
        std::error_code ec;
        if (!fs::exists(candidate, ec) || attempt >= 16)
            return candidate;
    }
}

void replaceWith(const fs::path& temporary, const fs::path& target)
{
    std::error_code ec;
    fs::rename(temporary, target, ec);
    if (ec) {
        removeQuietly(temporary);
        throw ExportError("cannot replace " + utf8Of(target) + ": " + ec.message());
    }
}

void writeFileAtomically(const fs::path& target, std::string_view bytes)
{
    const fs::path temporary = temporaryBeside(target);
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        if (!out) {
            const int error = errno;
            removeQuietly(temporary);
            throw ExportError("cannot create " + utf8Of(temporary) + ": " + std::generic_category().message(error));
        }
        out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
        out.close();
        if (!out) {
            const int error = errno;
            removeQuietly(temporary);
            throw ExportError("cannot write " + utf8Of(temporary) + ": " + std::generic_category().message(error));
        }
    }
    // The bytes must be on the disk before the rename makes them the file, so
    // that a crash just after it never leaves an empty file in its place.
    if (const std::optional<store::SyncFailure> failure = store::syncToDisk(temporary)) {
        removeQuietly(temporary);
        throw ExportError((failure->opening ? "cannot reopen " : "cannot flush ") + utf8Of(temporary) + ": " +
                          failure->error.message());
    }
    replaceWith(temporary, target);
}

}  // namespace qudrim::history
