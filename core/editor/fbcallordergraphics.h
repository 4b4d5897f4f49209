#pragma once

#include "editor/fbtitlegraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

// The call order number in the bottom row of an ordinary block.
class VLM_CORE_EXPORT FBCallOrderGraphics : public FBTitleGraphics
{
public:
    explicit FBCallOrderGraphics(FBAbstractBlockGraphics* block);

    void setModelItem(FBModelItem* item) override;
    void paint(QPainter* painter, const QStyleOptionGraphicsItem* option, QWidget* widget) override;
    // The number the block's model holds, which may be newer than the one last painted.
    QString text() const override;
    // Whether a number shows in the size of another. A block renumbered from one to the other
    // is not laid out again: its number takes the new value from the model at the next paint.
    static bool keepsSize(int from, int to);

protected:
    QSizeF textSize(const QString& text) const override;

private:
    struct NumberText
    {
        QSizeF size;
        QString text;
    };
    // Valid until the next call.
    static const NumberText& numberText(int number);
    // The call order of the block's model; -1 without one.
    int heldNumber() const;

    // The number the text shows; -1 when it is not a call order.
    int m_number = -1;
};

} // namespace Velmora
