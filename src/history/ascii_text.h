// The ASCII rules of HTML text: tag and attribute names, encoding labels and
// style values compare without regard to ASCII case, and the standard's
// white space is these five characters. Other characters stay as they are.
#pragma once

#include "store/plain_text.h"

#include <string>
#include <string_view>

namespace qudrim::history {

inline constexpr std::string_view kAsciiWhitespace = " \t\n\f\r";

constexpr bool isAsciiWhitespace(char c) { return kAsciiWhitespace.find(c) != std::string_view::npos; }

constexpr char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::string_view trimAsciiWhitespace(std::string_view s) { return trimmed(s, kAsciiWhitespace); }

inline std::string asciiLowered(std::string_view s)
{
    std::string out(s);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

// Whether `s` holds `lowerPrefix` (in lower case) at `pos`, in any case.
constexpr bool startsWithIgnoringCase(std::string_view s, size_t pos, std::string_view lowerPrefix)
{
    if (pos > s.size() || s.size() - pos < lowerPrefix.size())
        return false;
    for (size_t i = 0; i < lowerPrefix.size(); ++i)
        if (asciiLower(s[pos + i]) != lowerPrefix[i])
            return false;
    return true;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    return true;
}

}  // namespace qudrim::history
