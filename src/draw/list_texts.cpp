#include "draw/list_texts.h"

#include "store/plain_text.h"

namespace qudrim {

bool listValueHasTwoDigits(Kind kind) { return kind == kZodiac || kind == kDigitSum || kind == kWave || kind == kNumber; }

std::string listValueText(Kind kind, int value)
{
    return listValueHasTwoDigits(kind) ? twoDigits(value) : std::to_string(value);
}

ListTexts BuildHisLst(const DrawRow& draw)
{
    ListTexts lists;
    for (int n : draw.numbers())
        lists[kNumber] += twoDigits(n) + " ";

    for (Kind kind : kAllKinds) {
        if (kind == kNumber)
            continue;
        const ValueRange domain = valueDomain(kind);
        // One counter per value of the domain; every domain fits in 0..13.
        std::array<int, 14> counter{};
        std::string& text = lists[static_cast<size_t>(kind)];
        for (int p = 1; p <= 7; ++p) {
            // Positions 1..6 in ascending order, then the special number.
            const int v = draw.at(kAscendingOrder, p).value(kind);
            if (!domain.holds(v))
                continue;
            const int count = ++counter[static_cast<size_t>(v)];
            text += std::to_string(count) + "X" + listValueText(kind, v) + " ";
        }
    }
    return lists;
}

}  // namespace qudrim
