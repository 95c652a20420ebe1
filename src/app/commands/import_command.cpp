// "读取历史号文本(&W)": replaces the history by the draws of a history text
// file the user chooses. The file is read and checked whole first; the
// history is replaced in one step or stays exactly as it was, also when the
// user cancels a long import.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/import_progress.h"
#include "app/commands/rebuild_report.h"
#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "app/widgets/busy_cursor.h"
#include "history/rebuild.h"

#include <QDir>

namespace qudrim::app {

namespace {

const QString kTitle = QStringLiteral("读入历史");
const QString kQuestion = QStringLiteral(
    "确实要读入最新历史号码吗？点击'确认'读入,点击'取消'放弃该操作。确要读入请保证安装目录下存在历史号码的文本文件文件。"
    "读取时可能要花费一段时间,请耐心等候！");
// One entry: the description "Text(*.txt)" and the pattern "*.txt".
const QString kFilter = QStringLiteral("Text(*.txt) (*.txt)");

// The program folder's "历史号码", or the program folder when it has none.
QString historyFilesFolder(const QString& programFolder)
{
    const QDir program(programFolder);
    const QString sub = program.filePath(QStringLiteral("历史号码"));
    return QDir(sub).exists() ? sub : program.path();
}

}  // namespace

void importHistoryFile(const CommandContext& context, int32_t nextIssue, const CodeBases& bases, const ImportPace& pace)
{
    if (!historyOpenFor(context, QStringLiteral("历史号码文本无法读入")))
        return;
    Prompter& prompter = context.prompter;
    if (!prompter.confirm(context.window, kTitle, kQuestion))
        return;
    const QString file = prompter.getOpenFileName(context.window, historyFilesFolder(context.programFolder), kFilter);
    // Only the name's last three letters count, in any case.
    if (file.right(3).toLower() == QStringLiteral("txt")) {
        const std::filesystem::path path = toPath(file);
        BusyCursor busy;
        // A large file takes a while: after a moment its progress shows, with Cancel.
        ImportProgress progress(context.window, kTitle, pace);
        // A first line without an issue comes after the next issue offered.
        const history::RebuildResult result =
            history::RebuildLishi(context.history.store(), path, nextIssue, PreListMode::Unwritten, bases,
                                  history::EmptyFile::Refuse, progress.callback());
        progress.close();
        if (result.status == history::RebuildStatus::Rebuilt) {
            context.history.changed(HistoryChange::replaced());
            return;
        }
        busy.release();
        reportRebuildFailure(prompter, context.window, kTitle, path, result);
    }
    // The next issue and the range end always show the history as it stands.
    context.history.changed(HistoryChange::nextIssueOnly());
}

}  // namespace qudrim::app
