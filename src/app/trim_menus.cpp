// "删除到选定期" and "删除最后指定数量期历史": cut the history back from its
// end. The draws to keep are written to "lsbf.txt", the whole history is
// rebuilt from that file (every copy and list recomputed, the two-back lists
// filled) and the database file is compacted.
#include "app/frmMain.h"

#include "app/busy_cursor.h"
#include "app/prompter.h"
#include "app/rebuild_report.h"
#include "app/error_text.h"
#include "draw/draw_entry.h"
#include "history/history_file.h"
#include "history/rebuild.h"
#include "history/trim.h"

#include <QDir>
#include <QFile>

using namespace qudrim;

namespace {

const QString kTitle = QStringLiteral("删除期数");
const QString kClearTitle = QStringLiteral("确认清空");
const QString kClearQuestion = QStringLiteral("确定要清空所有的历史号码吗？");

// The whole number the user enters; none when nothing is to happen, after
// telling the user when the answer was no whole number.
std::optional<int32_t> askTrimValue(app::Prompter& prompter, QWidget* parent, const QString& prompt,
                                    const QString& defaultText, const QString& inputError)
{
    // Full-width digits and blanks typed with a Chinese input method count as the plain ones.
    const QString answer = prompter.getText(parent, kTitle, prompt, defaultText).normalized(QString::NormalizationForm_KC);
    const history::TrimAnswer a = history::ReadTrimAnswer(answer.toStdString());
    switch (a.kind) {
    case history::TrimAnswer::Kind::Nothing:
        return std::nullopt;
    case history::TrimAnswer::Kind::NotNumber:
        prompter.warning(parent, app::inputErrorTitle(), inputError);
        return std::nullopt;
    case history::TrimAnswer::Kind::Value:
        break;
    }
    return a.value;
}

}  // namespace

void frmMain::mnuDlzd_Click()
{
    runPendingBoxHandler();
    // Without the database the backup file would be overwritten for nothing.
    if (!historyOpenFor(QStringLiteral("历史号码无法删除")))
        return;
    const auto lastKept = askTrimValue(*prompter_, this, QStringLiteral("请输入需要删除到的期数，例如‘2014016’"),
                                       QString::number(static_cast<int64_t>(state_.lngQihao) - 1),
                                       QStringLiteral("请输入一个整数期号，例如 2014016。"));
    if (!lastKept)
        return;
    reopenSnapshot();
    trimHistory(history::DrawsUpToIssue(*resSnap_, *lastKept));
}

void frmMain::mnuEszhzd_Click()
{
    runPendingBoxHandler();
    if (!historyOpenFor(QStringLiteral("历史号码无法删除")))
        return;
    const auto dropped = askTrimValue(
        *prompter_, this,
        QStringLiteral("请输入需要删除最后多少期历史号码（例如输入3，那么就将删除最后的3期历史号码）"), QStringLiteral("1"),
        QStringLiteral("请输入要删除的期数，一个正整数，例如 3。"));
    if (!dropped)
        return;
    reopenSnapshot();
    trimHistory(history::DrawsWithoutLast(*resSnap_, *dropped));
}

QString frmMain::backupFilePath() const
{
    return QDir(programFolder_).filePath(QString::fromLatin1(history::kBackupFileName));
}

void frmMain::trimHistory(const std::vector<DrawInput>& kept)
{
    // Leaving no draw at all is clearing the history: it is asked first.
    if (kept.empty() && !resSnap_->empty() && !prompter_->confirm(this, kClearTitle, kClearQuestion))
        return;
    // The history comes back from the file: a draw that would not read back
    // unchanged would be stored under another issue or with other numbers.
    if (const DrawInput* odd = history::FirstDrawNotReadBack(kept)) {
        prompter_->warning(this, kTitle,
                           QStringLiteral("第 %1 期的期号不是七位数字，写入备份文件后不能原样读回，历史号码没有改动。\n\n"
                                          "可以用“删除最后历史”逐期删除最后的历史号码。")
                               .arg(odd->issue));
        return;
    }
    const std::filesystem::path backup(QFile::encodeName(backupFilePath()).toStdString());
    try {
        history::WriteHistoryFile(backup, kept);
    } catch (const history::HistoryFileError& e) {
        prompter_->warning(this, kTitle,
                           QStringLiteral("备份文件 %1 无法写入，历史号码没有改动。\n\n请确认程序所在的文件夹可以写入。")
                               .arg(app::displayPath(backup)),
                           app::exceptionText(e));
        return;
    }
    if (!Dqzd())
        return;
    CompactDb();
}

bool frmMain::Dqzd()
{
    const std::filesystem::path backup(QFile::encodeName(backupFilePath()).toStdString());
    app::BusyCursor busy;
    // Every line of the file written by a trim carries its issue; a trim
    // that keeps nothing leaves an empty history.
    const history::RebuildResult result = history::RebuildLishi(
        *store_, backup, state_.lngQihao, PreListMode::DrawTwoBefore, state_.bases, history::EmptyFile::Empties);
    if (result.status != history::RebuildStatus::Rebuilt) {
        busy.release();
        app::reportRebuildFailure(*prompter_, this, kTitle, backup, result);
        return false;
    }
    AddHaoma();
    QihaoXianshi();
    ShangqiXianshi();
    return true;
}
