#include "search/search_terms.h"

#include "draw/list_texts.h"
#include "store/database.h"
#include "store/schema.h"

#include <bit>
#include <stdexcept>

namespace qudrim::search {

std::string occurrenceNeedle(Kind kind, int value, int times)
{
    const std::string text = listValueText(kind, value);
    return kind == kNumber ? text : std::to_string(times) + "X" + text;
}

std::array<std::optional<std::string>, 8> freeNeedles(Kind kind, const std::array<bool, 8>& chosen,
                                                      const std::array<int16_t, 8>& values)
{
    std::array<std::optional<std::string>, 8> needles;
    // One occurrence counter per value; the domains of every kind fit in 0..49.
    std::array<int, 50> seen{};
    for (int p = 1; p <= 7; ++p) {
        const auto i = static_cast<size_t>(p);
        if (!chosen[i] || !valueDomain(kind).holds(values[i]))
            continue;
        const int v = values[i];
        needles[i] = occurrenceNeedle(kind, v, ++seen[static_cast<size_t>(v)]);
    }
    return needles;
}

namespace {

size_t pairIndex(char first, char second)
{
    return static_cast<size_t>(static_cast<unsigned char>(first)) << 8 | static_cast<unsigned char>(second);
}

}  // namespace

NeedleSet::NeedleSet(std::vector<std::string> needles) : needles_(std::move(needles))
{
    if (needles_.size() > kMostNeedles)
        throw std::invalid_argument("too many needles");
    for (size_t i = 0; i < needles_.size(); ++i) {
        const std::string& n = needles_[i];
        if (n.size() < 2) {
            short_ |= 1u << i;
            continue;
        }
        if (byPair_.empty())
            byPair_.assign(size_t{1} << 16, 0);
        byPair_[pairIndex(n[0], n[1])] |= static_cast<uint8_t>(1u << i);
    }
}

uint32_t NeedleSet::heldBy(std::string_view text) const
{
    uint32_t held = 0;
    for (uint32_t rest = short_; rest; rest &= rest - 1) {
        const auto i = static_cast<size_t>(std::countr_zero(rest));
        if (text.find(needles_[i]) != std::string_view::npos)
            held |= 1u << i;
    }
    if (byPair_.empty())
        return held;
    for (size_t at = 0; at + 1 < text.size(); ++at) {
        for (uint32_t starting = byPair_[pairIndex(text[at], text[at + 1])] & ~held; starting;
             starting &= starting - 1) {
            const auto i = static_cast<size_t>(std::countr_zero(starting));
            const std::string& n = needles_[i];
            if (text.size() - at < n.size())
                continue;
            size_t c = 2;
            while (c < n.size() && text[at + c] == n[c])
                ++c;
            if (c == n.size())
                held |= 1u << i;
        }
    }
    return held;
}

std::vector<int> tallyValues(Kind kind, const CodeBases& bases)
{
    const ValueRange range = valuesUnder(kind, bases);
    std::vector<int> v;
    for (int x = range.low; x <= range.high; ++x)
        v.push_back(x);
    return v;
}

bool tallyCounts(Kind kind, int value) { return value >= 0 && value <= valueDomain(kind).high; }

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
