#pragma once

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/fbmodelport.h"

#include <QGraphicsView>
#include <QMouseEvent>
#include <QSet>
#include <QStringList>
#include <QTest>

#include <memory>

namespace Velmora {

// A scene in a shown view, driven with mouse and key events on the view's viewport. The
// scene is the view's own, or one that belongs to someone else, a project.
struct SceneView
{
    std::unique_ptr<GraphicsScene> ownScene;
    GraphicsScene& scene;
    QGraphicsView view;
    Qt::MouseButtons held;

    SceneView()
        : SceneView(nullptr)
    { }
    explicit SceneView(GraphicsScene* shown)
        : ownScene(shown ? nullptr : new GraphicsScene)
        , scene(shown ? *shown : *ownScene)
    {
        view.setScene(&scene);
        view.setSceneRect(0, 0, 1000, 700);
        view.resize(1040, 740);
        view.show();
    }

    QPoint at(const QPointF& scenePos) const { return view.mapFromScene(scenePos); }
    QWidget* viewport() const { return view.viewport(); }

    void press(const QPointF& pos, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        held |= button;
        QTest::mousePress(viewport(), button, keys, at(pos));
    }
    void release(const QPointF& pos, Qt::MouseButton button = Qt::LeftButton, Qt::KeyboardModifiers keys = {})
    {
        held &= ~button;
        QTest::mouseRelease(viewport(), button, keys, at(pos));
    }
    // QTest moves the mouse with no button held; a drag needs the held buttons in the event.
    void move(const QPointF& pos, Qt::KeyboardModifiers keys = {})
    {
        QMouseEvent event(QEvent::MouseMove, at(pos), viewport()->mapToGlobal(at(pos)), Qt::NoButton, held, keys);
        QCoreApplication::sendEvent(viewport(), &event);
    }
    // The mouse gets there first, as a user's does.
    void click(const QPointF& pos, Qt::KeyboardModifiers keys = {})
    {
        move(pos, keys);
        press(pos, Qt::LeftButton, keys);
        release(pos, Qt::LeftButton, keys);
    }
    void drag(const QPointF& from, const QPointF& to)
    {
        press(from);
        move((from + to) / 2);
        move(to);
        release(to);
    }
    void key(Qt::Key key) { QTest::keyClick(viewport(), key); }

    // Places a block of the library with the scene's own operation.
    FuncBlock* place(const QString& proto, const QPointF& pos)
    {
        const int before = scene.getFuncBlocks().size();
        scene.createFuncBlock(pos, proto);
        const QVector<FuncBlock*> blocks = scene.getFuncBlocks();
        if (blocks.size() != before + 1)
            return nullptr;
        for (FuncBlock* block : blocks) {
            if (block->graphics()->pos() == pos)
                return block;
        }
        return nullptr;
    }

    static QPointF outPort(const FuncBlock* block, int index)
    {
        QPointF pos;
        block->outputPortPos(index, pos);
        return pos;
    }
    static QPointF inPort(const FuncBlock* block, int index)
    {
        QPointF pos;
        block->inputPortPos(index, pos);
        return pos;
    }
    // A point on the block's body, away from its ports and title.
    static QPointF body(const FuncBlock* block)
    {
        const FBAbstractBlockGraphics* graphics = block->graphics();
        return graphics->pos() + QPointF(graphics->size().width() / 2, graphics->size().height() - 6);
    }
    // Draws a connection by pressing both ports, as a user does.
    void connectPorts(const FuncBlock* emitter, int output, const FuncBlock* receiver, int input)
    {
        click(outPort(emitter, output));
        click(inPort(receiver, input));
    }
};

// Everything the scene promises about its blocks, connections and port flags; empty when all
// of it holds.
inline QStringList sceneInvariantFaults(const GraphicsScene& scene)
{
    QStringList faults;
    const QVector<FuncBlock*> blocks = scene.getFuncBlocks();
    QSet<QString> connectedInputs;
    QSet<QString> connectedOutputs;
    const QVector<ConnectionPresenter*> connections = scene.getConnections();
    if (QSet<ConnectionPresenter*>(connections.cbegin(), connections.cend()).size() != connections.size())
        faults << QStringLiteral("a connection is listed twice");
    for (const ConnectionPresenter* connection : connections) {
        if (!scene.funcBlockById(connection->emitterId()) || !scene.funcBlockById(connection->receiverId()))
            faults << QStringLiteral("a connection ends at a block that is not on the scene");
        if (!scene.connectionsById(connection->emitterId()).contains(const_cast<ConnectionPresenter*>(connection)))
            faults << QStringLiteral("a connection is not entered under its emitter");
        const QString input = connection->receiverId() + QLatin1Char('/') + QString::number(connection->receiverIndex());
        if (connectedInputs.contains(input))
            faults << QStringLiteral("an input has two connections");
        connectedInputs.insert(input);
        connectedOutputs.insert(connection->emitterId() + QLatin1Char('/') + QString::number(connection->emitterIndex()));
    }
    for (const FuncBlock* block : blocks) {
        const QString id = block->id().toString();
        if (scene.funcBlockById(id) != block || block->graphics()->scene() != &scene)
            faults << QStringLiteral("block %1 is not entered or not on the scene").arg(id);
        for (int kind : { 1002, 1003 }) {
            for (int i = 0;; ++i) {
                const FBModelPort* port = scene.portModelItem(id, kind, i);
                if (!port)
                    break;
                const QString key = id + QLatin1Char('/') + QString::number(i);
                const bool expected = kind == 1002 ? connectedInputs.contains(key) : connectedOutputs.contains(key);
                if (port->isConnected() != expected)
                    faults << QStringLiteral("port %1 of kind %2 has a wrong connected flag").arg(key).arg(kind);
            }
        }
    }
    return faults;
}

} // namespace Velmora
