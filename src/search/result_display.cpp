#include "search/result_display.h"

#include "draw/tables.h"
#include "search/search_terms.h"

#include <algorithm>
#include <string_view>

namespace qudrim::search {

namespace {

// The positions a scope counts.
int firstCounted(int scope) { return scope == 2 ? 7 : 1; }
int lastCounted(int scope) { return scope == 1 ? 6 : 7; }

// Characters, not bytes: a list is text, and a column is as wide as its
// longest text.
size_t characters(std::string_view text)
{
    return static_cast<size_t>(
        std::count_if(text.begin(), text.end(), [](char c) { return (static_cast<unsigned char>(c) & 0xC0) != 0x80; }));
}

// The texts of as many digits as `number` has, one for each digit: the
// widest whole number of that length is among them in any font.
void addNumbersLike(std::vector<std::string>& texts, int64_t number)
{
    const std::string digits = std::to_string(number < 0 ? -number : number);
    for (char d = '0'; d <= '9'; ++d) {
        std::string text = (number < 0 ? "-" : "") + std::string(digits.size(), d);
        if (std::find(texts.begin(), texts.end(), text) == texts.end())
            texts.push_back(std::move(text));
    }
}

}  // namespace

std::array<std::string, 10> SearchResult::hitHeader() const
{
    std::array<std::string, 10> header;
    header[0] = "期号";
    for (size_t p = 1; p <= 7; ++p)
        header[p] = kPositionCaptions[p];
    header[8] = display.bolSq ? "上期开奖" : "前期开奖";
    header[9] = "序号";
    return header;
}

std::array<std::string, 4> SearchResult::tallyHeader() const { return {"序号", "结果", "出现次数", "百分比"}; }

std::string SearchResult::valueText(int64_t value) const
{
    return displayValue(display.intXianshiLei, static_cast<int>(value), display.bases);
}

std::string SearchResult::hitText(size_t row, int column) const
{
    const HitRow& hit = hits.at(row);
    if (column == 0)
        return std::to_string(hit.issue);
    if (column >= 1 && column <= 7)
        return valueText(hit.values[static_cast<size_t>(column)]);
    if (column == 8)
        return hit.list;
    if (column == 9)
        return std::to_string(row + 1);
    return {};
}

std::string SearchResult::tallyText(size_t row, int column) const
{
    const TallyRow& t = tally.at(row);
    switch (column) {
    case 0: return std::to_string(row + 1);
    case 1: return valueText(t.value);
    case 2: return std::to_string(t.count);
    case 3: return percentText(t.count, counted);
    default: return {};
    }
}

std::array<std::vector<std::string>, 10> SearchResult::widestHitTexts() const
{
    std::array<std::vector<std::string>, 10> widest;
    if (hits.empty())
        return widest;
    // The issues ascend: the first and the last have the fewest and the most digits.
    addNumbersLike(widest[0], hits.front().issue);
    addNumbersLike(widest[0], hits.back().issue);
    // A position shows one of the kind's few values, each as valueText names it.
    std::vector<std::string> values;
    for (int64_t v = 0; v < 50; ++v)
        if (std::string name = valueText(v); std::find(values.begin(), values.end(), name) == values.end())
            values.push_back(std::move(name));
    for (int c = 1; c <= 7; ++c)
        widest[static_cast<size_t>(c)] = values;
    widest[8] = {hits[longestList].list};
    // The row numbers end at the number of hits.
    addNumbersLike(widest[9], static_cast<int64_t>(hits.size()));
    return widest;
}

void checkDisplayOptions(const DisplayOptions& o)
{
    if (!isKnownKind(o.intXianshiLei))
        throw store::StoreError("result kind out of range");
    if (o.scope < 0 || o.scope > 2)
        throw store::StoreError("statistics scope out of range");
    if (!isKnownOrder(o.strQz))
        throw store::StoreError("number order must be L or D");
}

SearchResult resultOf(std::vector<HitRow> hits, const DisplayOptions& options)
{
    checkDisplayOptions(options);
    const Kind kind = options.intXianshiLei;
    const int firstPos = firstCounted(options.scope);
    const int lastPos = lastCounted(options.scope);

    SearchResult result;
    result.display = options;
    std::array<int64_t, 50> counter{};
    size_t longest = 0;
    for (size_t i = 0; i < hits.size(); ++i) {
        for (int p = firstPos; p <= lastPos; ++p) {
            const int64_t v = hits[i].values[static_cast<size_t>(p)];
            if (v >= 0 && v < 50 && tallyCounts(kind, static_cast<int>(v)))
                ++counter[static_cast<size_t>(v)];
        }
        const size_t length = characters(hits[i].list);
        if (length > longest) {
            longest = length;
            result.longestList = i;
        }
    }
    result.counted = static_cast<int64_t>(hits.size()) * (lastPos - firstPos + 1);
    for (int v : tallyValues(kind, options.bases))
        result.tally.push_back({v, tallyCounts(kind, v) ? counter[static_cast<size_t>(v)] : 0});
    // The values come ascending, so equal counts keep ascending values.
    std::stable_sort(result.tally.begin(), result.tally.end(),
                     [](const TallyRow& a, const TallyRow& b) { return a.count > b.count; });
    result.hits = std::move(hits);
    return result;
}

void writeCarcu(store::Database& db, std::vector<TallyRow> tally)
{
    std::sort(tally.begin(), tally.end(), [](const TallyRow& a, const TallyRow& b) { return a.value < b.value; });
    db.exec("DELETE FROM Carcu");
    auto insert = db.prepare("INSERT INTO Carcu (Nmb, Count) VALUES (?1, ?2)");
    for (const TallyRow& t : tally) {
        insert.bind(1, t.value).bind(2, t.count);
        insert.run();
    }
}

}  // namespace qudrim::search
