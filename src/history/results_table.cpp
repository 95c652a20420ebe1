#include "history/results_table.h"

#include <libxml/HTMLparser.h>
#include <libxml/encoding.h>
#include <libxml/tree.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace qudrim::history {

namespace {

char lower(char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c - 'A' + 'a') : c; }

std::string lowered(std::string_view s)
{
    std::string out(s);
    std::transform(out.begin(), out.end(), out.begin(), lower);
    return out;
}

bool isLabelChar(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_' ||
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
    std::string name = label;
    std::transform(name.begin(), name.end(), name.begin(),
                   [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 'a' + 'A') : c; });
    xmlCharEncodingHandlerPtr handler = xmlFindCharEncodingHandler(name.c_str());
    if (!handler)
        return {};
    xmlCharEncCloseFunc(handler);
    return name;
}

enum class Bom { None, Utf8, Utf16Le, Utf16Be };

Bom byteOrderMark(std::string_view page)
{
    if (page.size() >= 3 && page.substr(0, 3) == "\xEF\xBB\xBF")
        return Bom::Utf8;
    if (page.size() >= 2 && page.substr(0, 2) == "\xFF\xFE")
        return Bom::Utf16Le;
    if (page.size() >= 2 && page.substr(0, 2) == "\xFE\xFF")
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

// The first usable charset named by a meta tag before the page's body.
std::string metaEncoding(std::string_view page)
{
    std::string t = lowered(page);
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

// UTF-8 as libxml2 hands it out, to characters; a broken sequence gives
// U+FFFD.
std::u32string decodeUtf8(std::string_view s)
{
    std::u32string out;
    out.reserve(s.size());
    for (size_t i = 0; i < s.size();) {
        const auto b = static_cast<unsigned char>(s[i]);
        int len = b < 0x80 ? 1 : (b >> 5) == 0x6 ? 2 : (b >> 4) == 0xE ? 3 : (b >> 3) == 0x1E ? 4 : 0;
        if (len == 0 || i + static_cast<size_t>(len) > s.size()) {
            out.push_back(U'\uFFFD');
            ++i;
            continue;
        }
        char32_t c = len == 1 ? b : len == 2 ? (b & 0x1F) : len == 3 ? (b & 0x0F) : (b & 0x07);
        bool ok = true;
        for (int k = 1; k < len; ++k) {
            const auto cont = static_cast<unsigned char>(s[i + static_cast<size_t>(k)]);
            ok = ok && (cont >> 6) == 0x2;
            c = (c << 6) | (cont & 0x3F);
        }
        out.push_back(ok ? c : U'\uFFFD');
        i += ok ? static_cast<size_t>(len) : 1;
    }
    return out;
}

bool isName(const xmlNode* node, const char* name)
{
    return node->type == XML_ELEMENT_NODE && node->name &&
           xmlStrcasecmp(node->name, reinterpret_cast<const xmlChar*>(name)) == 0;
}

bool isAnyOf(const xmlNode* node, std::initializer_list<const char*> names)
{
    return std::any_of(names.begin(), names.end(), [&](const char* n) { return isName(node, n); });
}

// Elements whose content a browser does not render as text.
bool isHidden(const xmlNode* node) { return isAnyOf(node, {"script", "style", "noscript", "template"}); }

// Elements that start a line of their own: between them a browser's text
// has a line break, which the collapsing below turns into one blank.
bool isBlock(const xmlNode* node)
{
    return isAnyOf(node, {"br", "p", "div", "li", "ul", "ol", "dl", "dt", "dd", "table", "tr", "h1", "h2", "h3",
                          "h4", "h5", "h6", "hr", "pre", "blockquote", "center", "form"});
}

void gatherText(const xmlNode* node, std::string& out)
{
    for (const xmlNode* n = node->children; n; n = n->next) {
        if (n->type == XML_TEXT_NODE || n->type == XML_CDATA_SECTION_NODE) {
            if (n->content)
                out += reinterpret_cast<const char*>(n->content);
        } else if (n->type == XML_ELEMENT_NODE && !isHidden(n)) {
            const bool block = isBlock(n);
            if (block)
                out += '\n';
            gatherText(n, out);
            if (block)
                out += '\n';
        }
    }
}

bool isCollapsible(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f'; }

std::u32string cellText(const xmlNode* cell)
{
    std::string raw;
    gatherText(cell, raw);
    const std::u32string chars = decodeUtf8(raw);
    std::u32string out;
    bool pendingBlank = false;
    for (char32_t c : chars) {
        if (isCollapsible(c)) {
            pendingBlank = !out.empty();
            continue;
        }
        if (pendingBlank)
            out.push_back(U' ');
        pendingBlank = false;
        out.push_back(c);
    }
    return out;
}

const xmlNode* elementWithId(const xmlNode* node, const char* id)
{
    for (const xmlNode* n = node; n; n = n->next) {
        if (n->type != XML_ELEMENT_NODE)
            continue;
        if (xmlChar* value = xmlGetProp(n, reinterpret_cast<const xmlChar*>("id"))) {
            const bool match = xmlStrcmp(value, reinterpret_cast<const xmlChar*>(id)) == 0;
            xmlFree(value);
            if (match)
                return n;
        }
        if (const xmlNode* inner = elementWithId(n->children, id))
            return inner;
    }
    return nullptr;
}

void appendRows(const xmlNode* section, std::vector<const xmlNode*>& rows)
{
    for (const xmlNode* n = section->children; n; n = n->next)
        if (isName(n, "tr"))
            rows.push_back(n);
}

// The rows in the order a browser numbers them: head rows first, then the
// body rows and rows directly in the table in document order, foot rows last.
std::vector<const xmlNode*> tableRows(const xmlNode* table)
{
    std::vector<const xmlNode*> head, body, foot;
    for (const xmlNode* n = table->children; n; n = n->next) {
        if (isName(n, "tr"))
            body.push_back(n);
        else if (isName(n, "thead"))
            appendRows(n, head);
        else if (isName(n, "tbody"))
            appendRows(n, body);
        else if (isName(n, "tfoot"))
            appendRows(n, foot);
    }
    head.insert(head.end(), body.begin(), body.end());
    head.insert(head.end(), foot.begin(), foot.end());
    return head;
}

struct DocFree {
    void operator()(xmlDoc* doc) const { xmlFreeDoc(doc); }
};

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

std::optional<CellTable> readResultsTable(std::string_view page, std::string_view contentType)
{
    const std::string encoding = pageEncoding(page, contentType);
    page.remove_prefix(bomLength(byteOrderMark(page)));
    if (page.empty() || page.size() > static_cast<size_t>(INT_MAX))
        return std::nullopt;

    xmlInitParser();
    // The encoding is settled above; a meta tag must not switch it midway.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        HTML_PARSE_IGNORE_ENC;
    std::unique_ptr<xmlDoc, DocFree> doc(
        htmlReadMemory(page.data(), static_cast<int>(page.size()), nullptr, encoding.c_str(), options));
    if (!doc)
        return std::nullopt;
    const xmlNode* main = elementWithId(xmlDocGetRootElement(doc.get()), "main");
    if (!main || !isName(main, "table"))
        return std::nullopt;

    CellTable table;
    for (const xmlNode* row : tableRows(main)) {
        std::vector<std::u32string> cells;
        for (const xmlNode* c = row->children; c; c = c->next)
            if (isName(c, "td") || isName(c, "th"))
                cells.push_back(cellText(c));
        table.push_back(std::move(cells));
    }
    return table;
}

}  // namespace qudrim::history
