// A caption with a box laid over a stretch of its text, so that the user
// reads the caption around the box: the issue box inside "在下面输入 2007001
// 期历史号码:" and the N box in the gap of "前    期".
#pragma once

#include <QWidget>

namespace qudrim::app {

class CaptionOverlay final : public QWidget {
public:
    // `caption` is a QLabel or a QAbstractButton; `box` covers the part of its
    // text that follows `before` and is as wide as `covered` (at least
    // `minBoxWidth`). Both become children of this widget.
    CaptionOverlay(QWidget* caption, QWidget* box, const QString& before, const QString& covered,
                   int minBoxWidth, QWidget* parent = nullptr);

    QSize sizeHint() const override;
    QSize minimumSizeHint() const override { return sizeHint(); }

protected:
    void resizeEvent(QResizeEvent* event) override;

private:
    int textLeft() const;
    void place();

    QWidget* caption_;
    QWidget* box_;
    QString before_;
    QString covered_;
    int minBoxWidth_;
};

}  // namespace qudrim::app
