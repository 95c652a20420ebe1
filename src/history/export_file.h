// Files the program writes (the exports, the backup "lsbf.txt") are replaced
// whole or not at all: the new content goes to a temporary file beside the
// target, is flushed to the disk, and then takes the target's place in one
// rename. A failed write leaves the old file as it was and no temporary file
// behind.
#pragma once

#include <filesystem>
#include <stdexcept>
#include <string_view>

namespace qudrim::history {

// Why an export file could not be written, in technical terms.
class ExportError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// A name in the target's folder that no file has yet.
std::filesystem::path TemporaryBeside(const std::filesystem::path& target);

// Moves `temporary` over `target`. When that fails, `temporary` is removed,
// `target` stays as it was and ExportError is thrown.
void ReplaceWith(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Writes `bytes` to `target` unchanged (no line-end translation) through a
// temporary file. Throws ExportError, and then has changed nothing.
void WriteFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The path of a file name given in UTF-8, on every platform.
std::filesystem::path PathFromUtf8(std::string_view utf8);
// A path in UTF-8, for messages.
std::string Utf8Of(const std::filesystem::path& path);

}  // namespace qudrim::history
