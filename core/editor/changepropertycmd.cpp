#include "editor/changepropertycmd.h"

#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/propertiesmanager.h"
#include "model/datatypes.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelport.h"

#include <QCoreApplication>

#include <memory>

namespace Velmora {

namespace {

// Equal values of different types are different bytes in a project file.
bool isSame(const QVariant& a, const QVariant& b)
{
    return a.userType() == b.userType() && a == b;
}

QString textFor(const FBModelItem* item, int role)
{
    if (role == Qt::CheckStateRole)
        return QCoreApplication::translate("QObject", "<Change port visibility>");
    switch (item->type()) {
    case 1001:
        return QCoreApplication::translate("QObject", "<Change title>");
    case 1004:
        return QCoreApplication::translate("QObject", "<Change port type>");
    default:
        return QCoreApplication::translate("QObject", "<Change value>");
    }
}

} // namespace

ChangePropertyCmd* ChangePropertyCmd::create(FBModelItem* item, const QVariant& value, int role)
{
    if (role == Qt::CheckStateRole) {
        const bool shown = value.toBool();
        return shown == item->isVisible() ? nullptr : new ChangePropertyCmd(item, role, !shown, shown);
    }
    if (role != Qt::EditRole)
        return nullptr;
    // What the item would make of the value, learnt from a copy that belongs to no block and
    // tells nobody.
    const std::unique_ptr<FBModelItem> trial(item->clone());
    if (!trial->dataFromVariant(value))
        return nullptr;
    const QVariant before = item->dataToVariant();
    const QVariant after = trial->dataToVariant();
    if (isSame(before, after))
        return nullptr;
    if (item->type() == 1006 && !DataTypes::isInRange(static_cast<FBModelDataNum*>(item)->typeName(), after))
        return nullptr;
    QVector<FBModelPort*> joined;
    const GraphicsScene* scene = sceneOf(item);
    if (item->type() == 1004 && scene
        && !scene->portsFollowingType(static_cast<FBModelPort*>(item), after.toString(), joined))
        return nullptr;
    auto* command = new ChangePropertyCmd(item, role, before, after);
    QVector<FuncBlock*> blocks;
    for (const FBModelPort* port : qAsConst(joined)) {
        command->m_joined.append(savePort(port));
        blocks.append(FuncBlock::holding(port));
    }
    command->alsoChanges(blocks);
    return command;
}

ChangePropertyCmd::ChangePropertyCmd(FBModelItem* item, int role, const QVariant& before, const QVariant& after)
    : BlockItemCmd(item)
    , m_role(role)
    , m_before(before)
    , m_after(after)
{
    setText(textFor(item, role));
}

void ChangePropertyCmd::apply(FBModelItem* item, bool forward)
{
    const QVariant& value = forward ? m_after : m_before;
    if (m_role == Qt::CheckStateRole) {
        item->setVisible(value.toBool());
        return;
    }
    item->dataFromVariant(value);
    for (const SavedPort& port : qAsConst(m_joined)) {
        FBModelPort* joined = portItem(port);
        if (!joined)
            continue;
        if (forward)
            FBModelPort::setCurrentTypes({ joined }, value.toString());
        else
            joined->setData(port.data);
        // A line from a block to itself joins two ports of the tree on show.
        PropertiesManager::instance().update(joined);
    }
}

} // namespace Velmora
