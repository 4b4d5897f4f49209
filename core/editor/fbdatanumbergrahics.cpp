#include "editor/fbdatanumbergrahics.h"

#include "editor/fbdatanumgraphics.h"
#include "model/fbmodelitem.h"

#include <QGraphicsGridLayout>

namespace Velmora {

namespace {

const bool registered = FBAbstractBlockGraphics::factory().registerBuilder<FBDataNumberGrahics>(QStringLiteral("data_number_model"));

} // namespace

void FBDataNumberGrahics::createItemGraphics(FBModelItem* item)
{
    if (item->type() != 1006) {
        FBAbstractBlockGraphics::createItemGraphics(item);
        return;
    }
    m_valueItem = new FBDataNumGraphics(this);
    m_valueItem->setModelItem(item);
    m_grid->addItem(m_valueItem, 3, 0, 1, 2, Qt::AlignCenter);
}

void FBDataNumberGrahics::updateItemGraphics(FBModelItem* item)
{
    if (item->type() == 1006 && m_valueItem)
        m_valueItem->updateModelItem(item);
    else
        FBAbstractBlockGraphics::updateItemGraphics(item);
}

} // namespace Velmora
