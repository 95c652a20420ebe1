// The text of an element as a browser's innerText gives it, for what a
// results page holds: text as CSS lays it out (runs of white space one
// blank, none at the start or end of a line, kept in pre), a line break for
// <br> and at the edges of blocks (two around a paragraph), a tab between
// the cells and a line break between the rows of a table inside, and
// nothing of what is not shown: display:none (the hidden attribute, a
// style attribute, script, style, template, noscript, head and the like),
// visibility:hidden, the content of form controls and frames. The layout
// is read from the elements and their style attributes alone; style sheets
// are not applied.
#pragma once

#include <gumbo.h>

#include <string>

namespace qudrim::history {

// An element that is not shown at all has its text content instead, as
// innerText gives it.
std::u32string innerText(const GumboNode* element);

}  // namespace qudrim::history
