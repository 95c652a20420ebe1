#include "app/widgets/mask_edit.h"

#include "app/widgets/digits.h"

#include <QApplication>
#include <QClipboard>
#include <QFocusEvent>
#include <QInputMethodEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QValidator>

namespace qudrim::app {

namespace {

// Refuses every edit of QLineEdit's own (context-menu paste, drops, input
// methods) that would change the box's length or put anything but digits and
// prompts into it.
class FixedMaskValidator final : public QValidator {
public:
    FixedMaskValidator(int length, QObject* parent) : QValidator(parent), length_(length) {}

    State validate(QString& input, int&) const override
    {
        if (input.size() != length_)
            return Invalid;
        for (QChar c : input)
            if (!isAsciiDigit(c) && c != QChar(MaskEdit::kPrompt))
                return Invalid;
        return Acceptable;
    }

private:
    int length_;
};

}  // namespace

MaskEdit::MaskEdit(int length, QWidget* parent) : QLineEdit(parent), length_(length)
{
    setValidator(new FixedMaskValidator(length, this));
    setAcceptDrops(false);
    setDragEnabled(false);
    setAttribute(Qt::WA_InputMethodEnabled, false);
    setText(QString(length_, QChar(kPrompt)));
    setCursorPosition(0);
}

void MaskEdit::clearToPrompt()
{
    setText(QString(length_, QChar(kPrompt)));
    setCursorPosition(0);
}

bool MaskEdit::isComplete() const { return !text().contains(QChar(kPrompt)) && text().size() == length_; }

int MaskEdit::firstPrompt() const
{
    const int at = text().indexOf(QChar(kPrompt));
    return at < 0 ? length_ : at;
}

void MaskEdit::applyText(const QString& newText, int cursor)
{
    if (newText == text()) {
        setCursorPosition(cursor);
        return;
    }
    setText(newText);
    // The change handler may have emptied or refilled the box already, or
    // selected its text for the user to type over; then it stays as it is.
    if (text() == newText && !hasSelectedText())
        setCursorPosition(cursor);
}

void MaskEdit::blankSelectionOr(int position)
{
    QString t = text();
    if (hasSelectedText()) {
        const int start = selectionStart();
        const int end = start + static_cast<int>(selectedText().size());
        for (int i = start; i < end && i < length_; ++i)
            t[i] = QChar(kPrompt);
        applyText(t, start);
        return;
    }
    if (position >= 0 && position < length_) {
        t[position] = QChar(kPrompt);
        applyText(t, position);
    }
}

void MaskEdit::typeDigit(QChar digit)
{
    QString t = text();
    int pos = cursorPosition();
    if (hasSelectedText()) {
        pos = selectionStart();
        const int end = pos + static_cast<int>(selectedText().size());
        for (int i = pos; i < end && i < length_; ++i)
            t[i] = QChar(kPrompt);
    }
    if (pos < length_) {
        t[pos] = digit;
        ++pos;
    }
    applyText(t, pos);
}

void MaskEdit::keyPressEvent(QKeyEvent* event)
{
    const Qt::KeyboardModifiers mods = event->modifiers() & ~(Qt::KeypadModifier | Qt::ShiftModifier);
    const QString typed = event->text();

    if (event->matches(QKeySequence::Paste)) {
        const QString clip = QApplication::clipboard()->text();
        for (QChar c : clip) {
            if (!isAsciiDigit(c))
                continue;
            emit keyTyped(c);
            typeDigit(c);
        }
        return;
    }
    if (event->matches(QKeySequence::Cut)) {
        if (hasSelectedText()) {
            copy();
            blankSelectionOr(-1);
        }
        return;
    }
    if (event->matches(QKeySequence::Undo) || event->matches(QKeySequence::Redo))
        return;
    if (event->key() == Qt::Key_Backspace && mods == Qt::NoModifier) {
        emit keyTyped(QChar(u'\b'));
        blankSelectionOr(cursorPosition() - 1);
        return;
    }
    if (event->key() == Qt::Key_Delete && mods == Qt::NoModifier) {
        blankSelectionOr(cursorPosition());
        return;
    }
    if (mods == Qt::NoModifier && typed.size() == 1 && typed[0].isPrint()) {
        emit keyTyped(typed[0]);
        if (isAsciiDigit(typed[0]))
            typeDigit(typed[0]);
        return;
    }
    // Moving the cursor, selecting, copying: what a line edit does anyway.
    QLineEdit::keyPressEvent(event);
}

void MaskEdit::focusInEvent(QFocusEvent* event)
{
    QLineEdit::focusInEvent(event);
    // Coming in by keyboard or from the program, the next digit replaces the
    // whole box, as it does after Tab.
    if (event->reason() != Qt::MouseFocusReason && event->reason() != Qt::PopupFocusReason &&
        event->reason() != Qt::ActiveWindowFocusReason) {
        setCursorPosition(0);
        selectAll();
    }
}

void MaskEdit::mousePressEvent(QMouseEvent* event)
{
    QLineEdit::mousePressEvent(event);
    // A click to the right of the untyped positions starts at the first of them.
    if (!hasSelectedText() && cursorPosition() > firstPrompt())
        setCursorPosition(firstPrompt());
}

void MaskEdit::inputMethodEvent(QInputMethodEvent* event)
{
    for (QChar c : event->commitString())
        if (isAsciiDigit(c)) {
            emit keyTyped(c);
            typeDigit(c);
        }
    event->accept();
}

}  // namespace qudrim::app
