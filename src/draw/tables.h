// The fixed tables behind the eight attribute kinds of a number, the code
// bases, the lunar-new-year table and the zodiac year of an issue.
#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace qudrim {

// Attribute kinds, one index everywhere (search type, result type, panel, lists).
enum Kind : int {
    kNumber = 0,     // 号码
    kZodiac = 1,     // 生肖
    kHead = 2,       // 头数
    kTail = 3,       // 尾数
    kDigitSum = 4,   // 合数
    kSegment = 5,    // 段数
    kWave = 6,       // 波色
    kParity = 7,     // 单双
};
inline constexpr int kKindCount = 8;

inline constexpr std::array<std::string_view, 8> kKindCaptions = {"号码", "生肖", "头数", "尾数",
                                                                  "合数", "段数", "波色", "单双"};
// Column letter of each kind; "G" and "D" name no column.
inline constexpr std::array<std::string_view, 8> strLeiZd = {"A", "B", "E", "F", "G", "H", "C", "D"};

inline constexpr std::array<std::string_view, 12> strSxName = {"鼠", "牛", "虎", "兔", "龙", "蛇",
                                                               "马", "羊", "猴", "鸡", "狗", "猪"};
inline constexpr std::array<std::string_view, 3> strBsName = {"红", "蓝", "绿"};
inline constexpr std::array<std::string_view, 2> strDasName = {"双", "单"};

// Whether zodiac, segment and wave-colour codes count from 0 or from 1.
struct CodeBases {
    int SxIni = 1;
    int DsIni = 1;
    int BsIni = 1;
    bool operator==(const CodeBases&) const = default;
};

inline bool isDrawNumber(int n) { return n >= 1 && n <= 49; }

// Wave-colour index (0 红, 1 蓝, 2 绿) of a number 1..49.
int waveColourIndex(int n);

// Draw number within the year up to which draws still belong to the previous
// zodiac year (0 when every draw of the year belongs to the year itself).
int intChunjieQi(int year);

// Zodiac year of an issue (year × 1000 + draw number).
int32_t GetSxYear(int32_t issue);

// The start-up variant: reads the issue from the text of the issue box.
int32_t SxYearFromIssueText(std::string_view text, int currentYear);

// The twelve number groups: numbers n with (n − 1) mod 12 = g, "01、13、25、37、49".
const std::array<std::string, 12>& strHmZu();

// The numbers of each zodiac sign k (0 鼠 .. 11 猪) in zodiac year Y.
std::array<std::string, 12> SetSxHm(int32_t zodiacYear);

// Zodiac index 0..11 of a number 1..49 in zodiac year Y.
int zodiacIndex(int n, int32_t zodiacYear);

// Display of a stored value of a kind (names for zodiac, colour, parity); an
// empty text when a code has no name under the bases in force.
std::string displayValue(int kind, int value, const CodeBases& bases);

// Parses what the program stores as a whole number (the start-up rule for
// issue texts and boxes): optional blanks, optional sign, digits only.
bool parseInt(std::string_view text, int64_t& out);

}  // namespace qudrim
