// The busy cursor for the length of a long command, restored however the
// command ends. A message shown meanwhile is shown after release(). A
// command that stays open to the mouse meanwhile (a Cancel button) shows the
// arrow with the hourglass, Qt::BusyCursor.
#pragma once

#include <QApplication>

namespace qudrim::app {

class BusyCursor {
public:
    explicit BusyCursor(Qt::CursorShape shape = Qt::WaitCursor) { QApplication::setOverrideCursor(shape); }
    ~BusyCursor() { release(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;

    void release()
    {
        if (active_)
            QApplication::restoreOverrideCursor();
        active_ = false;
    }

private:
    bool active_ = true;
};

}  // namespace qudrim::app
