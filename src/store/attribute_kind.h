// The eight attribute kinds of a number and the two number orders, as every
// layer speaks of them: the store keeps their columns, the row builder
// derives them, the searches compare and tally them. The window reads the
// settings' integers once and hands the core these types.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

namespace qudrim {

// One index names a kind everywhere: the search type, the result type, the
// base-draw panel, the list columns and both searches.
enum Kind : int {
    kNumber = 0,    // 号码
    kZodiac = 1,    // 生肖
    kHead = 2,      // 头数
    kTail = 3,      // 尾数
    kDigitSum = 4,  // 合数
    kSegment = 5,   // 段数
    kWave = 6,      // 波色
    kParity = 7,    // 单双
};
inline constexpr int kKindCount = 8;
inline constexpr std::array<Kind, kKindCount> kAllKinds = {kNumber, kZodiac,  kHead, kTail,
                                                           kDigitSum, kSegment, kWave, kParity};

inline constexpr std::array<std::string_view, kKindCount> kKindCaptions = {"号码", "生肖", "头数", "尾数",
                                                                           "合数", "段数", "波色", "单双"};

// The captions of positions 1..7 (index 0 unused): six regular numbers and
// the special number, as the base-draw panel's boxes and the hits' header
// name them.
inline constexpr std::array<std::string_view, 8> kPositionCaptions = {"",      "平1位", "平2位", "平3位",
                                                                      "平4位", "平5位", "平6位", "特位"};

// Column letter of each kind; "G" and "D" name no column.
inline constexpr std::array<char, kKindCount> strLeiZd = {'A', 'B', 'E', 'F', 'G', 'H', 'C', 'D'};

// The kind a stored setting names; none for a number outside 0..7 (a
// setting edited outside the program).
constexpr std::optional<Kind> kindFromSetting(int value)
{
    if (value < 0 || value >= kKindCount)
        return std::nullopt;
    return static_cast<Kind>(value);
}

constexpr bool isKnownKind(Kind kind) { return kind >= 0 && kind < kKindCount; }

// The order of positions 1..6: drawn (the "L" columns) or ascending (the
// "D" columns). Its value is the letter the column stems begin with.
enum NumberOrder : char {
    kDrawnOrder = 'L',      // 落地码
    kAscendingOrder = 'D',  // 顺序码
};

constexpr NumberOrder orderFromSetting(bool bolLdm) { return bolLdm ? kDrawnOrder : kAscendingOrder; }

constexpr bool isKnownOrder(NumberOrder order) { return order == kDrawnOrder || order == kAscendingOrder; }

// Whether zodiac, segment and wave-colour codes count from 0 or from 1.
struct CodeBases {
    int SxIni = 1;
    int DsIni = 1;
    int BsIni = 1;
    bool operator==(const CodeBases&) const = default;
};

// The value of a kind is read from the own columns of a number: E and F for
// 合数 (their sum), A for 单双 (its parity, A mod 2), the kind's letter
// otherwise. valueLetters gives the columns (none for an unknown kind),
// valueFromColumns the value from what they hold, in that order.
constexpr std::string_view valueLetters(Kind kind)
{
    switch (kind) {
    case kDigitSum: return "EF";
    case kParity: return "A";
    default: return isKnownKind(kind) ? std::string_view(&strLeiZd[static_cast<size_t>(kind)], 1) : std::string_view();
    }
}

constexpr int64_t valueFromColumns(Kind kind, int64_t first, int64_t second = 0)
{
    switch (kind) {
    case kDigitSum: return first + second;
    // The remainder keeps the sign of the number, as the stored rows do.
    case kParity: return first % 2;
    default: return first;
    }
}

struct ValueRange {
    int low = 0;
    int high = 0;
    constexpr bool holds(int value) const { return value >= low && value <= high; }
};

// The values a kind can take under either code base: number 1..49, zodiac
// 0..12, head 0..4, tail 0..9, digit sum 1..13, segment 0..7, wave colour
// 0..3, odd/even 0..1.
constexpr ValueRange valueDomain(Kind kind)
{
    constexpr std::array<ValueRange, kKindCount> domains = {{
        {1, 49}, {0, 12}, {0, 4}, {0, 9}, {1, 13}, {0, 7}, {0, 3}, {0, 1},
    }};
    return domains[static_cast<size_t>(kind)];
}

// The values a kind takes under the code bases in force.
constexpr ValueRange valuesUnder(Kind kind, const CodeBases& bases)
{
    switch (kind) {
    case kZodiac: return {bases.SxIni, bases.SxIni + 11};
    case kSegment: return {bases.DsIni, bases.DsIni + 6};
    case kWave: return {bases.BsIni, bases.BsIni + 2};
    default: return valueDomain(kind);
    }
}

}  // namespace qudrim
