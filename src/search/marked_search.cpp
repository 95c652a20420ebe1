#include "search/marked_search.h"

namespace qudrim::search {

DisplayOptions checkedDisplay(const SearchOptions& o)
{
    if (!isKnownKind(o.intLei))
        throw store::StoreError("search kind out of range");
    if (!isKnownOrder(o.display.strQz))
        throw store::StoreError("number order must be L or D");
    DisplayOptions display = o.display;
    display.bolSq = o.bolSq;
    checkDisplayOptions(display);
    return display;
}

}  // namespace qudrim::search
