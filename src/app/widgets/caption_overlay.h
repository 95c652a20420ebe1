// A caption with a box laid over a stretch of its text, so that the user
// reads the caption around the box: the issue box inside "在下面输入 2007001
// 期历史号码:" and the N box in the gap of "前    期". The box stands in the
// blank space around that stretch and never touches the characters beside
// it: where the blanks are too narrow for the box in the caption's font, the
// caption is set a little wider (the text itself stays as it is).
#pragma once

#include <QWidget>

#include <utility>

namespace qudrim::app {

class CaptionOverlay final : public QWidget {
public:
    // `caption` is a QLabel or a QAbstractButton whose text starts with
    // `before` followed by `covered`; `box` lies over `covered` and is at
    // least `minBoxWidth` wide. Both become children of this widget.
    CaptionOverlay(QWidget* caption, QWidget* box, const QString& before, const QString& covered,
                   int minBoxWidth, QWidget* parent = nullptr);

    // Clear space between the box and the characters on either side.
    static constexpr int kClearance = 2;

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

    // Where the caption's characters before and after the blank space around
    // `covered` end and start, in this widget's coordinates: the box lies
    // between the two.
    int freeLeft() const;
    int freeRight() const;

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    QString captionText() const;
    // The free space around `covered` in the caption's text set in `font`,
    // measured from the start of the text.
    std::pair<int, int> freeSpan(const QFont& font) const;
    int textLeft() const;
    void widenBlanks();
    void place();

    QWidget* caption_;
    QWidget* box_;
    QString before_;
    QString covered_;
    int boxWidth_;
};

}  // namespace qudrim::app
