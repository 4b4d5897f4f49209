#include "editor/livevaluegraphics.h"

#include "editor/fbgraphicsitem.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"

#include <QFontMetricsF>
#include <QPainter>

namespace Velmora {

namespace {

constexpr qreal kPadding = 2.0;

QColor orDefault(const QColor& color, Qt::GlobalColor fallback)
{
    return color.isValid() ? color : QColor(fallback);
}

// Every value is written in the same font: its metrics are made once, not at each change.
const QFont& valueFont()
{
    static const QFont font(QStringLiteral("Arial"), 9);
    return font;
}

const QFontMetricsF& valueMetrics()
{
    static const QFontMetricsF metrics(valueFont());
    return metrics;
}

} // namespace

LiveValueGraphics::LiveValueGraphics(QGraphicsItem* parent)
    : QGraphicsItem(parent)
{
    setAcceptedMouseButtons(Qt::NoButton);
}

void LiveValueGraphics::setValue(const QString& text, bool forced)
{
    if (text == m_text && forced == m_forced)
        return;
    if (text != m_text) {
        const qreal width = valueMetrics().horizontalAdvance(text);
        const qreal height = valueMetrics().height();
        const QRectF rect(0.0, -height - 2.0 * kPadding, width + 2.0 * kPadding, height + 2.0 * kPadding);
        if (rect != m_rect) {
            prepareGeometryChange();
            m_rect = rect;
        }
        m_text = text;
    }
    m_forced = forced;
    update();
}

void LiveValueGraphics::setAnchor(const QPointF& point)
{
    setPos(point);
}

void LiveValueGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (!FBGraphicsItem::isFineDetail(painter))
        return;
    const StylePort& style = StyleCollection::instance().paintStyle().port();
    if (m_forced) {
        painter->setPen(QPen(orDefault(style.forcedColor, Qt::magenta), 1.5));
        painter->setBrush(Qt::NoBrush);
        painter->drawRect(m_rect);
    }
    painter->setFont(valueFont());
    painter->setPen(orDefault(style.valueColor, Qt::blue));
    painter->drawText(m_rect, Qt::AlignCenter, m_text);
}

} // namespace Velmora
