#include "search/compared_draw.h"

#include "store/schema.h"

namespace qudrim::search {

namespace {

// N of 前N期 as the rewrites use it: below 1 it is 1, the previous draw.
int effectivePreQi(int intPreQi) { return intPreQi < 1 ? 1 : intPreQi; }

// A list without its last four characters (the special number's entry);
// shorter lists become empty. Counted in characters, as the lists are text.
std::string_view withoutSpecial(std::string_view list)
{
    size_t end = list.size();
    for (int i = 0; i < 4 && end > 0; ++i) {
        --end;
        while (end > 0 && (static_cast<unsigned char>(list[end]) & 0xC0) == 0x80)
            --end;
    }
    return list.substr(0, end);
}

// The N-back list of a column against the draw N before (N >= 1): row 1 keeps
// its old text unless N is 1; rows 2..N-1 have no draw N before them and get
// the empty text; row m >= N gets the source list of row m-N+1, which
// describes draw m-N. Views into the texts of `rows`.
std::vector<std::string_view> rebuiltList(const Rows& rows, int source, int target, int n)
{
    const auto& src = rows.textsOf(source);
    const auto& old = rows.textsOf(target);
    const size_t shift = static_cast<size_t>(n - 1);
    std::vector<std::string_view> out(rows.size());
    for (size_t k = 0; k < out.size(); ++k) {
        if (k == 0 && n > 1)
            out[k] = old[k];
        else if (k >= shift)
            out[k] = src[k - shift];
    }
    return out;
}

// The plain number list txtHisPreLst as the copy refresh against the draw
// `back` rows before leaves it: row 1 keeps what it holds, rows 2..back get
// the empty text, row k > back the txtHisLst of row k - back + 1.
std::vector<std::string_view> refreshedPlainList(const Rows& rows, int source, int target, size_t back)
{
    const auto& src = rows.textsOf(source);
    const auto& old = rows.textsOf(target);
    std::vector<std::string_view> out(rows.size());
    for (size_t k = 0; k < out.size(); ++k) {
        if (k == 0)
            out[k] = old[k];
        else if (k >= back)
            out[k] = src[k - back + 1];
    }
    return out;
}

// A copy column: in row k the own value of row k - back, 0 where there is
// no such row.
std::vector<int64_t> shiftedCopy(const Rows& rows, int own, size_t back)
{
    const auto& values = rows.intsOf(own);
    std::vector<int64_t> c(rows.size(), 0);
    for (size_t k = back; k < c.size(); ++k)
        c[k] = values[k - back];
    return c;
}

}  // namespace

ComparedDraw::ComparedDraw(Rows& rows, const SearchOptions& options, const std::array<bool, 8>& refreshed,
                           SearchedCopy searchedCopy)
    : o_(options), n_(effectivePreQi(options.intPreQi))
{
    if (o_.bolZyw)
        planFree(rows, searchedCopy);
    else
        planFixed(rows, refreshed);
}

void ComparedDraw::evaluate(const Rows& rows, RowWrites& writes)
{
    if (o_.bolZyw)
        evaluateFree(rows, writes);
    else
        evaluateFixed(rows, writes);
}

void ComparedDraw::planFree(Rows& rows, SearchedCopy searchedCopy)
{
    using store::listColumn;
    using store::ListOf;
    source_ = rows.textColumn(listColumn(o_.intLei, ListOf::DrawBefore));
    if (!o_.bolSq) {
        target_ = rows.textColumn(listColumn(o_.intLei, ListOf::DrawNBefore));
        // The plain number list follows, for the display's column of the
        // compared draw's numbers.
        if (o_.intLei != kNumber) {
            plainSource_ = rows.textColumn(listColumn(kNumber, ListOf::DrawBefore));
            plainTarget_ = rows.textColumn(listColumn(kNumber, ListOf::DrawNBefore));
        }
    }
    if (searchedCopy == SearchedCopy::Always || !o_.specialCounts)
        searchedCopy_ = rows.textColumn(std::string(store::kSearchedListColumn));
}

void ComparedDraw::evaluateFree(const Rows& rows, RowWrites& writes)
{
    std::vector<std::string_view> compared;
    if (o_.bolSq) {
        const auto& src = rows.textsOf(source_);
        compared.assign(src.begin(), src.end());
    } else {
        compared = rebuiltList(rows, source_, target_, n_);
        if (plainTarget_ >= 0)
            writes.setTexts(plainTarget_, rebuiltList(rows, plainSource_, plainTarget_, n_));
    }
    searched_ = compared;
    if (!o_.specialCounts)
        for (auto& list : searched_)
            list = withoutSpecial(list);
    if (target_ >= 0)
        writes.setTexts(target_, std::move(compared));
    if (searchedCopy_ >= 0)
        writes.setTexts(searchedCopy_, searched_);
}

void ComparedDraw::planFixed(Rows& rows, const std::array<bool, 8>& refreshed)
{
    const store::Copy copy = o_.bolSq ? store::Copy::Previous : store::Copy::NBack;
    for (int p = 1; p <= 7; ++p) {
        if (!refreshed[static_cast<size_t>(p)])
            continue;
        FixedPosition f;
        f.position = p;
        for (char letter : valueLetters(o_.intLei)) {
            f.own.push_back(rows.intColumn(store::attributeColumn(o_.display.strQz, p, letter)));
            f.copy.push_back(rows.intColumn(store::attributeColumn(o_.display.strQz, p, letter, copy)));
        }
        fixed_.push_back(std::move(f));
    }
    // Against the draw N before, every refresh also gives the display the
    // numbers of that draw.
    if (!o_.bolSq && !fixed_.empty()) {
        plainSource_ = rows.textColumn(store::listColumn(kNumber, store::ListOf::DrawBefore));
        plainTarget_ = rows.textColumn(store::listColumn(kNumber, store::ListOf::DrawNBefore));
    }
}

// Copies of row k are the own values of row k - 1 (上期) or k - N (前N期),
// 0 where there is no such row.
void ComparedDraw::evaluateFixed(const Rows& rows, RowWrites& writes)
{
    const size_t back = o_.bolSq ? 1 : static_cast<size_t>(n_);
    for (const auto& f : fixed_) {
        std::vector<std::vector<int64_t>> copies;
        for (int own : f.own)
            copies.push_back(shiftedCopy(rows, own, back));
        auto& values = values_[static_cast<size_t>(f.position)];
        values.resize(rows.size());
        for (size_t k = 0; k < values.size(); ++k)
            values[k] = valueFromColumns(o_.intLei, copies[0][k], copies.size() > 1 ? copies[1][k] : 0);
        for (size_t j = 0; j < f.copy.size(); ++j)
            writes.setInts(f.copy[j], std::move(copies[j]));
    }
    if (plainTarget_ >= 0)
        writes.setTexts(plainTarget_, refreshedPlainList(rows, plainSource_, plainTarget_, back));
}

}  // namespace qudrim::search
