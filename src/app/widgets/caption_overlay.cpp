#include "app/widgets/caption_overlay.h"

#include <QAbstractButton>
#include <QLabel>
#include <QRadioButton>
#include <QStyle>
#include <QStyleOptionButton>

#include <algorithm>

namespace qudrim::app {

namespace {

int leadingBlanks(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[n] == QLatin1Char(' '))
        ++n;
    return n;
}

int trailingBlanks(const QString& s)
{
    int n = 0;
    while (n < s.size() && s[s.size() - 1 - n] == QLatin1Char(' '))
        ++n;
    return n;
}

}  // namespace

CaptionOverlay::CaptionOverlay(QWidget* caption, QWidget* box, const QString& before, const QString& covered,
                               int minBoxWidth, QWidget* parent)
    : QWidget(parent),
      caption_(caption),
      box_(box),
      before_(before),
      covered_(covered),
      // The box keeps the width of the covered text in the caption's own font.
      boxWidth_(std::max(QFontMetrics(caption->font()).horizontalAdvance(covered), minBoxWidth))
{
    caption_->setParent(this);
    box_->setParent(this);
    box_->raise();
    setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Fixed);
    widenBlanks();
}

QString CaptionOverlay::captionText() const
{
    if (auto* button = qobject_cast<QAbstractButton*>(caption_))
        return button->text();
    if (auto* label = qobject_cast<QLabel*>(caption_))
        return label->text();
    return {};
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

int CaptionOverlay::freeLeft() const { return textLeft() + freeSpan(caption_->font()).first; }

int CaptionOverlay::freeRight() const { return textLeft() + freeSpan(caption_->font()).second; }

std::pair<int, int> CaptionOverlay::freeSpan(const QFont& font) const
{
    const QFontMetrics fm(font);
    const QString after = captionText().mid(before_.size() + covered_.size());
    return {fm.horizontalAdvance(before_.left(before_.size() - trailingBlanks(before_))),
            fm.horizontalAdvance(before_ + covered_ + after.left(leadingBlanks(after)))};
}

void CaptionOverlay::widenBlanks()
{
    const int needed = boxWidth_ + 2 * kClearance;
    auto freeWidth = [this](const QFont& f) {
        const auto [left, right] = freeSpan(f);
        return right - left;
    };
    QFont font = caption_->font();
    const int free = freeWidth(font);
    if (free >= needed)
        return;
    // Wider blanks where the font allows it; blanks among Chinese characters
    // do not take word spacing, so there the characters are spaced out a
    // little instead, as little as gives the box its room.
    QFont wider = font;
    wider.setWordSpacing(font.wordSpacing() + needed - free);
    if (freeWidth(wider) < needed) {
        wider = font;
        for (int spacing = 1; spacing <= needed - free && freeWidth(wider) < needed; ++spacing)
            wider.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    }
    caption_->setFont(wider);
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
    // The box stands in the middle of the blank space.
    const int w = boxWidth_;
    const int h = std::min(box_->sizeHint().height(), height());
    box_->setGeometry(freeLeft() + (freeRight() - freeLeft() - w) / 2, (height() - h) / 2, w, h);
}

}  // namespace qudrim::app
