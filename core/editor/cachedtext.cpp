#include "editor/cachedtext.h"

#include <QFontMetricsF>
#include <QPaintDevice>
#include <QPainter>
#include <QTextLine>
#include <QtMath>

namespace Velmora {

namespace {

constexpr int kLaidOutFlags = Qt::AlignHorizontal_Mask | Qt::AlignVertical_Mask | Qt::TextSingleLine | Qt::TextDontClip;
// A line that no wrapping ever reaches, as drawText lays out unwrapped text.
constexpr qreal kUnwrappedWidth = 0x01000000;
// Separates the length variants of a text; drawText picks one by the rectangle.
constexpr ushort kLengthVariantSeparator = 0x9c;

// Exactly the same: QRectF's own comparison is fuzzy, but which lines fit and where they sit
// depend on the exact height.
bool sameRect(const QRectF& a, const QRectF& b)
{
    return a.x() == b.x() && a.y() == b.y() && a.width() == b.width() && a.height() == b.height();
}

} // namespace

CachedText::CachedText() = default;
CachedText::~CachedText() = default;

// Painters start with an automatic direction, which lays out text left to right unless the
// text itself begins right to left.
bool CachedText::canLayOut(const QPainter* painter, int flags)
{
    return (flags & ~kLaidOutFlags) == 0 && !(flags & Qt::AlignJustify)
        && painter->layoutDirection() != Qt::RightToLeft;
}

bool CachedText::canLayOut(const QString& text)
{
    return !text.isRightToLeft() && !text.contains(QChar(kLengthVariantSeparator));
}

void CachedText::draw(QPainter* painter, const QRectF& rect, int flags, const QString& text)
{
    if (!canLayOut(painter, flags)) {
        painter->drawText(rect, flags, text);
        return;
    }
    const QFont& font = painter->font();
    const int dpi = painter->device() ? painter->device()->logicalDpiY() : 0;
    if (!m_valid || text != m_text || !sameRect(rect, m_rect) || flags != m_flags
        || painter->layoutDirection() != m_direction || dpi != m_dpi || font != m_font) {
        m_text = text;
        m_rect = rect;
        m_flags = flags;
        m_font = font;
        m_dpi = dpi;
        m_direction = painter->layoutDirection();
        layOut(rect, flags, text, font);
        m_valid = true;
    }
    if (!m_laidOut) {
        painter->drawText(rect, flags, text);
        return;
    }
    if (!m_layout)
        return;

    if (m_clipped) {
        painter->save();
        painter->setClipRect(rect, Qt::IntersectClip);
    }
    for (int i = 0; i < m_layout->lineCount(); ++i) {
        const QTextLine line = m_layout->lineAt(i);
        qreal x = 0;
        if (flags & Qt::AlignRight)
            x = rect.width() - line.horizontalAdvance();
        else if (flags & Qt::AlignHCenter)
            x = (rect.width() - line.horizontalAdvance()) / 2;
        line.draw(painter, QPointF(rect.x() + x, rect.y() + m_top));
    }
    if (m_clipped)
        painter->restore();
}

// The steps of drawText for unwrapped left-to-right text: control characters become spaces or
// line separators, every line starts on a whole pixel, and the block of lines is aligned in the
// rectangle as a whole.
void CachedText::layOut(const QRectF& rect, int flags, const QString& text, const QFont& font)
{
    m_layout.reset();
    m_clipped = false;
    m_laidOut = canLayOut(text);
    if (!m_laidOut || text.isEmpty())
        return;

    const bool singleLine = flags & Qt::TextSingleLine;
    QString shown = text;
    for (QChar& c : shown) {
        if (c == QLatin1Char('\r') || c == QLatin1Char('\t') || (singleLine && c == QLatin1Char('\n')))
            c = QLatin1Char(' ');
        else if (c == QLatin1Char('\n'))
            c = QChar::LineSeparator;
    }

    m_layout = std::make_unique<QTextLayout>(shown, font);
    QTextOption option;
    option.setTextDirection(m_direction);
    option.setAlignment(Qt::AlignLeft);
    m_layout->setTextOption(option);
    m_layout->setCacheEnabled(true);

    const bool dontClip = flags & Qt::TextDontClip;
    const qreal leading = QFontMetricsF(font).leading();
    qreal height = -leading;
    qreal width = 0;
    m_layout->beginLayout();
    for (;;) {
        QTextLine line = m_layout->createLine();
        if (!line.isValid())
            break;
        line.setLineWidth(kUnwrappedWidth);
        height = qCeil(height + leading);
        line.setPosition(QPointF(0, height));
        height += line.ascent() + line.descent();
        width = qMax(width, line.naturalTextWidth());
        if (!dontClip && height >= rect.height())
            break;
    }
    m_layout->endLayout();

    m_top = 0;
    if (flags & Qt::AlignBottom)
        m_top = rect.height() - height;
    else if (flags & Qt::AlignVCenter)
        m_top = (rect.height() - height) / 2;
    qreal left = 0;
    if (flags & Qt::AlignRight)
        left = rect.width() - width;
    else if (flags & Qt::AlignHCenter)
        left = (rect.width() - width) / 2;
    m_clipped = !dontClip && !rect.contains(QRectF(rect.x() + left, rect.y() + m_top, width, height));
}

} // namespace Velmora
