#include "history/results_table.h"

#include "history/page_encoding.h"
#include "history/page_markup.h"

#include <libxml/HTMLparser.h>
#include <libxml/tree.h>

#include <algorithm>
#include <climits>
#include <memory>

namespace qudrim::history {

namespace {

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

ResultsTable readResultsTable(std::string_view page, std::string_view contentType)
{
    ResultsTable result;
    if (page.size() > kMaxPageBytes) {
        result.problem = PageProblem::TooLarge;
        return result;
    }
    const auto markup = strippedMarkup(decodePage(page, contentType), kMaxPageElements);
    if (!markup) {
        result.problem = PageProblem::TooComplex;
        return result;
    }
    result.problem = PageProblem::NoTable;
    if (markup->empty() || markup->size() > static_cast<size_t>(INT_MAX))
        return result;

    xmlInitParser();
    // The page is UTF-8 by now; a meta tag must not switch the encoding.
    const int options = HTML_PARSE_RECOVER | HTML_PARSE_NOERROR | HTML_PARSE_NOWARNING | HTML_PARSE_NONET |
                        HTML_PARSE_IGNORE_ENC;
    std::unique_ptr<xmlDoc, DocFree> doc(
        htmlReadMemory(markup->data(), static_cast<int>(markup->size()), nullptr, "UTF-8", options));
    if (!doc)
        return result;
    const xmlNode* main = elementWithId(xmlDocGetRootElement(doc.get()), "main");
    if (!main || !isName(main, "table"))
        return result;

    result.problem = PageProblem::None;
    for (const xmlNode* row : tableRows(main)) {
        std::vector<std::u32string> cells;
        for (const xmlNode* c = row->children; c; c = c->next)
            if (isName(c, "td") || isName(c, "th"))
                cells.push_back(cellText(c));
        result.rows.push_back(std::move(cells));
    }
    return result;
}

}  // namespace qudrim::history
