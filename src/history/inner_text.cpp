#include "history/inner_text.h"

#include "history/ascii_text.h"
#include "history/page_document.h"

#include <algorithm>
#include <optional>
#include <string_view>
#include <vector>

namespace qudrim::history {

namespace {

enum class Display { None, Inline, Block, TableRow, TableCell };
enum class WhiteSpace { Collapse, Pre, PreLine };

struct Style {
    std::optional<Display> display;
    std::optional<bool> visible;
    std::optional<WhiteSpace> whiteSpace;
};

std::optional<Display> displayValue(std::string_view v)
{
    if (v == "none")
        return Display::None;
    if (v == "block" || v == "flex" || v == "grid" || v == "list-item" || v == "table" || v == "flow-root" ||
        v == "table-caption" || v.starts_with("block ") || v.ends_with(" flow-root"))
        return Display::Block;
    if (v == "table-row")
        return Display::TableRow;
    if (v == "table-cell")
        return Display::TableCell;
    if (v.empty() || v == "inherit" || v == "initial" || v == "unset" || v == "revert")
        return std::nullopt;
    return Display::Inline;
}

// The declarations of a style attribute that decide what shows: the last
// of each property counts.
Style styleAttribute(const char* attribute)
{
    Style style;
    if (!attribute)
        return style;
    std::string text = asciiLowered(attribute);
    // Comments go first.
    for (size_t open = text.find("/*"); open != std::string::npos; open = text.find("/*", open)) {
        const size_t close = text.find("*/", open + 2);
        text.erase(open, close == std::string::npos ? std::string::npos : close + 2 - open);
    }
    size_t start = 0;
    while (start <= text.size()) {
        const size_t end = std::min(text.find(';', start), text.size());
        const std::string_view declaration = std::string_view(text).substr(start, end - start);
        start = end + 1;
        const size_t colon = declaration.find(':');
        if (colon == std::string_view::npos)
            continue;
        const std::string_view property = trimAsciiWhitespace(declaration.substr(0, colon));
        std::string_view value = trimAsciiWhitespace(declaration.substr(colon + 1));
        if (const size_t bang = value.find('!'); bang != std::string_view::npos && trimAsciiWhitespace(value.substr(bang + 1)) == "important")
            value = trimAsciiWhitespace(value.substr(0, bang));
        if (property == "display") {
            if (const auto d = displayValue(value))
                style.display = d;
        } else if (property == "visibility") {
            if (value == "hidden" || value == "collapse")
                style.visible = false;
            else if (value == "visible")
                style.visible = true;
        } else if (property == "white-space") {
            if (value == "pre" || value == "pre-wrap" || value == "break-spaces")
                style.whiteSpace = WhiteSpace::Pre;
            else if (value == "pre-line")
                style.whiteSpace = WhiteSpace::PreLine;
            else if (value == "normal" || value == "nowrap")
                style.whiteSpace = WhiteSpace::Collapse;
        }
    }
    return style;
}

bool isHtml(const GumboNode* n)
{
    return (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) &&
           n->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

GumboTag tagOf(const GumboNode* n) { return n->v.element.tag; }

bool tagIn(GumboTag t, std::initializer_list<GumboTag> tags) { return std::find(tags.begin(), tags.end(), t) != tags.end(); }

// Whether an element the parser has no tag for is named `name` (lower case).
bool isUnknownNamed(const GumboNode* n, std::string_view name)
{
    if (tagOf(n) != GUMBO_TAG_UNKNOWN)
        return false;
    GumboStringPiece piece = n->v.element.original_tag;
    gumbo_tag_from_original_text(&piece);
    return asciiLowered(std::string_view(piece.data, piece.length)) == name;
}

// The display a browser's own style sheet gives an HTML element.
Display defaultDisplay(const GumboNode* n)
{
    const GumboTag t = tagOf(n);
    if (tagIn(t, {GUMBO_TAG_AREA, GUMBO_TAG_BASE, GUMBO_TAG_BASEFONT, GUMBO_TAG_DATALIST, GUMBO_TAG_HEAD,
                  GUMBO_TAG_LINK, GUMBO_TAG_META, GUMBO_TAG_NOEMBED, GUMBO_TAG_NOFRAMES, GUMBO_TAG_PARAM, GUMBO_TAG_RP,
                  GUMBO_TAG_SCRIPT, GUMBO_TAG_STYLE, GUMBO_TAG_TEMPLATE, GUMBO_TAG_TITLE, GUMBO_TAG_NOSCRIPT}))
        return Display::None;
    if (t == GUMBO_TAG_INPUT) {
        const char* type = attributeOf(n, "type");
        if (type && asciiLowered(type) == "hidden")
            return Display::None;
    }
    const bool dialog = isUnknownNamed(n, "dialog");
    if (dialog && !attributeOf(n, "open"))
        return Display::None;
    if (attributeOf(n, "hidden"))
        return Display::None;
    if (t == GUMBO_TAG_TR)
        return Display::TableRow;
    if (t == GUMBO_TAG_TD || t == GUMBO_TAG_TH)
        return Display::TableCell;
    if (dialog || isUnknownNamed(n, "search"))
        return Display::Block;
    if (tagIn(t, {GUMBO_TAG_HTML, GUMBO_TAG_BODY, GUMBO_TAG_ADDRESS, GUMBO_TAG_BLOCKQUOTE, GUMBO_TAG_CENTER,
                  GUMBO_TAG_DIV, GUMBO_TAG_FIGURE, GUMBO_TAG_FIGCAPTION, GUMBO_TAG_FOOTER,
                  GUMBO_TAG_FORM, GUMBO_TAG_HEADER, GUMBO_TAG_HR, GUMBO_TAG_LEGEND, GUMBO_TAG_LISTING, GUMBO_TAG_MAIN,
                  GUMBO_TAG_P, GUMBO_TAG_PLAINTEXT, GUMBO_TAG_PRE, GUMBO_TAG_XMP, GUMBO_TAG_ARTICLE, GUMBO_TAG_ASIDE,
                  GUMBO_TAG_H1, GUMBO_TAG_H2, GUMBO_TAG_H3, GUMBO_TAG_H4, GUMBO_TAG_H5, GUMBO_TAG_H6, GUMBO_TAG_HGROUP,
                  GUMBO_TAG_NAV, GUMBO_TAG_SECTION, GUMBO_TAG_DIR, GUMBO_TAG_DD, GUMBO_TAG_DL, GUMBO_TAG_DT,
                  GUMBO_TAG_MENU, GUMBO_TAG_OL, GUMBO_TAG_UL, GUMBO_TAG_LI, GUMBO_TAG_FIELDSET, GUMBO_TAG_DETAILS,
                  GUMBO_TAG_SUMMARY, GUMBO_TAG_TABLE, GUMBO_TAG_CAPTION, GUMBO_TAG_OPTION, GUMBO_TAG_OPTGROUP,
                  GUMBO_TAG_FRAMESET}))
        return Display::Block;
    return Display::Inline;
}

WhiteSpace defaultWhiteSpace(const GumboNode* n, WhiteSpace inherited)
{
    if (tagIn(tagOf(n), {GUMBO_TAG_PRE, GUMBO_TAG_LISTING, GUMBO_TAG_XMP, GUMBO_TAG_PLAINTEXT, GUMBO_TAG_TEXTAREA}))
        return WhiteSpace::Pre;
    return inherited;
}

// Elements whose children are no boxes of their own: replaced elements and
// form controls show something other than their content.
bool contentNotShown(const GumboNode* n)
{
    return tagIn(tagOf(n), {GUMBO_TAG_TEXTAREA, GUMBO_TAG_IFRAME, GUMBO_TAG_VIDEO, GUMBO_TAG_AUDIO, GUMBO_TAG_CANVAS,
                            GUMBO_TAG_IMG, GUMBO_TAG_INPUT, GUMBO_TAG_EMBED});
}

// How an element is laid out, and what it passes on to its content.
struct Layout {
    Display display = Display::Inline;
    bool visible = true;
    WhiteSpace whiteSpace = WhiteSpace::Collapse;
};

Layout layoutOf(const GumboNode* n, const Layout& parent)
{
    Layout l;
    l.visible = parent.visible;
    l.whiteSpace = parent.whiteSpace;
    if (n->type == GUMBO_NODE_TEMPLATE) {
        l.display = Display::None;
        return l;
    }
    if (!isHtml(n)) {
        // SVG and MathML: only their text shows, and an SVG picture stands
        // on a line of its own.
        const bool svgRoot = tagOf(n) == GUMBO_TAG_SVG && n->v.element.tag_namespace == GUMBO_NAMESPACE_SVG;
        l.display = svgRoot ? Display::Block : Display::Inline;
    } else {
        l.display = defaultDisplay(n);
        l.whiteSpace = defaultWhiteSpace(n, l.whiteSpace);
    }
    const Style style = styleAttribute(attributeOf(n, "style"));
    if (style.display)
        l.display = *style.display;
    if (style.visible)
        l.visible = *style.visible;
    if (style.whiteSpace)
        l.whiteSpace = *style.whiteSpace;
    return l;
}

const GumboNode* parentElement(const GumboNode* n)
{
    const GumboNode* p = n->parent;
    return p && (p->type == GUMBO_NODE_ELEMENT || p->type == GUMBO_NODE_TEMPLATE) ? p : nullptr;
}

// What is shown of the element's ancestors: whether it shows at all, and
// what they pass on to it.
std::optional<Layout> inheritedLayout(const GumboNode* element)
{
    std::vector<const GumboNode*> chain;
    for (const GumboNode* n = element; n; n = parentElement(n))
        chain.push_back(n);
    Layout layout;
    for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
        layout = layoutOf(*it, layout);
        if (layout.display == Display::None)
            return std::nullopt;
        if (*it != element && (contentNotShown(*it) || (*it)->type == GUMBO_NODE_TEMPLATE))
            return std::nullopt;
    }
    return layout;
}

bool isText(const GumboNode* n)
{
    return n->type == GUMBO_NODE_TEXT || n->type == GUMBO_NODE_WHITESPACE || n->type == GUMBO_NODE_CDATA;
}

void appendDecoded(std::u32string& out, const char* utf8)
{
    const auto* s = reinterpret_cast<const unsigned char*>(utf8);
    while (*s) {
        char32_t c;
        int extra;
        if (*s < 0x80) {
            c = *s;
            extra = 0;
        } else if (*s < 0xE0) {
            c = *s & 0x1F;
            extra = 1;
        } else if (*s < 0xF0) {
            c = *s & 0x0F;
            extra = 2;
        } else {
            c = *s & 0x07;
            extra = 3;
        }
        ++s;
        for (int k = 0; k < extra && *s; ++k, ++s)
            c = (c << 6) | (*s & 0x3F);
        out.push_back(c);
    }
}

// The text content: every text node's characters in tree order.
std::u32string textContent(const GumboNode* element)
{
    std::u32string out;
    std::vector<std::pair<const GumboNode*, size_t>> stack{{element, 0}};
    while (!stack.empty()) {
        auto& [node, next] = stack.back();
        const GumboVector& children = childrenOf(node);
        if (next >= children.length || node->type == GUMBO_NODE_TEMPLATE) {
            stack.pop_back();
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(children.data[next++]);
        if (isText(child))
            appendDecoded(out, child->v.text.text);
        else if (child->type == GUMBO_NODE_ELEMENT || child->type == GUMBO_NODE_TEMPLATE)
            stack.emplace_back(child, 0);
    }
    return out;
}

// The pieces of the text before the lines are made: text to lay out, a
// string that stands as it is (a line break, a tab), and a number of line
// breaks that a block asks for around it.
struct Item {
    enum Kind { Text, String, Breaks } kind;
    std::u32string text;
    WhiteSpace whiteSpace = WhiteSpace::Collapse;
    int breaks = 0;
};

bool isShownElement(const GumboNode* n, const Layout& parent)
{
    return (n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE) && layoutOf(n, parent).display != Display::None;
}

// Whether another cell shows after this one in its row.
bool hasLaterCell(const GumboNode* cell, const Layout& rowLayout)
{
    const GumboNode* row = cell->parent;
    const GumboVector& siblings = childrenOf(row);
    for (size_t i = cell->index_within_parent + 1; i < siblings.length; ++i) {
        const auto* s = static_cast<const GumboNode*>(siblings.data[i]);
        if (isShownElement(s, rowLayout) && layoutOf(s, rowLayout).display == Display::TableCell)
            return true;
    }
    return false;
}

// Whether another row shows after this one in its table.
bool hasLaterRow(const GumboNode* row)
{
    const GumboNode* n = row;
    while (n) {
        const GumboNode* parent = n->parent;
        if (!parent || parent->type == GUMBO_NODE_DOCUMENT)
            return false;
        const GumboVector& siblings = childrenOf(parent);
        for (size_t i = n->index_within_parent + 1; i < siblings.length; ++i) {
            const auto* s = static_cast<const GumboNode*>(siblings.data[i]);
            if (isHtml(s) && (tagOf(s) == GUMBO_TAG_TR ||
                              (tagIn(tagOf(s), {GUMBO_TAG_TBODY, GUMBO_TAG_THEAD, GUMBO_TAG_TFOOT}) &&
                               std::any_of(childrenOf(s).data, childrenOf(s).data + childrenOf(s).length, [](void* c) {
                                   return isHtml(static_cast<const GumboNode*>(c)) &&
                                          tagOf(static_cast<const GumboNode*>(c)) == GUMBO_TAG_TR;
                               }))))
                return true;
        }
        if (isHtml(parent) && tagOf(parent) == GUMBO_TAG_TABLE)
            return false;
        n = parent;
    }
    return false;
}

// Which of an element's children have boxes: a select shows its options
// and option groups only, a closed details its first summary only.
bool childShown(const GumboNode* parent, const GumboNode* child, bool& summarySeen)
{
    if (!isHtml(parent))
        return true;
    const GumboTag t = tagOf(parent);
    if (t == GUMBO_TAG_SELECT || t == GUMBO_TAG_OPTGROUP)
        return isHtml(child) && tagIn(tagOf(child), {GUMBO_TAG_OPTION, GUMBO_TAG_OPTGROUP});
    if (t == GUMBO_TAG_DETAILS && !attributeOf(parent, "open")) {
        if (summarySeen || !isHtml(child) || tagOf(child) != GUMBO_TAG_SUMMARY)
            return false;
        summarySeen = true;
        return true;
    }
    return true;
}

// The standard's rendered text collection, without recursion.
std::vector<Item> collect(const GumboNode* element, const Layout& elementLayout)
{
    std::vector<Item> items;
    struct Frame {
        const GumboNode* node;
        Layout layout;
        size_t next = 0;
        bool summarySeen = false;
    };
    auto enter = [&](const GumboNode* n, const Layout& l) {
        if (!l.visible)
            return;
        if (isHtml(n) && tagOf(n) == GUMBO_TAG_P)
            items.push_back({Item::Breaks, {}, {}, 2});
        if (l.display == Display::Block || l.display == Display::TableCell)
            items.push_back({Item::Breaks, {}, {}, l.display == Display::Block ? 1 : 0});
    };
    auto leave = [&](const GumboNode* n, const Layout& l, const Layout& parent) {
        if (!l.visible)
            return;
        if (isHtml(n) && tagOf(n) == GUMBO_TAG_BR)
            items.push_back({Item::String, U"\n"});
        if (l.display == Display::TableCell) {
            items.push_back({Item::Breaks, {}, {}, 0});
            if (hasLaterCell(n, parent))
                items.push_back({Item::String, U"\t"});
        }
        if (l.display == Display::TableRow && hasLaterRow(n))
            items.push_back({Item::String, U"\n"});
        if (isHtml(n) && tagOf(n) == GUMBO_TAG_P)
            items.push_back({Item::Breaks, {}, {}, 2});
        if (l.display == Display::Block)
            items.push_back({Item::Breaks, {}, {}, 1});
    };

    std::vector<Frame> stack{{element, elementLayout}};
    while (!stack.empty()) {
        Frame& f = stack.back();
        const GumboVector& children = childrenOf(f.node);
        const bool ownContentShown = f.node == element || !contentNotShown(f.node);
        if (f.next >= children.length || !ownContentShown) {
            const Frame done = f;
            stack.pop_back();
            if (!stack.empty())
                leave(done.node, done.layout, stack.back().layout);
            continue;
        }
        const auto* child = static_cast<const GumboNode*>(children.data[f.next++]);
        if (!childShown(f.node, child, f.summarySeen))
            continue;
        if (isText(child)) {
            if (f.layout.visible)
                items.push_back({Item::Text, {}, f.layout.whiteSpace});
            if (f.layout.visible)
                appendDecoded(items.back().text, child->v.text.text);
            continue;
        }
        if (child->type != GUMBO_NODE_ELEMENT)
            continue;  // comments, and template contents
        const Layout l = layoutOf(child, f.layout);
        if (l.display == Display::None)
            continue;
        enter(child, l);
        stack.push_back({child, l});
    }
    return items;
}

bool isCollapsible(char32_t c) { return c == U' ' || c == U'\t' || c == U'\n' || c == U'\r' || c == U'\f'; }

// The items laid out in lines and joined as innerText joins them.
std::u32string joined(const std::vector<Item>& items)
{
    // First the white space: what each text item shows once its runs of
    // collapsible blanks are one, and those at a line's start or end gone.
    std::vector<Item> laid;
    bool lineStart = true;
    bool pendingBlank = false;
    auto lineEnds = [&] {
        lineStart = true;
        pendingBlank = false;
    };
    for (const Item& item : items) {
        if (item.kind != Item::Text) {
            lineEnds();
            laid.push_back(item);
            continue;
        }
        std::u32string shown;
        for (const char32_t c : item.text) {
            const bool newline = c == U'\n';
            if (item.whiteSpace == WhiteSpace::Pre || (item.whiteSpace == WhiteSpace::PreLine && newline)) {
                if (pendingBlank)
                    shown.push_back(U' ');
                if (newline) {
                    if (!shown.empty())
                        laid.push_back({Item::String, shown});
                    shown.clear();
                    laid.push_back({Item::String, U"\n"});
                    lineEnds();
                    continue;
                }
                shown.push_back(c);
                pendingBlank = false;
                lineStart = false;
                continue;
            }
            if (isCollapsible(c)) {
                pendingBlank = !lineStart;
                continue;
            }
            if (pendingBlank)
                shown.push_back(U' ');
            pendingBlank = false;
            lineStart = false;
            shown.push_back(c);
        }
        if (!shown.empty())
            laid.push_back({Item::String, shown});
    }

    // Then the line breaks blocks ask for: none at the start or end, the
    // most of each run between.
    size_t first = 0, last = laid.size();
    while (first < last && laid[first].kind == Item::Breaks)
        ++first;
    while (last > first && laid[last - 1].kind == Item::Breaks)
        --last;
    std::u32string out;
    int run = -1;
    for (size_t i = first; i < last; ++i) {
        const Item& item = laid[i];
        if (item.kind == Item::Breaks) {
            run = std::max(run, item.breaks);
            continue;
        }
        if (run > 0)
            out.append(static_cast<size_t>(run), U'\n');
        run = -1;
        out += item.text;
    }
    return out;
}

}  // namespace

std::u32string innerText(const GumboNode* element)
{
    const std::optional<Layout> layout = inheritedLayout(element);
    if (!layout)
        return textContent(element);
    return joined(collect(element, *layout));
}

}  // namespace qudrim::history
