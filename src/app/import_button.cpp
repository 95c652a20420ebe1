// "读取历史号文本(&W)": replaces the history by the draws of a history text
// file the user chooses. The file is read and checked whole first; the
// history is replaced in one step or stays exactly as it was, also when the
// user cancels a long import.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "app/import_progress.h"
#include "app/prompter.h"
#include "app/rebuild_report.h"
#include "history/rebuild.h"

#include <QDir>
#include <QFile>

using namespace qudrim;

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

void frmMain::cmdRdLst_Click()
{
    runPendingBoxHandler();
    if (!historyOpenFor(QStringLiteral("历史号码文本无法读入")))
        return;
    if (!prompter_->confirm(this, kTitle, kQuestion))
        return;
    const QString file = prompter_->getOpenFileName(this, historyFilesFolder(programFolder_), kFilter);
    // Only the name's last three letters count, in any case.
    if (file.right(3).toLower() == QStringLiteral("txt")) {
        const std::filesystem::path path(QFile::encodeName(file).toStdString());
        app::BusyCursor busy;
        // A large file takes a while: after a moment its progress shows, with Cancel.
        app::ImportProgress progress(this, kTitle, importProgressDelayMs_);
        // A first line without an issue comes after the next issue offered.
        const history::RebuildResult result =
            history::RebuildLishi(*store_, path, state_.lngQihao, PreListMode::Unwritten, state_.bases,
                                  history::EmptyFile::Refuse, progress.callback());
        progress.close();
        if (result.status == history::RebuildStatus::Rebuilt) {
            AddHaoma();
            QihaoXianshi();
            ShangqiXianshi();
        } else {
            busy.release();
            app::reportRebuildFailure(*prompter_, this, kTitle, path, result);
        }
    }
    // The next issue and the range end always show the history as it stands.
    QihaoXianshi();
}
