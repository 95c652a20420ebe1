// "历史号码导出文本文件(&O)": writes the history list as a text file of history
// lines in the program folder and opens it in the desktop's text editor.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/exported_file.h"
#include "app/desktop/error_text.h"
#include "app/desktop/file_paths.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "history/export_file.h"
#include "history/text_export.h"

namespace qudrim::app {

void exportHistoryText(const CommandContext& context)
{
    // Without the database the history is unknown, not empty.
    if (!historyOpenFor(context, QStringLiteral("历史号码无法导出")))
        return;
    // The history list shows exactly the read view, so its rows are the lines.
    const store::Snapshot& view = context.history.view();
    std::optional<std::filesystem::path> file;
    try {
        file = history::exportHistoryText(toPath(context.programFolder), view.rows());
    } catch (const history::ExportError& e) {
        reportFailedExport(context.prompter, context.window,
                           QString::fromStdString(history::historyTextFileName(view.last()->issue)), exceptionText(e));
        return;
    }
    // An empty history has no last issue to name a file after: nothing to do.
    if (file)
        showExportedFile(context.prompter, context.window, *file, QStringLiteral("文本编辑器"));
}

}  // namespace qudrim::app
