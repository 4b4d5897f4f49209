#include "editor/fbinputportgraphics.h"

namespace Velmora {

FBInputPortGraphics::FBInputPortGraphics(FBAbstractBlockGraphics* block)
    : FBPortGraphics(block)
{
    m_labelAlignment = Qt::AlignLeft | Qt::AlignVCenter;
}

void FBInputPortGraphics::makeLabel()
{
    m_label = QStringLiteral("%1 (%2)").arg(m_portName, m_portType);
}

void FBInputPortGraphics::calcGeometry()
{
    prepareGeometryChange();
    const QSizeF text = labelSize();
    m_textRect = QRectF(m_circleRect.right(), 0.0, text.width(), text.height());
    m_size = QSizeF(text.width() + m_circleRect.width(), text.height());
}

void FBInputPortGraphics::setGeometry(const QRectF& rect)
{
    FBPortGraphics::setGeometry(rect);
    setPos(-m_circleRect.width() / 2.0, rect.y());
}

} // namespace Velmora
