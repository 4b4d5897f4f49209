#include "editor/fbportgraphics.h"

#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "model/fbmodelport.h"

#include <QFontMetricsF>
#include <QGraphicsLinearLayout>
#include <QGraphicsSceneHoverEvent>
#include <QPainter>
#include <QStyleOptionGraphicsItem>

#include <cmath>

namespace Velmora {

FBPortGraphics::FBPortGraphics(FBAbstractBlockGraphics* block)
    : FBGraphicsItem(block)
    , m_font(sharedFont(10))
{
    const qreal side = 2.0 * (m_hoverRadius + m_penWidth);
    m_circleRect = QRectF(0.0, 0.0, side, side);
    setAcceptHoverEvents(true);
}

void FBPortGraphics::setModelItem(FBModelItem* item)
{
    m_portIndex = item->rowOfParent();
    const bool shown = item->isVisible() != isVisible();
    if (shown)
        showInLayout(item->isVisible());

    m_portName = item->displayName();
    if (item->type() == 1004)
        m_portType = static_cast<const FBModelPort*>(item)->data().currentType();

    const QSizeF before = m_size;
    makeLabel();
    calcGeometry();
    // A port that only got or lost a connection keeps its size: the block is not laid out
    // again for it.
    if (shown || m_size != before)
        updateLayout();
}

void FBPortGraphics::showInLayout(bool visible)
{
    setVisible(visible);
    if (!m_parentLayout)
        m_parentLayout = dynamic_cast<QGraphicsLinearLayout*>(parentLayoutItem());
    if (!m_parentLayout)
        return;

    const bool inLayout = parentLayoutItem() == m_parentLayout;
    if (visible && !inLayout) {
        // Among the shown ports, this one goes after those with a lower index.
        int position = 0;
        for (int i = 0; i < m_parentLayout->count(); ++i) {
            const auto* other = dynamic_cast<const FBPortGraphics*>(m_parentLayout->itemAt(i));
            if (other && other->portIndex() < m_portIndex)
                position = i + 1;
        }
        m_parentLayout->insertItem(position, this);
        m_parentLayout->setAlignment(this, Qt::AlignLeft);
    } else if (!visible && inLayout) {
        m_parentLayout->removeItem(this);
    }
    m_parentLayout->invalidate();
}

QSizeF FBPortGraphics::labelSize() const
{
    const QSizeF text = QFontMetricsF(m_font).size(Qt::TextSingleLine, m_label);
    return QSizeF(text.width(), qMax(m_circleRect.height(), text.height()));
}

QSizeF FBPortGraphics::sizeHint(Qt::SizeHint, const QSizeF&) const
{
    return m_size;
}

QPointF FBPortGraphics::connectionPoint() const
{
    return mapToScene(m_circleRect.center());
}

QPainterPath FBPortGraphics::shape() const
{
    const qreal r = m_radius + m_penWidth / 2.0;
    QPainterPath path;
    path.addEllipse(m_circleRect.center(), r, r);
    return path;
}

void FBPortGraphics::hoverMoveEvent(QGraphicsSceneHoverEvent* event)
{
    const QPointF delta = event->pos() - m_circleRect.center();
    const float d = std::hypot(float(delta.x()), float(delta.y()));
    // On the very centre the circle is as large as it gets.
    const qreal grown = d > 0.0f ? m_normalRadius + m_normalRadius / d : m_hoverRadius;
    setRadius(qMin(m_hoverRadius, grown));
}

void FBPortGraphics::hoverLeaveEvent(QGraphicsSceneHoverEvent*)
{
    setRadius(m_normalRadius);
}

void FBPortGraphics::setRadius(qreal radius)
{
    if (radius == m_radius)
        return;
    prepareGeometryChange();
    m_radius = radius;
}

QColor FBPortGraphics::outlineColor(QColor border, qreal levelOfDetail)
{
    if (levelOfDetail > 0.2 && levelOfDetail < 0.3)
        border.setAlpha(int(levelOfDetail * 255));
    else
        border.setAlpha(255);
    return border;
}

void FBPortGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const SceneStyle& style = StyleCollection::instance().paintStyle();
    const qreal lod = QStyleOptionGraphicsItem::levelOfDetailFromTransform(painter->worldTransform());
    m_outlineColor = outlineColor(style.port().borderColor, lod);
    if (lod > kCoarseDetail) {
        painter->setPen(QPen(m_outlineColor, m_penWidth, Qt::SolidLine, Qt::SquareCap, Qt::BevelJoin));
        painter->setBrush(style.types().color(m_portType));
        painter->drawEllipse(m_circleRect.center(), m_radius, m_radius);
    }
    if (!isFineDetail(painter))
        return;
    painter->setFont(m_font);
    painter->setPen(style.port().textColor);
    m_cachedLabel.draw(painter, m_textRect, int(m_labelAlignment), m_label);
}

} // namespace Velmora
