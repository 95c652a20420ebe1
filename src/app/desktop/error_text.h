// Texts the window shows for failures of the core.
#pragma once

#include <QString>

#include <exception>

namespace qudrim::app {

// The title of every message about rejected input.
inline QString inputErrorTitle() { return QStringLiteral("输入有误"); }

// An exception's own words, for the detail area of a message box. The core
// writes its texts (and passes on SQLite's and the system's) in UTF-8.
inline QString exceptionText(const std::exception& e) { return QString::fromUtf8(e.what()); }

}  // namespace qudrim::app
