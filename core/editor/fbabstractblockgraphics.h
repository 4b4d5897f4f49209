#pragma once

#include "services/serializableobjectfactory.h"
#include "vlm_core_export.h"

#include <QGraphicsWidget>
#include <QList>
#include <QPointer>
#include <QString>

class QAction;
class QGraphicsGridLayout;
class QGraphicsLinearLayout;
class QMenu;

namespace Velmora {

class FBInputPortGraphics;
class FBModelItem;
class FBOutputPortGraphics;
class FBPortGraphics;
class FBTitleGraphics;
class FuncBlock;

// The picture of a block, built from its model's item tree: a title row, inputs on the left,
// outputs on the right and, per kind, a bottom row. It keeps the smallest size that holds
// everything and follows every change of the model.
class VLM_CORE_EXPORT FBAbstractBlockGraphics : public QGraphicsWidget
{
    Q_OBJECT
public:
    explicit FBAbstractBlockGraphics(QGraphicsItem* parent = nullptr);
    ~FBAbstractBlockGraphics() override;

    // The process-wide factory, keyed by the block models' serialization ids.
    static SerializableObjectFactory<FBAbstractBlockGraphics>& factory();

    // The key the graphics was created under.
    QString serializationId() const { return m_graphicsName; }
    void setSerializationId(const QString& name) { m_graphicsName = name; }

    FuncBlock* funcBlock() const { return m_block; }
    QAction* deleteAction() const { return m_deleteAction; }
    // The input (FBPortGraphics::InputType) or output (OutputType) port at `index`.
    FBPortGraphics* portItem(int type, int index) const;
    FBTitleGraphics* titleItem() const { return m_title; }
    QList<FBInputPortGraphics*> inputPorts() const { return m_inputPorts; }
    QList<FBOutputPortGraphics*> outputPorts() const { return m_outputPorts; }

    void setFuncBlock(FuncBlock* block);
    void updateGeometry() override;
    void setGeometry(const QRectF& rect) override;
    // The block's rectangle widened by the port circles that stand out of its sides.
    QRectF boundingRect() const override;
    // The rectangle and the port circles: a port stays reachable where it stands out.
    QPainterPath shape() const override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    // The block's items draw within its bounding rectangle, so the scene skips them with a
    // block that is out of sight; except while an output shows a live value beside its line.
    void updateChildrenContained();
    // Drawn at coarse detail: the outline and the title plate by the block itself, its items
    // fully transparent, which the scene then passes over without a look.
    void setCoarse(bool coarse);
    bool isCoarse() const { return m_coarse; }
    // The picture at coarse detail: filled rectangles of the outline, body and title plate.
    void paintCoarse(QPainter* painter) const;
    // When the block last came onto a scene (GraphicsScene::nextStackingStamp()).
    quint64 stackingStamp() const { return m_stackingStamp; }

signals:
    void onNeedUpdateConnections();

public slots:
    void slotChangedModel(FBModelItem* item);

protected:
    virtual void createMenu();
    virtual void build();
    virtual void createLayouts();
    virtual void createItemGraphics(FBModelItem* item);
    virtual void updateItemGraphics(FBModelItem* item);

    bool sceneEventFilter(QGraphicsItem* watched, QEvent* event) override;
    void contextMenuEvent(QGraphicsSceneContextMenuEvent* event) override;
    QVariant itemChange(GraphicsItemChange change, const QVariant& value) override;

    // Applies a pending layout at once.
    void relayout();
    // Builds the whole tree below the root item of the block's model.
    void createAllItemGraphics();

    QString m_graphicsName;
    QGraphicsGridLayout* m_grid = nullptr;
    QGraphicsLinearLayout* m_inputsLayout = nullptr;
    QGraphicsLinearLayout* m_outputsLayout = nullptr;
    QPointer<QMenu> m_menu;
    QAction* m_deleteAction = nullptr;
    FBTitleGraphics* m_title = nullptr;
    QList<FBInputPortGraphics*> m_inputPorts;
    QList<FBOutputPortGraphics*> m_outputPorts;
    bool m_notify = true;
    bool m_menuRunning = false;
    QMetaObject::Connection m_deleteConnection;
    FuncBlock* m_block = nullptr;

private:
    void addInputPort(FBModelItem* item);
    void addOutputPort(FBModelItem* item);
    void updateInputCount(FBModelItem* inputs);
    void updateSideMargins();
    // The opacity of the block's own items.
    void setItemsOpacity(qreal opacity);

    qreal m_leftMargin = 0;
    qreal m_rightMargin = 0;
    bool m_coarse = false;
    quint64 m_stackingStamp = 0;
};

} // namespace Velmora
