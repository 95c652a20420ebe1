// When a box's lost-focus handler runs: the focus went elsewhere in the
// window. A pop-up (the combo box's list, a context menu) or another window
// taking over does not mean the user has left the box.
#pragma once

#include <QEvent>
#include <QFocusEvent>
#include <QObject>

#include <functional>
#include <utility>

namespace qudrim::app {

inline bool userLeftBox(const QEvent* event)
{
    if (event->type() != QEvent::FocusOut)
        return false;
    const Qt::FocusReason reason = static_cast<const QFocusEvent*>(event)->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason;
}

// Runs `left` with the box each time the user leaves one of the boxes it
// watches; it goes with its parent.
class LostFocusWatcher final : public QObject {
public:
    LostFocusWatcher(std::function<void(QObject* box)> left, QObject* parent)
        : QObject(parent), left_(std::move(left))
    {
    }

    void watch(QObject* box) { box->installEventFilter(this); }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (userLeftBox(event))
            left_(watched);
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void(QObject*)> left_;
};

}  // namespace qudrim::app
