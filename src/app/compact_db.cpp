// Compaction of the history database file after draws were deleted.
#include "app/frmMain.h"

#include "app/prompter.h"
#include "app/error_text.h"

using namespace qudrim;

void frmMain::CompactDb()
{
    try {
        store_->compact();
    } catch (const std::exception& e) {
        // The history itself is whole: only the file keeps its size.
        prompter_->warning(this, QStringLiteral("压缩数据库"),
                           QStringLiteral("历史号码已经保存好，但历史数据库文件没有能够压缩，文件保持原样。\n\n"
                                          "下次删除历史号码时会再次压缩。"),
                           app::exceptionText(e));
    }
    // The database was closed and opened again: so is the read view.
    reopenSnapshot();
}
