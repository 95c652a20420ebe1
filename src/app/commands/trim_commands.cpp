// "删除到选定期" and "删除最后指定数量期历史": cut the history back from its
// end. The draws to keep are written to "lsbf.txt", the whole history is
// rebuilt from that file (every copy and list recomputed, the two-back lists
// filled) and the database file is compacted; the window asks, shows what
// failed, and follows the new history.
#include "app/commands/commands.h"

#include "app/commands/command_context.h"
#include "app/commands/compaction_report.h"
#include "app/commands/rebuild_report.h"
#include "app/desktop/error_text.h"
#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"
#include "app/session/session_warnings.h"
#include "app/widgets/busy_cursor.h"
#include "history/trim.h"

#include <QDir>

namespace qudrim::app {

namespace {

const QString kTitle = QStringLiteral("删除期数");

// The whole number the user enters; none when nothing is to happen, after
// telling the user when the answer was no whole number.
std::optional<int32_t> askTrimValue(Prompter& prompter, QWidget* parent, const QString& prompt,
                                    const QString& defaultText, const QString& inputError)
{
    // Full-width digits and blanks typed with a Chinese input method count as the plain ones.
    const QString answer = prompter.getText(parent, kTitle, prompt, defaultText).normalized(QString::NormalizationForm_KC);
    const history::TrimAnswer a = history::readTrimAnswer(answer.toStdString());
    switch (a.kind) {
    case history::TrimAnswer::Kind::Nothing:
        return std::nullopt;
    case history::TrimAnswer::Kind::NotNumber:
        prompter.warning(parent, inputErrorTitle(), inputError);
        return std::nullopt;
    case history::TrimAnswer::Kind::Value:
        break;
    }
    return a.value;
}

// Why a draw would not come back from the backup file.
QString notReadBackText(int32_t issue)
{
    const bool sevenDigits = issue >= 1000000 && issue <= 9999999;
    return (sevenDigits ? QStringLiteral("第 %1 期写入备份文件后不能原样读回，历史号码没有改动。")
                        : QStringLiteral("第 %1 期的期号不是七位数字，写入备份文件后不能原样读回，历史号码没有改动。"))
               .arg(issue) +
           QStringLiteral("\n\n可以用“删除最后历史”逐期删除最后的历史号码。");
}

// Keeps `kept` of the stored draws: writes them to "lsbf.txt", rebuilds the
// history from it and compacts the file, then says what failed.
void keepDraws(const CommandContext& context, const std::vector<DrawInput>& kept, int32_t nextIssue,
               const CodeBases& bases)
{
    Prompter& prompter = context.prompter;
    // Leaving no draw at all is clearing the history: it is asked first.
    if (kept.empty() && !context.history.view().empty() && !confirmClearing(context))
        return;
    const std::filesystem::path backup =
        toPath(QDir(context.programFolder).filePath(QString::fromLatin1(history::kBackupFileName)));
    BusyCursor busy;
    const history::TrimOutcome outcome = history::trimHistory(context.history.store(), kept, backup, nextIssue, bases);
    if (outcome.fault == history::TrimFault::None)
        context.history.changedAndCompacted(HistoryChange::replaced(), outcome.compaction);
    busy.release();
    switch (outcome.fault) {
    case history::TrimFault::None:
        reportCompactionFailure(prompter, context.window, context.history, outcome.compaction);
        return;
    case history::TrimFault::NotReadBack:
        prompter.warning(context.window, kTitle, notReadBackText(outcome.issue));
        return;
    case history::TrimFault::BackupNotWritten:
        prompter.warning(context.window, kTitle,
                         QStringLiteral("备份文件 %1 无法写入，历史号码没有改动。\n\n请确认程序所在的文件夹可以写入。")
                             .arg(toQString(backup)),
                         QString::fromStdString(outcome.detail));
        return;
    case history::TrimFault::RebuildFailed:
        reportRebuildFailure(prompter, context.window, kTitle, backup, outcome.rebuild);
        return;
    }
}

}  // namespace

void trimToIssue(const CommandContext& context, int32_t nextIssue, const CodeBases& bases)
{
    // Without the database the backup file would be overwritten for nothing.
    if (!historyOpenFor(context, QStringLiteral("历史号码无法删除")))
        return;
    const auto lastKept = askTrimValue(context.prompter, context.window, QStringLiteral("请输入需要删除到的期数，例如‘2014016’"),
                                       QString::number(static_cast<int64_t>(nextIssue) - 1),
                                       QStringLiteral("请输入一个整数期号，例如 2014016。"));
    if (!lastKept)
        return;
    keepDraws(context, history::drawsUpToIssue(context.history.view(), *lastKept), nextIssue, bases);
}

void trimLastDraws(const CommandContext& context, int32_t nextIssue, const CodeBases& bases)
{
    if (!historyOpenFor(context, QStringLiteral("历史号码无法删除")))
        return;
    const auto dropped = askTrimValue(
        context.prompter, context.window,
        QStringLiteral("请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）"), QStringLiteral("1"),
        QStringLiteral("请输入要删除的期数，一个正整数，例如 3。"));
    if (!dropped)
        return;
    keepDraws(context, history::drawsWithoutLast(context.history.view(), *dropped), nextIssue, bases);
}

}  // namespace qudrim::app
