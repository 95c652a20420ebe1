// The own columns of one history row as plain values: what the read view
// holds of each draw.
#pragma once

#include "store/attribute_kind.h"

#include <array>
#include <cstdint>

namespace qudrim {

// The stored attributes of one number: A number, B zodiac code, C wave-colour
// code, E head, F tail, H segment code. Digit sum and parity have no column.
struct Attr {
    int16_t A = 0, B = 0, C = 0, E = 0, F = 0, H = 0;

    // The attribute of a column letter (one of "ABCEFH").
    static constexpr int16_t Attr::*memberOf(char letter)
    {
        switch (letter) {
        case 'A': return &Attr::A;
        case 'B': return &Attr::B;
        case 'C': return &Attr::C;
        case 'E': return &Attr::E;
        case 'F': return &Attr::F;
        default: return &Attr::H;
        }
    }
    int16_t column(char letter) const { return this->*memberOf(letter); }
    int16_t& column(char letter) { return this->*memberOf(letter); }

    // The value of an attribute kind, by the rule of valueLetters; 0 for an
    // unknown kind.
    int16_t value(Kind kind) const
    {
        const std::string_view letters = valueLetters(kind);
        if (letters.empty())
            return 0;
        const int64_t second = letters.size() > 1 ? column(letters[1]) : 0;
        return static_cast<int16_t>(valueFromColumns(kind, column(letters[0]), second));
    }
    bool operator==(const Attr&) const = default;
};

// One draw with its own columns: L[1..7] in drawn order, D[1..6] ascending;
// D[7] repeats the special number (only its A is stored, as D7A).
struct DrawRow {
    int32_t issue = 0;
    std::array<Attr, 8> L{};
    std::array<Attr, 8> D{};

    // Positions 1..6 in the given order; position 7 is always L7.
    const Attr& at(NumberOrder order, int position) const
    {
        return (order == kAscendingOrder && position < 7) ? D[position] : L[position];
    }
    Attr& at(NumberOrder order, int position)
    {
        return (order == kAscendingOrder && position < 7) ? D[position] : L[position];
    }

    // The seven numbers in drawn order, the special number last.
    std::array<int, 7> numbers() const
    {
        std::array<int, 7> n{};
        for (size_t i = 0; i < 7; ++i)
            n[i] = L[i + 1].A;
        return n;
    }
    bool operator==(const DrawRow&) const = default;
};

}  // namespace qudrim
