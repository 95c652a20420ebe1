// The encoding of a results page and its characters in UTF-8, found and
// decoded as a web browser does: the HTML parser takes UTF-8 only, so the
// bytes are turned into characters here first. Encodings go by the names
// of the encoding standard that browsers follow ("UTF-8", "gb18030",
// "Big5", "windows-1252", ...).
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim::history {

// What a browser reads a page in when nothing names an encoding. Browsers
// pick it by their language; the results pages that name none are in UTF-8.
inline constexpr std::string_view kDefaultPageEncoding = "UTF-8";

// Browsers look for a meta tag naming the encoding in this many bytes at the
// start of a page before they read it.
inline constexpr size_t kPrescanBytes = 1024;

// The encoding a label names ("gbk", " UTF8 ", "latin1", "unicode"), after
// the standard's table: none for a label it does not know, or for an
// encoding that cannot be decoded here. GBK and GB2312 are read as
// gb18030, their superset, which decodes every GBK byte sequence alike.
std::optional<std::string> encodingForLabel(std::string_view label);

bool isUtf16(std::string_view encoding);

// What an encoding that a meta tag names means for a page whose tags were
// read byte by byte: UTF-16 is UTF-8 then, and x-user-defined windows-1252.
std::string meantByMeta(std::string encoding);

// The encoding that "charset=" names in the content of a meta tag
// ("text/html; charset=gb2312").
std::optional<std::string> encodingFromMetaContent(std::string_view content);

// The encoding that a meta tag in `bytes` declares, found as the standard's
// prescan finds it (comments skipped, each tag's attributes read up to its
// end, a meta's first attribute of a name counting), or else an XML
// declaration at the start. Reading stops at the end of `bytes`. A meta
// naming a UTF-16 encoding means UTF-8: a page whose tags can be read byte
// by byte is not in UTF-16.
std::optional<std::string> prescanEncoding(std::string_view bytes);

// How sure the choice is: a page decoded with a tentative encoding is read
// again when its parse meets a meta tag naming another one.
enum class Confidence { Certain, Tentative };

struct SniffedEncoding {
    std::string encoding;
    Confidence confidence = Confidence::Tentative;
    size_t byteOrderMark = 0;  // bytes of it at the start of the page
};

// A byte-order mark, else the charset of the HTTP header Content-Type
// ("text/html; charset=gbk"; empty when there was no header) (both certain),
// else the prescan of the page's first kPrescanBytes bytes, else the
// default (both tentative).
SniffedEncoding sniffEncoding(std::string_view page, std::string_view contentType);

// The encoding sniffEncoding chooses.
std::string pageEncoding(std::string_view page, std::string_view contentType);

// `bytes` (without a byte-order mark) read in `encoding`, as UTF-8. Bytes
// that are no character of the encoding become U+FFFD as a browser's
// decoder makes them: one for each maximal run that begins a sequence
// (UTF-8), one for a lead byte whose trail byte is ASCII, which is then
// read as itself (gb18030); 0x80 in gb18030 is the euro sign. An encoding
// this does not know is read as UTF-8.
std::string decodeAs(std::string_view bytes, std::string_view encoding);

// The page's characters as sniffEncoding and decodeAs give them, the
// byte-order mark dropped.
std::string decodePage(std::string_view page, std::string_view contentType);

}  // namespace qudrim::history
