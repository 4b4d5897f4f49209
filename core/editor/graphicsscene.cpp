#include "editor/graphicsscene.h"

#include "editor/addconnectioncmd.h"
#include "editor/addfuncblockcmd.h"
#include "editor/connectionpresenter.h"
#include "editor/deleteconnectioncmd.h"
#include "editor/deletefuncblockcmd.h"
#include "editor/deletegroupconnectioncmd.h"
#include "editor/deletegroupfuncblockcmd.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/fbbasegraphics.h"
#include "editor/fbcallordergraphics.h"
#include "editor/fbcommentgraphics.h"
#include "editor/fbinputportgraphics.h"
#include "editor/fboutputportgraphics.h"
#include "editor/fbportgraphics.h"
#include "editor/funcblock.h"
#include "editor/iconnectionmodel.h"
#include "editor/iconnectionview.h"
#include "editor/movefuncblockcmd.h"
#include "editor/movegroupfuncblockcmd.h"
#include "editor/nodeconnectionmodel.h"
#include "editor/nodeconnectionview.h"
#include "editor/pastecmd.h"
#include "editor/propertiesmanager.h"
#include "editor/scenegrid.h"
#include "editor/stylecollection.h"
#include "library/fbmodelfactory.h"
#include "model/fbbasemodel.h"
#include "model/fbmodelcallorder.h"
#include "model/fbmodelport.h"
#include "services/console.h"

#include <QClipboard>
#include <QCoreApplication>
#include <QDataStream>
#include <QPainter>
#include <QPixmapCache>
#include <QStyleOptionGraphicsItem>
#include <QGuiApplication>
#include <QGraphicsSceneContextMenuEvent>
#include <QGraphicsSceneDragDropEvent>
#include <QGraphicsSceneMouseEvent>
#include <QGraphicsTextItem>
#include <QKeyEvent>
#include <QMimeData>
#include <QPointer>
#include <QUndoStack>

#include <algorithm>
#include <utility>

namespace Velmora {

namespace {

const QString mimeModelId = QStringLiteral("text/fb_model_id");
const QString mimeSceneData = QStringLiteral("text/scene_data");
constexpr int connectionViewType = QGraphicsItem::UserType + 13;

FBAbstractBlockGraphics* blockGraphicsOf(QGraphicsItem* item)
{
    QGraphicsObject* object = item->toGraphicsObject();
    return object ? qobject_cast<FBAbstractBlockGraphics*>(object) : nullptr;
}

bool isPort(const QGraphicsItem* item)
{
    return item->type() == FBPortGraphics::InputType || item->type() == FBPortGraphics::OutputType;
}

bool isMovable(const FuncBlock* block)
{
    return block && block->graphics() && (block->graphics()->flags() & QGraphicsItem::ItemIsMovable);
}

QString idOf(const FuncBlock* block)
{
    return block->id().toString();
}

// Whether QGraphicsScene::render() draws the item for an area: its bounding rectangle, or one
// of its visible, not transparent descendants unless it keeps them inside, meets the area. A
// rectangle of no width or height is given a trace of one, as Qt does.
bool reaches(const QGraphicsItem* item, const QRectF& area)
{
    QRectF bounds = item->boundingRect();
    if (bounds.width() == 0)
        bounds.adjust(-0.00001, 0, 0.00001, 0);
    if (bounds.height() == 0)
        bounds.adjust(0, -0.00001, 0, 0.00001);
    if (item->sceneTransform().mapRect(bounds).intersects(area))
        return true;
    if (item->flags() & (QGraphicsItem::ItemContainsChildrenInShape | QGraphicsItem::ItemClipsChildrenToShape))
        return false;
    const QList<QGraphicsItem*> children = item->childItems();
    return std::any_of(children.begin(), children.end(), [&area](const QGraphicsItem* child) {
        return child->isVisible() && child->opacity() >= 0.001 && reaches(child, area);
    });
}

} // namespace

GraphicsScene::GraphicsScene(QObject* parent)
    : QGraphicsScene(parent)
{
    setItemIndexMethod(NoIndex);
    // Every block keeps its picture in the process's pixmap cache. Qt's 10 MB hold a zoomed
    // out diagram of a few thousand blocks; beyond that every paint would draw each block anew.
    constexpr int kPixmapCacheKb = 64 * 1024;
    if (QPixmapCache::cacheLimit() < kPixmapCacheKb)
        QPixmapCache::setCacheLimit(kPixmapCacheKb);
    m_undoStack = new QUndoStack(this);
    m_grid = new SceneGrid(this);
    connect(this, &QGraphicsScene::selectionChanged, this, &GraphicsScene::slotSelectionChange);
}

GraphicsScene::~GraphicsScene()
{
    disconnect(this, &QGraphicsScene::selectionChanged, this, &GraphicsScene::slotSelectionChange);
    // The property view must not keep showing a tree that is about to go.
    if (!m_selectedFuncBlocks.isEmpty())
        PropertiesManager::instance().reset();
    StyleCollection::instance().removeScene(this);
    delete m_constructConnection;
    // Commands delete what they hold off the scene; then what is on it goes.
    delete m_undoStack;
    m_undoStack = nullptr;
    qDeleteAll(m_connections);
    qDeleteAll(m_funcBlocks);
}

QVector<ConnectionPresenter*> GraphicsScene::connectionsById(const QString& id) const
{
    return m_connectionsById.values(id).toVector();
}

FBModelPort* GraphicsScene::portModelItem(const QString& blockId, int kind, int index) const
{
    const FuncBlock* block = funcBlockById(blockId);
    if (!block || !block->model())
        return nullptr;
    QString list;
    if (kind == 1002)
        list = QStringLiteral("inputs");
    else if (kind == 1003)
        list = QStringLiteral("outputs");
    else
        return nullptr;
    const FBModelItem* ports = block->model()->findItem(list);
    FBModelItem* port = ports ? ports->childAt(index) : nullptr;
    return port && port->type() == 1004 ? static_cast<FBModelPort*>(port) : nullptr;
}

QVector<FBModelPort*> GraphicsScene::joinedPorts(const FBModelPort* port) const
{
    const FuncBlock* block = FuncBlock::holding(port);
    const FBModelItem* list = port->parentItem();
    if (!block || !list || funcBlockById(idOf(block)) != block)
        return {};
    const QString id = idOf(block);
    const bool output = list->type() == 1003;
    const int index = port->rowOfParent();
    QVector<FBModelPort*> joined;
    for (const ConnectionPresenter* connection : m_connectionsById.values(id)) {
        FBModelPort* other = nullptr;
        if (output && connection->emitterId() == id && connection->emitterIndex() == index)
            other = portModelItem(connection->receiverId(), 1002, connection->receiverIndex());
        else if (!output && connection->receiverId() == id && connection->receiverIndex() == index)
            other = portModelItem(connection->emitterId(), 1003, connection->emitterIndex());
        // A line from a block to itself is listed twice.
        if (other && !joined.contains(other))
            joined.append(other);
    }
    return joined;
}

bool GraphicsScene::portsFollowingType(const FBModelPort* port, const QString& type, QVector<FBModelPort*>& ports) const
{
    if (FBModelPort::joinedToRetype(port, type, joinedLookup(), ports))
        return true;
    Console::instance().printMessage(
        QCoreApplication::translate("GraphicsScene", "Link error: A connected port can not take the type %1")
            .arg(type));
    return false;
}

// ---- edits without undo ----

void GraphicsScene::attachFuncBlock(FuncBlock* block)
{
    // No connection of a block coming onto the scene is there yet; the ones that come back
    // with it set their flags again.
    block->clearPortConnections();
    addItem(block->graphics());
    // A block that left the scene selected may come back so.
    if (block->graphics()->isSelected())
        noteSelectionChange(block->graphics());
    connect(block, &FuncBlock::onDeleted, this, &GraphicsScene::slotRemoveItems);
    connect(block, &FuncBlock::onChangedData, this, &GraphicsScene::slotChangedData);
    // Bound to the block: QObject::sender() walks every sender of the scene, thousands of
    // them in a large diagram, and this signal comes with every change of a block.
    connect(block, &FuncBlock::onNeedConnectionUpdate, this, [this, block] { updateConnections(block); });
    m_orderChangedFrom = std::min(m_orderChangedFrom, int(m_funcBlocks.size()));
    ++m_appendedBlocks;
    m_funcBlocks.append(block);
    m_funcBlocksById.insert(idOf(block), block);
    block->graphics()->setCoarse(m_coarseDetail);
}

void GraphicsScene::detachFuncBlock(FuncBlock* block)
{
    disconnect(block, &FuncBlock::onDeleted, this, &GraphicsScene::slotRemoveItems);
    disconnect(block, &FuncBlock::onChangedData, this, &GraphicsScene::slotChangedData);
    disconnect(block, &FuncBlock::onNeedConnectionUpdate, this, nullptr);
    forgetSelection(block);
    const int index = m_funcBlocks.indexOf(block);
    if (index >= 0) {
        m_funcBlocks.remove(index);
        m_orderChangedFrom = std::min(m_orderChangedFrom, index);
        // Which of the appended blocks went is not tracked: the next numbering sorts them all.
        if (index >= m_funcBlocks.size() - m_appendedBlocks)
            m_blocksMoved = true;
    }
    if (m_funcBlocksById.value(idOf(block)) == block)
        m_funcBlocksById.remove(idOf(block));
    if (block->graphics() && block->graphics()->scene() == this)
        removeItem(block->graphics());
}

void GraphicsScene::finishEdit(bool reorder)
{
    clearSelection();
    if (reorder)
        updateBlockOrder();
    finishDataEdit();
}

void GraphicsScene::finishDataEdit()
{
    update();
    emit onChangedData();
}

void GraphicsScene::addFuncBlock(FuncBlock* block)
{
    addGroupFuncBlock({ block });
}

void GraphicsScene::removeFuncBlock(FuncBlock* block)
{
    removeGroupFuncBlock({ block });
}

void GraphicsScene::addGroupFuncBlock(const QVector<FuncBlock*>& blocks)
{
    for (FuncBlock* block : blocks) {
        if (block && block->graphics() && m_funcBlocksById.value(idOf(block)) != block)
            attachFuncBlock(block);
    }
    finishEdit(true);
}

void GraphicsScene::removeGroupFuncBlock(const QVector<FuncBlock*>& blocks)
{
    for (FuncBlock* block : blocks) {
        if (block)
            detachFuncBlock(block);
    }
    finishEdit(true);
}

bool GraphicsScene::isOutputUsed(const ConnectionPresenter* except, const QString& blockId, int index) const
{
    for (const ConnectionPresenter* other : m_connectionsById.values(blockId)) {
        if (other != except && other->emitterId() == blockId && other->emitterIndex() == index)
            return true;
    }
    return false;
}

void GraphicsScene::setPortFlags(const ConnectionPresenter* connection, bool connected)
{
    // An output may feed several inputs: it stays connected while any of them is left.
    FuncBlock* emitter = funcBlockById(connection->emitterId());
    if (emitter && (connected || !isOutputUsed(connection, connection->emitterId(), connection->emitterIndex())))
        emitter->setOutputConnected(connection->emitterIndex(), connected);
    if (FuncBlock* receiver = funcBlockById(connection->receiverId()))
        receiver->setInputConnected(connection->receiverIndex(), connected);
}

// Not a scan of the list of all connections: loading or drawing a diagram asks this for every
// connection of every block that changes.
bool GraphicsScene::hasConnection(ConnectionPresenter* connection) const
{
    return connection && m_connectionSet.contains(connection);
}

// A connection an undo brings back goes where it was, so that the file written is the one
// written before it went.
void GraphicsScene::insertConnection(ConnectionPresenter* connection)
{
    const quint64 order = connection->sceneOrder();
    if (order == 0 || order > m_lastConnectionOrder) {
        connection->setSceneOrder(++m_lastConnectionOrder);
        m_connections.append(connection);
        return;
    }
    const auto at = std::lower_bound(m_connections.begin(), m_connections.end(), order,
                                     [](const ConnectionPresenter* c, quint64 o) { return c->sceneOrder() < o; });
    m_connections.insert(at, connection);
}

void GraphicsScene::attachConnection(ConnectionPresenter* connection)
{
    connection->addToScene(this);
    m_connectionsById.insert(connection->emitterId(), connection);
    m_connectionsById.insert(connection->receiverId(), connection);
    setPortFlags(connection, true);
    connect(connection, &ConnectionPresenter::onDelete, this, &GraphicsScene::slotRemoveItems);
    connect(connection, &ConnectionPresenter::onChanged, this, &GraphicsScene::slotChangedData);
}

void GraphicsScene::detachConnection(ConnectionPresenter* connection, bool removeFromScene)
{
    // Off the lists first: clearing a port flag redraws the block, which may ask for its
    // connections to be updated, and this one must no longer be among them.
    forgetSelection(connection);
    m_connections.removeOne(connection);
    m_connectionSet.remove(connection);
    m_connectionsById.remove(connection->emitterId(), connection);
    m_connectionsById.remove(connection->receiverId(), connection);
    disconnect(connection, &ConnectionPresenter::onDelete, this, &GraphicsScene::slotRemoveItems);
    disconnect(connection, &ConnectionPresenter::onChanged, this, &GraphicsScene::slotChangedData);
    setPortFlags(connection, false);
    if (removeFromScene)
        connection->removeFromScene();
}

void GraphicsScene::addConnection(ConnectionPresenter* connection)
{
    addGroupConnection({ connection });
}

void GraphicsScene::removeConnection(ConnectionPresenter* connection, bool removeFromScene)
{
    if (!hasConnection(connection))
        return;
    detachConnection(connection, removeFromScene);
    finishEdit(false);
}

void GraphicsScene::addGroupConnection(const QVector<ConnectionPresenter*>& connections)
{
    // A connection already on the scene is never entered twice.
    // A connection held off the scene may come back to a block whose ports changed outside
    // the undo history (a port count set on the model itself): it rejoins its ports, or stays
    // off the scene when a port is gone or its input has been taken.
    for (ConnectionPresenter* connection : connections) {
        if (!connection || hasConnection(connection))
            continue;
        if (!canAttach(connection)) {
            // A line drawn onto the scene but refused does not stay there as a ghost.
            if (connection->scene() == this)
                connection->removeFromScene();
            continue;
        }
        insertConnection(connection);
        m_connectionSet.insert(connection);
        attachConnection(connection);
        followPorts(connection);
    }
    finishEdit(false);
}

bool GraphicsScene::canAttach(const ConnectionPresenter* connection) const
{
    const FuncBlock* emitter = funcBlockById(connection->emitterId());
    const FuncBlock* receiver = funcBlockById(connection->receiverId());
    QPointF port;
    if (!emitter || !receiver || !emitter->outputPortPos(connection->emitterIndex(), port)
        || !receiver->inputPortPos(connection->receiverIndex(), port))
        return false;
    for (const ConnectionPresenter* other : m_connectionsById.values(connection->receiverId())) {
        if (other != connection && other->receiverId() == connection->receiverId()
            && other->receiverIndex() == connection->receiverIndex())
            return false;
    }
    return true;
}

bool GraphicsScene::followPorts(ConnectionPresenter* connection, const FuncBlock* block)
{
    QPointF port;
    const FuncBlock* emitter = funcBlockById(connection->emitterId());
    if (emitter && (!block || emitter == block)) {
        if (!emitter->outputPortPos(connection->emitterIndex(), port))
            return false;
        const QPointF delta = port - connection->emitterPos();
        if (!delta.isNull())
            connection->moveEmitter(delta.x(), delta.y());
    }
    const FuncBlock* receiver = funcBlockById(connection->receiverId());
    if (receiver && (!block || receiver == block)) {
        if (!receiver->inputPortPos(connection->receiverIndex(), port))
            return false;
        const QPointF delta = port - connection->receiverPos();
        if (!delta.isNull())
            connection->moveReceiver(delta.x(), delta.y());
    }
    return true;
}

void GraphicsScene::removeGroupConnection(const QVector<ConnectionPresenter*>& connections)
{
    for (ConnectionPresenter* connection : connections) {
        if (hasConnection(connection))
            detachConnection(connection, true);
    }
    finishEdit(false);
}

void GraphicsScene::removeGroupConnectionKeepSelection(const QVector<ConnectionPresenter*>& connections)
{
    for (ConnectionPresenter* connection : connections) {
        if (hasConnection(connection))
            dropConnection(connection);
    }
    finishDataEdit();
}

void GraphicsScene::dropConnection(ConnectionPresenter* connection)
{
    detachConnection(connection, true);
}

// ---- user operations ----

void GraphicsScene::createFuncBlock(const QPointF& pos, const QString& prototypeId)
{
    FBAbstractModel* model = FBModelFactory::instance().create(prototypeId);
    if (!model)
        return;
    auto* block = new FuncBlock(model);
    FBAbstractBlockGraphics* graphics = FBAbstractBlockGraphics::factory().create(model->serializationId());
    if (!graphics) {
        delete block;
        return;
    }
    block->setGraphics(graphics);
    m_undoStack->push(new AddFuncBlockCmd(block, pos, this, nullptr));
}

void GraphicsScene::printLinkError(const char* text)
{
    Console::instance().printMessage(QCoreApplication::translate("GraphicsScene", text));
}

void GraphicsScene::beginConnection(FuncBlock* block, const QPointF& portPos, int portType, int portIndex)
{
    if (m_constructConnection || !block)
        return;
    if (portType == FBPortGraphics::InputType && block->isInputConnected(portIndex)) {
        printLinkError(QT_TRANSLATE_NOOP("GraphicsScene", "Link error: This input have connect."));
        return;
    }
    auto* connection = new ConnectionPresenter(new NodeConnectionModel, new NodeConnectionView, nullptr);
    connection->addToScene(this);
    if (portType == FBPortGraphics::InputType)
        connection->setReceiver(idOf(block), portPos, portIndex);
    else
        connection->setEmitter(idOf(block), portPos, portIndex);
    m_constructConnection = connection;
    clearSelection();
}

void GraphicsScene::endConnection(FuncBlock* block, const QPointF& portPos, int portType, int portIndex)
{
    if (!m_constructConnection || !block)
        return;
    // The block or port the line started at may have gone while it was drawn.
    const bool fromOutput = m_constructConnection->hasEmitter();
    const QString startId = fromOutput ? m_constructConnection->emitterId() : m_constructConnection->receiverId();
    const int startIndex = fromOutput ? m_constructConnection->emitterIndex() : m_constructConnection->receiverIndex();
    if (!portModelItem(startId, fromOutput ? 1003 : 1002, startIndex) || !block
        || m_funcBlocksById.value(idOf(block)) != block) {
        discardConstruction();
        return;
    }
    const bool toInput = portType == FBPortGraphics::InputType;
    if (toInput && m_constructConnection->hasReceiver()) {
        printLinkError(QT_TRANSLATE_NOOP("GraphicsScene", "Link error: Can not connect the input to the input"));
        return;
    }
    if (toInput && block->isInputConnected(portIndex)) {
        printLinkError(QT_TRANSLATE_NOOP("GraphicsScene", "Link error: This input have connect."));
        return;
    }
    if (!toInput && m_constructConnection->hasEmitter()) {
        printLinkError(QT_TRANSLATE_NOOP("GraphicsScene", "Link error: Can not connect the output to the output"));
        return;
    }
    if (!typesAgree(block, portType, portIndex))
        return;
    if (toInput)
        m_constructConnection->setReceiver(idOf(block), portPos, portIndex);
    else
        m_constructConnection->setEmitter(idOf(block), portPos, portIndex);
    ConnectionPresenter* connection = m_constructConnection;
    m_constructConnection = nullptr;
    m_undoStack->push(new AddConnectionCmd(connection, this, nullptr));
}

bool GraphicsScene::typesAgree(const FuncBlock* block, int portType, int portIndex) const
{
    const bool toInput = portType == FBPortGraphics::InputType;
    const ConnectionPresenter* line = m_constructConnection;
    FBModelPort* end = portModelItem(idOf(block), toInput ? 1002 : 1003, portIndex);
    FBModelPort* start = toInput ? portModelItem(line->emitterId(), 1003, line->emitterIndex())
                                 : portModelItem(line->receiverId(), 1002, line->receiverIndex());
    if (!end || !start)
        return true;
    FBModelPort* receiver = toInput ? end : start;
    FBModelPort* emitter = toInput ? start : end;
    QString type;
    QVector<FBModelPort*> ports;
    if (FBModelPort::planTypeMatch(receiver, emitter, joinedLookup(), type, ports))
        return true;
    Console::instance().printMessage(
        QCoreApplication::translate("GraphicsScene", "Link error: Can not connect the type %1 to the type %2")
            .arg(emitter->data().currentType(), receiver->data().currentType()));
    return false;
}

bool GraphicsScene::isConstructionStart(const FBPortGraphics* port) const
{
    const FuncBlock* block = port && port->blockGraphics() ? port->blockGraphics()->funcBlock() : nullptr;
    if (!block || !m_constructConnection)
        return false;
    const ConnectionPresenter* line = m_constructConnection;
    const bool fromOutput = line->hasEmitter();
    const int type = fromOutput ? FBPortGraphics::OutputType : FBPortGraphics::InputType;
    const QString id = fromOutput ? line->emitterId() : line->receiverId();
    const int index = fromOutput ? line->emitterIndex() : line->receiverIndex();
    return port->type() == type && id == idOf(block) && port->portIndex() == index;
}

void GraphicsScene::discardConstruction()
{
    delete m_constructConnection;
    m_constructConnection = nullptr;
}

void GraphicsScene::cancelConstruct()
{
    discardConstruction();
}

void GraphicsScene::copy()
{
    // Nothing that changes the scene or its move sets runs while blocks are dragged.
    if (m_selectedFuncBlocks.isEmpty() || m_moving)
        return;
    m_pasteOffset = QPointF(15.0, 15.0);
    resetMovableConnections();
    setMovableConnections();

    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream << qint32(m_selectedFuncBlocks.size());
    for (const FuncBlock* block : m_selectedFuncBlocks.items()) {
        block->model()->writeToDataStream(stream);
        block->writeData(stream);
    }
    // Connections in their order on the scene, so one selection always copies the same bytes.
    QVector<ConnectionPresenter*> inner;
    for (ConnectionPresenter* connection : qAsConst(m_connections)) {
        if (m_movableConnections.contains(connection))
            inner.append(connection);
    }
    stream << qint32(inner.size());
    for (const ConnectionPresenter* connection : qAsConst(inner))
        connection->writeData(stream);
    resetMovableConnections();

    auto* mime = new QMimeData;
    mime->setData(mimeSceneData, bytes);
    QGuiApplication::clipboard()->setMimeData(mime, QClipboard::Clipboard);
}

void GraphicsScene::cut()
{
    if (m_moving || m_readOnly)
        return;
    copy();
    removeItems(nullptr);
}

void GraphicsScene::paste()
{
    if (m_moving || m_readOnly)
        return;
    const QMimeData* mime = QGuiApplication::clipboard()->mimeData(QClipboard::Clipboard);
    if (!mime || !mime->formats().contains(mimeSceneData))
        return;
    QDataStream stream(mime->data(mimeSceneData));
    QVector<FuncBlock*> blocks;
    QVector<ConnectionPresenter*> connections;
    if (!readRecords(stream, RecordUse::Paste, blocks, connections, nullptr)) {
        Console::instance().printMessage(QCoreApplication::translate(
            "GraphicsScene", "Paste: the clipboard holds no diagram that can be pasted."));
        return;
    }
    for (FuncBlock* block : qAsConst(blocks))
        block->graphics()->setPos(block->graphics()->pos() + m_pasteOffset);
    for (ConnectionPresenter* connection : qAsConst(connections))
        connection->setPos(connection->pos() + m_pasteOffset);
    m_pasteOffset += QPointF(15.0, 15.0);
    m_undoStack->push(new PasteCmd(blocks, connections, this, nullptr));
}

bool GraphicsScene::readRecords(QDataStream& stream, RecordUse use, QVector<FuncBlock*>& blocks,
                                QVector<ConnectionPresenter*>& connections, QString* error)
{
    const auto fail = [&](const QString& reason) {
        qDeleteAll(connections);
        connections.clear();
        qDeleteAll(blocks);
        blocks.clear();
        if (error)
            *error = reason;
        return false;
    };
    const auto streamFault = [&stream] {
        return stream.status() == QDataStream::ReadPastEnd
            ? QCoreApplication::translate("IProject", "the file is truncated")
            : QCoreApplication::translate("IProject", "the file is corrupt");
    };
    const QString corrupt = QCoreApplication::translate("IProject", "the file is corrupt");

    // Counts are only trusted as far as the bytes behind them go: every record is read
    // before the next one is made.
    qint32 blockCount = 0;
    stream >> blockCount;
    if (stream.status() != QDataStream::Ok || blockCount < 0)
        return fail(streamFault());
    QHash<QString, FuncBlock*> byStoredId;
    for (qint32 i = 0; i < blockCount; ++i) {
        QString proto;
        stream >> proto;
        if (stream.status() != QDataStream::Ok)
            return fail(streamFault());
        FBAbstractModel* model = FBModelFactory::instance().create(proto);
        if (!model)
            return fail(QCoreApplication::translate("IProject", "unknown block \"%1\"").arg(proto));
        auto* block = new FuncBlock(model);
        blocks.append(block);
        if (!model->readFromDataStream(stream))
            return fail(streamFault());
        FBAbstractBlockGraphics* graphics = FBAbstractBlockGraphics::factory().create(model->serializationId());
        if (!graphics)
            return fail(corrupt);
        block->setGraphics(graphics);
        if (!block->readData(stream))
            return fail(streamFault());
        const QString id = idOf(block);
        if (byStoredId.contains(id) || (use == RecordUse::Load && m_funcBlocksById.contains(id)))
            return fail(corrupt);
        byStoredId.insert(id, block);
        // The connections read next set the flags again; a stale flag would block an input.
        block->clearPortConnections();
        if (use == RecordUse::Paste)
            block->renewId();
    }

    qint32 connectionCount = 0;
    stream >> connectionCount;
    if (stream.status() != QDataStream::Ok || connectionCount < 0)
        return fail(streamFault());
    QSet<QString> usedInputs;
    for (qint32 i = 0; i < connectionCount; ++i) {
        auto* connection = new ConnectionPresenter(new NodeConnectionModel, new NodeConnectionView, nullptr);
        connections.append(connection);
        if (!connection->readData(stream))
            return fail(streamFault());
        // A connection joins two of the blocks read at ports they have, one per input.
        // A file holding anything else is refused; a paste leaves such a connection out.
        const FuncBlock* emitter = byStoredId.value(connection->emitterId(), nullptr);
        const FuncBlock* receiver = byStoredId.value(connection->receiverId(), nullptr);
        QPointF port;
        const QString input = connection->receiverId() + QLatin1Char('/') + QString::number(connection->receiverIndex());
        const bool joins = emitter && receiver && emitter->outputPortPos(connection->emitterIndex(), port)
            && receiver->inputPortPos(connection->receiverIndex(), port) && !usedInputs.contains(input);
        if (!joins) {
            if (use == RecordUse::Load)
                return fail(corrupt);
            connections.removeLast();
            delete connection;
            continue;
        }
        usedInputs.insert(input);
        connection->setEmitterId(idOf(emitter));
        connection->setReceiverId(idOf(receiver));
    }
    return true;
}

void GraphicsScene::writeScene(QDataStream& stream) const
{
    stream << qint32(m_funcBlocks.size());
    for (const FuncBlock* block : m_funcBlocks) {
        block->model()->writeToDataStream(stream);
        block->writeData(stream);
    }
    stream << qint32(m_connections.size());
    for (const ConnectionPresenter* connection : m_connections)
        connection->writeData(stream);
}

bool GraphicsScene::readScene(QDataStream& stream, QString* error)
{
    QVector<FuncBlock*> blocks;
    QVector<ConnectionPresenter*> connections;
    if (!readRecords(stream, RecordUse::Load, blocks, connections, error))
        return false;
    // Bytes after the last connection mean the file is not what this program wrote.
    if (!stream.atEnd()) {
        qDeleteAll(connections);
        qDeleteAll(blocks);
        if (error)
            *error = QCoreApplication::translate("IProject", "the file is corrupt");
        return false;
    }
    addGroupFuncBlock(blocks);
    addGroupConnection(connections);
    return true;
}

void GraphicsScene::undo()
{
    if (m_moving || m_readOnly)
        return;
    discardConstruction();
    clearSelection();
    m_undoStack->undo();
}

void GraphicsScene::redo()
{
    if (m_moving || m_readOnly)
        return;
    discardConstruction();
    clearSelection();
    m_undoStack->redo();
}

void GraphicsScene::updateBlockOrder()
{
    // The blocks before the first place that changed keep their numbers; the count goes on
    // from the last of them.
    // A few new blocks are placed one by one; many, as a load or a paste brings them, are
    // sorted with the rest.
    const bool sortAll = m_blocksMoved || m_appendedBlocks > 64;
    const int from = std::min(m_orderChangedFrom, sortAll ? sortBlocksByPosition() : placeAppendedBlocks());
    m_orderChangedFrom = std::numeric_limits<int>::max();
    m_appendedBlocks = 0;
    m_blocksMoved = false;
    const FuncBlock* firstSelected = m_selectedFuncBlocks.value(0, nullptr);
    // Many new numbers are repainted with the whole scene, at once; a few one by one.
    const bool many = m_funcBlocks.size() - from > 64;
    bool renumbered = false;
    int counter = 0;
    for (int i = std::min(from, int(m_funcBlocks.size())) - 1; i >= 0; --i) {
        if (const auto* model = qobject_cast<const FBBaseModel*>(m_funcBlocks.at(i)->model())) {
            counter = model->callOrder() + 1;
            break;
        }
    }
    for (int i = std::min(from, int(m_funcBlocks.size())); i < m_funcBlocks.size(); ++i) {
        FuncBlock* block = m_funcBlocks.at(i);
        auto* model = qobject_cast<FBBaseModel*>(block->model());
        if (!model)
            continue;
        const int previous = model->callOrder();
        if (previous != counter) {
            // A block added above the others renumbers every block: each takes its number
            // without the round of change signals a model edit sends. A number item reads a
            // number of its old one's size from the model at its next paint: when many change,
            // their blocks' pictures are not even looked at, and the scene is repainted below.
            if (!many || !FBCallOrderGraphics::keepsSize(previous, counter) || !model->storeCallOrder(counter)) {
                auto* graphics = qobject_cast<FBBaseGraphics*>(block->graphics());
                if (graphics && model->storeCallOrder(counter))
                    graphics->showCallOrder(model->callOrderItem(), previous, !many);
                else
                    model->setCallOrder(counter);
            }
            renumbered = true;
            if (block == firstSelected)
                slotUpdateProperty(model->callOrderItem());
        }
        ++counter;
    }
    if (many && renumbered)
        update();
}

// Without a move since the last numbering the blocks before the appended ones are in order:
// each appended block goes after the last block at or above its place, as the stable sort of
// the whole would put it. Returns the first place whose block changed; the size when none did.
int GraphicsScene::placeAppendedBlocks()
{
    const int appended = std::min(m_appendedBlocks, int(m_funcBlocks.size()));
    int first = int(m_funcBlocks.size());
    for (int k = int(m_funcBlocks.size()) - appended; k < m_funcBlocks.size(); ++k) {
        FuncBlock* block = m_funcBlocks.at(k);
        const QPointF pos = block->graphics()->pos();
        const auto at = std::upper_bound(m_funcBlocks.begin(), m_funcBlocks.begin() + k, pos,
                                         [](const QPointF& p, const FuncBlock* other) {
                                             const QPointF q = other->graphics()->pos();
                                             return p.y() < q.y() || (p.y() == q.y() && p.x() < q.x());
                                         });
        const int index = int(at - m_funcBlocks.begin());
        if (index < k) {
            std::rotate(m_funcBlocks.begin() + index, m_funcBlocks.begin() + k, m_funcBlocks.begin() + k + 1);
            first = std::min(first, index);
        }
    }
    return first;
}

// Top to bottom, then left to right, and stable, so that one diagram always builds into the
// same image. After an edit most blocks are still in order: the ones out of it are sorted
// alone and merged back, ties going by their place before, which is what a stable sort of
// the whole gives. Returns the first place whose block changed; the size when none did.
int GraphicsScene::sortBlocksByPosition()
{
    struct Place
    {
        qreal y;
        qreal x;
        int index;
        FuncBlock* block;
    };
    const auto before = [](const Place& a, const Place& b) {
        return a.y < b.y || (a.y == b.y && (a.x < b.x || (a.x == b.x && a.index < b.index)));
    };
    QVector<Place> inOrder;
    QVector<Place> outOfOrder;
    inOrder.reserve(m_funcBlocks.size());
    for (int i = 0; i < m_funcBlocks.size(); ++i) {
        FuncBlock* block = m_funcBlocks.at(i);
        const QPointF pos = block->graphics()->pos();
        const Place place { pos.y(), pos.x(), i, block };
        if (inOrder.isEmpty() || before(inOrder.last(), place))
            inOrder.append(place);
        else
            outOfOrder.append(place);
    }
    if (outOfOrder.isEmpty())
        return int(m_funcBlocks.size());
    std::sort(outOfOrder.begin(), outOfOrder.end(), before);
    QVector<Place> merged(m_funcBlocks.size());
    std::merge(inOrder.cbegin(), inOrder.cend(), outOfOrder.cbegin(), outOfOrder.cend(), merged.begin(), before);
    int first = int(merged.size());
    for (int i = 0; i < merged.size(); ++i) {
        if (first == merged.size() && m_funcBlocks.at(i) != merged.at(i).block)
            first = i;
        m_funcBlocks[i] = merged.at(i).block;
    }
    return first;
}

// ---- moving ----

void GraphicsScene::selectFuncBlocks(const QVector<FuncBlock*>& blocks)
{
    const bool blocked = blockSignals(true);
    for (FuncBlock* block : blocks)
        block->graphics()->setSelected(true);
    blockSignals(blocked);
    emit selectionChanged();
}

void GraphicsScene::setMovableConnections()
{
    setMovableConnections(m_selectedFuncBlocks.items());
}

void GraphicsScene::setMovableConnections(const QVector<FuncBlock*>& blocks)
{
    if (blocks.isEmpty())
        return;
    QSet<QString> selectedIds;
    for (const FuncBlock* block : blocks)
        selectedIds.insert(idOf(block));
    QSet<ConnectionPresenter*> listed;
    for (const FuncBlock* block : blocks) {
        const QString id = idOf(block);
        for (ConnectionPresenter* connection : m_connectionsById.values(id)) {
            if (selectedIds.contains(connection->emitterId()) && selectedIds.contains(connection->receiverId())) {
                m_movableConnections.insert(connection);
            } else if (!listed.contains(connection)) {
                listed.insert(connection);
                if (connection->emitterId() == id)
                    m_movableEmitterConnections.append(connection);
                else if (connection->receiverId() == id)
                    m_movableReceiverConnections.append(connection);
            }
        }
    }
    for (ConnectionPresenter* connection : qAsConst(m_movableConnections))
        connection->setMovable(true);
}

void GraphicsScene::resetMovableConnections()
{
    for (ConnectionPresenter* connection : qAsConst(m_movableConnections))
        connection->setMovable(false);
    m_movableConnections.clear();
    m_movableEmitterConnections.clear();
    m_movableReceiverConnections.clear();
}

void GraphicsScene::startMoveFB(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FuncBlock* pressed = blockAtPoint(m_pressPos);
    if (m_selectedFuncBlocks.isEmpty() || !isMovable(pressed))
        return;
    resetMovableConnections();
    // Qt drags the pressed block along with the selection even when a Ctrl press left it
    // unselected; its connections must follow, and the command must move it back.
    m_movingBlocks = m_selectedFuncBlocks.items();
    if (!m_movingBlocks.contains(pressed))
        m_movingBlocks.append(pressed);
    m_moveStartPos = m_movingBlocks.first()->graphics()->pos();
    m_stateBeforeMove = DependentState(this, m_movingBlocks);
    m_moving = true;
    setMovableConnections(m_movingBlocks);
}

void GraphicsScene::moveFB(QGraphicsSceneMouseEvent* event)
{
    if (!m_moving)
        return;
    const QPointF step = event->scenePos() - event->lastScenePos();
    if (step.isNull())
        return;
    for (ConnectionPresenter* connection : qAsConst(m_movableEmitterConnections))
        connection->moveEmitter(step.x(), step.y());
    for (ConnectionPresenter* connection : qAsConst(m_movableReceiverConnections))
        connection->moveReceiver(step.x(), step.y());
}

void GraphicsScene::stopMoveFB(QGraphicsSceneMouseEvent* event)
{
    if (!m_moving)
        return;
    m_moving = false;
    const QVector<FuncBlock*> blocks = m_movingBlocks;
    m_movingBlocks.clear();
    Q_UNUSED(event)
    // The distance the blocks really went, which undo must take back exactly.
    const QPointF total = blocks.isEmpty() ? QPointF() : blocks.first()->graphics()->pos() - m_moveStartPos;
    if (total.isNull()) {
        resetMovableConnections();
        return;
    }
    if (blocks.size() < 2)
        m_undoStack->push(new MoveFuncBlockCmd(blocks.first(), total, this, nullptr));
    else
        m_undoStack->push(new MoveGroupFuncBlockCmd(blocks, total, this, nullptr));
    resetMovableConnections();
    updateBlockOrder();
    m_pasteOffset = QPointF(15.0, 15.0);
}

// ---- slots ----

void GraphicsScene::slotChangedData()
{
    emit onChangedData();
}

void GraphicsScene::slotUpdateProperty(FBModelItem* item)
{
    PropertiesManager::instance().update(item);
}

// Handles only the items that changed since the last call: selecting every block of a large
// diagram, one by one or at once, costs what the blocks and their connections cost, not the
// square of it.
void GraphicsScene::slotSelectionChange()
{
    PropertiesManager::instance().reset();
    const QVector<QGraphicsItem*> changes = std::exchange(m_selectionChanges, {});
    QVector<ConnectionPresenter*> touched;
    // Ctrl+A changes thousands at once: the tables grow once, not by doubling as they fill.
    m_selectedEnds.reserve(m_selectedEnds.size() + changes.size());
    for (QGraphicsItem* item : changes) {
        if (item->type() == connectionViewType) {
            ConnectionPresenter* connection = static_cast<IConnectionView*>(item)->presenter();
            if (hasConnection(connection)) {
                applyConnectionSelection(connection);
                touched.append(connection);
            }
        } else if (FBAbstractBlockGraphics* graphics = blockGraphicsOf(item)) {
            FuncBlock* block = graphics->funcBlock();
            const QString id = block ? idOf(block) : QString();
            if (block && m_funcBlocksById.value(id) == block)
                applyBlockSelection(block, id, graphics->isSelected() && graphics->scene() == this, touched);
        }
    }
    updateConnectionStates(touched);
    if (!m_selectedFuncBlocks.isEmpty())
        PropertiesManager::instance().showProperty(m_selectedFuncBlocks.first()->rootItem());
}

void GraphicsScene::noteSelectionChange(QGraphicsItem* item)
{
    if (!m_applyingSelection)
        m_selectionChanges.append(item);
}

void GraphicsScene::applyBlockSelection(FuncBlock* block, const QString& id, bool selected,
                                        QVector<ConnectionPresenter*>& touched)
{
    if (selected ? !m_selectedFuncBlocks.insert(block) : !m_selectedFuncBlocks.remove(block))
        return;
    // A connection from a block to itself is listed twice and counts both its ends.
    for (auto it = m_connectionsById.constFind(id); it != m_connectionsById.constEnd() && it.key() == id; ++it) {
        ConnectionPresenter* connection = it.value();
        int& ends = m_selectedEnds[connection];
        ends += selected ? 1 : -1;
        if (ends <= 0)
            m_selectedEnds.remove(connection);
        touched.append(connection);
    }
}

void GraphicsScene::applyConnectionSelection(ConnectionPresenter* connection)
{
    // Only a change the scene did not make itself is noted, so a selected line here is the
    // user's choice.
    if (connection->isSelected() && connection->scene() == this)
        m_userSelectedConnections.insert(connection);
    else
        m_userSelectedConnections.remove(connection);
}

// Connections selected for a block are not the user's choice: they go with it. Exactly one
// selected connection and no block makes that connection's route editable.
void GraphicsScene::updateConnectionStates(const QVector<ConnectionPresenter*>& touched)
{
    m_applyingSelection = true;
    const bool blocked = blockSignals(true);
    QVector<ConnectionPresenter*> added;
    for (ConnectionPresenter* connection : touched) {
        const bool selected = m_userSelectedConnections.contains(connection) || m_selectedEnds.contains(connection);
        if (connection->isSelected() != selected)
            connection->setSelected(selected);
        if (!selected) {
            m_selectedConnections.remove(connection);
            if (connection == m_editedConnection)
                m_editedConnection = nullptr;
        } else if (m_selectedConnections.insert(connection)) {
            added.append(connection);
        }
    }
    ConnectionPresenter* edited = !m_readOnly && m_selectedConnections.size() == 1 && m_selectedFuncBlocks.isEmpty()
        ? m_selectedConnections.first()
        : nullptr;
    if (m_editedConnection && m_editedConnection != edited)
        m_editedConnection->setState(IConnectionModel::Normal);
    // A line already drawn as normal is not told so again: select all adds thousands.
    for (ConnectionPresenter* connection : qAsConst(added)) {
        if (connection != edited && connection->state() != IConnectionModel::Normal)
            connection->setState(IConnectionModel::Normal);
    }
    if (edited)
        edited->setState(IConnectionModel::Edit);
    m_editedConnection = edited;
    blockSignals(blocked);
    m_applyingSelection = false;
}

void GraphicsScene::forgetSelection(FuncBlock* block)
{
    if (!m_selectionChanges.isEmpty() && block->graphics())
        m_selectionChanges.removeAll(block->graphics());
    QVector<ConnectionPresenter*> touched;
    applyBlockSelection(block, idOf(block), false, touched);
    updateConnectionStates(touched);
}

void GraphicsScene::forgetSelection(ConnectionPresenter* connection)
{
    if (!m_selectionChanges.isEmpty() && connection->view())
        m_selectionChanges.removeAll(connection->view());
    m_userSelectedConnections.remove(connection);
    m_selectedEnds.remove(connection);
    m_selectedConnections.remove(connection);
    if (connection == m_editedConnection)
        m_editedConnection = nullptr;
}

void GraphicsScene::slotRemoveItems()
{
    removeItems(sender());
}

void GraphicsScene::removeItems(QObject* from)
{
    if (m_moving)
        return;
    auto* senderConnection = qobject_cast<ConnectionPresenter*>(from);
    if (senderConnection) {
        if (m_selectedConnections.size() > 1 && m_selectedFuncBlocks.isEmpty()
            && m_selectedConnections.contains(senderConnection))
            m_undoStack->push(new DeleteGroupConnectionCmd(m_selectedConnections.items(), this, nullptr));
        else
            m_undoStack->push(new DeleteConnectionCmd(senderConnection, this, nullptr));
        return;
    }

    auto* senderBlock = qobject_cast<FuncBlock*>(from);
    const int selected = m_selectedFuncBlocks.size();
    if (senderBlock && selected > 1 && m_selectedFuncBlocks.contains(senderBlock)) {
        m_undoStack->push(new DeleteGroupFuncBlockCmd(m_selectedFuncBlocks.items(), this, nullptr));
    } else if (!senderBlock && selected == 0) {
        if (!m_selectedConnections.isEmpty())
            m_undoStack->push(new DeleteGroupConnectionCmd(m_selectedConnections.items(), this, nullptr));
    } else if (!senderBlock) {
        m_undoStack->push(new DeleteGroupFuncBlockCmd(m_selectedFuncBlocks.items(), this, nullptr));
    } else {
        m_undoStack->push(new DeleteFuncBlockCmd(senderBlock, this, nullptr));
    }
}

void GraphicsScene::slotUpdateConnections()
{
    updateConnections(qobject_cast<FuncBlock*>(sender()));
}

void GraphicsScene::updateConnections(FuncBlock* block)
{
    if (!block || m_funcBlocksById.value(idOf(block)) != block)
        return;
    const QString id = idOf(block);
    QVector<QPointer<ConnectionPresenter>> connections;
    for (ConnectionPresenter* connection : m_connectionsById.values(id)) {
        if (!connections.contains(connection))
            connections.append(connection);
    }
    bool removed = false;
    for (const QPointer<ConnectionPresenter>& connection : qAsConst(connections)) {
        // A nested update (a port flag redraws a block) may have dealt with it already.
        if (!hasConnection(connection))
            continue;
        if (followPorts(connection, block))
            continue;
        // Its port is gone. This runs inside an edit of the block's items, so the selection
        // and the property tree stay as they are.
        dropConnection(connection);
        delete connection;
        removed = true;
    }
    if (removed)
        finishDataEdit();
}

// ---- drawing ----

void GraphicsScene::setDetailFor(const QTransform& toDevice)
{
    const bool coarse = FBGraphicsItem::isCoarseDetail(toDevice);
    if (coarse == m_coarseDetail)
        return;
    m_coarseDetail = coarse;
    for (FuncBlock* block : qAsConst(m_funcBlocks))
        block->graphics()->setCoarse(coarse);
}

void GraphicsScene::render(QPainter* painter, const QRectF& target, const QRectF& source, Qt::AspectRatioMode mode)
{
    // Source, target and transform as QGraphicsScene::render() takes them.
    const QRectF from = source.isNull() ? sceneRect() : source;
    QRectF to = target;
    if (to.isNull()) {
        to = painter->device()->devType() == QInternal::Picture
            ? from
            : QRectF(0, 0, painter->device()->width(), painter->device()->height());
    }
    qreal xScale = to.width() / from.width();
    qreal yScale = to.height() / from.height();
    if (mode == Qt::KeepAspectRatio)
        xScale = yScale = qMin(xScale, yScale);
    else if (mode == Qt::KeepAspectRatioByExpanding)
        xScale = yScale = qMax(xScale, yScale);
    setDetailFor(QTransform::fromScale(xScale, yScale) * painter->worldTransform());
    std::vector<StackedItem> stacked;
    if (!m_coarseDetail || !stackItems(from, &stacked)) {
        QGraphicsScene::render(painter, target, source, mode);
        return;
    }
    const QTransform toTarget = QTransform::fromTranslate(to.left(), to.top())
                                    .scale(xScale, yScale)
                                    .translate(-from.left(), -from.top());
    renderStacked(painter, stacked, to, from, toTarget);
}

void GraphicsScene::renderStacked(QPainter* painter, const std::vector<StackedItem>& stacked, const QRectF& target,
                                  const QRectF& source, const QTransform& toTarget)
{
    painter->save();
    painter->setClipRect(target, Qt::IntersectClip);
    painter->setWorldTransform(toTarget, true);
    const QTransform base = painter->worldTransform();
    drawBackground(painter, source);
    // Qt's own drawing polishes items that are new since the last one before it draws.
    QGraphicsScene::drawItems(painter, 0, nullptr, nullptr);
    const qreal opacity = painter->opacity();
    painter->setOpacity(1.0);
    // Blocks and lines are drawn without antialiasing at this detail: set once for all.
    const bool smooth = painter->testRenderHint(QPainter::Antialiasing);
    painter->setRenderHint(QPainter::Antialiasing, false);
    QStyleOptionGraphicsItem option;
    for (const StackedItem& entry : stacked) {
        QGraphicsItem* item = entry.item;
        if (!entry.alone) {
            painter->setWorldTransform(base);
            painter->setRenderHint(QPainter::Antialiasing, smooth);
            QGraphicsScene::drawItems(painter, 1, &item, &option);
            painter->setRenderHint(QPainter::Antialiasing, false);
            continue;
        }
        painter->setWorldTransform(entry.toScene * base);
        if (entry.block)
            entry.block->paintCoarse(painter);
        else
            item->paint(painter, &option, nullptr);
    }
    painter->setWorldTransform(base);
    painter->setRenderHint(QPainter::Antialiasing, smooth);
    painter->setOpacity(opacity);
    drawForeground(painter, source);
    painter->restore();
}

bool GraphicsScene::stackItems(const QRectF& area, std::vector<StackedItem>* stacked) const
{
    // One pass over the items, which are scattered through memory: whatever the drawing
    // needs of an item is read here.
    const QList<QGraphicsItem*> all = items();
    std::vector<StackedItem> found;
    found.reserve(size_t(all.size()));
    for (QGraphicsItem* item : all) {
        if (item->parentItem())
            continue;
        StackedItem entry { item->zValue(), 0, item, dynamic_cast<FBAbstractBlockGraphics*>(item), {}, false };
        if (entry.block)
            entry.stamp = entry.block->stackingStamp();
        else if (const auto* line = dynamic_cast<const IConnectionView*>(item))
            entry.stamp = line->stackingStamp();
        if (entry.stamp == 0)
            return false;
        if (!item->isVisible())
            continue;
        if (!area.isNull() && !reaches(item, area))
            continue;
        // Drawn by a call of its own where Qt would do no more than that: a block at coarse
        // detail, whose items are transparent (a comment keeps its text), or a plain line.
        const bool plain = item->opacity() == 1.0 && !item->graphicsEffect()
            && !(item->flags() & (QGraphicsItem::ItemClipsToShape | QGraphicsItem::ItemIgnoresTransformations));
        entry.alone = plain
            && (entry.block ? entry.block->isCoarse() && entry.block->type() != FBCommentGraphics::Type
                            : item->childItems().isEmpty() && item->cacheMode() == QGraphicsItem::NoCache);
        if (entry.alone)
            entry.toScene = item->sceneTransform();
        found.push_back(entry);
    }
    // Sorted by small keys: the entries themselves are large to move.
    struct Key
    {
        qreal z;
        quint64 stamp;
        size_t index;
    };
    std::vector<Key> keys;
    keys.reserve(found.size());
    for (size_t i = 0; i < found.size(); ++i)
        keys.push_back({ found[i].z, found[i].stamp, i });
    std::sort(keys.begin(), keys.end(), [](const Key& a, const Key& b) {
        return a.z != b.z ? a.z < b.z : a.stamp < b.stamp;
    });
    stacked->reserve(keys.size());
    for (const Key& key : keys)
        stacked->push_back(found[key.index]);
    return true;
}

QVector<QGraphicsItem*> GraphicsScene::stackedItems(const QRectF& area) const
{
    std::vector<StackedItem> stacked;
    QVector<QGraphicsItem*> result;
    if (!stackItems(area, &stacked))
        return result;
    result.reserve(int(stacked.size()));
    for (const StackedItem& entry : stacked)
        result.append(entry.item);
    return result;
}

quint64 GraphicsScene::nextStackingStamp()
{
    // Items are made and placed on the GUI thread only.
    static quint64 last = 0;
    return ++last;
}

// ---- hit testing ----

FBPortGraphics* GraphicsScene::portOf(QGraphicsItem* item, const QPointF& pos) const
{
    if (isPort(item))
        return static_cast<FBPortGraphics*>(item);
    // At coarse detail the ports are transparent and the search passes them over: the block is
    // found on them instead.
    FBAbstractBlockGraphics* graphics = m_coarseDetail ? blockGraphicsOf(item) : nullptr;
    if (!graphics)
        return nullptr;
    auto holding = [&pos](const auto& ports) -> FBPortGraphics* {
        for (FBPortGraphics* port : ports) {
            if (port->isVisible() && port->contains(port->mapFromScene(pos)))
                return port;
        }
        return nullptr;
    };
    FBPortGraphics* input = holding(graphics->inputPorts());
    return input ? input : holding(graphics->outputPorts());
}

FBPortGraphics* GraphicsScene::portAt(const QPointF& pos) const
{
    for (QGraphicsItem* item : items(pos, Qt::IntersectsItemShape, Qt::DescendingOrder, QTransform())) {
        if (FBPortGraphics* port = portOf(item, pos))
            return port;
    }
    return nullptr;
}

FuncBlock* GraphicsScene::blockAtPoint(const QPointF& pos) const
{
    for (QGraphicsItem* item : items(pos, Qt::IntersectsItemShape, Qt::DescendingOrder, QTransform())) {
        if (portOf(item, pos))
            return nullptr;
        if (FBAbstractBlockGraphics* graphics = blockGraphicsOf(item))
            return graphics->funcBlock();
    }
    return nullptr;
}

// ---- events ----

void GraphicsScene::setReadOnly(bool readOnly)
{
    if (readOnly == m_readOnly)
        return;
    if (readOnly) {
        // A drag still held ends here as its release would end it: one step of the history.
        if (m_moving || mouseGrabberItem()) {
            QGraphicsSceneMouseEvent release(QEvent::GraphicsSceneMouseRelease);
            release.setButton(Qt::LeftButton);
            release.setScenePos(m_pressPos);
            release.setButtonDownScenePos(Qt::LeftButton, m_pressPos);
            release.setAccepted(false);
            mouseReleaseEvent(&release);
        }
        discardConstruction();
        clearFocus();
        if (m_editedConnection)
            m_editedConnection->setState(IConnectionModel::Normal);
        m_editedConnection = nullptr;
    }
    m_readOnly = readOnly;
    if (!readOnly) {
        // The route of a connection selected meanwhile becomes editable again.
        updateConnectionStates(m_selectedConnections.items());
    }
}

void GraphicsScene::keyPressEvent(QKeyEvent* event)
{
    if (m_readOnly) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    // Keys typed into a comment's text belong to the text.
    const auto* text = qgraphicsitem_cast<const QGraphicsTextItem*>(focusItem());
    if (text && (text->textInteractionFlags() & Qt::TextEditable)) {
        QGraphicsScene::keyPressEvent(event);
        return;
    }
    if (event->key() == Qt::Key_Escape) {
        discardConstruction();
        event->accept();
    } else if (event->key() == Qt::Key_Delete) {
        if (m_constructConnection)
            discardConstruction();
        else
            removeItems(nullptr);
        event->accept();
    }
    QGraphicsScene::keyPressEvent(event);
}

void GraphicsScene::mousePressEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton && m_constructConnection) {
        event->accept();
        return;
    }
    m_pressPos = event->buttonDownScenePos(Qt::LeftButton);
    if (m_readOnly) {
        QGraphicsScene::mousePressEvent(event);
        return;
    }
    mousePressConnectionHandler(event);
    if (event->isAccepted())
        return;
    QGraphicsScene::mousePressEvent(event);
    startMoveFB(event);
}

void GraphicsScene::mousePressConnectionHandler(QGraphicsSceneMouseEvent* event)
{
    if (event->button() != Qt::LeftButton)
        return;
    FBPortGraphics* port = portAt(m_pressPos);
    if (port) {
        FuncBlock* block = port->blockGraphics() ? port->blockGraphics()->funcBlock() : nullptr;
        if (m_constructConnection)
            endConnection(block, port->connectionPoint(), port->type(), port->portIndex());
        else
            beginConnection(block, port->connectionPoint(), port->type(), port->portIndex());
        event->accept();
    } else if (m_constructConnection) {
        m_constructConnection->mouseClick(m_pressPos);
        event->accept();
    }
}

void GraphicsScene::mouseMoveEvent(QGraphicsSceneMouseEvent* event)
{
    if (event->buttons() & Qt::MiddleButton)
        return;
    // Without it Qt would drag the pressed items along.
    if (m_readOnly && event->buttons() != Qt::NoButton)
        return;
    mouseMoveConnectionHandler(event);
    if (!event->isAccepted())
        moveFB(event);
    QGraphicsScene::mouseMoveEvent(event);
}

void GraphicsScene::mouseMoveConnectionHandler(QGraphicsSceneMouseEvent* event)
{
    if (!m_constructConnection)
        return;
    QPointF pos = event->scenePos();
    if (const FBPortGraphics* port = portAt(pos))
        pos = port->connectionPoint();
    m_constructConnection->mouseMove(pos);
    event->accept();
}

void GraphicsScene::mouseReleaseEvent(QGraphicsSceneMouseEvent* event)
{
    if (m_readOnly) {
        QGraphicsScene::mouseReleaseEvent(event);
        return;
    }
    mouseReleaseConnectionHandler(event);
    if (event->isAccepted())
        return;
    if (event->button() == Qt::LeftButton)
        stopMoveFB(event);
    QGraphicsScene::mouseReleaseEvent(event);
}

void GraphicsScene::mouseReleaseConnectionHandler(QGraphicsSceneMouseEvent* event)
{
    if (m_constructConnection)
        event->accept();
}

void GraphicsScene::mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event)
{
    // Two quick clicks while a line is drawn are two route nodes, not a double click. The
    // second click of a double click on the port the line starts at is the same press on it.
    if (m_readOnly) {
        event->accept();
        return;
    }
    if (m_constructConnection) {
        if (event->button() == Qt::LeftButton && isConstructionStart(portAt(event->buttonDownScenePos(Qt::LeftButton))))
            event->accept();
        else
            mousePressEvent(event);
        return;
    }
    m_pressPos = event->buttonDownScenePos(Qt::LeftButton);
    QGraphicsScene::mouseDoubleClickEvent(event);
    if (event->button() == Qt::LeftButton)
        startMoveFB(event);
}

void GraphicsScene::contextMenuEvent(QGraphicsSceneContextMenuEvent* event)
{
    if (m_readOnly) {
        event->accept();
        emit onReadOnlyContextMenu(event->scenePos(), event->screenPos());
        return;
    }
    if (m_constructConnection) {
        event->accept();
        return;
    }
    QGraphicsScene::contextMenuEvent(event);
}

void GraphicsScene::dragEnterEvent(QGraphicsSceneDragDropEvent* event)
{
    // A scene drag event's acceptProposedAction only sets the action; the view looks at the
    // accepted flag.
    if (!m_readOnly && event->mimeData()->formats().contains(mimeModelId)) {
        event->acceptProposedAction();
        event->accept();
    } else {
        event->ignore();
    }
}

void GraphicsScene::dragMoveEvent(QGraphicsSceneDragDropEvent* event)
{
    dragEnterEvent(event);
}

void GraphicsScene::dropEvent(QGraphicsSceneDragDropEvent* event)
{
    if (m_readOnly || !event->mimeData()->formats().contains(mimeModelId)) {
        event->ignore();
        return;
    }
    QDataStream stream(event->mimeData()->data(mimeModelId));
    QString id;
    stream >> id;
    if (stream.status() == QDataStream::Ok)
        createFuncBlock(event->scenePos(), id);
    event->acceptProposedAction();
    event->accept();
}

} // namespace Velmora
