// Files the program writes (the exports, the backup "lsbf.txt") are replaced
// whole or not at all: the new content goes to a temporary file beside the
// target, is flushed to the disk, and then takes the target's place in one
// rename. A failed write leaves the old file as it was and no temporary file
// behind; a write killed before its rename leaves its temporary file, which
// the next write of the same target removes.
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

// A name in the target's folder that no file has yet, for the target's new
// content: "." + the target's name + "." + eight hex digits + ".tmp". Files
// of that form left by earlier writes of the same target are removed first.
std::filesystem::path temporaryBeside(const std::filesystem::path& target);

// Moves `temporary` over `target`. When that fails, `temporary` is removed,
// `target` stays as it was and ExportError is thrown.
void replaceWith(const std::filesystem::path& temporary, const std::filesystem::path& target);

// Writes `bytes` to `target` unchanged (no line-end translation) through a
// temporary file. Throws ExportError, and then has changed nothing.
void writeFileAtomically(const std::filesystem::path& target, std::string_view bytes);

// The path of a file name given in UTF-8, on every platform.
std::filesystem::path pathFromUtf8(std::string_view utf8);
// A path in UTF-8, for messages.
std::string utf8Of(const std::filesystem::path& path);

}  // namespace qudrim::history
