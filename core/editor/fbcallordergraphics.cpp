#include "editor/fbcallordergraphics.h"

namespace Velmora {

FBCallOrderGraphics::FBCallOrderGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, QFont(QStringLiteral("Arial"), 10), 10.0, 5.0)
{ }

void FBCallOrderGraphics::setModelItem(FBModelItem* item)
{
    FBTitleGraphics::setModelItem(item);
    // The number is never stretched, and a longer number must not be clipped to the width
    // of the first one.
    setMaximumSize(m_size);
}

void FBCallOrderGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintPlainText(painter);
}

} // namespace Velmora
