#include "history/rebuild.h"

#include <functional>

namespace qudrim::history {

RebuildResult RebuildLishi(store::HistoryStore& store, const std::filesystem::path& file, int32_t issueBefore,
                           PreListMode mode, const CodeBases& bases, EmptyFile empty, const ProgressCallback& progress)
{
    RebuildResult result;
    HistoryText text;
    try {
        text = readHistoryFile(file, issueBefore, progress);
    } catch (const HistoryFileError& e) {
        result.status = RebuildStatus::Unreadable;
        result.detail = e.what();
        return result;
    }
    if (text.cancelled) {
        result.status = RebuildStatus::Cancelled;
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
    const size_t total = text.draws.size();
    std::function<bool(size_t)> stored;
    if (progress) {
        if (!progress(ProgressStep::Storing, 0, total)) {
            result.status = RebuildStatus::Cancelled;
            return result;
        }
        stored = [&](size_t done) { return progress(ProgressStep::Storing, done, total); };
    }
    try {
        if (!AddLishi(store, text.draws, bases, mode, HistoryWrite::ReplaceAll, stored)) {
            result.status = RebuildStatus::Cancelled;
            return result;
        }
    } catch (const std::exception& e) {
        result.status = RebuildStatus::StoreRefused;
        result.detail = e.what();
        return result;
    }
    result.draws = text.draws.size();
    return result;
}

RebuildResult Dqzd(store::HistoryStore& store, const std::filesystem::path& backupFile, int32_t issueBefore,
                   const CodeBases& bases)
{
    return RebuildLishi(store, backupFile, issueBefore, PreListMode::DrawTwoBefore, bases, EmptyFile::Empties);
}

}  // namespace qudrim::history
