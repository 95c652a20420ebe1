#include "history/page_markup.h"

#include "store/plain_text.h"

namespace qudrim::history {

namespace {

bool isBlank(char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; }
bool isLetter(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
bool isNameChar(char c)
{
    return isLetter(c) || isDigit(c) || c == ':' || c == '-' || c == '_' || c == '.';
}
// Where the parser takes an attribute name to begin; anything else in a tag
// is skipped up to the next blank.
bool isAttributeStart(char c) { return isLetter(c) || c == '_' || c == ':' || c == '.'; }

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (lower(a[i]) != lower(b[i]))
            return false;
    return true;
}

bool startsWithIgnoringCase(std::string_view text, size_t pos, std::string_view prefix)
{
    return pos + prefix.size() <= text.size() && equalsIgnoringCase(text.substr(pos, prefix.size()), prefix);
}

// Where `needle` (lower case) next starts in `text` from `pos`, in any case.
size_t findIgnoringCase(std::string_view text, size_t pos, std::string_view needle)
{
    for (size_t i = text.find('<', pos); i != std::string_view::npos; i = text.find('<', i + 1))
        if (startsWithIgnoringCase(text, i, needle))
            return i;
    return std::string_view::npos;
}

// Elements whose content the parser takes as raw text up to their end tag.
bool isRawText(std::string_view name)
{
    return equalsIgnoringCase(name, "script") || equalsIgnoringCase(name, "style");
}

// The end of a comment that starts at `pos`: past the first "-->" or "--!>"
// after its "<!--", or the end of the page, where the parser drops a comment
// that never ends and everything in it. One pass from the comment's start
// to its end: a page of many comments is read once.
size_t commentEnd(std::string_view html, size_t pos)
{
    const size_t n = html.size();
    for (size_t d = html.find("--", pos + 4); d != std::string_view::npos; d = html.find("--", d + 1)) {
        if (d + 2 < n && html[d + 2] == '>')
            return d + 3;
        if (d + 3 < n && html[d + 2] == '!' && html[d + 3] == '>')
            return d + 4;
    }
    return n;
}

// Past the next '>' from `pos`, or the end of the page.
size_t pastGreaterThan(std::string_view html, size_t pos)
{
    const size_t gt = html.find('>', pos);
    return gt == std::string_view::npos ? html.size() : gt + 1;
}

size_t nameEnd(std::string_view html, size_t pos)
{
    while (pos < html.size() && isNameChar(html[pos]))
        ++pos;
    return pos;
}

bool endsTag(std::string_view html, size_t pos)
{
    return html[pos] == '>' || (html[pos] == '/' && pos + 1 < html.size() && html[pos + 1] == '>');
}

struct StartTag {
    std::string_view name;
    std::optional<std::string_view> id;
    bool selfClosing = false;
    bool complete = false;  // its '>' was found
    size_t end = 0;         // just past the tag
};

// The start tag whose '<' is at `pos`, its attributes read as the parser
// reads them: blanks between them, a value after '=' in double or single
// quotes (which may hold '>') or up to a blank or '>'.
StartTag readStartTag(std::string_view html, size_t pos)
{
    StartTag tag;
    const size_t nameStart = pos + 1;
    size_t i = nameEnd(html, nameStart);
    tag.name = html.substr(nameStart, i - nameStart);
    const size_t n = html.size();
    while (i < n) {
        if (endsTag(html, i)) {
            tag.selfClosing = html[i] == '/';
            tag.complete = true;
            i += tag.selfClosing ? 2 : 1;
            break;
        }
        if (isBlank(html[i])) {
            ++i;
            continue;
        }
        if (!isAttributeStart(html[i])) {
            while (i < n && !isBlank(html[i]) && !endsTag(html, i))
                ++i;
            continue;
        }
        const size_t attributeStart = i;
        i = nameEnd(html, i);
        const std::string_view attribute = html.substr(attributeStart, i - attributeStart);
        while (i < n && isBlank(html[i]))
            ++i;
        std::string_view value;
        if (i < n && html[i] == '=') {
            ++i;
            while (i < n && isBlank(html[i]))
                ++i;
            if (i < n && (html[i] == '"' || html[i] == '\'')) {
                const size_t close = html.find(html[i], i + 1);
                const size_t valueEnd = close == std::string_view::npos ? n : close;
                value = html.substr(i + 1, valueEnd - i - 1);
                i = close == std::string_view::npos ? n : close + 1;
            } else {
                const size_t valueStart = i;
                while (i < n && !isBlank(html[i]) && html[i] != '>')
                    ++i;
                value = html.substr(valueStart, i - valueStart);
            }
        }
        if (!tag.id && equalsIgnoringCase(attribute, "id"))
            tag.id = value;
    }
    tag.end = i;
    return tag;
}

void appendQuoted(std::string& out, std::string_view value)
{
    out += '"';
    for (char c : value) {
        if (c == '"')
            out += "&quot;";
        else
            out += c;
    }
    out += '"';
}

}  // namespace

std::optional<std::string> strippedMarkup(std::string_view html, size_t maxElements)
{
    std::string out;
    out.reserve(html.size());
    size_t elements = 0;
    const size_t n = html.size();
    size_t i = 0;
    while (i < n) {
        const size_t lt = html.find('<', i);
        if (lt == std::string_view::npos) {
            out.append(html.substr(i));
            break;
        }
        out.append(html.substr(i, lt - i));
        i = lt;
        const char next = i + 1 < n ? html[i + 1] : '\0';
        if (html.substr(i).starts_with("<!--")) {
            i = commentEnd(html, i);
        } else if (startsWithIgnoringCase(html, i, "<!doctype") || next == '?') {
            i = pastGreaterThan(html, i);
        } else if (next == '/' && i + 2 < n && isLetter(html[i + 2])) {
            // End tags are not counted: the parser matches each against the
            // elements open at that point, which it keeps to its depth limit
            // (without HTML_PARSE_HUGE), so each costs a bounded time.
            const size_t end = nameEnd(html, i + 2);
            out += "</";
            out.append(html.substr(i + 2, end - i - 2));
            out += '>';
            i = pastGreaterThan(html, end);
        } else if (isLetter(next)) {
            if (++elements > maxElements)
                return std::nullopt;
            const StartTag tag = readStartTag(html, i);
            // A tag the page ends in before its '>' is dropped by the parser.
            if (!tag.complete)
                break;
            out += '<';
            out.append(tag.name);
            if (tag.id) {
                out += " id=";
                appendQuoted(out, *tag.id);
            }
            out += tag.selfClosing ? "/>" : ">";
            i = tag.end;
            if (isRawText(tag.name) && !tag.selfClosing) {
                std::string closing = "</";
                for (char c : tag.name)
                    closing += lower(c);
                const size_t close = findIgnoringCase(html, i, closing);
                i = close == std::string_view::npos ? n : close;
            }
        } else {
            // A '<' that starts no tag is text.
            out += '<';
            ++i;
        }
    }
    return out;
}

}  // namespace qudrim::history
