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
    // Shows the call order the model holds after a renumbering that did not notify: only the
    // number is drawn anew unless it needs another width. Without `repaint` the caller
    // repaints the number.
    void showCallOrder(FBModelItem* item, bool repaint = true);

protected:
    void createLayouts() override;
    void createItemGraphics(FBModelItem* item) override;
    void updateItemGraphics(FBModelItem* item) override;

private:
    QGraphicsLinearLayout* m_callOrderLayout = nullptr;
    FBCallOrderGraphics* m_callOrder = nullptr;
};

} // namespace Velmora
