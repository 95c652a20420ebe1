// The busy cursor for the length of a long command, restored however the
// command ends. A message shown meanwhile is shown after release().
#pragma once

#include <QApplication>

namespace qudrim::app {

class BusyCursor {
public:
    BusyCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
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
