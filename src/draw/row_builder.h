// AddLishi: the one builder of history rows. Every writer of rows (draw entry,
// the importers) hands it its draws; one call stores them as one operation.
#pragma once

#include "draw/list_texts.h"
#include "draw/tables.h"
#include "store/history_store.h"

#include <array>
#include <functional>
#include <span>
#include <vector>

namespace qudrim {

struct DrawInput {
    int32_t issue = 0;        // stored as SQQH
    int32_t zodiacIssue = 0;  // the issue whose zodiac year applies (usually the same)
    std::array<int, 7> numbers{};  // drawn order, the special number last
};

enum class PreListMode {
    Unwritten,         // draw entry, import, online update
    DrawTwoBefore,     // the rebuild: each row gets the lists the row before received
};

// The values of one appended row, in the order of rowIntColumnNames() and rowTextColumnNames().
struct RowValues {
    std::vector<int64_t> ints;
    std::vector<std::string> texts;
};

// The columns that AddLishi writes: SQQH, every attribute column, the sixteen lists.
const std::vector<std::string>& rowIntColumnNames();
const std::vector<std::string>& rowTextColumnNames();

// The pure part: the row of a draw given the two draws before it (zero rows
// where there are none) and the lists it carries.
RowValues buildRowValues(const DrawRow& current, const DrawRow& previous, const DrawRow& beforePrevious,
                         const ListTexts& lists, const ListTexts& preLists);

enum class HistoryWrite {
    Append,      // the draws continue the stored history
    ReplaceAll,  // the draws replace every stored draw (import, rebuild)
};

// Stores the draws in order, all in one transaction: all rows or none. When
// appending, the working sets are loaded from the last two stored rows first,
// and the first row's lists from the last stored row; when replacing, every
// stored row is deleted in the same transaction and the first draws get zero
// copies and empty lists (no draws at all then leave an empty history).
// Throws StoreError (database refused) or std::invalid_argument (a number
// outside 1..49), and then the history is exactly as it was. `keepGoing`,
// when given, is told the number of rows stored after each row; answering
// false rolls everything back, and AddLishi returns false.
bool AddLishi(store::HistoryStore& store, std::span<const DrawInput> draws, const CodeBases& bases,
              PreListMode mode = PreListMode::Unwritten, HistoryWrite write = HistoryWrite::Append,
              const std::function<bool(size_t stored)>& keepGoing = {});

}  // namespace qudrim
