#include "editor/fboutputportgraphics.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/livevaluegraphics.h"

namespace Velmora {

FBOutputPortGraphics::FBOutputPortGraphics(FBAbstractBlockGraphics* block)
    : FBPortGraphics(block)
{
    m_labelAlignment = Qt::AlignRight | Qt::AlignVCenter;
}

void FBOutputPortGraphics::makeLabel()
{
    m_label = QStringLiteral("(%1) %2").arg(m_portType, m_portName);
}

void FBOutputPortGraphics::calcGeometry()
{
    prepareGeometryChange();
    const QSizeF text = labelSize();
    m_textRect = QRectF(0.0, 0.0, text.width(), text.height());
    m_circleRect.moveLeft(text.width());
    m_size = QSizeF(text.width() + m_circleRect.width(), text.height());
    if (m_liveValue)
        m_liveValue->setAnchor(liveValueAnchor());
}

QPointF FBOutputPortGraphics::liveValueAnchor() const
{
    // Above the line that leaves the port, so that the line does not cross the text.
    return QPointF(m_circleRect.right(), m_circleRect.top());
}

void FBOutputPortGraphics::setLiveValue(const QString& text, bool forced)
{
    if (!m_liveValue) {
        m_liveValue = new LiveValueGraphics(this);
        m_liveValue->setAnchor(liveValueAnchor());
        m_block->updateChildrenContained();
    }
    m_liveValue->setValue(text, forced);
}

void FBOutputPortGraphics::clearLiveValue()
{
    if (!m_liveValue)
        return;
    delete m_liveValue;
    m_liveValue = nullptr;
    m_block->updateChildrenContained();
}

void FBOutputPortGraphics::setGeometry(const QRectF& rect)
{
    FBPortGraphics::setGeometry(rect);
    setPos(m_block->size().width() - m_circleRect.width() / 2.0 - m_textRect.width(), rect.y());
}

} // namespace Velmora
