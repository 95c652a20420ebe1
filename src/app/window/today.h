// Where the window takes today's date from: the first issue an empty
// history offers, and the last year the online update reads. The program
// asks the system's calendar; the tests give a date of their own, so that
// none of them depends on the day it runs.
#pragma once

#include <QDate>

#include <functional>

namespace qudrim::app {

using Today = std::function<QDate()>;

// The system's date, in local time.
inline QDate systemToday() { return QDate::currentDate(); }

}  // namespace qudrim::app
