// What the exports share in the window: showing a written file in the
// desktop's own program for it, and the message when it was not written.
#pragma once

#include <QString>

#include <filesystem>

class QWidget;

namespace qudrim::app {

class Prompter;

// Opens `file` in the program the desktop gives it; when that fails (which
// may be known only after the command has returned), the user learns where
// the file was written. `program` names the program in the message
// ("文本编辑器", "电子表格程序").
void showExportedFile(Prompter& prompter, QWidget* parent, const std::filesystem::path& file, const QString& program);

// The message for an export file that could not be written: `fileName` was
// not written, anything of that name in the program folder is unchanged.
void reportFailedExport(Prompter& prompter, QWidget* parent, const QString& fileName, const QString& detail);

}  // namespace qudrim::app
