#include "draw/attributes.h"

#include <stdexcept>
#include <string>

namespace qudrim {

Attr deriveNumber(int n, int32_t zodiacYear, const CodeBases& bases)
{
    if (!isDrawNumber(n))
        throw std::invalid_argument("number out of range: " + std::to_string(n));
    Attr a;
    a.A = static_cast<int16_t>(n);
    a.B = static_cast<int16_t>(bases.SxIni + zodiacIndex(n, zodiacYear));
    a.C = static_cast<int16_t>(waveColourIndex(n) + bases.BsIni);
    a.E = static_cast<int16_t>(n / 10);
    a.F = static_cast<int16_t>(n % 10);
    a.H = static_cast<int16_t>((n - 1) / 7 + bases.DsIni);
    return a;
}

std::array<int, 7> ascendingOrder(std::array<int, 7> w)
{
    // The exchange sort of the stored rows: equal numbers are never exchanged.
    for (int i = 0; i < 6; ++i)
        for (int j = i + 1; j < 6; ++j)
            if (w[static_cast<size_t>(i)] > w[static_cast<size_t>(j)])
                std::swap(w[static_cast<size_t>(i)], w[static_cast<size_t>(j)]);
    return w;
}

DrawRow deriveDraw(int32_t issue, const std::array<int, 7>& numbers, int32_t zodiacYear, const CodeBases& bases)
{
    DrawRow row;
    row.issue = issue;
    const auto sorted = ascendingOrder(numbers);
    for (int i = 1; i <= 7; ++i) {
        row.L[static_cast<size_t>(i)] = deriveNumber(numbers[static_cast<size_t>(i - 1)], zodiacYear, bases);
        row.D[static_cast<size_t>(i)] = deriveNumber(sorted[static_cast<size_t>(i - 1)], zodiacYear, bases);
    }
    return row;
}

}  // namespace qudrim
