// The fixed tables behind the attribute kinds of a number: the wave colours,
// the name tables, the lunar-new-year table and the zodiac year of an issue.
#pragma once

#include "store/attribute_kind.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim {

inline constexpr std::array<std::string_view, 12> strSxName = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                               "马", "羊", "猴", "鸡", "狗", "猪"};
inline constexpr std::array<std::string_view, 3> strBsName = {"红", "蓝", "绿"};
inline constexpr std::array<std::string_view, 2> strDasName = {"双", "单"};

inline bool isDrawNumber(int n) { return n >= 1 && n <= 49; }

// The first number of a draw, in drawn order, that makes it no draw: one
// outside 1..49, or one that came before. None for seven good numbers.
struct NumberFault {
    enum class Kind { OutOfRange, Repeated } kind;
    int number = 0;
};
inline std::optional<NumberFault> firstNumberFault(const std::array<int, 7>& numbers)
{
    std::array<bool, 50> seen{};
    for (int n : numbers) {
        if (!isDrawNumber(n))
            return NumberFault{NumberFault::Kind::OutOfRange, n};
        if (seen[static_cast<size_t>(n)])
            return NumberFault{NumberFault::Kind::Repeated, n};
        seen[static_cast<size_t>(n)] = true;
    }
    return std::nullopt;
}

// Wave-colour index (0 红, 1 蓝, 2 绿) of a number 1..49.
int waveColourIndex(int n);

// Draw number within the year up to which draws still belong to the previous
// zodiac year (0 when every draw of the year belongs to the year itself).
int intChunjieQi(int year);

// Zodiac year of an issue (year × 1000 + draw number).
int32_t GetSxYear(int32_t issue);

// Zodiac index 0..11 (0 鼠 .. 11 猪) of a number 1..49 in zodiac year Y: the
// number group of (n - 1) mod 12, turned by the year, 1972 being a 鼠 year.
int zodiacIndex(int n, int32_t zodiacYear);

// Display of a stored value of a kind (names for zodiac, colour, parity); an
// empty text when a code has no name under the bases in force.
std::string displayValue(Kind kind, int value, const CodeBases& bases);

}  // namespace qudrim
