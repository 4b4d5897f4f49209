#include "editor/iconnectionview.h"

#include "editor/connectionpresenter.h"
#include "editor/graphicsscene.h"
#include "editor/iconnectionmodel.h"
#include "editor/notifyemitterpos.h"
#include "editor/notifyreceiverpos.h"
#include "editor/notifystate.h"

#include <QAction>
#include <QCoreApplication>
#include <QGraphicsScene>
#include <QGraphicsSceneContextMenuEvent>
#include <QMenu>

namespace Velmora {

namespace {

constexpr qreal kNormalZ = 50.0;
constexpr qreal kHoverZ = 51.0;
constexpr qreal kSelectedZ = 52.0;

QString removeText()
{
    return QCoreApplication::translate("IConnectionView", "Remove");
}

} // namespace

IConnectionView::IConnectionView(QGraphicsItem* parent)
    : QGraphicsItem(parent)
{
    setZValue(kNormalZ);
    applyState(m_state);
    createMenu();
}

IConnectionView::~IConnectionView()
{
    if (m_presenter)
        m_presenter->releaseView(this);
    // The menu and its action may be the ones running this very deletion.
    if (m_menu && m_menu->isVisible()) {
        m_menu->deleteLater();
        m_removeAction->deleteLater();
    } else {
        delete m_menu;
        delete m_removeAction;
    }
}

void IConnectionView::createMenu()
{
    // The menu itself, a widget, is made when it is first wanted: a diagram has thousands of
    // connections and each new widget costs every later one a search of the event queue.
    m_removeAction = new QAction(removeText());
}

void IConnectionView::processNotify(const IConnectionNotify& notify)
{
    switch (notify.type()) {
    case NotifyEmitterPos::Type:
        m_emitterPoint = static_cast<const NotifyEmitterPos&>(notify).pos;
        updatePath();
        break;
    case NotifyReceiverPos::Type:
        m_receiverPoint = static_cast<const NotifyReceiverPos&>(notify).pos;
        updatePath();
        break;
    case NotifyState::Type:
        applyState(static_cast<const NotifyState&>(notify).state);
        break;
    default:
        break;
    }
}

void IConnectionView::notifyModel(const IConnectionNotify& notify)
{
    if (m_presenter)
        m_presenter->notifyModel(notify);
}

// A connection being drawn lets the cursor through to the scene, which draws it.
void IConnectionView::applyState(int state)
{
    m_state = state;
    const bool interactive = state != IConnectionModel::Construction;
    setFlag(ItemIsSelectable, interactive);
    setAcceptHoverEvents(interactive);
    update();
}

QVariant IConnectionView::itemChange(GraphicsItemChange change, const QVariant& value)
{
    // The scene sends no hover leave to an item it lets go: a line removed under the cursor
    // would come back drawn as hovered.
    if (change == ItemSceneHasChanged && m_hovered)
        clearHover();
    if (change == ItemSceneHasChanged && scene())
        m_stackingStamp = GraphicsScene::nextStackingStamp();
    // The diagram's scene keeps the states of its selected connections itself, from the
    // changes it is told of here; asking any scene for its whole selection at each change
    // would make selecting many lines cost the square of their number.
    auto* diagram = qobject_cast<GraphicsScene*>(scene());
    if (change == ItemSelectedChange && diagram)
        diagram->noteSelectionChange(this);
    if (change == ItemSelectedHasChanged) {
        const bool selected = value.toBool();
        setZValue(selected ? kSelectedZ : kNormalZ);
        if (m_state != IConnectionModel::Construction) {
            if (!selected)
                notifyModel(NotifyState(IConnectionModel::Normal));
            else if (!diagram && (!scene() || scene()->selectedItems().size() == 1))
                notifyModel(NotifyState(IConnectionModel::Edit));
        }
    }
    return QGraphicsItem::itemChange(change, value);
}

void IConnectionView::hoverEnterEvent(QGraphicsSceneHoverEvent* event)
{
    m_hovered = true;
    setZValue(kHoverZ);
    update();
    QGraphicsItem::hoverEnterEvent(event);
}

void IConnectionView::hoverLeaveEvent(QGraphicsSceneHoverEvent* event)
{
    clearHover();
    QGraphicsItem::hoverLeaveEvent(event);
}

void IConnectionView::clearHover()
{
    m_hovered = false;
    setZValue(m_state == IConnectionModel::Edit ? kSelectedZ : kNormalZ);
    update();
}

void IConnectionView::contextMenuEvent(QGraphicsSceneContextMenuEvent* event)
{
    m_removeAction->setText(removeText());
    event->accept();
    if (!m_menu) {
        m_menu = new QMenu;
        m_menu->addAction(m_removeAction);
    }
    m_menu->exec(event->screenPos());
}

void IConnectionView::setLiveState(LiveState state)
{
    if (state == m_liveState)
        return;
    m_liveState = state;
    update();
}

} // namespace Velmora
