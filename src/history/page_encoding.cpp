#include "history/page_encoding.h"

#include "history/ascii_text.h"

#include <iconv.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdint>
#include <memory>
#include <string_view>
#include <vector>

namespace qudrim::history {

namespace {

constexpr std::string_view kReplacement = "\xEF\xBF\xBD";  // U+FFFD

// The standard's labels, by the encoding they name, and the converter that
// decodes an encoding this file has no decoder of its own for.
struct Encoding {
    const char* name;
    const char* converter;  // nullptr: decoded here
    std::string_view labels;  // apart by blanks
};

const std::array kEncodings = {
    Encoding{"UTF-8", nullptr, "unicode-1-1-utf-8 unicode11utf8 unicode20utf8 utf-8 utf8 x-unicode20utf8"},
    Encoding{"IBM866", "IBM866", "866 cp866 csibm866 ibm866"},
    Encoding{"ISO-8859-2", "ISO-8859-2",
             "csisolatin2 iso-8859-2 iso-ir-101 iso8859-2 iso88592 iso_8859-2 iso_8859-2:1987 l2 latin2"},
    Encoding{"ISO-8859-3", "ISO-8859-3",
             "csisolatin3 iso-8859-3 iso-ir-109 iso8859-3 iso88593 iso_8859-3 iso_8859-3:1988 l3 latin3"},
    Encoding{"ISO-8859-4", "ISO-8859-4",
             "csisolatin4 iso-8859-4 iso-ir-110 iso8859-4 iso88594 iso_8859-4 iso_8859-4:1988 l4 latin4"},
    Encoding{"ISO-8859-5", "ISO-8859-5",
             "csisolatincyrillic cyrillic iso-8859-5 iso-ir-144 iso8859-5 iso88595 iso_8859-5 iso_8859-5:1988"},
    Encoding{"ISO-8859-6", "ISO-8859-6",
             "arabic asmo-708 csiso88596e csiso88596i csisolatinarabic ecma-114 iso-8859-6 iso-8859-6-e iso-8859-6-i iso-ir-127 iso8859-6 iso88596 iso_8859-6 iso_8859-6:1987"},
    Encoding{"ISO-8859-7", "ISO-8859-7",
             "csisolatingreek ecma-118 elot_928 greek greek8 iso-8859-7 iso-ir-126 iso8859-7 iso88597 iso_8859-7 iso_8859-7:1987 sun_eu_greek"},
    Encoding{"ISO-8859-8", "ISO-8859-8",
             "csiso88598e csisolatinhebrew hebrew iso-8859-8 iso-8859-8-e iso-ir-138 iso8859-8 iso88598 iso_8859-8 iso_8859-8:1988 visual"},
    Encoding{"ISO-8859-8-I", "ISO-8859-8", "csiso88598i iso-8859-8-i logical"},
    Encoding{"ISO-8859-10", "ISO-8859-10",
             "csisolatin6 iso-8859-10 iso-ir-157 iso8859-10 iso885910 l6 latin6"},
    Encoding{"ISO-8859-13", "ISO-8859-13", "iso-8859-13 iso8859-13 iso885913"},
    Encoding{"ISO-8859-14", "ISO-8859-14", "iso-8859-14 iso8859-14 iso885914"},
    Encoding{"ISO-8859-15", "ISO-8859-15",
             "csisolatin9 iso-8859-15 iso8859-15 iso885915 iso_8859-15 l9"},
    Encoding{"ISO-8859-16", "ISO-8859-16", "iso-8859-16"},
    Encoding{"KOI8-R", "KOI8-R", "cskoi8r koi koi8 koi8-r koi8_r"},
    Encoding{"KOI8-U", "KOI8-U", "koi8-ru koi8-u"},
    Encoding{"macintosh", "MACINTOSH", "csmacintosh mac macintosh x-mac-roman"},
    Encoding{"windows-874", "WINDOWS-874",
             "dos-874 iso-8859-11 iso8859-11 iso885911 tis-620 windows-874"},
    Encoding{"windows-1250", "CP1250", "cp1250 windows-1250 x-cp1250"},
    Encoding{"windows-1251", "CP1251", "cp1251 windows-1251 x-cp1251"},
    Encoding{"windows-1252", nullptr,
             "ansi_x3.4-1968 ascii cp1252 cp819 csisolatin1 ibm819 iso-8859-1 iso-ir-100 iso8859-1 iso88591 iso_8859-1 iso_8859-1:1987 l1 latin1 us-ascii windows-1252 x-cp1252"},
    Encoding{"windows-1253", "CP1253", "cp1253 windows-1253 x-cp1253"},
    Encoding{"windows-1254", "CP1254",
             "cp1254 csisolatin5 iso-8859-9 iso-ir-148 iso8859-9 iso88599 iso_8859-9 iso_8859-9:1989 l5 latin5 windows-1254 x-cp1254"},
    Encoding{"windows-1255", "CP1255", "cp1255 windows-1255 x-cp1255"},
    Encoding{"windows-1256", "CP1256", "cp1256 windows-1256 x-cp1256"},
    Encoding{"windows-1257", "CP1257", "cp1257 windows-1257 x-cp1257"},
    Encoding{"windows-1258", "CP1258", "cp1258 windows-1258 x-cp1258"},
    Encoding{"x-mac-cyrillic", "MAC-CYRILLIC", "x-mac-cyrillic x-mac-ukrainian"},
    // GBK's decoder is gb18030's.
    Encoding{"gb18030", nullptr,
             "chinese csgb2312 csiso58gb231280 gb2312 gb_2312 gb_2312-80 gbk iso-ir-58 x-gbk gb18030"},
    Encoding{"Big5", "BIG5-HKSCS", "big5 big5-hkscs cn-big5 csbig5 x-x-big5"},
    Encoding{"EUC-JP", "EUC-JP", "cseucpkdfmtjapanese euc-jp x-euc-jp"},
    Encoding{"ISO-2022-JP", "ISO-2022-JP", "csiso2022jp iso-2022-jp"},
    Encoding{"Shift_JIS", "WINDOWS-31J",
             "csshiftjis ms932 ms_kanji shift-jis shift_jis sjis windows-31j x-sjis"},
    Encoding{"EUC-KR", "CP949",
             "cseuckr csksc56011987 euc-kr iso-ir-149 korean ks_c_5601-1987 ks_c_5601-1989 ksc5601 ksc_5601 windows-949"},
    Encoding{"replacement", nullptr,
             "csiso2022kr hz-gb-2312 iso-2022-cn iso-2022-cn-ext iso-2022-kr replacement"},
    Encoding{"UTF-16BE", nullptr, "unicodefffe utf-16be"},
    Encoding{"UTF-16LE", nullptr,
             "csunicode iso-10646-ucs-2 ucs-2 unicode unicodefeff utf-16 utf-16le"},
    Encoding{"x-user-defined", nullptr, "x-user-defined"},
};

const Encoding* encodingNamed(std::string_view name)
{
    for (const Encoding& e : kEncodings)
        if (name == e.name)
            return &e;
    return nullptr;
}


// ---- Decoders ----

void appendUtf8(std::string& out, char32_t c)
{
    if (c < 0x80) {
        out += static_cast<char>(c);
    } else if (c < 0x800) {
        out += static_cast<char>(0xC0 | (c >> 6));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += static_cast<char>(0xE0 | (c >> 12));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    } else {
        out += static_cast<char>(0xF0 | (c >> 18));
        out += static_cast<char>(0x80 | ((c >> 12) & 0x3F));
        out += static_cast<char>(0x80 | ((c >> 6) & 0x3F));
        out += static_cast<char>(0x80 | (c & 0x3F));
    }
}

// The standard's UTF-8 decoder: a byte that cannot continue the sequence
// begun ends it with one U+FFFD and is read again as a byte of its own, so
// every maximal run that could begin a character gives one U+FFFD.
std::string decodeUtf8(std::string_view in)
{
    std::string out;
    out.reserve(in.size());
    size_t i = 0;
    const size_t n = in.size();
    while (i < n) {
        const auto b = static_cast<unsigned char>(in[i]);
        if (b < 0x80) {
            // Runs of ASCII go over whole.
            size_t j = i + 1;
            while (j < n && static_cast<unsigned char>(in[j]) < 0x80)
                ++j;
            out.append(in.substr(i, j - i));
            i = j;
            continue;
        }
        size_t needed = 0;
        unsigned char lowerBound = 0x80, upperBound = 0xBF;
        if (b >= 0xC2 && b <= 0xDF) {
            needed = 1;
        } else if (b >= 0xE0 && b <= 0xEF) {
            needed = 2;
            if (b == 0xE0)
                lowerBound = 0xA0;
            if (b == 0xED)
                upperBound = 0x9F;
        } else if (b >= 0xF0 && b <= 0xF4) {
            needed = 3;
            if (b == 0xF0)
                lowerBound = 0x90;
            if (b == 0xF4)
                upperBound = 0x8F;
        } else {
            out += kReplacement;
            ++i;
            continue;
        }
        size_t seen = 0;
        size_t j = i + 1;
        while (seen < needed && j < n) {
            const auto c = static_cast<unsigned char>(in[j]);
            if (c < lowerBound || c > upperBound)
                break;
            lowerBound = 0x80;
            upperBound = 0xBF;
            ++seen;
            ++j;
        }
        if (seen == needed)
            out.append(in.substr(i, j - i));
        else
            out += kReplacement;
        i = j;
    }
    return out;
}

std::string decodeUtf16(std::string_view in, bool bigEndian)
{
    std::string out;
    out.reserve(in.size());
    auto unit = [&](size_t i) -> char32_t {
        const auto a = static_cast<unsigned char>(in[i]), b = static_cast<unsigned char>(in[i + 1]);
        return bigEndian ? (char32_t(a) << 8) | b : (char32_t(b) << 8) | a;
    };
    size_t i = 0;
    while (i + 1 < in.size()) {
        const char32_t u = unit(i);
        i += 2;
        if (u >= 0xD800 && u <= 0xDBFF) {
            if (i + 1 < in.size()) {
                const char32_t next = unit(i);
                if (next >= 0xDC00 && next <= 0xDFFF) {
                    appendUtf8(out, 0x10000 + ((u - 0xD800) << 10) + (next - 0xDC00));
                    i += 2;
                    continue;
                }
            }
            out += kReplacement;
        } else if (u >= 0xDC00 && u <= 0xDFFF) {
            out += kReplacement;
        } else {
            appendUtf8(out, u);
        }
    }
    if (i < in.size())  // an odd byte at the end
        out += kReplacement;
    return out;
}

// windows-1252 as the standard defines it: ISO-8859-1 with the printable
// characters of the Windows code page at 0x80..0x9F, and its five unused
// bytes as the C1 controls of the same value.
constexpr std::array<char16_t, 32> kWindows1252High = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

std::string decodeWindows1252(std::string_view in)
{
    std::string out;
    out.reserve(in.size() * 2);
    for (char ch : in) {
        const auto b = static_cast<unsigned char>(ch);
        if (b >= 0x80 && b <= 0x9F)
            appendUtf8(out, kWindows1252High[b - 0x80]);
        else
            appendUtf8(out, b);
    }
    return out;
}

std::string decodeUserDefined(std::string_view in)
{
    std::string out;
    for (char ch : in) {
        const auto b = static_cast<unsigned char>(ch);
        appendUtf8(out, b < 0x80 ? b : 0xF780 + b - 0x80);
    }
    return out;
}

struct IconvClose {
    void operator()(void* cd) const { iconv_close(static_cast<iconv_t>(cd)); }
};
using Converter = std::unique_ptr<void, IconvClose>;

Converter openConverter(const char* name)
{
    const iconv_t cd = iconv_open("UTF-8", name);
    if (cd == reinterpret_cast<iconv_t>(-1))
        return nullptr;
    return Converter(cd);
}

bool converterExists(const char* name) { return openConverter(name) != nullptr; }

// Converts `in` whole; false, with `out` as it was, when a sequence in it
// has no character.
bool convertWhole(void* cd, std::string_view in, std::string& out)
{
    iconv(static_cast<iconv_t>(cd), nullptr, nullptr, nullptr, nullptr);
    const size_t before = out.size();
    char* src = const_cast<char*>(in.data());
    size_t srcLeft = in.size();
    std::array<char, 4096> buffer;
    while (srcLeft > 0) {
        char* dst = buffer.data();
        size_t dstLeft = buffer.size();
        const size_t r = iconv(static_cast<iconv_t>(cd), &src, &srcLeft, &dst, &dstLeft);
        out.append(buffer.data(), buffer.size() - dstLeft);
        if (r == static_cast<size_t>(-1) && errno != E2BIG) {
            out.resize(before);
            return false;
        }
    }
    return true;
}

// The standard's gb18030 decoder. Its byte sequences are told apart here
// (ASCII, 0x80, two bytes with a trail of 0x40..0x7E or 0x80..0xFE, four
// bytes alternating 0x81..0xFE and 0x30..0x39) and errors handled as the
// standard says; the converter gives the character of each sequence.
std::string decodeGb18030(std::string_view in)
{
    const Converter cd = openConverter("GB18030");
    if (!cd)
        return decodeUtf8(in);
    std::string out;
    out.reserve(in.size() * 3 / 2);
    // Well-formed sequences gathered up to the next byte that is not one,
    // so that the converter sees them in one call.
    std::string pending;
    std::vector<size_t> lengths;
    auto flush = [&] {
        if (pending.empty())
            return;
        if (!convertWhole(cd.get(), pending, out)) {
            size_t at = 0;
            for (const size_t len : lengths) {
                const std::string_view seq = std::string_view(pending).substr(at, len);
                if (!convertWhole(cd.get(), seq, out)) {
                    out += kReplacement;
                    // A two-byte sequence without a character gives its
                    // trail byte back when that is ASCII.
                    if (len == 2 && static_cast<unsigned char>(seq[1]) < 0x80)
                        out += seq[1];
                }
                at += len;
            }
        }
        pending.clear();
        lengths.clear();
    };
    auto byteAt = [&](size_t i) { return static_cast<unsigned char>(in[i]); };
    size_t i = 0;
    const size_t n = in.size();
    while (i < n) {
        const unsigned char b = byteAt(i);
        if (b < 0x80) {
            flush();
            out += static_cast<char>(b);
            ++i;
            continue;
        }
        if (b == 0x80) {
            flush();
            out += "\xE2\x82\xAC";  // U+20AC
            ++i;
            continue;
        }
        if (b == 0xFF) {
            flush();
            out += kReplacement;
            ++i;
            continue;
        }
        // A lead byte.
        if (i + 1 >= n) {
            flush();
            out += kReplacement;
            ++i;
            continue;
        }
        const unsigned char second = byteAt(i + 1);
        if (second >= 0x30 && second <= 0x39) {
            const bool third = i + 2 < n && byteAt(i + 2) >= 0x81 && byteAt(i + 2) <= 0xFE;
            const bool fourth = third && i + 3 < n && byteAt(i + 3) >= 0x30 && byteAt(i + 3) <= 0x39;
            if (fourth) {
                pending.append(in.substr(i, 4));
                lengths.push_back(4);
                i += 4;
            } else {
                // The bytes after the lead are read again.
                flush();
                out += kReplacement;
                ++i;
            }
            continue;
        }
        if ((second >= 0x40 && second <= 0x7E) || (second >= 0x80 && second <= 0xFE)) {
            pending.append(in.substr(i, 2));
            lengths.push_back(2);
            i += 2;
            continue;
        }
        // An invalid trail: the lead alone is the error, the trail is read
        // again (an ASCII character, or 0x80 or 0xFF).
        flush();
        out += kReplacement;
        ++i;
    }
    flush();
    return out;
}

// Another encoding through its converter: a byte that begins no sequence
// of it is one U+FFFD, and reading goes on with the next byte.
std::string decodeWithConverter(std::string_view page, const char* name)
{
    const Converter converter = openConverter(name);
    if (!converter)
        return decodeUtf8(page);
    const auto cd = static_cast<iconv_t>(converter.get());
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
        out.append(buffer.data(), buffer.size() - oLeft);
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
        out += kReplacement;
        ++in;
        --inLeft;
    }
    return out;
}

// ---- The prescan ----

class Prescan {
public:
    explicit Prescan(std::string_view bytes) : b_(bytes) {}

    std::optional<std::string> run()
    {
        if (b_.starts_with(std::string_view("<\0?\0x\0", 6)))
            return "UTF-16LE";
        if (b_.starts_with(std::string_view("\0<\0?\0x", 6)))
            return "UTF-16BE";
        while (pos_ < b_.size()) {
            if (b_.substr(pos_).starts_with("<!--")) {
                const size_t end = b_.find("-->", pos_ + 2);
                if (end == std::string_view::npos)
                    return std::nullopt;
                pos_ = end + 2;
            } else if (startsWithIgnoringCase(b_, pos_, "<meta") && pos_ + 5 < b_.size() &&
                       (isAsciiWhitespace(b_[pos_ + 5]) || b_[pos_ + 5] == '/')) {
                pos_ += 6;
                if (std::optional<std::string> found = meta())
                    return found;
                if (ranOut_)
                    return std::nullopt;
            } else if (b_[pos_] == '<' && pos_ + 1 < b_.size() &&
                       (isLetter(b_[pos_ + 1]) ||
                        (b_[pos_ + 1] == '/' && pos_ + 2 < b_.size() && isLetter(b_[pos_ + 2])))) {
                while (pos_ < b_.size() && !isAsciiWhitespace(b_[pos_]) && b_[pos_] != '>')
                    ++pos_;
                while (attribute()) {
                }
                if (ranOut_)
                    return std::nullopt;
            } else if (b_[pos_] == '<' && pos_ + 1 < b_.size() &&
                       (b_[pos_ + 1] == '!' || b_[pos_ + 1] == '/' || b_[pos_ + 1] == '?')) {
                const size_t gt = b_.find('>', pos_ + 1);
                if (gt == std::string_view::npos)
                    return std::nullopt;
                pos_ = gt;
            }
            ++pos_;
        }
        return std::nullopt;
    }

private:
    static bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }

    // The attributes of a meta tag; the encoding they declare, if any.
    std::optional<std::string> meta()
    {
        std::vector<std::string> seen;
        bool gotPragma = false;
        std::optional<bool> needPragma;
        std::optional<std::string> charset;
        bool charsetFailed = false;
        while (attribute()) {
            if (std::find(seen.begin(), seen.end(), name_) != seen.end())
                continue;
            seen.push_back(name_);
            if (name_ == "http-equiv") {
                if (value_ == "content-type")
                    gotPragma = true;
            } else if (name_ == "content") {
                if (!charset && !charsetFailed)
                    if (std::optional<std::string> e = encodingFromMetaContent(value_)) {
                        charset = std::move(e);
                        needPragma = true;
                    }
            } else if (name_ == "charset") {
                charset = encodingForLabel(value_);
                charsetFailed = !charset;
                needPragma = false;
            }
        }
        if (ranOut_ || !needPragma || (*needPragma && !gotPragma) || !charset)
            return std::nullopt;
        return meantByMeta(*charset);
    }

    bool at(size_t i) const { return i < b_.size(); }

    // The standard's "get an attribute": false when there is none (or the
    // bytes ran out), else name_ and value_ hold it.
    bool attribute()
    {
        name_.clear();
        value_.clear();
        while (at(pos_) && (isAsciiWhitespace(b_[pos_]) || b_[pos_] == '/'))
            ++pos_;
        if (!at(pos_))
            return outOfBytes();
        if (b_[pos_] == '>')
            return false;
        while (true) {
            if (!at(pos_))
                return outOfBytes();
            const char c = b_[pos_];
            if (c == '=' && !name_.empty()) {
                ++pos_;
                return value();
            }
            if (isAsciiWhitespace(c))
                break;
            if (c == '/' || c == '>')
                return true;
            name_ += asciiLower(c);
            ++pos_;
        }
        while (at(pos_) && isAsciiWhitespace(b_[pos_]))
            ++pos_;
        if (!at(pos_))
            return outOfBytes();
        if (b_[pos_] != '=')
            return true;
        ++pos_;
        return value();
    }

    bool value()
    {
        while (at(pos_) && isAsciiWhitespace(b_[pos_]))
            ++pos_;
        if (!at(pos_))
            return outOfBytes();
        const char c = b_[pos_];
        if (c == '"' || c == '\'') {
            while (true) {
                ++pos_;
                if (!at(pos_))
                    return outOfBytes();
                if (b_[pos_] == c) {
                    ++pos_;
                    return true;
                }
                value_ += asciiLower(b_[pos_]);
            }
        }
        if (c == '>')
            return true;
        value_ += asciiLower(c);
        ++pos_;
        while (true) {
            if (!at(pos_))
                return outOfBytes();
            const char d = b_[pos_];
            if (isAsciiWhitespace(d) || d == '>')
                return true;
            value_ += asciiLower(d);
            ++pos_;
        }
    }

    bool outOfBytes()
    {
        ranOut_ = true;
        return false;
    }

    std::string_view b_;
    size_t pos_ = 0;
    bool ranOut_ = false;
    std::string name_, value_;
};

// The encoding of an XML declaration at the very start of the page.
std::optional<std::string> xmlDeclarationEncoding(std::string_view b)
{
    if (!b.starts_with("<?xml"))
        return std::nullopt;
    const size_t end = b.find('>');
    if (end == std::string_view::npos)
        return std::nullopt;
    const std::string_view decl = b.substr(0, end);
    size_t pos = std::string_view::npos;
    for (size_t i = 0; i + 8 <= decl.size(); ++i)
        if (startsWithIgnoringCase(decl, i, "encoding")) {
            pos = i + 8;
            break;
        }
    if (pos == std::string_view::npos)
        return std::nullopt;
    auto skipControls = [&] {
        while (pos < decl.size() && static_cast<unsigned char>(decl[pos]) <= 0x20)
            ++pos;
    };
    skipControls();
    if (pos >= decl.size() || decl[pos] != '=')
        return std::nullopt;
    ++pos;
    skipControls();
    if (pos >= decl.size() || (decl[pos] != '"' && decl[pos] != '\''))
        return std::nullopt;
    const char quote = decl[pos++];
    const size_t close = decl.find(quote, pos);
    if (close == std::string_view::npos)
        return std::nullopt;
    const std::string_view label = decl.substr(pos, close - pos);
    if (std::any_of(label.begin(), label.end(), [](char c) { return static_cast<unsigned char>(c) <= 0x20; }))
        return std::nullopt;
    std::optional<std::string> e = encodingForLabel(label);
    if (e && isUtf16(*e))
        return "UTF-8";
    return e;
}

// The charset parameter of a MIME type ("text/html; charset=gbk"), as the
// MIME type parser reads it: the first one counts, a quoted value may hold
// escaped characters.
std::optional<std::string> charsetParameter(std::string_view mime)
{
    const size_t semicolon = mime.find(';');
    if (trimAsciiWhitespace(mime.substr(0, semicolon)).find('/') == std::string_view::npos)
        return std::nullopt;
    size_t pos = semicolon;
    while (pos != std::string_view::npos && pos < mime.size()) {
        ++pos;  // past the ';'
        while (pos < mime.size() && isAsciiWhitespace(mime[pos]))
            ++pos;
        const size_t nameEnd = mime.find_first_of(";=", pos);
        std::string name;
        for (char c : mime.substr(pos, nameEnd - pos))
            name += asciiLower(c);
        if (nameEnd == std::string_view::npos)
            return std::nullopt;
        pos = nameEnd;
        if (mime[pos] == ';')
            continue;
        ++pos;  // past the '='
        std::string value;
        if (pos < mime.size() && mime[pos] == '"') {
            ++pos;
            while (pos < mime.size() && mime[pos] != '"') {
                if (mime[pos] == '\\' && pos + 1 < mime.size())
                    ++pos;
                value += mime[pos++];
            }
            pos = mime.find(';', pos);
        } else {
            const size_t end = mime.find(';', pos);
            value = std::string(trimAsciiWhitespace(mime.substr(pos, end - pos)));
            pos = end;
        }
        if (name == "charset" && !value.empty())
            return value;
    }
    return std::nullopt;
}

}  // namespace

bool isUtf16(std::string_view encoding) { return encoding == "UTF-16LE" || encoding == "UTF-16BE"; }

std::string meantByMeta(std::string encoding)
{
    if (isUtf16(encoding))
        return "UTF-8";
    if (encoding == "x-user-defined")
        return "windows-1252";
    return encoding;
}

std::optional<std::string> encodingForLabel(std::string_view label)
{
    std::string l;
    for (char c : trimAsciiWhitespace(label))
        l += asciiLower(c);
    if (l.empty() || l.find(' ') != std::string::npos)
        return std::nullopt;
    for (const Encoding& e : kEncodings) {
        for (size_t start = 0; start < e.labels.size();) {
            const size_t end = std::min(e.labels.find(' ', start), e.labels.size());
            if (e.labels.substr(start, end - start) == l) {
                if (e.converter && !converterExists(e.converter))
                    return std::nullopt;
                return std::string(e.name);
            }
            start = end + 1;
        }
    }
    return std::nullopt;
}

std::optional<std::string> encodingFromMetaContent(std::string_view s)
{
    size_t pos = 0;
    while (true) {
        size_t found = std::string_view::npos;
        for (size_t i = pos; i + 7 <= s.size(); ++i)
            if (startsWithIgnoringCase(s, i, "charset")) {
                found = i;
                break;
            }
        if (found == std::string_view::npos)
            return std::nullopt;
        pos = found + 7;
        while (pos < s.size() && isAsciiWhitespace(s[pos]))
            ++pos;
        if (pos >= s.size() || s[pos] != '=')
            continue;  // look again from the character after "charset"
        ++pos;
        while (pos < s.size() && isAsciiWhitespace(s[pos]))
            ++pos;
        if (pos >= s.size())
            return std::nullopt;
        const char c = s[pos];
        if (c == '"' || c == '\'') {
            const size_t close = s.find(c, pos + 1);
            if (close == std::string_view::npos)
                return std::nullopt;
            return encodingForLabel(s.substr(pos + 1, close - pos - 1));
        }
        size_t end = pos;
        while (end < s.size() && !isAsciiWhitespace(s[end]) && s[end] != ';')
            ++end;
        return encodingForLabel(s.substr(pos, end - pos));
    }
}

std::optional<std::string> prescanEncoding(std::string_view bytes)
{
    if (std::optional<std::string> e = Prescan(bytes).run())
        return e;
    return xmlDeclarationEncoding(bytes);
}

SniffedEncoding sniffEncoding(std::string_view page, std::string_view contentType)
{
    if (page.starts_with("\xEF\xBB\xBF"))
        return {"UTF-8", Confidence::Certain, 3};
    if (page.starts_with("\xFE\xFF"))
        return {"UTF-16BE", Confidence::Certain, 2};
    if (page.starts_with("\xFF\xFE"))
        return {"UTF-16LE", Confidence::Certain, 2};
    if (const std::optional<std::string> label = charsetParameter(contentType))
        if (std::optional<std::string> e = encodingForLabel(*label))
            return {std::move(*e), Confidence::Certain, 0};
    if (std::optional<std::string> e = prescanEncoding(page.substr(0, kPrescanBytes)))
        return {std::move(*e), Confidence::Tentative, 0};
    return {std::string(kDefaultPageEncoding), Confidence::Tentative, 0};
}

std::string pageEncoding(std::string_view page, std::string_view contentType)
{
    return sniffEncoding(page, contentType).encoding;
}

std::string decodeAs(std::string_view bytes, std::string_view encoding)
{
    if (encoding == "UTF-8")
        return decodeUtf8(bytes);
    if (encoding == "UTF-16LE")
        return decodeUtf16(bytes, false);
    if (encoding == "UTF-16BE")
        return decodeUtf16(bytes, true);
    if (encoding == "gb18030")
        return decodeGb18030(bytes);
    if (encoding == "windows-1252")
        return decodeWindows1252(bytes);
    if (encoding == "x-user-defined")
        return decodeUserDefined(bytes);
    if (encoding == "replacement")
        return bytes.empty() ? std::string() : std::string(kReplacement);
    if (const Encoding* e = encodingNamed(encoding); e && e->converter)
        return decodeWithConverter(bytes, e->converter);
    return decodeUtf8(bytes);
}

std::string decodePage(std::string_view page, std::string_view contentType)
{
    const SniffedEncoding e = sniffEncoding(page, contentType);
    return decodeAs(page.substr(e.byteOrderMark), e.encoding);
}

}  // namespace qudrim::history
