// "历史号码导出文本文件(&O)": writes the history list as a text file of history
// lines in the program folder and opens it in the desktop's text editor.
#include "app/frmMain.h"

#include "app/exported_file.h"
#include "app/error_text.h"
#include "history/export_file.h"
#include "history/text_export.h"

using namespace qudrim;

void frmMain::Command4_Click()
{
    runPendingBoxHandler();
    // Without the database the history is unknown, not empty.
    if (!historyOpenFor(QStringLiteral("历史号码无法导出")))
        return;
    // The history list shows exactly the read view, so its rows are the lines.
    const store::Snapshot& view = *resSnap_;
    std::optional<std::filesystem::path> file;
    try {
        file = history::exportHistoryText(app::toPath(programFolder_), view.rows());
    } catch (const history::ExportError& e) {
        app::reportFailedExport(*prompter_, this, QString::fromStdString(history::historyTextFileName(view.last()->issue)),
                                app::exceptionText(e));
        return;
    }
    // An empty history has no last issue to name a file after: nothing to do.
    if (file)
        app::showExportedFile(*prompter_, this, *file, QStringLiteral("文本编辑器"));
}
