// The own columns of one history row as plain values: what the read view
// holds of each draw.
#pragma once

#include <array>
#include <cstdint>

namespace qudrim {

// The stored attributes of one number: A number, B zodiac code, C wave-colour
// code, E head, F tail, H segment code. Digit sum and parity have no column.
struct Attr {
    int16_t A = 0, B = 0, C = 0, E = 0, F = 0, H = 0;

    int16_t digitSum() const { return static_cast<int16_t>(E + F); }
    int16_t parity() const { return static_cast<int16_t>(A % 2); }
    // The value of an attribute kind 0..7 (see draw/tables.h).
    int16_t value(int kind) const;
    bool operator==(const Attr&) const = default;
};

// One draw with its own columns: L[1..7] in drawn order, D[1..6] ascending;
// D[7] repeats the special number (only its A is stored, as D7A).
struct DrawRow {
    int32_t issue = 0;
    std::array<Attr, 8> L{};
    std::array<Attr, 8> D{};

    // Positions 1..6 under the prefix 'L' or 'D'; position 7 is always L7.
    const Attr& at(char prefix, int position) const
    {
        return (prefix == 'D' && position < 7) ? D[position] : L[position];
    }
    bool operator==(const DrawRow&) const = default;
};

inline int16_t Attr::value(int kind) const
{
    switch (kind) {
    case 0: return A;
    case 1: return B;
    case 2: return E;
    case 3: return F;
    case 4: return digitSum();
    case 5: return H;
    case 6: return C;
    case 7: return parity();
    default: return 0;
    }
}

}  // namespace qudrim
