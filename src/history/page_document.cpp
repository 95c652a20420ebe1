#include "history/page_document.h"

#include "history/ascii_text.h"
#include "history/page_encoding.h"

#include <algorithm>
#include <csetjmp>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <vector>

namespace qudrim::history {

namespace {

std::chrono::nanoseconds threadCpuTime()
{
    timespec t{};
    clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
    return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
}

// All the parser's memory, taken from large blocks and given back at once.
// The parser frees nothing on its own (its tree is dropped with the blocks),
// and the walk that frees a tree node by node would go as deep as the tree.
// Past the budget's memory or time the parse is abandoned: the allocator
// jumps back out of it, and nothing but these blocks is left to free.
class Arena {
public:
    Arena(size_t memory, std::chrono::nanoseconds deadline) : memory_(memory), deadline_(deadline) {}
    ~Arena()
    {
        while (blocks_) {
            Block* previous = blocks_->previous;
            std::free(blocks_);
            blocks_ = previous;
        }
    }
    Arena(const Arena&) = delete;
    Arena& operator=(const Arena&) = delete;

    static void* allocate(void* self, size_t size) { return static_cast<Arena*>(self)->allocate(size); }
    static void deallocate(void*, void*) {}

    std::jmp_buf abandon;
    size_t used() const { return used_; }

private:
    struct alignas(std::max_align_t) Block {
        Block* previous;
    };
    static constexpr size_t kAlign = alignof(std::max_align_t);
    static constexpr size_t kBlockBytes = 1024 * 1024;
    // Checking the clock at every allocation would cost more than the parse.
    static constexpr unsigned kClockEvery = 256;

    void* allocate(size_t size)
    {
        size = std::max<size_t>(kAlign, (size + kAlign - 1) / kAlign * kAlign);
        used_ += size;
        if (used_ > memory_ || (++calls_ % kClockEvery == 0 && threadCpuTime() > deadline_))
            std::longjmp(abandon, 1);
        if (size > left_) {
            const bool own = size > kBlockBytes / 8;
            const size_t bytes = sizeof(Block) + (own ? size : kBlockBytes);
            auto* block = static_cast<Block*>(std::malloc(bytes));
            if (!block)
                std::longjmp(abandon, 1);
            block->previous = blocks_;
            blocks_ = block;
            char* start = reinterpret_cast<char*>(block) + sizeof(Block);
            if (own)
                return start;
            next_ = start;
            left_ = kBlockBytes;
        }
        void* p = next_;
        next_ += size;
        left_ -= size;
        return p;
    }

    Block* blocks_ = nullptr;
    char* next_ = nullptr;
    size_t left_ = 0;
    size_t used_ = 0;
    unsigned calls_ = 0;
    size_t memory_;
    std::chrono::nanoseconds deadline_;
};

// Kept apart so that nothing with a destructor lives between the jump's
// start and its end.
GumboOutput* parseOrAbandon(Arena& arena, const GumboOptions& options, const char* text, size_t length)
{
    if (setjmp(arena.abandon) != 0)
        return nullptr;
    return gumbo_parse_with_options(&options, text, length);
}

bool isElement(const GumboNode* n) { return n->type == GUMBO_NODE_ELEMENT || n->type == GUMBO_NODE_TEMPLATE; }

// Every node of the tree under `root` in tree order, template contents
// included unless `intoTemplates` is false; no recursion, as a tree may be
// as deep as it has elements.
template <class Visit>
void forEachNode(const GumboNode* root, bool intoTemplates, Visit&& visit)
{
    const GumboNode* node = root;
    while (node) {
        const bool descend = visit(node) && (node->type != GUMBO_NODE_TEMPLATE || intoTemplates) &&
                             (node->type == GUMBO_NODE_DOCUMENT || isElement(node)) && childrenOf(node).length > 0;
        if (descend) {
            node = static_cast<const GumboNode*>(childrenOf(node).data[0]);
            continue;
        }
        // Up to the next sibling of the node or of an ancestor.
        while (node && node != root) {
            const GumboNode* parent = node->parent;
            const GumboVector& siblings = childrenOf(parent);
            const size_t next = node->index_within_parent + 1;
            if (next < siblings.length) {
                node = static_cast<const GumboNode*>(siblings.data[next]);
                break;
            }
            node = parent;
        }
        if (node == root)
            break;
    }
}

bool isRawTextEndTagDelimiter(char c) { return isAsciiWhitespace(c) || c == '/' || c == '>'; }

// Where the raw text of a noscript element that starts at `from` ends, as a
// browser with scripting on reads it: at the first "</noscript" followed by
// a blank, '/' or '>', or at the end of the text.
size_t rawTextEnd(std::string_view text, size_t from)
{
    static constexpr std::string_view kEnd = "</noscript";
    for (size_t i = text.find("</", from); i != std::string_view::npos; i = text.find("</", i + 1)) {
        if (i + kEnd.size() >= text.size())
            return text.size();
        bool match = true;
        for (size_t k = 2; k < kEnd.size() && match; ++k) {
            const char c = text[i + k];
            match = asciiLower(c) == kEnd[k];
        }
        if (match && isRawTextEndTagDelimiter(text[i + kEnd.size()]))
            return i;
    }
    return text.size();
}


}  // namespace

struct PageDocument::Parse {
    Parse(std::string t, const ParseBudget& budget)
        : text(std::move(t)), arena(budget.memory, threadCpuTime() + budget.cpuTime)
    {
    }
    std::string text;
    Arena arena;
    GumboOutput* output = nullptr;

    size_t offsetOf(const GumboStringPiece& piece) const { return static_cast<size_t>(piece.data - text.data()); }
};

bool isHtmlElement(const GumboNode* node, GumboTag tag)
{
    return isElement(node) && node->v.element.tag == tag && node->v.element.tag_namespace == GUMBO_NAMESPACE_HTML;
}

const char* attributeOf(const GumboNode* element, const char* name)
{
    if (!isElement(element))
        return nullptr;
    const GumboAttribute* a = gumbo_get_attribute(&element->v.element.attributes, name);
    return a ? a->value : nullptr;
}

const GumboVector& childrenOf(const GumboNode* node)
{
    return node->type == GUMBO_NODE_DOCUMENT ? node->v.document.children : node->v.element.children;
}

PageDocument::PageDocument(std::unique_ptr<Parse> parse) : parse_(std::move(parse)) {}
PageDocument::~PageDocument() = default;

std::unique_ptr<PageDocument> PageDocument::parse(std::string text, ParseBudget& budget)
{
    while (true) {
        const std::chrono::nanoseconds start = threadCpuTime();
        auto p = std::make_unique<Parse>(std::move(text), budget);
        GumboOptions options = kGumboDefaultOptions;
        options.allocator = &Arena::allocate;
        options.deallocator = &Arena::deallocate;
        options.userdata = &p->arena;
        // The parser would copy the whole stack of open elements into every
        // error it records: no error is recorded.
        options.max_errors = 0;
        p->output = parseOrAbandon(p->arena, options, p->text.data(), p->text.size());
        const std::chrono::nanoseconds spent = threadCpuTime() - start;
        budget.cpuTime -= std::min(spent, budget.cpuTime);
        budget.memory -= std::min(p->arena.used(), budget.memory);
        if (!p->output)
            return nullptr;

        // The parser reads noscript as a browser without scripting does, its
        // content as markup. Each one's content, up to where a browser with
        // scripting on ends its raw text, is blanked in order. Once the
        // parse has closed a noscript where a browser ends it, the markup
        // after it is read alike and the next one is taken in the same
        // parse; where it has not, the page is parsed again from there.
        std::vector<std::pair<size_t, const GumboNode*>> noscripts;
        forEachNode(p->output->document, true, [&](const GumboNode* n) {
            if (isHtmlElement(n, GUMBO_TAG_NOSCRIPT) && n->v.element.original_tag.length > 0)
                noscripts.emplace_back(p->offsetOf(n->v.element.original_tag), n);
            return true;
        });
        std::sort(noscripts.begin(), noscripts.end(),
                  [](const auto& a, const auto& b) { return a.first < b.first; });
        bool blanked = false;
        size_t done = 0;
        for (const auto& [start, element] : noscripts) {
            if (start < done)
                continue;  // inside the raw text of one before
            const size_t from = start + element->v.element.original_tag.length;
            const size_t end = rawTextEnd(p->text, from);
            done = end;
            if (!trimAsciiWhitespace(std::string_view(p->text).substr(from, end - from)).empty()) {
                std::fill(p->text.begin() + static_cast<std::ptrdiff_t>(from),
                          p->text.begin() + static_cast<std::ptrdiff_t>(end), ' ');
                blanked = true;
            }
            const GumboStringPiece& endTag = element->v.element.original_end_tag;
            if (endTag.length == 0 || p->offsetOf(endTag) != end)
                break;
        }
        if (!blanked)
            return std::unique_ptr<PageDocument>(new PageDocument(std::move(p)));
        text = std::move(p->text);
    }
}

const GumboNode* PageDocument::document() const { return parse_->output->document; }

size_t PageDocument::elementCount() const
{
    size_t count = 0;
    forEachNode(document(), true, [&](const GumboNode* n) {
        count += isElement(n);
        return true;
    });
    return count;
}

const GumboNode* PageDocument::elementById(std::string_view id) const
{
    const GumboNode* found = nullptr;
    forEachNode(document(), false, [&](const GumboNode* n) {
        if (found)
            return false;
        if (const char* value = attributeOf(n, "id"); value && id == value)
            found = n;
        return !found;
    });
    return found;
}

std::optional<std::string> PageDocument::declaredEncoding() const
{
    std::optional<std::string> first;
    size_t firstAt = 0;
    forEachNode(document(), true, [&](const GumboNode* n) {
        if (!isHtmlElement(n, GUMBO_TAG_META))
            return true;
        const size_t at = parse_->offsetOf(n->v.element.original_tag);
        if (first && at >= firstAt)
            return true;
        std::optional<std::string> named;
        if (const char* charset = attributeOf(n, "charset"))
            named = encodingForLabel(charset);
        else if (const char* equiv = attributeOf(n, "http-equiv"); equiv && equalsIgnoringCase(equiv, "content-type"))
            if (const char* content = attributeOf(n, "content"))
                named = encodingFromMetaContent(content);
        if (named) {
            first = std::move(named);
            firstAt = at;
        }
        return true;
    });
    return first;
}

}  // namespace qudrim::history
