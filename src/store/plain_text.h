// The few text rules every layer writes and reads numbers by: two-digit
// numbers, ASCII digits, blanks around a value and whole numbers.
#pragma once

#include <charconv>
#include <cstdint>
#include <string>
#include <string_view>

namespace qudrim {

// A number with a leading zero below 10 ("05"), as the lists, the history
// lines and the number groups write it; others as they are ("12", "-3").
inline std::string twoDigits(int n)
{
    std::string s = std::to_string(n);
    return (n >= 0 && n < 10) ? "0" + s : s;
}

// Only 0..9: a box or a file is read the same whatever the locale says.
constexpr bool isDigit(char c) { return c >= '0' && c <= '9'; }

// The text without the characters of `blanks` before and after it.
constexpr std::string_view trimmed(std::string_view text, std::string_view blanks)
{
    while (!text.empty() && blanks.find(text.front()) != std::string_view::npos)
        text.remove_prefix(1);
    while (!text.empty() && blanks.find(text.back()) != std::string_view::npos)
        text.remove_suffix(1);
    return text;
}

// The text without the blanks before and after it.
constexpr std::string_view trimBlanks(std::string_view text) { return trimmed(text, " "); }

// Parses what the program stores as a whole number (the rule for issue texts
// and boxes): optional blanks, an optional sign, digits only.
inline bool parseInt(std::string_view text, int64_t& out)
{
    text = trimBlanks(text);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    if (text.empty())
        return false;
    int64_t v = 0;
    const auto [ptr, ec] = std::from_chars(text.data(), text.data() + text.size(), v);
    if (ec != std::errc() || ptr != text.data() + text.size())
        return false;
    out = v;
    return true;
}

}  // namespace qudrim
