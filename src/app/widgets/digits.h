// Digits as the boxes take them: only 0..9, whatever other scripts' digits
// Unicode knows, as the core reads numbers (plain_text.h).
#pragma once

#include <QChar>

namespace qudrim::app {

inline bool isAsciiDigit(QChar c) { return c.unicode() >= u'0' && c.unicode() <= u'9'; }

}  // namespace qudrim::app
