#pragma once

#include "editor/connectionpresenter.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/fbportgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/propertytreemodel.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelports.h"

#include <QByteArray>
#include <QtEndian>
#include <QPointF>
#include <QString>
#include <QVector>

#include <cstring>

namespace Velmora {

// Places a block of the process-wide library with the scene's own operation; null when the
// prototype is unknown.
inline FuncBlock* placeBlock(GraphicsScene& scene, const QString& proto, const QPointF& pos)
{
    scene.createFuncBlock(pos, proto);
    for (FuncBlock* block : scene.getFuncBlocks()) {
        if (block->graphics()->pos() == pos && block->model()->protoName() == proto)
            return block;
    }
    return nullptr;
}

// Sets a block's number of inputs as the property tree's ports editor does.
inline void setInputCount(FuncBlock* block, int count)
{
    auto* inputs = static_cast<FBModelPorts*>(block->model()->findItem(QStringLiteral("inputs")));
    FBDataPorts ports = inputs->data();
    ports.setCountPorts(count);
    inputs->recalcPorts(ports);
}

// Edits the block's item of that name as the property tree does: the value column for
// Qt::EditRole, the name's box for Qt::CheckStateRole.
inline bool editProperty(const FuncBlock* block, const QString& item, const QVariant& value, int role = Qt::EditRole)
{
    PropertyTreeModel tree;
    tree.setRootItem(block->rootItem());
    QList<int> rows;
    for (const FBModelItem* at = block->model()->findItem(item); at && at != block->rootItem(); at = at->parentItem())
        rows.prepend(at->rowOfParent());
    QModelIndex index;
    for (int i = 0; i < rows.size(); ++i)
        index = tree.index(rows.at(i), i + 1 == rows.size() && role == Qt::EditRole ? 1 : 0, index);
    return tree.setData(index, value, role);
}

// Draws a connection as the mouse does: press the output, click each bend, press the input.
inline ConnectionPresenter* joinPorts(GraphicsScene& scene, FuncBlock* emitter, int output, FuncBlock* receiver,
                                      int input, const QVector<QPointF>& bends = {})
{
    QPointF pos;
    emitter->outputPortPos(output, pos);
    scene.beginConnection(emitter, pos, FBPortGraphics::OutputType, output);
    ConnectionPresenter* connection = scene.constructedConnection();
    if (!connection)
        return nullptr;
    for (const QPointF& bend : bends) {
        connection->mouseMove(bend);
        connection->mouseClick(bend);
    }
    receiver->inputPortPos(input, pos);
    connection->mouseMove(pos);
    scene.endConnection(receiver, pos, FBPortGraphics::InputType, input);
    return scene.constructedConnection() ? nullptr : connection;
}

// 250 HIGH constants each feeding input 0 of three ANDs, every AND's input 1 fed by the AND
// before it: 1,000 blocks and 1,500 connections, drawn as a user draws them.
inline bool placeLargeDiagram(GraphicsScene& scene)
{
    FuncBlock* previous = nullptr;
    for (int i = 0; i < 250; ++i) {
        const double y = i * 400.0;
        FuncBlock* constant = placeBlock(scene, QStringLiteral("HIGH"), QPointF(0, y));
        for (int k = 0; k < 3; ++k) {
            FuncBlock* gate = placeBlock(scene, QStringLiteral("AND"), QPointF(300 + 300 * k, y + 100 * k));
            if (!joinPorts(scene, constant, 0, gate, 0) || !joinPorts(scene, previous ? previous : constant, 0, gate, 1))
                return false;
            previous = gate;
        }
    }
    return true;
}

// Values encoded as a version-16 big-endian data stream encodes them, written out by hand.
inline QByteArray beInt32(qint32 value)
{
    QByteArray bytes(4, 0);
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray beInt64(qint64 value)
{
    QByteArray bytes(8, 0);
    qToBigEndian(value, bytes.data());
    return bytes;
}

inline QByteArray beDouble(double value)
{
    quint64 bits = 0;
    std::memcpy(&bits, &value, sizeof bits);
    QByteArray bytes(8, 0);
    qToBigEndian(bits, bytes.data());
    return bytes;
}

inline QByteArray bePoint(const QPointF& point)
{
    return beDouble(point.x()) + beDouble(point.y());
}

inline QByteArray beString(const QString& text)
{
    QByteArray bytes = beInt32(text.size() * 2);
    for (const QChar c : text) {
        bytes.append(char(c.unicode() >> 8));
        bytes.append(char(c.unicode() & 0xff));
    }
    return bytes;
}

} // namespace Velmora
