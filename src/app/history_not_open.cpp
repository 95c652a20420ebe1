#include "app/history_not_open.h"

#include "app/command_context.h"
#include "app/history.h"
#include "app/prompter.h"

namespace qudrim::app {

void warnHistoryNotOpen(Prompter& prompter, QWidget* parent, const History& history, const QString& refused)
{
    const QString file = QString::fromStdString(history.databasePath().string());
    const QString& openError = history.openError();
    const QString why =
        openError.isEmpty()
            ? QStringLiteral("历史数据库 %1 已经关闭。").arg(file)
            : QStringLiteral("程序启动时历史数据库文件 %1 无法打开：它可能已经损坏、不是本程序的历史数据库，或者正被其他程序占用。")
                  .arg(file);
    prompter.warning(parent, QStringLiteral("历史数据库没有打开"),
                     QStringLiteral("%1：历史数据库没有打开。\n\n%2\n\n请关闭可能正在使用这个文件的其他程序，然后重新启动本程序。")
                         .arg(refused, why),
                     openError.isEmpty() ? QStringLiteral("The history database is not open.") : openError);
}

bool historyOpenFor(const CommandContext& context, const QString& refused)
{
    if (context.history.isOpen())
        return true;
    warnHistoryNotOpen(context.prompter, context.window, context.history, refused);
    return false;
}

}  // namespace qudrim::app
