// A results page's document as a web browser builds it: the HTML
// standard's tokenizer and tree construction (the gumbo parser), read as a
// browser with scripting on reads it, within a budget of time and memory.
#pragma once

#include <gumbo.h>

#include <chrono>
#include <cstddef>
#include <memory>
#include <optional>
#include <string>
#include <string_view>

namespace qudrim::history {

// What the parses of one page may take together. The parser needs time that
// grows with the square of the nesting or of an element's attributes on
// some pages; a yearly page takes a few milliseconds and a megabyte of
// plain markup a few hundred, so only a page made to keep a parser busy
// comes near these.
struct ParseBudget {
    std::chrono::nanoseconds cpuTime = std::chrono::milliseconds(400);  // of the reading thread
    size_t memory = 384u * 1024 * 1024;
};

class PageDocument {
public:
    // `text` (UTF-8) parsed as a browser with scripting on parses it: the
    // content of a noscript element is text that no one sees, and never
    // elements. None when the parses ran out of `budget`, whose time and
    // memory are taken by what this parse spent.
    static std::unique_ptr<PageDocument> parse(std::string text, ParseBudget& budget);

    ~PageDocument();
    PageDocument(const PageDocument&) = delete;
    PageDocument& operator=(const PageDocument&) = delete;

    const GumboNode* document() const;
    // The elements of the document, those of template contents included.
    size_t elementCount() const;
    // The first element in tree order whose id is `id`, as getElementById
    // finds it: template contents are not searched.
    const GumboNode* elementById(std::string_view id) const;
    // The encoding named by the first meta tag, in the order the tree
    // builder meets them, that names one: its charset attribute, or the
    // charset of its content when its http-equiv is Content-Type.
    std::optional<std::string> declaredEncoding() const;

private:
    struct Parse;
    explicit PageDocument(std::unique_ptr<Parse> parse);
    std::unique_ptr<Parse> parse_;
};

// Element helpers on the parser's nodes.
bool isHtmlElement(const GumboNode* node, GumboTag tag);
// The value of the element's attribute `name`, or none.
const char* attributeOf(const GumboNode* element, const char* name);
// The element's children, template contents included.
const GumboVector& childrenOf(const GumboNode* node);

}  // namespace qudrim::history
