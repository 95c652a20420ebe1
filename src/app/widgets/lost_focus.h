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
// watches. A panel keeps it as its last member, so that it goes before the
// panel's other members and its controls: a box that loses the focus as it
// goes runs no handler of a panel half gone.
class LostFocusWatcher final : public QObject {
public:
    explicit LostFocusWatcher(std::function<void(QObject* box)> left) : left_(std::move(left)) {}

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
