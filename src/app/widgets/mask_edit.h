// A numeric entry box of fixed length that shows the prompt character "_" in
// every untyped position: "__" when empty, "5_" after one digit, "57" when
// complete. Typed digits overwrite the position at the cursor; the text
// always keeps its length, whatever the user types, pastes or drops.
#pragma once

#include <QLineEdit>

namespace qudrim::app {

class MaskEdit : public QLineEdit {
    Q_OBJECT
public:
    static constexpr char16_t kPrompt = u'_';

    explicit MaskEdit(int length, QWidget* parent = nullptr);

    // Every position shows the prompt again; the cursor goes to the start.
    void clearToPrompt();
    // True when no position shows the prompt.
    bool isComplete() const;

signals:
    // A character key was pressed (backspace as '\b'), reported before the
    // text changes for it.
    void keyTyped(QChar key);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;

private:
    void typeDigit(QChar digit);
    void blankSelectionOr(int position);
    void applyText(const QString& text, int cursor);
    int firstPrompt() const;

    int length_;
};

}  // namespace qudrim::app
