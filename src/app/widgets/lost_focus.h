// When a box's lost-focus handler runs: the focus went elsewhere in the
// window. A pop-up (the combo box's list, a context menu) or another window
// taking over does not mean the user has left the box.
#pragma once

#include <QEvent>
#include <QFocusEvent>

namespace qudrim::app {

inline bool userLeftBox(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

}  // namespace qudrim::app
