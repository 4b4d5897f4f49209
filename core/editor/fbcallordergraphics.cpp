#include "editor/fbcallordergraphics.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "model/fbbasemodel.h"
#include "model/fbmodelcallorder.h"

#include <QFontMetricsF>
#include <QVector>

namespace Velmora {

namespace {

const QFont& numberFont()
{
    return FBGraphicsItem::sharedFont(10);
}

} // namespace

FBCallOrderGraphics::FBCallOrderGraphics(FBAbstractBlockGraphics* block)
    : FBTitleGraphics(block, numberFont(), 10.0, 5.0)
{ }

void FBCallOrderGraphics::setModelItem(FBModelItem* item)
{
    FBTitleGraphics::setModelItem(item);
    m_number = item->type() == 1008 ? static_cast<const FBModelCallOrder*>(item)->data() : -1;
    // The number is never stretched, and a longer number must not be clipped to the width
    // of the first one.
    setMaximumSize(m_size);
}

// A block added above the others moves the number of every block below it, and each number
// is measured to see whether the row must be laid out again. Shaping a text is most of that,
// and the numbers of a diagram run from 0 up and come back, so their sizes and texts are kept
// in a table by number: moving every block by one reads it in order.
const FBCallOrderGraphics::NumberText& FBCallOrderGraphics::numberText(int number)
{
    static QVector<NumberText> kept;
    static NumberText other;
    constexpr int kMaxKept = 100000;
    NumberText* entry = &other;
    if (number >= 0 && number < kMaxKept) {
        if (number >= kept.size())
            kept.resize(number + 1);
        entry = &kept[number];
        if (entry->size.isValid())
            return *entry;
    }
    entry->text = QString::number(number);
    entry->size = QFontMetricsF(numberFont()).size(Qt::TextSingleLine, entry->text);
    return *entry;
}

bool FBCallOrderGraphics::keepsSize(int from, int to)
{
    const QSizeF size = numberText(from).size;
    return numberText(to).size == size;
}

QSizeF FBCallOrderGraphics::textSize(const QString& text) const
{
    bool ok = false;
    const int number = text.toInt(&ok);
    // Only a number's own text is kept: "007" is measured as it is written.
    if (ok && m_font == numberFont() && QString::number(number) == text)
        return numberText(number).size;
    return FBTitleGraphics::textSize(text);
}

int FBCallOrderGraphics::heldNumber() const
{
    const FuncBlock* block = m_block ? m_block->funcBlock() : nullptr;
    const auto* model = block ? qobject_cast<const FBBaseModel*>(block->model()) : nullptr;
    return model ? model->callOrder() : -1;
}

QString FBCallOrderGraphics::text() const
{
    const int held = heldNumber();
    return held >= 0 && held != m_number ? numberText(held).text : m_text;
}

void FBCallOrderGraphics::paint(QPainter* painter, const QStyleOptionGraphicsItem*, QWidget*)
{
    const int held = heldNumber();
    if (held >= 0 && held != m_number) {
        m_text = numberText(held).text;
        m_number = held;
    }
    paintPlainText(painter);
}

} // namespace Velmora
