// A results page cut down to what the reader needs before the HTML parser
// sees it: its elements, each with its id attribute alone, and its text.
// The parser spends time on attributes that grows with the square of their
// number in one element (40,000 of them take seconds, a million hours), and
// no attribute but id matters here; comments, processing instructions and
// declarations carry no text, and the content of scripts and styles is
// never shown.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim::history {

// `html` (UTF-8) with every start tag written anew as its name, its first id
// attribute and "/>" or ">", every end tag as its name alone, comments,
// processing instructions, DOCTYPE declarations and the content of script
// and style elements left out, and all other characters as they stand.
// Tags are recognised where the HTML parser recognises them. None when the
// page holds more than `maxElements` start tags.
std::optional<std::string> strippedMarkup(std::string_view html, size_t maxElements);

}  // namespace qudrim::history
