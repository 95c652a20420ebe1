#include "app/commands/compaction_report.h"

#include "app/desktop/file_paths.h"
#include "app/desktop/prompter.h"
#include "app/session/history_session.h"

#include <QString>

namespace qudrim::app {

void reportCompactionFailure(Prompter& prompter, QWidget* parent, const HistorySession& history,
                             const history::Compaction& compaction)
{
    if (!compaction.failed)
        return;
    if (compaction.damaged) {
        prompter.warning(parent, QStringLiteral("历史数据库已经损坏"),
                         QStringLiteral("压缩之后的检查发现历史数据库文件 %1 已经损坏。\n\n"
                                        "程序不再写入这个文件；在换上完好的文件并重新启动本程序之前，不能输入号码，"
                                        "也不能检索或修改历史。可以把这个文件移到别处保存，换上备份的历史数据库。")
                             .arg(toQString(history.databasePath())),
                         QString::fromStdString(compaction.detail));
        return;
    }
    prompter.warning(parent, QStringLiteral("压缩数据库"),
                     QStringLiteral("历史号码已经保存好，但历史数据库文件没有能够压缩，文件保持原样。\n\n"
                                    "下次删除历史号码时会再次压缩。"),
                     QString::fromStdString(compaction.detail));
}

}  // namespace qudrim::app
