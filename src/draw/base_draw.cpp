#include "draw/base_draw.h"

#include "store/plain_text.h"

#include <limits>

namespace qudrim {

const DrawRow* baseDraw(const store::Snapshot& snapshot, bool bolSq, int intPreQi)
{
    const int back = (!bolSq && intPreQi > 1) ? intPreQi - 1 : 0;
    return snapshot.fromEnd(back);
}

void fillFromBaseDraw(PanelState& panel, const DrawRow* base, NumberOrder order, std::optional<Kind> kind,
                      const CodeBases& bases)
{
    panel.bolSdsr = false;
    panel.strQz = order;
    if (!base)
        return;
    for (int i = 1; i <= 7; ++i) {
        const int16_t v = kind ? base->at(order, i).value(*kind) : int16_t{0};
        panel.intSqLei[static_cast<size_t>(i)] = v;
        std::string shown = kind ? displayValue(*kind, v, bases) : std::to_string(v);
        if (!shown.empty())
            panel.text2[static_cast<size_t>(i)] = std::move(shown);
    }
}

std::optional<int16_t> toInt16(std::string_view text)
{
    int64_t v = 0;
    if (!parseInt(text, v) || v < std::numeric_limits<int16_t>::min() || v > std::numeric_limits<int16_t>::max())
        return std::nullopt;
    return static_cast<int16_t>(v);
}

std::optional<int16_t> valueFromDisplay(std::string_view text, std::optional<Kind> kind, const CodeBases& bases)
{
    auto indexIn = [&](const auto& names, int base) -> std::optional<int16_t> {
        for (size_t i = 0; i < names.size(); ++i)
            if (names[i] == text)
                return static_cast<int16_t>(static_cast<int>(i) + base);
        return std::nullopt;
    };
    switch (kind.value_or(kNumber)) {
    case kZodiac:
        if (auto v = indexIn(strSxName, bases.SxIni))
            return v;
        break;
    case kWave:
        if (auto v = indexIn(strBsName, bases.BsIni))
            return v;
        break;
    case kParity:
        if (auto v = indexIn(strDasName, 0))
            return v;
        break;
    default:
        break;
    }
    return toInt16(text);
}

}  // namespace qudrim
