#include "app/session/session_warnings.h"

#include "app/commands/command_context.h"
#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"

namespace qudrim::app {

namespace {

QString fileOf(const HistorySession& history) { return toQString(history.databasePath()); }

const QString kNoMoreWrites =
    QStringLiteral("程序不再写入这个文件；在换上完好的文件并重新启动本程序之前，不能输入号码，也不能检索或修改历史。");
const QString kCloseOthers = QStringLiteral("请关闭可能正在使用这个文件的其他程序，然后再试一次。");

// Why a file could not be opened as the history, as far as the program can tell.
QString notOpenedText(const QString& file)
{
    return QStringLiteral("历史数据库文件 %1 无法打开：它可能已经损坏、不是本程序的历史数据库，或者正被其他程序占用。").arg(file);
}

}  // namespace

void warnHistoryNotOpen(Prompter& prompter, QWidget* parent, const HistorySession& history, const QString& refused)
{
    const QString file = fileOf(history);
    QString why;
    QString todo = QStringLiteral("请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。");
    switch (history.fault()) {
    case HistoryFault::None:
        why = QStringLiteral("历史数据库 %1 已经关闭。").arg(file);
        break;
    case HistoryFault::NotOpened:
        why = QStringLiteral("程序启动时") + notOpenedText(file);
        break;
    case HistoryFault::Damaged:
        why = QStringLiteral("历史数据库文件 %1 已经损坏，无法打开：完整性检查没有通过。").arg(file);
        todo = QStringLiteral("请换上完好的历史数据库文件（或者把这个文件移到别处，让本程序建立一个新的空历史数据库），然后重新启动本程序。");
        break;
    case HistoryFault::Unreadable:
        why = QStringLiteral("读取历史数据库文件 %1 时出错，它可能已经损坏，程序已经停止使用这个文件。").arg(file);
        todo = QStringLiteral("请换上完好的历史数据库文件，然后重新启动本程序。");
        break;
    }
    const QString& openError = history.openError();
    prompter.warning(parent, QStringLiteral("历史数据库没有打开"),
                     QStringLiteral("%1：历史数据库没有打开。\n\n%2\n\n%3").arg(refused, why, todo),
                     openError.isEmpty() ? QStringLiteral("The history database is not open.") : openError);
}

bool historyOpenFor(const CommandContext& context, const QString& refused)
{
    if (context.history.isOpen())
        return true;
    warnHistoryNotOpen(context.prompter, context.window, context.history, refused);
    return false;
}

void warnCommandNotRun(Prompter& prompter, QWidget* parent, const HistorySession& history, const Settled& settled)
{
    const QString file = fileOf(history);
    switch (settled.failure) {
    case Settled::Failure::None:
        return;
    case Settled::Failure::MarksNotWritten:
        prompter.warning(parent, QStringLiteral("命令没有执行"),
                         QStringLiteral("上一次检索的结果没有能够写入历史数据库 %1，结果列表已清空，这个命令没有执行。\n\n"
                                        "历史号码本身没有改变。")
                                 .arg(file) +
                             kCloseOthers,
                         settled.detail);
        return;
    case Settled::Failure::Busy:
        prompter.warning(parent, QStringLiteral("命令没有执行"),
                         QStringLiteral("另一个程序正在使用历史数据库 %1，历史号码没有能够重新读取，这个命令没有执行。\n\n")
                                 .arg(file) +
                             kCloseOthers,
                         settled.detail);
        return;
    case Settled::Failure::Unreadable:
        prompter.warning(parent, QStringLiteral("命令没有执行"),
                         QStringLiteral("读取历史数据库文件 %1 时出错，它可能已经损坏，这个命令没有执行。\n\n"
                                        "列表中仍是上次读到的历史号码。")
                                 .arg(file) +
                             kNoMoreWrites,
                         settled.detail);
        return;
    }
}

void warnViewNotFollowing(Prompter& prompter, QWidget* parent, const HistorySession& history, const Settled& settled)
{
    const QString file = fileOf(history);
    switch (settled.failure) {
    case Settled::Failure::None:
    case Settled::Failure::MarksNotWritten:
        return;
    case Settled::Failure::Busy:
        prompter.warning(parent, QStringLiteral("历史数据库正被占用"),
                         QStringLiteral("历史号码已经改动，但另一个程序正在使用历史数据库 %1，列表没有能够重新读取；"
                                        "下一个命令之前会再读一次。")
                             .arg(file),
                         settled.detail);
        return;
    case Settled::Failure::Unreadable:
        prompter.warning(parent, QStringLiteral("历史数据库无法读取"),
                         QStringLiteral("历史号码已经改动，但读取历史数据库文件 %1 时出错，它可能已经损坏。\n\n"
                                        "列表中仍是改动前读到的历史号码。")
                                 .arg(file) +
                             kNoMoreWrites,
                         settled.detail);
        return;
    }
}

void warnHistoryNotOpened(Prompter& prompter, QWidget* parent, const HistorySession& history)
{
    const QString file = fileOf(history);
    if (history.fault() == HistoryFault::Damaged) {
        prompter.warning(
            parent, QStringLiteral("历史数据库已经损坏"),
            QStringLiteral("历史数据库文件 %1 已经损坏：完整性检查发现其中有无法读取的部分。\n\n"
                           "程序没有读取其中的历史号码，列表因此是空的；这个文件保持原样，没有被改动。在换上完好的文件并重新启动本程序之前，"
                           "不能输入号码，也不能检索或修改历史。\n\n"
                           "可以把这个文件移到别处保存（用数据库工具也许还能救出其中的历史号码），换上备份的历史数据库；"
                           "没有备份时，本程序下次启动会建立一个新的空历史数据库，再读入历史号码文本。")
                .arg(file),
            history.openError());
        return;
    }
    prompter.warning(parent, QStringLiteral("无法打开历史数据库"),
                     notOpenedText(file) +
                         QStringLiteral("\n\n程序以空的历史记录启动，这个文件保持原样，没有被改动；在重新启动之前，不能输入号码，也不能检索。\n\n"
                                        "请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。如果文件已经损坏，可以把它移到别处保存，"
                                        "本程序下次启动时会建立一个新的空历史数据库。"),
                     history.openError());
}

void warnHistoryHeldElsewhere(Prompter& prompter, QWidget* parent, const HistorySession& history)
{
    prompter.warning(parent, QStringLiteral("历史已经打开"),
                     QStringLiteral("这个程序文件夹的历史数据库 %1 已经在另一个窗口中打开。\n\n"
                                    "同一份历史同时只能在一个窗口中使用。本窗口没有读取或改动任何文件，现在关闭；"
                                    "请回到已经打开的窗口继续使用。")
                         .arg(fileOf(history)),
                     history.lockHolder());
}

void warnMarksLostAtClosing(Prompter& prompter, QWidget* parent, const HistorySession& history, const QString& detail)
{
    prompter.warning(parent, QStringLiteral("检索结果没有保存"),
                     QStringLiteral("上一次检索的结果没有能够写入历史数据库 %1：另一个程序一直占用着这个文件。\n\n"
                                    "历史号码本身都已经保存好，没有丢失；只是这次检索留在历史数据库中的标记和统计没有写入，"
                                    "下次检索时会重新写入。")
                         .arg(fileOf(history)),
                     detail);
}

}  // namespace qudrim::app
