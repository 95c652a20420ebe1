#include "draw/list_texts.h"

#include "draw/tables.h"

namespace qudrim {

namespace {

struct Domain {
    int low, high;
};

// Counter domains cover the codes of both code bases.
constexpr std::array<Domain, 8> kDomains = {{
    {1, 49},  // number (no counter; the number list always takes the number)
    {0, 12},  // zodiac
    {0, 4},   // head
    {0, 9},   // tail
    {1, 13},  // digit sum
    {0, 7},   // segment
    {0, 3},   // wave colour
    {0, 1},   // odd/even
}};

std::string twoDigits(int v)
{
    std::string s = std::to_string(v);
    return (v >= 0 && v < 10) ? "0" + s : s;
}

}  // namespace

bool listValueHasTwoDigits(int kind) { return kind == kZodiac || kind == kDigitSum || kind == kWave || kind == kNumber; }

std::string listValueText(int kind, int value)
{
    return listValueHasTwoDigits(kind) ? twoDigits(value) : std::to_string(value);
}

bool listValueInDomain(int kind, int value)
{
    if (kind < 0 || kind >= kKindCount)
        return false;
    const Domain d = kDomains[static_cast<size_t>(kind)];
    return value >= d.low && value <= d.high;
}

HisLists BuildHisLst(const DrawRow& draw)
{
    HisLists lists;
    for (int p = 1; p <= 7; ++p)
        lists[kNumber] += twoDigits(draw.L[static_cast<size_t>(p)].A) + " ";

    for (int kind = 1; kind < kKindCount; ++kind) {
        std::array<int, 14> counter{};
        std::string& text = lists[static_cast<size_t>(kind)];
        for (int p = 1; p <= 7; ++p) {
            // Positions 1..6 in ascending order, then the special number.
            const Attr& a = draw.at('D', p);
            const int v = a.value(kind);
            if (!listValueInDomain(kind, v))
                continue;
            const int count = ++counter[static_cast<size_t>(v)];
            text += std::to_string(count) + "X" + listValueText(kind, v) + " ";
        }
    }
    return lists;
}

HisLists SeedHisLst(const store::Snapshot& snapshot)
{
    const DrawRow* last = snapshot.last();
    return last ? BuildHisLst(*last) : HisLists{};
}

}  // namespace qudrim
