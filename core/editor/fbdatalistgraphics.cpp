#include "editor/fbdatalistgraphics.h"

#include "editor/fbdatalistitemgraphics.h"
#include "model/fbmodelitem.h"

#include <QGraphicsGridLayout>

namespace Velmora {

namespace {

const bool registered = FBAbstractBlockGraphics::factory().registerBuilder<FBDataListGraphics>(QStringLiteral("list_model"));

} // namespace

void FBDataListGraphics::createItemGraphics(FBModelItem* item)
{
    if (item->type() != 1007) {
        FBAbstractBlockGraphics::createItemGraphics(item);
        return;
    }
    m_valueItem = new FBDataListItemGraphics(this);
    m_valueItem->setModelItem(item);
    m_grid->addItem(m_valueItem, 3, 0, 1, 2, Qt::AlignCenter);
}

void FBDataListGraphics::updateItemGraphics(FBModelItem* item)
{
    if (item->type() == 1007 && m_valueItem)
        m_valueItem->updateModelItem(item);
    else
        FBAbstractBlockGraphics::updateItemGraphics(item);
}

} // namespace Velmora
