#include "search/search_terms.h"

#include "draw/list_texts.h"
#include "store/database.h"
#include "store/schema.h"

namespace qudrim::search {

bool referenceInRange(int kind, int value) { return listValueInDomain(kind, value); }

std::string comparedListColumn(int kind, bool previousDraw)
{
    return checkedColumn(std::string(previousDraw ? "txtHisLst" : "txtHisPreLst") +
                         std::string(store::kListSuffixes[static_cast<size_t>(kind)]));
}

std::string sourceListColumn(int kind) { return comparedListColumn(kind, true); }

std::array<std::optional<std::string>, 8> freeNeedles(int kind, const std::array<bool, 8>& chosen,
                                                      const std::array<int16_t, 8>& values)
{
    std::array<std::optional<std::string>, 8> needles;
    // One occurrence counter per value; the domains of every kind fit in 0..49.
    std::array<int, 50> seen{};
    for (int p = 1; p <= 7; ++p) {
        const auto i = static_cast<size_t>(p);
        if (!chosen[i] || !referenceInRange(kind, values[i]))
            continue;
        const int v = values[i];
        if (kind == kNumber) {
            needles[i] = listValueText(kind, v);
        } else {
            const int k = ++seen[static_cast<size_t>(v)];
            needles[i] = std::to_string(k) + "X" + listValueText(kind, v);
        }
    }
    return needles;
}

std::vector<std::string> fixedLetters(int kind)
{
    switch (kind) {
    case kDigitSum: return {"E", "F"};
    case kParity: return {"A"};
    default: return {std::string(strLeiZd[static_cast<size_t>(kind)])};
    }
}

std::string valueExpression(int kind, char prefix, int position)
{
    const std::string stem = store::stemOf(prefix, position);
    switch (kind) {
    case kDigitSum: return "(" + checkedColumn(stem + "E") + " + " + checkedColumn(stem + "F") + ")";
    case kParity: return "(" + checkedColumn(stem + "A") + " % 2)";
    default: return checkedColumn(stem + std::string(strLeiZd[static_cast<size_t>(kind)]));
    }
}

std::vector<int> tallyValues(int kind, const CodeBases& bases)
{
    auto run = [](int first, int last) {
        std::vector<int> v;
        for (int x = first; x <= last; ++x)
            v.push_back(x);
        return v;
    };
    switch (kind) {
    case kNumber: return run(1, 49);
    case kZodiac: return run(bases.SxIni, bases.SxIni + 11);
    case kHead: return run(0, 4);
    case kTail: return run(0, 9);
    case kDigitSum: return run(1, 13);
    case kSegment: return run(bases.DsIni, bases.DsIni + 6);
    case kWave: return run(bases.BsIni, bases.BsIni + 2);
    case kParity: return run(0, 1);
    default: return {};
    }
}

bool tallyCounts(int kind, int value)
{
    // The counters hold the values of either code base; 号码 and 合数 also
    // have a counter for 0, which no tally row lists.
    static constexpr std::array<int, 8> kHigh = {49, 12, 4, 9, 13, 7, 3, 1};
    return kind >= 0 && kind < kKindCount && value >= 0 && value <= kHigh[static_cast<size_t>(kind)];
}

std::string percentText(int64_t count, int64_t total)
{
    if (total <= 0)
        return {};
    // Thousandths of a percent, rounded half up in integers so that no binary
    // fraction can tip a value like 12.3445 the wrong way.
    const int64_t scaled = (count * 200000 + total) / (2 * total);
    std::string frac = std::to_string(scaled % 1000);
    frac.insert(0, 3 - frac.size(), '0');
    return std::to_string(scaled / 1000) + "." + frac + "%";
}

const std::string& checkedColumn(const std::string& name)
{
    if (!store::isLishiColumn(name))
        throw store::StoreError("no such column of Lishi: " + name);
    return name;
}

}  // namespace qudrim::search
