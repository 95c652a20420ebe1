#include "history/page_encoding.h"

#include "store/plain_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>

namespace qudrim::history {

namespace {

// Browsers look for the meta tag in this many bytes at the start of a page.
constexpr size_t kMetaScanBytes = 1024;

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD
constexpr std::string_view kEuro = "\xE2\x82\xAC";         // U+20AC

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }
char upper(char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; }

std::string lowered(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool isLabelChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || isDigit(c) || c == '-' || c == '_' ||
           c == '.' || c == ':';
}

// The encoding label that follows "charset" (blanks, "=", an optional quote)
// at `pos` of `text`; empty when none follows.
std::string labelAfterCharset(std::string_view text, size_t pos)
{
    pos += 7;  // "charset"
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t'))
        ++pos;
    if (pos >= text.size() || text[pos] != '=')
        return {};
    ++pos;
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '"' || text[pos] == '\''))
        ++pos;
    size_t end = pos;
    while (end < text.size() && isLabelChar(text[end]))
        ++end;
    return std::string(text.substr(pos, end - pos));
}

bool converterExists(const std::string& name)
{
    const iconv_t cd = iconv_open("UTF-8", name.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1))
        return false;
    iconv_close(cd);
    return true;
}

// The converter's name for a label, or empty when no converter takes it.
std::string usableEncoding(const std::string& label)
{
    const std::string l = lowered(label);
    if (l.empty())
        return {};
    if (l == "utf-8" || l == "utf8" || l == "unicode-1-1-utf-8")
        return "UTF-8";
    // Pages that say GB2312 or GBK use the whole of GBK in practice; GB18030
    // reads every GBK byte sequence the same way.
    static const char* const chinese[] = {"gb2312", "gbk", "x-gbk", "gb18030", "gb_2312", "gb_2312-80",
                                          "chinese", "csgb2312", "csiso58gb231280", "iso-ir-58"};
    for (const char* c : chinese)
        if (l == c)
            return "GB18030";
    // Without a byte-order mark (which comes first when there is one) a
    // page labelled UTF-16 is read little-endian, as browsers read it;
    // iconv would take it as big-endian.
    if (l == "utf-16" || l == "utf16" || l == "unicode" || l == "ucs-2")
        return "UTF-16LE";
    std::string name = label;
    std::transform(name.begin(), name.end(), name.begin(), upper);
    return converterExists(name) ? name : std::string();
}

enum class Bom { None, Utf8, Utf16Le, Utf16Be };

Bom byteOrderMark(std::string_view page)
{
    if (page.starts_with("\xEF\xBB\xBF"))
        return Bom::Utf8;
    if (page.starts_with("\xFF\xFE"))
        return Bom::Utf16Le;
    if (page.starts_with("\xFE\xFF"))
        return Bom::Utf16Be;
    return Bom::None;
}

size_t bomLength(Bom bom) { return bom == Bom::None ? 0 : bom == Bom::Utf8 ? 3 : 2; }

std::string headerEncoding(std::string_view contentType)
{
    const std::string t = lowered(contentType);
    for (size_t pos = t.find("charset"); pos != std::string::npos; pos = t.find("charset", pos + 1))
        if (std::string label = labelAfterCharset(contentType, pos); !label.empty())
            return usableEncoding(label);
    return {};
}

// The first usable charset named by a meta tag before the page's body, in
// the first bytes of the page only: looking through the whole of a page made
// of nothing but "<meta" would take hours.
std::string metaEncoding(std::string_view page)
{
    std::string t = lowered(page.substr(0, kMetaScanBytes));
    if (const size_t body = t.find("<body"); body != std::string::npos)
        t.resize(body);
    for (size_t meta = t.find("<meta"); meta != std::string::npos; meta = t.find("<meta", meta + 5)) {
        const size_t end = std::min(t.find('>', meta), t.size());
        const std::string_view tag = std::string_view(t).substr(meta, end - meta);
        const size_t pos = tag.find("charset");
        if (pos == std::string_view::npos)
            continue;
        std::string label = labelAfterCharset(tag, pos);
        // A page that could be scanned byte by byte for its meta tag is not
        // in UTF-16, whatever the tag says.
        if (label.rfind("utf-16", 0) == 0)
            return "UTF-8";
        if (std::string usable = usableEncoding(label); !usable.empty())
            return usable;
    }
    return {};
}

// What stands in the text for the byte `b` that cannot be decoded.
std::string_view replacementFor(unsigned char b, const std::string& encoding)
{
    // Windows' Chinese code page has the euro sign at 0x80, which GB18030
    // lacks; browsers read a GBK page the Windows way.
    return (b == 0x80 && encoding == "GB18030") ? kEuro : kReplacement;
}

void appendWithoutNul(std::string& out, const char* from, size_t length)
{
    for (size_t i = 0; i < length; ++i) {
        if (from[i] == '\0')
            out += kReplacement;
        else
            out += from[i];
    }
}

}  // namespace

std::string pageEncoding(std::string_view page, std::string_view contentType)
{
    switch (byteOrderMark(page)) {
    case Bom::Utf8: return "UTF-8";
    case Bom::Utf16Le: return "UTF-16LE";
    case Bom::Utf16Be: return "UTF-16BE";
    case Bom::None: break;
    }
    if (std::string e = headerEncoding(contentType); !e.empty())
        return e;
    if (std::string e = metaEncoding(page); !e.empty())
        return e;
    return "UTF-8";
}

std::string decodePage(std::string_view page, std::string_view contentType)
{
    std::string encoding = pageEncoding(page, contentType);
    page.remove_prefix(bomLength(byteOrderMark(page)));
    iconv_t cd = iconv_open("UTF-8", encoding.c_str());
    if (cd == reinterpret_cast<iconv_t>(-1)) {
        // Every name pageEncoding gives has a converter; should it be gone
        // after all, the page is read as UTF-8, which always has one.
        encoding = "UTF-8";
        cd = iconv_open("UTF-8", encoding.c_str());
        if (cd == reinterpret_cast<iconv_t>(-1))
            return {};
    }

    std::string out;
    out.reserve(page.size() + page.size() / 2);
    std::array<char, 16384> buffer;
    char* in = const_cast<char*>(page.data());
    size_t inLeft = page.size();
    // Once every byte is read, what a stateful encoding still holds is let out.
    bool flushing = false;
    while (true) {
        char* o = buffer.data();
        size_t oLeft = buffer.size();
        const size_t r = flushing ? iconv(cd, nullptr, nullptr, &o, &oLeft) : iconv(cd, &in, &inLeft, &o, &oLeft);
        const int error = errno;
        appendWithoutNul(out, buffer.data(), buffer.size() - oLeft);
        if (r != static_cast<size_t>(-1)) {
            if (flushing)
                break;
            flushing = true;
            continue;
        }
        if (error == E2BIG)
            continue;
        if (flushing)
            break;
        // An invalid sequence (EILSEQ), or one cut off by the end of the page
        // (EINVAL): one character of its own, and on with the next byte.
        out += replacementFor(static_cast<unsigned char>(*in), encoding);
        ++in;
        --inLeft;
    }
    iconv_close(cd);
    return out;
}

}  // namespace qudrim::history
