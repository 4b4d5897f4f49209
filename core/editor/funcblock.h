#pragma once

#include "vlm_core_export.h"

#include <QObject>
#include <QPointF>
#include <QPointer>
#include <QUuid>

class QAction;
class QDataStream;

namespace Velmora {

class FBAbstractBlockGraphics;
class FBAbstractModel;
class FBModelItem;

// A block on the diagram: its model, cloned from a library prototype, and its picture.
class VLM_CORE_EXPORT FuncBlock : public QObject
{
    Q_OBJECT
public:
    // Takes the model as a child.
    explicit FuncBlock(FBAbstractModel* model = nullptr);
    ~FuncBlock() override;

    // The block whose model holds the item; null for a model that is on no block.
    static FuncBlock* holding(const FBModelItem* item);

    QUuid id() const { return m_id; }
    FBAbstractModel* model() const;
    FBAbstractBlockGraphics* graphics() const;
    FBModelItem* rootItem() const;

    // Takes the graphics as a child and lets it build itself from the model.
    void setGraphics(FBAbstractBlockGraphics* graphics);
    // A new id for a pasted copy.
    QUuid renewId();

    bool isInputConnected(int index) const;
    bool setInputConnected(int index, bool connected);
    bool setOutputConnected(int index, bool connected);
    void clearPortConnections();
    // The scene position where a connection attaches to the port; false without such a port.
    bool inputPortPos(int index, QPointF& pos) const;
    bool outputPortPos(int index, QPointF& pos) const;

    // The block's own record: its id and, with a graphics, its position.
    void writeData(QDataStream& stream) const;
    bool readData(QDataStream& stream);

    // Tells the project that something it saves changed without a model item changing
    // (the block moved, a comment's text was edited).
    void notifyChangedData();

signals:
    void onChangedData();
    void onDeleted();
    void onChangedModelItem(FBModelItem* item);
    void onNeedConnectionUpdate();

public slots:
    void slotContextMenu(QAction* action);
    void slotNeedUpdateConection();

private:
    void slotChangedItem(FBModelItem* item);
    bool setPortConnected(const QString& list, int index, bool connected);

    QUuid m_id;
    // A child of the block, deleted only with it.
    FBAbstractModel* m_model = nullptr;
    // A scene deletes the items it holds when it goes first.
    QPointer<FBAbstractBlockGraphics> m_graphics;
};

} // namespace Velmora
