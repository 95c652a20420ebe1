#include "app/compact_db.h"

#include "app/prompter.h"

#include <QString>

namespace qudrim::app {

void reportCompactionFailure(Prompter& prompter, QWidget* parent, const history::Compaction& compaction)
{
    if (!compaction.failed)
        return;
    prompter.warning(parent, QStringLiteral("压缩数据库"),
                     QStringLiteral("历史号码已经保存好，但历史数据库文件没有能够压缩，文件保持原样。\n\n"
                                    "下次删除历史号码时会再次压缩。"),
                     QString::fromStdString(compaction.detail));
}

}  // namespace qudrim::app
