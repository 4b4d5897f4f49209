#pragma once

#include "editor/dependentstate.h"
#include "editor/orderedset.h"
#include "model/fbmodelport.h"
#include "vlm_core_export.h"

#include <QGraphicsScene>
#include <QHash>
#include <QMultiHash>
#include <QPointF>
#include <QSet>
#include <QString>
#include <QTransform>
#include <QVector>

#include <limits>
#include <vector>

class QUndoStack;

namespace Velmora {

class ConnectionPresenter;
class FBAbstractBlockGraphics;
class FBModelItem;
class FBPortGraphics;
class FuncBlock;
class SceneGrid;

// The editable diagram of one project. User edits become commands on the scene's own undo
// stack; the commands call the undo-free add and remove operations, which keep the blocks,
// the connections, their id hashes and the ports' connected flags in step.
class VLM_CORE_EXPORT GraphicsScene : public QGraphicsScene
{
    Q_OBJECT
public:
    explicit GraphicsScene(QObject* parent = nullptr);
    // Deletes the blocks and connections still on the scene.
    ~GraphicsScene() override;

    QUndoStack* undoStack() const { return m_undoStack; }
    SceneGrid* getGrid() const { return m_grid; }

    // In call order: the order left by the last updateBlockOrder.
    QVector<FuncBlock*> getFuncBlocks() const { return m_funcBlocks; }
    FuncBlock* funcBlockById(const QString& id) const { return m_funcBlocksById.value(id, nullptr); }
    // Most recently added first; a connection from a block to itself is listed twice.
    QVector<ConnectionPresenter*> connectionsById(const QString& id) const;
    QVector<ConnectionPresenter*> getConnections() const { return m_connections; }
    // kind 1002: an input, 1003: an output.
    FBModelPort* portModelItem(const QString& blockId, int kind, int index) const;
    // The ports joined to a port of a block on the scene: the inputs an output feeds, the
    // output that feeds an input.
    QVector<FBModelPort*> joinedPorts(const FBModelPort* port) const;
    FBModelPort::Joined joinedLookup() const
    {
        return [this](const FBModelPort* port) { return joinedPorts(port); };
    }
    // The ports that take `type` along with `port`, so that every connection keeps one type
    // at both ends; false, with a link error on the console, when one of them can not.
    bool portsFollowingType(const FBModelPort* port, const QString& type, QVector<FBModelPort*>& ports) const;

    QVector<FuncBlock*> selectedFuncBlocks() const { return m_selectedFuncBlocks.items(); }
    QVector<ConnectionPresenter*> selectedConnections() const { return m_selectedConnections.items(); }
    QSet<ConnectionPresenter*> getMovableConnections() const { return m_movableConnections; }
    QVector<ConnectionPresenter*> getMovableEmitterConnections() const { return m_movableEmitterConnections; }
    QVector<ConnectionPresenter*> getMovableReceiverConnections() const { return m_movableReceiverConnections; }
    // The lines at the dragged blocks as they were when the drag began.
    DependentState getStateBeforeMove() const { return m_stateBeforeMove; }
    ConnectionPresenter* constructedConnection() const { return m_constructConnection; }
    bool isMoving() const { return m_moving; }

    // A read-only scene can be looked at and selected in, but not edited: no drag, drop, new
    // line, deletion, text editing or route editing, and the item menus are not offered. A
    // right click asks onReadOnlyContextMenu instead.
    void setReadOnly(bool readOnly);
    bool isReadOnly() const { return m_readOnly; }

    // Every view and render tells the transform it draws with, before its items are drawn:
    // at coarse detail the blocks draw themselves without their items (see FBGraphicsItem).
    void setDetailFor(const QTransform& toDevice);
    bool isCoarseDetail() const { return m_coarseDetail; }
    // The port whose circle holds a scene point, at any level of detail; null for none.
    FBPortGraphics* portAt(const QPointF& pos) const;
    // QGraphicsScene::render() at the level of detail of its scale. At coarse detail the
    // blocks and lines are drawn here, one call each, without Qt's search, sort and style
    // options over every item of the sheet.
    void render(QPainter* painter, const QRectF& target = QRectF(), const QRectF& source = QRectF(),
                Qt::AspectRatioMode mode = Qt::KeepAspectRatio);
    // The visible top-level items that reach an area (a null one: all), as QGraphicsScene
    // stacks them, bottom first: by z value, and among equal values by the order they came
    // onto the scene. Empty when the scene holds an item of another kind than blocks and
    // lines, whose arrival is not known here.
    QVector<QGraphicsItem*> stackedItems(const QRectF& area = QRectF()) const;
    // Blocks and lines stamp their arrival on a scene with the next of these numbers.
    static quint64 nextStackingStamp();

    QPointF getPasteOffset() const { return m_pasteOffset; }
    void setPasteOffset(const QPointF& offset) { m_pasteOffset = offset; }

    // Edits without undo, for the commands.
    void addFuncBlock(FuncBlock* block);
    void removeFuncBlock(FuncBlock* block);
    void addGroupFuncBlock(const QVector<FuncBlock*>& blocks);
    void removeGroupFuncBlock(const QVector<FuncBlock*>& blocks);
    void addConnection(ConnectionPresenter* connection);
    void removeConnection(ConnectionPresenter* connection, bool removeFromScene);
    void addGroupConnection(const QVector<ConnectionPresenter*>& connections);
    void removeGroupConnection(const QVector<ConnectionPresenter*>& connections);
    // For an edit of a selected block's items: the selection, and with it the property tree
    // on the block, stays as it is.
    void removeGroupConnectionKeepSelection(const QVector<ConnectionPresenter*>& connections);
    // Ends an edit of the values or routes of what is on the scene: repaints and reports the
    // change, and leaves the selection alone.
    void finishDataEdit();

    // User operations: each pushes one command, or none.
    void createFuncBlock(const QPointF& pos, const QString& prototypeId);
    void beginConnection(FuncBlock* block, const QPointF& portPos, int portType, int portIndex);
    void endConnection(FuncBlock* block, const QPointF& portPos, int portType, int portIndex);
    void cancelConstruct();
    // Through the system clipboard, as "text/scene_data".
    void copy();
    void cut();
    void paste();
    void undo();
    void redo();
    void updateBlockOrder();

    // The scene record of a project file, which ends the file. Reading adds nothing unless
    // the whole record is read, makes sense and is all the stream holds; else `error` says why.
    void writeScene(QDataStream& stream) const;
    bool readScene(QDataStream& stream, QString* error = nullptr);

    // Adds the blocks to the selection with one selection change, not one per block.
    void selectFuncBlocks(const QVector<FuncBlock*>& blocks);
    // Called by a block or connection item about to be selected or unselected: the next
    // selection change looks at these items only, not at the whole selection.
    void noteSelectionChange(QGraphicsItem* item);
    // Called by a block on the scene that moved: the next numbering sorts every block again.
    void noteBlockMoved() { m_blocksMoved = true; }

    // The move sets of the selection, as a drag or a copy needs them.
    void setMovableConnections();
    void resetMovableConnections();

signals:
    void onChangedData();
    void onReadOnlyContextMenu(const QPointF& scenePos, const QPoint& screenPos);

private slots:
    void slotRemoveItems();
    void slotUpdateConnections();
    void slotChangedData();
    void slotSelectionChange();
    void slotUpdateProperty(FBModelItem* item);

protected:
    void keyPressEvent(QKeyEvent* event) override;
    void mousePressEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseMoveEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseReleaseEvent(QGraphicsSceneMouseEvent* event) override;
    void mouseDoubleClickEvent(QGraphicsSceneMouseEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;
    void dragEnterEvent(QGraphicsSceneDragDropEvent* event) override;
    void dragMoveEvent(QGraphicsSceneDragDropEvent* event) override;
    void dropEvent(QGraphicsSceneDragDropEvent* event) override;

private:
    FuncBlock* blockAtPoint(const QPointF& pos) const;
    FBPortGraphics* portOf(QGraphicsItem* item, const QPointF& pos) const;
    void mousePressConnectionHandler(QGraphicsSceneMouseEvent* event);
    void mouseMoveConnectionHandler(QGraphicsSceneMouseEvent* event);
    void mouseReleaseConnectionHandler(QGraphicsSceneMouseEvent* event);
    void startMoveFB(QGraphicsSceneMouseEvent* event);
    void moveFB(QGraphicsSceneMouseEvent* event);
    void stopMoveFB(QGraphicsSceneMouseEvent* event);

    // Chooses and pushes the delete command; `from` is the block or connection that asked.
    void removeItems(QObject* from);
    void updateConnections(FuncBlock* block);
    void attachFuncBlock(FuncBlock* block);
    void detachFuncBlock(FuncBlock* block);
    // Into the connections in their scene order.
    void insertConnection(ConnectionPresenter* connection);
    void attachConnection(ConnectionPresenter* connection);
    void detachConnection(ConnectionPresenter* connection, bool removeFromScene);
    // Takes a connection off without touching the rest of the selection.
    void dropConnection(ConnectionPresenter* connection);
    // Selection bookkeeping, item by item.
    void applyBlockSelection(FuncBlock* block, const QString& id, bool selected, QVector<ConnectionPresenter*>& touched);
    void applyConnectionSelection(ConnectionPresenter* connection);
    void forgetSelection(FuncBlock* block);
    void forgetSelection(ConnectionPresenter* connection);
    void updateConnectionStates(const QVector<ConnectionPresenter*>& touched);
    void setPortFlags(const ConnectionPresenter* connection, bool connected);
    // Whether a connection can go on the scene: both blocks there, both ports there, and its
    // input free.
    bool canAttach(const ConnectionPresenter* connection) const;
    bool hasConnection(ConnectionPresenter* connection) const;
    // Moves a connection's ends onto their ports, only the ends at `block` when one is given;
    // false when such a port is gone. An end whose block is not on the scene is left alone.
    bool followPorts(ConnectionPresenter* connection, const FuncBlock* block = nullptr);
    bool isOutputUsed(const ConnectionPresenter* except, const QString& blockId, int index) const;
    void setMovableConnections(const QVector<FuncBlock*>& blocks);
    void finishEdit(bool reorder);
    int sortBlocksByPosition();
    int placeAppendedBlocks();
    void discardConstruction();
    // Whether the port is the one the line being drawn starts at.
    bool isConstructionStart(const FBPortGraphics* port) const;
    static void printLinkError(const char* text);
    struct StackedItem
    {
        qreal z;
        quint64 stamp;
        QGraphicsItem* item;
        FBAbstractBlockGraphics* block;
        QTransform toScene;
        bool alone;   // drawn by one call of its own painting
    };
    bool stackItems(const QRectF& area, std::vector<StackedItem>* stacked) const;
    // Draws the stacked items, `source` mapped onto `target`.
    void renderStacked(QPainter* painter, const std::vector<StackedItem>& stacked, const QRectF& target,
                       const QRectF& source, const QTransform& toTarget);
    // Whether the port a line is ending at and the port it started at can agree on a type;
    // else a link error.
    bool typesAgree(const FuncBlock* block, int portType, int portIndex) const;
    enum class RecordUse { Paste, Load };
    // The blocks and connections of a scene record, or false with nothing left allocated and
    // the reason in `error`. A paste gives the blocks new ids and leaves out connections that
    // do not join them; a load keeps the ids and refuses such data.
    bool readRecords(QDataStream& stream, RecordUse use, QVector<FuncBlock*>& blocks,
                     QVector<ConnectionPresenter*>& connections, QString* error);

    QUndoStack* m_undoStack = nullptr;
    ConnectionPresenter* m_constructConnection = nullptr;
    bool m_moving = false;
    bool m_readOnly = false;
    bool m_coarseDetail = false;
    // The blocks a drag moves: the selection, and the pressed block when it is not part of it.
    QVector<FuncBlock*> m_movingBlocks;
    QPointF m_moveStartPos;
    DependentState m_stateBeforeMove;
    // Items whose selection changed since the last selection change was handled.
    QVector<QGraphicsItem*> m_selectionChanges;
    // Set while the scene itself selects or unselects connections for their blocks.
    bool m_applyingSelection = false;
    // Connections the user selected themselves, and for every connection the number of its
    // ends at a selected block; a connection is selected while either is there.
    QSet<ConnectionPresenter*> m_userSelectedConnections;
    QHash<ConnectionPresenter*, int> m_selectedEnds;
    // The one connection whose route is editable, when it is the whole selection.
    ConnectionPresenter* m_editedConnection = nullptr;
    QPointF m_pressPos;
    QPointF m_pasteOffset;
    QVector<FuncBlock*> m_funcBlocks;
    // The first place in m_funcBlocks where a block came or went since the last numbering.
    int m_orderChangedFrom = std::numeric_limits<int>::max();
    // Blocks appended since the last numbering, at the end of m_funcBlocks, and whether a
    // block on the scene moved since: without a move the rest is still in order.
    int m_appendedBlocks = 0;
    bool m_blocksMoved = false;
    OrderedSet<FuncBlock*> m_selectedFuncBlocks;
    QHash<QString, FuncBlock*> m_funcBlocksById;
    // Ascending in scene order.
    QVector<ConnectionPresenter*> m_connections;
    QSet<ConnectionPresenter*> m_connectionSet; // the same, for membership tests
    quint64 m_lastConnectionOrder = 0;
    OrderedSet<ConnectionPresenter*> m_selectedConnections;
    QSet<ConnectionPresenter*> m_movableConnections;
    QVector<ConnectionPresenter*> m_movableEmitterConnections;
    QVector<ConnectionPresenter*> m_movableReceiverConnections;
    QMultiHash<QString, ConnectionPresenter*> m_connectionsById;
    SceneGrid* m_grid = nullptr;
};

} // namespace Velmora
