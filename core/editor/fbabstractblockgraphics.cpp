#include "editor/fbabstractblockgraphics.h"

#include "editor/fbinputportgraphics.h"
#include "editor/fboutputportgraphics.h"
#include "editor/fbtitlegraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "model/fbmodelitem.h"
#include "services/singleton.h"

#include <QAction>
#include <QCoreApplication>
#include <QGraphicsGridLayout>
#include <QGraphicsLayout>
#include <QGraphicsLinearLayout>
#include <QGraphicsSceneContextMenuEvent>
#include <QMenu>
#include <QPainter>
#include <QPointer>
#include <QVector>

#include <algorithm>
#include <cmath>

namespace Velmora {

namespace {

QString deleteText()
{
    return QCoreApplication::translate("FBAbstractBlockGraphics", "Delete");
}

// Drops the polish requests of the widgets made while it lives, which Qt announces to the
// application's event filters. Each graphics layout makes a hidden helper widget for style
// metrics, and every new widget posts a polish request; a load builds every block before the
// event loop runs again, and Qt searches the whole queue for each posted event it drops or
// merges, so the queue is kept short. A widget is polished anyway when it is shown.
class NewWidgetsUnpolished : public QObject
{
public:
    NewWidgetsUnpolished()
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->installEventFilter(this);
    }
    ~NewWidgetsUnpolished() override
    {
        if (QCoreApplication::instance())
            QCoreApplication::instance()->removeEventFilter(this);
        for (const QPointer<QObject>& widget : qAsConst(m_widgets)) {
            if (widget)
                QCoreApplication::removePostedEvents(widget, QEvent::PolishRequest);
        }
    }

    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::Create && watched->isWidgetType())
            m_widgets.append(watched);
        return false;
    }

private:
    QVector<QPointer<QObject>> m_widgets;
};

QGraphicsLinearLayout* newColumn()
{
    auto* layout = new QGraphicsLinearLayout(Qt::Vertical);
    layout->setSpacing(0);
    layout->setContentsMargins(0, 0, 0, 0);
    return layout;
}

} // namespace

FBAbstractBlockGraphics::FBAbstractBlockGraphics(QGraphicsItem* parent)
    : QGraphicsWidget(parent)
{
    createMenu();
    setAcceptHoverEvents(true);
    setFlags(ItemIsMovable | ItemIsSelectable | ItemSendsGeometryChanges | ItemContainsChildrenInShape);
    setSizePolicy(QSizePolicy::MinimumExpanding, QSizePolicy::MinimumExpanding);
    setZValue(100);
    setCacheMode(DeviceCoordinateCache);
    setFiltersChildEvents(true);
}

FBAbstractBlockGraphics::~FBAbstractBlockGraphics()
{
    // The menu may be the one running this very deletion.
    if (m_menuRunning)
        m_menu->deleteLater();
    else
        delete m_menu;
}

SerializableObjectFactory<FBAbstractBlockGraphics>& FBAbstractBlockGraphics::factory()
{
    static std::atomic<SerializableObjectFactory<FBAbstractBlockGraphics>*> instance { nullptr };
    static QMutex mutex;
    return lazySingleton(instance, mutex, [] { return new SerializableObjectFactory<FBAbstractBlockGraphics>; });
}

void FBAbstractBlockGraphics::createMenu()
{
    // The action exists from the start; the menu widget only once a menu is asked for, since
    // a diagram may hold thousands of blocks.
    m_deleteAction = new QAction(deleteText(), this);
}

FBPortGraphics* FBAbstractBlockGraphics::portItem(int type, int index) const
{
    if (type == FBPortGraphics::InputType)
        return m_inputPorts.value(index, nullptr);
    if (type == FBPortGraphics::OutputType)
        return m_outputPorts.value(index, nullptr);
    return nullptr;
}

void FBAbstractBlockGraphics::setFuncBlock(FuncBlock* block)
{
    if (m_block) {
        disconnect(m_block, &FuncBlock::onChangedModelItem, this, &FBAbstractBlockGraphics::slotChangedModel);
        disconnect(m_deleteConnection);
        disconnect(this, &FBAbstractBlockGraphics::onNeedUpdateConnections, m_block,
                   &FuncBlock::slotNeedUpdateConection);
    }
    m_block = block;
    if (!m_block)
        return;
    setParent(m_block);
    connect(m_block, &FuncBlock::onChangedModelItem, this, &FBAbstractBlockGraphics::slotChangedModel);
    m_deleteConnection = connect(m_deleteAction, &QAction::triggered, m_block,
                                 [block, action = m_deleteAction] { block->slotContextMenu(action); });
    connect(this, &FBAbstractBlockGraphics::onNeedUpdateConnections, m_block, &FuncBlock::slotNeedUpdateConection);
    // The picture is built once; a later block only takes over the links.
    if (m_grid)
        return;
    const NewWidgetsUnpolished helpers;
    build();
    relayout();
}

void FBAbstractBlockGraphics::build()
{
    createLayouts();
    createAllItemGraphics();
    setLayout(m_grid);
}

void FBAbstractBlockGraphics::createAllItemGraphics()
{
    const FBModelItem* root = m_block ? m_block->rootItem() : nullptr;
    if (!root)
        return;
    for (FBModelItem* item : root->childItems())
        createItemGraphics(item);
}

void FBAbstractBlockGraphics::createLayouts()
{
    m_grid = new QGraphicsGridLayout;
    m_grid->setContentsMargins(3.0, 3.0, 3.0, 3.0);
    m_inputsLayout = newColumn();
    m_outputsLayout = newColumn();
    m_grid->addItem(m_inputsLayout, 1, 0, Qt::AlignLeft | Qt::AlignVCenter);
    m_grid->addItem(m_outputsLayout, 1, 1, Qt::AlignRight | Qt::AlignVCenter);
}

void FBAbstractBlockGraphics::createItemGraphics(FBModelItem* item)
{
    switch (item->type()) {
    case 1001:
        m_title = new FBTitleGraphics(this);
        m_title->setModelItem(item);
        m_grid->addItem(m_title, 0, 0, 1, 2, Qt::AlignCenter);
        break;
    case 1002:
        for (FBModelItem* port : item->childItems())
            addInputPort(port);
        break;
    case 1003:
        for (FBModelItem* port : item->childItems())
            addOutputPort(port);
        break;
    default:
        break;
    }
}

void FBAbstractBlockGraphics::addInputPort(FBModelItem* item)
{
    auto* port = new FBInputPortGraphics(this);
    m_inputsLayout->addItem(port);
    m_inputsLayout->setAlignment(port, Qt::AlignLeft);
    m_inputPorts.append(port);
    port->setModelItem(item);
}

void FBAbstractBlockGraphics::addOutputPort(FBModelItem* item)
{
    auto* port = new FBOutputPortGraphics(this);
    m_outputsLayout->addItem(port);
    m_outputsLayout->setAlignment(port, Qt::AlignLeft);
    m_outputPorts.append(port);
    port->setModelItem(item);
}

void FBAbstractBlockGraphics::updateItemGraphics(FBModelItem* item)
{
    switch (item->type()) {
    case 1001:
        if (m_title)
            m_title->updateModelItem(item);
        break;
    case 1004: {
        const FBModelItem* list = item->parentItem();
        const int row = item->rowOfParent();
        FBPortGraphics* port = nullptr;
        if (list && list->type() == 1002)
            port = m_inputPorts.value(row, nullptr);
        else if (list && list->type() == 1003)
            port = m_outputPorts.value(row, nullptr);
        if (port)
            port->updateModelItem(item);
        break;
    }
    case 1002:
        updateInputCount(item);
        break;
    default:
        break;
    }
}

void FBAbstractBlockGraphics::updateInputCount(FBModelItem* inputs)
{
    const int oldCount = m_inputPorts.size();
    const int newCount = inputs->childCount();
    if (newCount == oldCount || !m_inputsLayout)
        return;

    prepareGeometryChange();
    if (newCount > oldCount) {
        for (int row = oldCount; row < newCount; ++row)
            addInputPort(inputs->childAt(row));
    } else {
        for (int row = oldCount - 1; row >= newCount; --row) {
            FBInputPortGraphics* port = m_inputPorts.takeAt(row);
            // A hidden port has already left the column.
            if (port->parentLayoutItem() == m_inputsLayout)
                m_inputsLayout->removeItem(port);
            delete port;
        }
    }
    m_inputsLayout->invalidate();
    m_grid->invalidate();
    updateGeometry();
}

void FBAbstractBlockGraphics::slotChangedModel(FBModelItem* item)
{
    if (!item)
        return;
    updateItemGraphics(item);
    // Items a change brings to a coarse block are as transparent as the others.
    if (m_coarse)
        setItemsOpacity(0.0);
    // A new call order number of the same width moves no port: there is nothing to lay out
    // and no connection to follow. Renumbering reaches every block below an added one.
    const QGraphicsLayout* grid = layout();
    if (item->type() != 1008 || !grid || !grid->isActivated())
        relayout();
    update();
}

void FBAbstractBlockGraphics::relayout()
{
    // Qt lays a widget out on a posted request; the block's ports must be where they are
    // drawn as soon as a change returns, for the connections that attach to them. The layout
    // is applied here directly: delivering the posted request would search the whole event
    // queue each time, which a load of many blocks fills.
    QGraphicsLayout* grid = layout();
    if (grid && !grid->isActivated())
        grid->activate();
    // Qt searches the whole event queue to drop or merge one object's posted event, and a load
    // posts for every block before the event loop runs again. The queue is kept short: the
    // block's layout request goes, answered here or by Qt laying the block out on a resize.
    QCoreApplication::removePostedEvents(this, QEvent::LayoutRequest);
    if (m_notify)
        emit onNeedUpdateConnections();
}

void FBAbstractBlockGraphics::updateGeometry()
{
    // The block always takes its minimum size: shrink to nothing and let the layout grow it
    // to what its items need. Cached hints are dropped first so the shrink sees the new ones.
    QGraphicsLayoutItem::updateGeometry();
    resize(1.0, 1.0);
    if (m_notify)
        emit onNeedUpdateConnections();
    QGraphicsWidget::updateGeometry();
}

void FBAbstractBlockGraphics::setGeometry(const QRectF& rect)
{
    QGraphicsWidget::setGeometry(rect);
    updateSideMargins();
}

void FBAbstractBlockGraphics::updateSideMargins()
{
    // Half of a port's circle stands out of the side it is on.
    auto overhang = [](const auto& ports) {
        for (const FBPortGraphics* port : ports) {
            if (port->isVisible())
                return port->overhang();
        }
        return qreal(0);
    };
    const qreal left = overhang(m_inputPorts);
    const qreal right = overhang(m_outputPorts);
    if (left == m_leftMargin && right == m_rightMargin)
        return;
    prepareGeometryChange();
    m_leftMargin = left;
    m_rightMargin = right;
}

QRectF FBAbstractBlockGraphics::boundingRect() const
{
    return rect().adjusted(-m_leftMargin, 0, m_rightMargin, 0);
}

QPainterPath FBAbstractBlockGraphics::shape() const
{
    QPainterPath path;
    path.addRect(rect());
    if (m_leftMargin == 0 && m_rightMargin == 0)
        return path;
    // Both clockwise: where a circle overlaps the rectangle it is inside twice, not out.
    path.setFillRule(Qt::WindingFill);
    auto addCircles = [&path, this](const auto& ports) {
        for (const FBPortGraphics* port : ports) {
            if (port->isVisible())
                path.addPath(port->mapToItem(this, port->shape()));
        }
    };
    addCircles(m_inputPorts);
    addCircles(m_outputPorts);
    return path;
}

void FBAbstractBlockGraphics::updateChildrenContained()
{
    bool outside = false;
    for (const FBOutputPortGraphics* port : qAsConst(m_outputPorts))
        outside = outside || port->liveValueItem();
    setFlag(ItemContainsChildrenInShape, !outside);
}

void FBAbstractBlockGraphics::setCoarse(bool coarse)
{
    if (coarse == m_coarse)
        return;
    m_coarse = coarse;
    setItemsOpacity(coarse ? 0.0 : 1.0);
    update();
}

void FBAbstractBlockGraphics::setItemsOpacity(qreal opacity)
{
    for (QGraphicsItem* child : childItems()) {
        // A comment's text is no item of the block's own kind: it stays as it is.
        if (dynamic_cast<FBGraphicsItem*>(child))
            child->setOpacity(opacity);
    }
}

void FBAbstractBlockGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    if (m_coarse) {
        paintCoarse(painter);
        return;
    }
    const StyleBlock& style = StyleCollection::instance().paintStyle().block();
    painter->setPen(QPen(isSelected() ? style.selectColor : style.borderColor, 2.0, Qt::SolidLine, Qt::SquareCap,
                         Qt::BevelJoin));
    painter->setBrush(style.backgroundColor);
    painter->drawRoundedRect(rect(), 3.0, 3.0, Qt::AbsoluteSize);
}

void FBAbstractBlockGraphics::paintCoarse(QPainter* painter) const
{
    // A block is a few pixels across here: its rounded corners are lost anyway, and filling
    // rectangles costs a fraction of stroking and filling rounded paths. A frame lies inside
    // the rectangle, within the bounding one, and is at least a pixel wide, so that every side
    // shows; a box too small for its frame is all frame.
    const qreal pixel = 1.0 / std::max(std::sqrt(std::abs(painter->worldTransform().determinant())), 1e-9);
    const auto fillFramed = [painter, pixel](const QRectF& rect, qreal pen, const QColor& frame, const QColor& fill) {
        const qreal width = std::max(pen, pixel);
        painter->fillRect(rect, frame);
        const QRectF inside = rect.adjusted(width, width, -width, -width);
        if (inside.width() > 0 && inside.height() > 0)
            painter->fillRect(inside, fill);
    };
    // Without antialiasing, as the lines at this detail: edges on whole pixels keep the
    // blocks apart.
    const bool smooth = painter->testRenderHint(QPainter::Antialiasing);
    if (smooth)
        painter->setRenderHint(QPainter::Antialiasing, false);
    const SceneStyle& style = StyleCollection::instance().paintStyle();
    fillFramed(rect(), 2.0, isSelected() ? style.block().selectColor : style.block().borderColor,
               style.block().backgroundColor);
    if (m_title) {
        fillFramed(m_title->mapRectToParent(m_title->boundingRect()), 1.0, style.blockTitle().borderColor,
                   style.blockTitle().backgroundColor);
    }
    if (smooth)
        painter->setRenderHint(QPainter::Antialiasing, true);
}

bool FBAbstractBlockGraphics::sceneEventFilter(QGraphicsItem* watched, QEvent* event)
{
    // The scene itself handles presses on ports: they start connections.
    const bool press = event->type() == QEvent::GraphicsSceneMousePress
        || event->type() == QEvent::GraphicsSceneMouseDoubleClick;
    const bool port = watched->type() == FBPortGraphics::InputType || watched->type() == FBPortGraphics::OutputType;
    if (press && port)
        return true;
    return QGraphicsWidget::sceneEventFilter(watched, event);
}

void FBAbstractBlockGraphics::contextMenuEvent(QGraphicsSceneContextMenuEvent* event)
{
    m_deleteAction->setText(deleteText());
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->addAction(m_deleteAction);
    }
    m_menuRunning = true;
    QPointer<FBAbstractBlockGraphics> alive(this);
    m_menu->exec(event->screenPos());
    if (alive)
        m_menuRunning = false;
    event->accept();
}

QVariant FBAbstractBlockGraphics::itemChange(GraphicsItemChange change, const QVariant& value)
{
    if (change == ItemPositionHasChanged) {
        if (auto* diagram = qobject_cast<GraphicsScene*>(scene()))
            diagram->noteBlockMoved();
        if (m_block)
            m_block->notifyChangedData();
    }
    if (change == ItemSelectedChange) {
        if (auto* diagram = qobject_cast<GraphicsScene*>(scene()))
            diagram->noteSelectionChange(this);
    }
    if (change == ItemSceneHasChanged && scene())
        m_stackingStamp = GraphicsScene::nextStackingStamp();
    return QGraphicsWidget::itemChange(change, value);
}

} // namespace Velmora
