#include "editor/dependentstate.h"

#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionmodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"

#include <QSet>

namespace Velmora {

namespace {

FBModelDataNum* numberOf(const FuncBlock* block)
{
    const auto* constant = qobject_cast<const FBDataNumberModel*>(block->model());
    return constant ? constant->numberItem() : nullptr;
}

} // namespace

DependentState::DependentState(const GraphicsScene* scene, const QVector<FuncBlock*>& blocks)
{
    if (!scene)
        return;
    QSet<const FuncBlock*> seen;
    QSet<const ConnectionPresenter*> listed;
    for (FuncBlock* block : blocks) {
        const QString id = block ? block->id().toString() : QString();
        if (!block || seen.contains(block) || scene->funcBlockById(id) != block)
            continue;
        seen.insert(block);
        if (const FBModelDataNum* number = numberOf(block))
            m_numbers.append({ block, number->typeName(), number->data() });
        for (ConnectionPresenter* connection : scene->connectionsById(id)) {
            if (listed.contains(connection))
                continue;
            listed.insert(connection);
            const IConnectionModel* model = connection->model();
            m_lines.append(
                { connection, connection->pos(), model->emitterPoint(), model->receiverPoint(), model->nodes() });
        }
    }
}

void DependentState::restore() const
{
    // Values first: a value of another width lays the block out again and moves its lines.
    for (const Number& number : m_numbers) {
        FBModelDataNum* item = number.block ? numberOf(number.block) : nullptr;
        if (!item)
            continue;
        item->setTypeName(number.typeName);
        item->setData(number.value);
    }
    for (const Line& line : m_lines) {
        if (!line.connection || !line.connection->scene())
            continue;
        line.connection->setPos(line.pos);
        IConnectionModel* model = line.connection->model();
        model->setEmitterPoint(line.emitter);
        model->setReceiverPoint(line.receiver);
        model->setNodes(line.nodes);
    }
}

} // namespace Velmora
