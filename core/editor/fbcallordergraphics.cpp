#include "editor/fbcallordergraphics.h"

#include <QFontMetricsF>
#include <QHash>

namespace Velmora {

FBCallOrderGraphics::FBCallOrderGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, QFont(QStringLiteral("Arial"), 10), 10.0, 5.0)
{ }

void FBCallOrderGraphics::setModelItem(FBModelItem* item)
{
    FBTitleGraphics::setModelItem(item);
    // The number is never stretched, and a longer number must not be clipped to the width
    // of the first one.
    setMaximumSize(m_size);
}

// A block added above the others moves the number of every block below it, and each number
// is measured to see whether the row must be laid out again. Shaping a text is most of that,
// and the numbers of a diagram are few and come back, so their sizes are kept.
QSizeF FBCallOrderGraphics::textSize(const QString& text) const
{
    static QFont sizesFont;
    static QHash<QString, QSizeF> sizes;
    constexpr int kMaxKept = 100000;
    if (m_font != sizesFont || sizes.size() >= kMaxKept) {
        sizes.clear();
        sizesFont = m_font;
    }
    const auto it = sizes.constFind(text);
    if (it != sizes.constEnd())
        return it.value();
    const QSizeF size = FBTitleGraphics::textSize(text);
    sizes.insert(text, size);
    return size;
}

void FBCallOrderGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintPlainText(painter);
}

} // namespace Velmora
