#include "editor/fbcallordergraphics.h"

#include <QFontMetricsF>
#include <QHash>

namespace Velmora {

FBCallOrderGraphics::FBCallOrderGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, sharedFont(10), 10.0, 5.0)
{ }

void FBCallOrderGraphics::setModelItem(FBModelItem* item)
{
    FBTitleGraphics::setModelItem(item);
    m_number = -1;
    // The number is never stretched, and a longer number must not be clipped to the width
    // of the first one.
    setMaximumSize(m_size);
}

// A block added above the others moves the number of every block below it, and each number
// is measured to see whether the row must be laid out again. Shaping a text is most of that,
// and the numbers of a diagram are few and come back, so their sizes are kept.
QSizeF FBCallOrderGraphics::numberSize(int number) const
{
    static QFont sizesFont;
    static QHash<int, QSizeF> sizes;
    constexpr int kMaxKept = 100000;
    if (m_font != sizesFont || sizes.size() >= kMaxKept) {
        sizes.clear();
        sizesFont = m_font;
    }
    const auto it = sizes.constFind(number);
    if (it != sizes.constEnd())
        return it.value();
    const QSizeF size = FBTitleGraphics::textSize(QString::number(number));
    sizes.insert(number, size);
    return size;
}

QSizeF FBCallOrderGraphics::textSize(const QString& text) const
{
    bool ok = false;
    const int number = text.toInt(&ok);
    // Only a number's own text is kept: "007" is measured as it is written.
    if (ok && QString::number(number) == text)
        return numberSize(number);
    return FBTitleGraphics::textSize(text);
}

bool FBCallOrderGraphics::replaceNumber(int number, bool repaint)
{
    if (number == m_number)
        return true;
    if (numberSize(number) + QSizeF(m_extraWidth, m_extraHeight) != m_size)
        return false;
    m_text = QString::number(number);
    m_number = number;
    if (repaint)
        update();
    return true;
}

void FBCallOrderGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    paintPlainText(painter);
}

} // namespace Velmora
