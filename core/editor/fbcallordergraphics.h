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
    // Shows another number when it has the size of the shown one; false, with nothing
    // changed, when the row must be laid out for it. Without `repaint` the caller repaints.
    bool replaceNumber(int number, bool repaint);

protected:
    QSizeF textSize(const QString& text) const override;

private:
    QSizeF numberSize(int number) const;

    // The number the text shows when it came from replaceNumber(); -1 after the model's text.
    int m_number = -1;
};

} // namespace Velmora
