#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBCallOrderGraphics;

// An ordinary block: title, ports and its call order in the bottom right corner.
class VLM_CORE_EXPORT FBBaseGraphics : public FBAbstractBlockGraphics
{
    Q_OBJECT
public:
    enum { Type = UserType + 1 };

    using FBAbstractBlockGraphics::FBAbstractBlockGraphics;

    int type() const override { return Type; }
    FBCallOrderGraphics* callOrderItem() const { return m_callOrder; }
    // Shows the call order the model holds after a renumbering from `previous` that did not
    // notify: a number of the previous one's size is drawn at the next paint, one of another
    // size lays the block out. Without `repaint` the caller repaints the number.
    void showCallOrder(FBModelItem* item, int previous, bool repaint = true);

protected:
    void createLayouts() override;
    void createItemGraphics(FBModelItem* item) override;
    void updateItemGraphics(FBModelItem* item) override;

private:
    QGraphicsLinearLayout* m_callOrderLayout = nullptr;
    FBCallOrderGraphics* m_callOrder = nullptr;
};

} // namespace Velmora
