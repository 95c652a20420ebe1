#include "draw/tables.h"

#include <map>

namespace qudrim {

namespace {

// The in-year number of the last draw dated before the lunar new year,
// counted from the real draw calendar. Next year's entry is one more line.
const std::map<int, int>& lunarNewYearEntries()
{
    static const std::map<int, int> entries = {
        {1993, 5},  {1994, 11}, {1995, 8},  {1996, 14}, {1997, 10}, {1998, 8},  {1999, 12},
        {2000, 10}, {2001, 7},  {2002, 11}, {2003, 9},  {2004, 7},  {2005, 16}, {2006, 12},
        {2007, 20}, {2008, 16}, {2009, 10}, {2010, 19}, {2011, 16}, {2012, 9},  {2013, 16},
        {2014, 13}, {2015, 21}, {2016, 16}, {2017, 11}, {2018, 16}, {2019, 14}, {2020, 7},
        {2021, 12}, {2022, 3},  {2023, 8},  {2024, 16}, {2025, 10}, {2026, 19},
    };
    return entries;
}

constexpr int kLastTableYear = 2096;

}  // namespace

int waveColourIndex(int n)
{
    static const std::array<int8_t, 50> table = [] {
        std::array<int8_t, 50> t{};  // entry 0 is 红 and no number uses it
        for (int b : {3, 4, 9, 10, 14, 15, 20, 25, 26, 31, 36, 37, 41, 42, 47, 48})
            t[static_cast<size_t>(b)] = 1;  // 蓝
        for (int g : {5, 6, 11, 16, 17, 21, 22, 27, 28, 32, 33, 38, 39, 43, 44, 49})
            t[static_cast<size_t>(g)] = 2;  // 绿
        return t;
    }();
    return (n >= 0 && n <= 49) ? table[static_cast<size_t>(n)] : 0;
}

int intChunjieQi(int year)
{
    const auto& entries = lunarNewYearEntries();
    const auto it = entries.find(year);
    return it == entries.end() ? 0 : it->second;
}

int32_t GetSxYear(int32_t issue)
{
    const int32_t y = issue / 1000;
    const int32_t q = issue % 1000;
    // A year beyond the table counts as drawn before its new year.
    if (y < 0 || y > kLastTableYear)
        return y - 1;
    return q <= intChunjieQi(y) ? y - 1 : y;
}

int zodiacIndex(int n, int32_t zodiacYear)
{
    return static_cast<int>((((zodiacYear - 1971 - n) % 12) + 12) % 12);
}

std::string displayValue(Kind kind, int value, const CodeBases& bases)
{
    auto named = [&](auto const& names, int index) -> std::string {
        if (index < 0 || index >= static_cast<int>(names.size()))
            return {};
        return std::string(names[static_cast<size_t>(index)]);
    };
    switch (kind) {
    case kZodiac: return named(strSxName, value - bases.SxIni);
    case kWave: return named(strBsName, value - bases.BsIni);
    case kParity: return named(strDasName, value);
    default: return std::to_string(value);
    }
}

}  // namespace qudrim
