#include "editor/funcblock.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/fbportgraphics.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"
#include "model/fbmodelport.h"

#include <QAction>
#include <QDataStream>

namespace Velmora {

namespace {

FBModelPort* portOf(const FBAbstractModel* model, const QString& list, int index)
{
    if (!model)
        return nullptr;
    const FBModelItem* ports = model->findItem(list);
    if (!ports)
        return nullptr;
    FBModelItem* port = ports->childAt(index);
    return port && port->type() == 1004 ? static_cast<FBModelPort*>(port) : nullptr;
}

bool portPos(const FBAbstractBlockGraphics* graphics, int type, int index, QPointF& pos)
{
    const FBPortGraphics* port = graphics ? graphics->portItem(type, index) : nullptr;
    if (!port)
        return false;
    pos = port->connectionPoint();
    return true;
}

} // namespace

// A block model on the diagram is a child of its block.
FuncBlock* FuncBlock::holding(const FBModelItem* item)
{
    const FBAbstractModel* model = item ? item->model() : nullptr;
    return model ? qobject_cast<FuncBlock*>(model->parent()) : nullptr;
}

FuncBlock::FuncBlock(FBAbstractModel* model)
    : m_id(QUuid::createUuid())
    , m_model(model)
{
    if (!m_model)
        return;
    m_model->setParent(this);
    connect(m_model, &FBAbstractModel::onChangedItem, this, &FuncBlock::slotChangedItem);
}

FuncBlock::~FuncBlock()
{
    // The graphics leaves its scene before the model it shows goes away.
    delete m_graphics;
    delete m_model;
}

FBAbstractModel* FuncBlock::model() const
{
    return m_model;
}

FBAbstractBlockGraphics* FuncBlock::graphics() const
{
    return m_graphics;
}

FBModelItem* FuncBlock::rootItem() const
{
    return m_model ? m_model->rootItem() : nullptr;
}

void FuncBlock::setGraphics(FBAbstractBlockGraphics* graphics)
{
    m_graphics = graphics;
    if (m_graphics)
        m_graphics->setFuncBlock(this);
}

QUuid FuncBlock::renewId()
{
    m_id = QUuid::createUuid();
    return m_id;
}

bool FuncBlock::isInputConnected(int index) const
{
    const FBModelPort* port = portOf(m_model, QStringLiteral("inputs"), index);
    return port && port->isConnected();
}

bool FuncBlock::setInputConnected(int index, bool connected)
{
    return setPortConnected(QStringLiteral("inputs"), index, connected);
}

bool FuncBlock::setOutputConnected(int index, bool connected)
{
    return setPortConnected(QStringLiteral("outputs"), index, connected);
}

bool FuncBlock::setPortConnected(const QString& list, int index, bool connected)
{
    FBModelPort* port = portOf(m_model, list, index);
    if (!port)
        return false;
    port->setConnected(connected);
    return true;
}

void FuncBlock::clearPortConnections()
{
    for (const QString& list : { QStringLiteral("inputs"), QStringLiteral("outputs") }) {
        const FBModelItem* ports = m_model ? m_model->findItem(list) : nullptr;
        for (int row = 0; ports && row < ports->childCount(); ++row) {
            FBModelPort* port = portOf(m_model, list, row);
            if (port && port->isConnected())
                port->setConnected(false);
        }
    }
}

bool FuncBlock::inputPortPos(int index, QPointF& pos) const
{
    return portPos(m_graphics, FBPortGraphics::InputType, index, pos);
}

bool FuncBlock::outputPortPos(int index, QPointF& pos) const
{
    return portPos(m_graphics, FBPortGraphics::OutputType, index, pos);
}

void FuncBlock::writeData(QDataStream& stream) const
{
    stream << m_id;
    if (m_graphics)
        stream << m_graphics->pos();
}

bool FuncBlock::readData(QDataStream& stream)
{
    QUuid id;
    stream >> id;
    if (stream.status() != QDataStream::Ok)
        return false;
    QPointF pos;
    if (m_graphics) {
        stream >> pos;
        if (stream.status() != QDataStream::Ok)
            return false;
    }
    m_id = id;
    if (m_graphics)
        m_graphics->setPos(pos);
    return true;
}

void FuncBlock::notifyChangedData()
{
    emit onChangedData();
}

void FuncBlock::slotContextMenu(QAction* action)
{
    if (m_graphics && action == m_graphics->deleteAction())
        emit onDeleted();
}

void FuncBlock::slotNeedUpdateConection()
{
    emit onNeedConnectionUpdate();
}

void FuncBlock::slotChangedItem(FBModelItem* item)
{
    emit onChangedModelItem(item);
    emit onChangedData();
}

} // namespace Velmora
