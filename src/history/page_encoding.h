// The text of a results page as it arrived in bytes: which encoding it is
// in, and its characters as UTF-8, decoded here rather than by the HTML
// parser, which stops at the first byte it cannot convert and silently drops
// the rest of the page.
#pragma once

#include <string>
#include <string_view>

namespace qudrim::history {

// The encoding the page is read in, as the converter knows it ("UTF-8",
// "GB18030", ...): a byte-order mark, else the charset of the HTTP header
// Content-Type ("text/html; charset=gbk", empty when there was none), else
// a meta tag among the page's first 1,024 bytes (where browsers look for
// it), else UTF-8. A declaration naming an encoding that cannot be
// converted is passed over. GB2312 and GBK pages are read as GB18030, their
// superset, as browsers do.
std::string pageEncoding(std::string_view page, std::string_view contentType);

// The page's characters in UTF-8, its byte-order mark dropped. A byte
// sequence that is not valid in the page's encoding becomes U+FFFD and the
// bytes after it are read on, as a browser shows the page; a stray 0x80 in
// a GBK page is the euro sign, as in the Windows Chinese code page. NUL
// characters become U+FFFD too.
std::string decodePage(std::string_view page, std::string_view contentType);

}  // namespace qudrim::history
