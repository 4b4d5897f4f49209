#include "editor/fbbasegraphics.h"

#include "editor/fbcallordergraphics.h"
#include "model/fbmodelcallorder.h"

#include <QGraphicsGridLayout>
#include <QGraphicsLinearLayout>

namespace Velmora {

namespace {

const bool registered = FBAbstractBlockGraphics::factory().registerBuilder<FBBaseGraphics>(QStringLiteral("base_model"));

} // namespace

void FBBaseGraphics::createLayouts()
{
    FBAbstractBlockGraphics::createLayouts();
    m_callOrderLayout = new QGraphicsLinearLayout(Qt::Horizontal);
    m_callOrderLayout->setSpacing(0);
    m_callOrderLayout->setContentsMargins(0, 0, 0, 0);
    m_grid->addItem(m_callOrderLayout, 3, 0, 1, 2, Qt::AlignRight);
}

void FBBaseGraphics::createItemGraphics(FBModelItem* item)
{
    if (item->type() != 1008) {
        FBAbstractBlockGraphics::createItemGraphics(item);
        return;
    }
    m_callOrder = new FBCallOrderGraphics(this);
    m_callOrder->setModelItem(item);
    m_callOrderLayout->addItem(m_callOrder);
    m_callOrderLayout->setAlignment(m_callOrder, Qt::AlignRight);
}

void FBBaseGraphics::showCallOrder(FBModelItem* item, bool repaint)
{
    if (!m_callOrder || !item)
        return;
    if (item->type() == 1008 && m_callOrder->replaceNumber(static_cast<FBModelCallOrder*>(item)->data(), repaint))
        return;
    slotChangedModel(item);
}

void FBBaseGraphics::updateItemGraphics(FBModelItem* item)
{
    if (item->type() == 1008 && m_callOrder)
        m_callOrder->updateModelItem(item);
    else
        FBAbstractBlockGraphics::updateItemGraphics(item);
}

} // namespace Velmora
