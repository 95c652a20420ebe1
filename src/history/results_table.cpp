#include "history/results_table.h"

#include "history/inner_text.h"
#include "history/page_document.h"
#include "history/page_encoding.h"

#include <algorithm>
#include <memory>

namespace qudrim::history {

namespace {

// At least as many as the start tags of the page: every '<' before an
// ASCII letter, in comments and scripts too.
size_t startTagsAtMost(std::string_view text)
{
    size_t count = 0;
    for (size_t i = text.find('<'); i != std::string_view::npos && i + 1 < text.size(); i = text.find('<', i + 1)) {
        const char c = text[i + 1];
        count += (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z');
    }
    return count;
}

// The page parsed from its characters in `encoding`, or why not.
struct Parsed {
    PageProblem problem = PageProblem::None;
    std::unique_ptr<PageDocument> document;
};

Parsed parsedAs(std::string_view bytes, const std::string& encoding, ParseBudget& budget)
{
    Parsed p;
    std::string text = decodeAs(bytes, encoding);
    if (startTagsAtMost(text) > kMaxPageElements) {
        p.problem = PageProblem::TooComplex;
        return p;
    }
    p.document = PageDocument::parse(std::move(text), budget);
    if (!p.document)
        p.problem = PageProblem::TooComplex;
    return p;
}

void appendRows(const GumboNode* section, std::vector<const GumboNode*>& rows)
{
    const GumboVector& children = childrenOf(section);
    for (size_t i = 0; i < children.length; ++i)
        if (const auto* n = static_cast<const GumboNode*>(children.data[i]); isHtmlElement(n, GUMBO_TAG_TR))
            rows.push_back(n);
}

// The table's rows as its rows collection has them: those of its head
// sections first, then those of its body sections and those directly in
// it, in tree order, those of its foot sections last.
std::vector<const GumboNode*> tableRows(const GumboNode* table)
{
    std::vector<const GumboNode*> head, body, foot;
    const GumboVector& children = childrenOf(table);
    for (size_t i = 0; i < children.length; ++i) {
        const auto* n = static_cast<const GumboNode*>(children.data[i]);
        if (isHtmlElement(n, GUMBO_TAG_TR))
            body.push_back(n);
        else if (isHtmlElement(n, GUMBO_TAG_THEAD))
            appendRows(n, head);
        else if (isHtmlElement(n, GUMBO_TAG_TBODY))
            appendRows(n, body);
        else if (isHtmlElement(n, GUMBO_TAG_TFOOT))
            appendRows(n, foot);
    }
    head.insert(head.end(), body.begin(), body.end());
    head.insert(head.end(), foot.begin(), foot.end());
    return head;
}

}  // namespace

ResultsTable readResultsTable(std::string_view page, std::string_view contentType)
{
    ResultsTable result;
    if (page.size() > kMaxPageBytes) {
        result.problem = PageProblem::TooLarge;
        return result;
    }
    const SniffedEncoding sniffed = sniffEncoding(page, contentType);
    const std::string_view bytes = page.substr(sniffed.byteOrderMark);
    ParseBudget budget;
    Parsed parsed = parsedAs(bytes, sniffed.encoding, budget);
    if (!parsed.document) {
        result.problem = parsed.problem;
        return result;
    }
    // A meta tag that the parse meets names the encoding, unless the
    // encoding was certain before: the page is read again in it, as a
    // browser reloads it.
    if (sniffed.confidence == Confidence::Tentative && !isUtf16(sniffed.encoding)) {
        if (const std::optional<std::string> named = parsed.document->declaredEncoding()) {
            const std::string declared = meantByMeta(*named);
            if (declared != sniffed.encoding) {
                parsed = parsedAs(bytes, declared, budget);
                if (!parsed.document) {
                    result.problem = parsed.problem;
                    return result;
                }
            }
        }
    }
    const PageDocument& document = *parsed.document;
    if (document.elementCount() > kMaxPageElements) {
        result.problem = PageProblem::TooComplex;
        return result;
    }

    const GumboNode* main = document.elementById("main");
    if (!main || !isHtmlElement(main, GUMBO_TAG_TABLE)) {
        result.problem = PageProblem::NoTable;
        return result;
    }
    for (const GumboNode* row : tableRows(main)) {
        std::vector<std::u32string> cells;
        const GumboVector& children = childrenOf(row);
        for (size_t i = 0; i < children.length; ++i) {
            const auto* c = static_cast<const GumboNode*>(children.data[i]);
            if (isHtmlElement(c, GUMBO_TAG_TD) || isHtmlElement(c, GUMBO_TAG_TH))
                cells.push_back(innerText(c));
        }
        result.rows.push_back(std::move(cells));
    }
    return result;
}

}  // namespace qudrim::history
