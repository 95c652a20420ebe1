#include "app/caption_overlay.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace qudrim::app {

CaptionOverlay::CaptionOverlay(QWidget* caption, QWidget* box, const QString& before, const QString& covered,
                               int minBoxWidth, QWidget* parent)
    : QWidget(parent), caption_(caption), box_(box), before_(before), covered_(covered), minBoxWidth_(minBoxWidth)
{
    caption_->setParent(this);
    box_->setParent(this);
    box_->raise();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
}

int CaptionOverlay::textLeft() const
{
    if (auto* radio = qobject_cast<QRadioButton*>(caption_)) {
        QStyleOptionButton option;
        option.initFrom(radio);
        option.text = radio->text();
        return radio->style()->subElementRect(QStyle::SE_RadioButtonContents, &option, radio).left();
    }
    if (auto* label = qobject_cast<QLabel*>(caption_))
        return label->contentsRect().left() + label->margin();
    return 0;
}

QSize CaptionOverlay::sizeHint() const
{
    const QSize c = caption_->sizeHint();
    const QSize b = box_->sizeHint();
    return {c.width(), std::max(c.height(), b.height())};
}

void CaptionOverlay::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    place();
}

void CaptionOverlay::place()
{
    const QSize c = caption_->sizeHint();
    caption_->setGeometry(0, (height() - c.height()) / 2, std::max(width(), c.width()), c.height());
    const QFontMetrics fm(caption_->font());
    const int left = textLeft() + fm.horizontalAdvance(before_);
    const int coveredWidth = fm.horizontalAdvance(covered_);
    const int w = std::max(coveredWidth, minBoxWidth_);
    const int h = std::min(box_->sizeHint().height(), height());
    box_->setGeometry(left + (coveredWidth - w) / 2, (height() - h) / 2, w, h);
}

}  // namespace qudrim::app
