#include "editor/fbcommentgraphics.h"

#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "model/fbcommentmodel.h"

#include <QAbstractTextDocumentLayout>
#include <QFocusEvent>
#include <QGraphicsGridLayout>
#include <QGraphicsSceneMouseEvent>
#include <QPainter>
#include <QTextCursor>
#include <QTextDocument>

namespace Velmora {

namespace {

const bool registered
    = FBAbstractBlockGraphics::factory().registerBuilder<FBCommentGraphics>(QStringLiteral("comment_model"));

} // namespace

FBCommentGraphics::TextItem::TextItem(FBCommentGraphics* comment)
    : QGraphicsTextItem(comment)
    , m_comment(comment)
{
    setGraphicsItem(this);
    setFont(QFont(QStringLiteral("Arial"), 20));
    setAcceptHoverEvents(false);
    setTextInteractionFlags(Qt::NoTextInteraction);
}

QSizeF FBCommentGraphics::TextItem::sizeHint(Qt::SizeHint which, const QSizeF&) const
{
    if (which == Qt::MaximumSize)
        return QSizeF(1000.0, 1000.0);
    return boundingRect().size();
}

void FBCommentGraphics::TextItem::setGeometry(const QRectF& rect)
{
    prepareGeometryChange();
    QGraphicsLayoutItem::setGeometry(rect);
    setPos(rect.topLeft());
}

void FBCommentGraphics::TextItem::paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget)
{
    const QColor color = StyleCollection::instance().paintStyle().block().textColor;
    if (defaultTextColor() != color)
        setDefaultTextColor(color);
    painter->setRenderHint(QPainter::TextAntialiasing);
    QGraphicsTextItem::paint(painter, option, widget);
}

bool FBCommentGraphics::TextItem::isEditing() const
{
    return textInteractionFlags() != Qt::NoTextInteraction;
}

void FBCommentGraphics::TextItem::startEditing(const QPointF& scenePos)
{
    setTextInteractionFlags(Qt::TextEditorInteraction);
    const int position = document()->documentLayout()->hitTest(mapFromScene(scenePos), Qt::FuzzyHit);
    if (position >= 0) {
        QTextCursor cursor = textCursor();
        cursor.setPosition(position);
        setTextCursor(cursor);
    }
    setFocus(Qt::MouseFocusReason);
    m_comment->setFlag(ItemIsMovable, false);
}

void FBCommentGraphics::TextItem::stopEditing()
{
    QTextCursor cursor = textCursor();
    cursor.clearSelection();
    setTextCursor(cursor);
    setTextInteractionFlags(Qt::NoTextInteraction);
    m_comment->setFlag(ItemIsMovable, true);
}

void FBCommentGraphics::TextItem::focusOutEvent(QFocusEvent* event)
{
    QGraphicsTextItem::focusOutEvent(event);
    // The text's own context menu takes the focus for a moment; editing goes on after it.
    if (event->reason() != Qt::PopupFocusReason)
        stopEditing();
}

FBCommentGraphics::FBCommentGraphics(QGraphicsItem* parent)
    : FBAbstractBlockGraphics(parent)
{
    setZValue(200);
    setAcceptHoverEvents(true);
    setFiltersChildEvents(false);
    // A long line of text reaches past the comment's frame.
    setFlag(ItemContainsChildrenInShape, false);
}

void FBCommentGraphics::createLayouts()
{
    m_grid = new QGraphicsGridLayout;
    m_grid->setContentsMargins(3.0, 3.0, 3.0, 3.0);
}

void FBCommentGraphics::build()
{
    createLayouts();
    m_text = new TextItem(this);
    m_grid->addItem(m_text, 0, 0, 1, 2, Qt::AlignCenter);
    setLayout(m_grid);
    connect(m_text->document(), &QTextDocument::contentsChanged, this, &FBCommentGraphics::slotUpdatedText);
    if (auto* model = qobject_cast<FBCommentModel*>(m_block ? m_block->model() : nullptr))
        m_text->setPlainText(model->text());
    slotUpdatedText();
}

void FBCommentGraphics::slotUpdatedText()
{
    if (!m_text)
        return;
    prepareGeometryChange();
    m_text->updateGeometry();
    m_grid->updateGeometry();
    updateGeometry();
    relayout();
    update();

    auto* model = qobject_cast<FBCommentModel*>(m_block ? m_block->model() : nullptr);
    if (!model)
        return;
    const QString text = m_text->toPlainText();
    if (text == model->text())
        return;
    model->setText(text);
    // The text is saved with the project, so an edit must make the project modified.
    m_block->notifyChangedData();
}

bool FBCommentGraphics::sceneEvent(QEvent* event)
{
    switch (event->type()) {
    case QEvent::GraphicsSceneMouseDoubleClick: {
        auto* mouse = static_cast<QGraphicsSceneMouseEvent*>(event);
        if (mouse->button() != Qt::LeftButton || !m_text)
            break;
        const bool handled = FBAbstractBlockGraphics::sceneEvent(event);
        m_text->startEditing(mouse->scenePos());
        return handled;
    }
    case QEvent::WindowDeactivate:
        if (m_text && m_text->isEditing())
            m_editing = true;
        break;
    case QEvent::WindowActivate: {
        // A scene made read-only meanwhile takes no more typing.
        const auto* diagram = qobject_cast<const GraphicsScene*>(scene());
        if (m_editing && m_text && !(diagram && diagram->isReadOnly())) {
            m_text->setTextInteractionFlags(Qt::TextEditorInteraction);
            m_text->setFocus(Qt::ActiveWindowFocusReason);
            setFlag(ItemIsMovable, false);
        }
        m_editing = false;
        break;
    }
    default:
        break;
    }
    return FBAbstractBlockGraphics::sceneEvent(event);
}

} // namespace Velmora
