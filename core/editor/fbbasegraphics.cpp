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

void FBBaseGraphics::showCallOrder(FBModelItem* item, int previous, bool repaint)
{
    if (!m_callOrder || !item)
        return;
    // Most new numbers have the size of the old: the number item reads the new one from the
    // model at its next paint, and the block is not laid out.
    if (item->type() == 1008 && FBCallOrderGraphics::keepsSize(previous, static_cast<FBModelCallOrder*>(item)->data())) {
        if (repaint)
            m_callOrder->update();
        return;
    }
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
