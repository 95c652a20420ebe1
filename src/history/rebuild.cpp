#include "history/rebuild.h"

namespace qudrim::history {

RebuildResult RebuildLishi(store::HistoryStore& store, const std::filesystem::path& file, int32_t issueBefore,
                           PreListMode mode, const CodeBases& bases, EmptyFile empty)
{
    RebuildResult result;
    HistoryText text;
    try {
        text = ReadHistoryFile(file, issueBefore);
    } catch (const HistoryFileError& e) {
        result.status = RebuildStatus::Unreadable;
        result.detail = e.what();
        return result;
    }
    if (text.refused) {
        result.status = RebuildStatus::LineRefused;
        result.refused = std::move(text.refused);
        return result;
    }
    if (text.draws.empty() && empty == EmptyFile::Refuse) {
        result.status = RebuildStatus::NoDraw;
        return result;
    }
    try {
        AddLishi(store, text.draws, bases, mode, HistoryWrite::ReplaceAll);
    } catch (const std::exception& e) {
        result.status = RebuildStatus::StoreRefused;
        result.detail = e.what();
        return result;
    }
    result.draws = text.draws.size();
    return result;
}

}  // namespace qudrim::history
