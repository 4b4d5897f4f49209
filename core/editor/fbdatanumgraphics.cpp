#include "editor/fbdatanumgraphics.h"

#include "model/fbmodelitem.h"

namespace Velmora {

FBDataNumGraphics::FBDataNumGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, sharedFont(12), 10.0, 5.0)
{ }

void FBDataNumGraphics::readText(FBModelItem* item)
{
    m_text = QStringLiteral("%1: %2").arg(item->displayName(), item->dataToVariant().toString());
}

void FBDataNumGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintPlainText(painter);
}

} // namespace Velmora
