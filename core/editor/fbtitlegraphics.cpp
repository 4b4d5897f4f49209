#include "editor/fbtitlegraphics.h"

#include "editor/scenestyle.h"
#include "editor/stylecollection.h"
#include "model/fbmodelitem.h"

#include <QFontMetricsF>
#include <QPainter>

namespace Velmora {

FBTitleGraphics::FBTitleGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, sharedFont(15), 60.0, 20.0)
{ }

FBTitleGraphics::FBTitleGraphics(FBAbstractBlockGraphics* block, const QFont& font, qreal extraWidth,
                                 qreal extraHeight)
    : FBGraphicsItem(block)
    , m_font(font)
    , m_extraWidth(extraWidth)
    , m_extraHeight(extraHeight)
{ }

void FBTitleGraphics::setModelItem(FBModelItem* item)
{
    readText(item);
    // The bounding rectangle is the one the layout gives: only a new size changes it.
    const QSizeF size = textSize(m_text) + QSizeF(m_extraWidth, m_extraHeight);
    if (size == m_size)
        return;
    prepareGeometryChange();
    m_size = size;
    updateLayout();
}

bool FBTitleGraphics::replaceText(const QString& text)
{
    if (textSize(text) + QSizeF(m_extraWidth, m_extraHeight) != m_size)
        return false;
    if (text != m_text) {
        m_text = text;
        update();
    }
    return true;
}

QSizeF FBTitleGraphics::textSize(const QString& text) const
{
    return QFontMetricsF(m_font).size(Qt::TextSingleLine, text);
}

void FBTitleGraphics::readText(FBModelItem* item)
{
    m_text = item->dataToVariant().toString();
}

QSizeF FBTitleGraphics::sizeHint(Qt::SizeHint which, const QSizeF&) const
{
    if (which == Qt::MaximumSize)
        return QSizeF(1000.0, 1000.0);
    return m_size;
}

void FBTitleGraphics::setGeometry(const QRectF& rect)
{
    FBGraphicsItem::setGeometry(rect);
    setPos(rect.topLeft());
}

void FBTitleGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const StyleBlockTitle& style = StyleCollection::instance().paintStyle().blockTitle();
    painter->setPen(style.borderColor);
    painter->setBrush(style.backgroundColor);
    painter->drawRoundedRect(boundingRect(), 3.0, 3.0, Qt::AbsoluteSize);
    if (!isFineDetail(painter))
        return;
    painter->setFont(m_font);
    painter->setPen(StyleCollection::instance().paintStyle().blockTitle().textColor);
    m_cachedText.draw(painter, boundingRect(), Qt::AlignCenter, m_text);
}

void FBTitleGraphics::paintPlainText(QPainter* painter)
{
    if (!isFineDetail(painter))
        return;
    painter->setFont(m_font);
    painter->setPen(StyleCollection::instance().paintStyle().block().textColor);
    m_cachedText.draw(painter, boundingRect(), Qt::AlignCenter, m_text);
}

} // namespace Velmora
