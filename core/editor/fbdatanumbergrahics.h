#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBDataNumGraphics;

// A constant block: title, one output and the value below.
class VLM_CORE_EXPORT FBDataNumberGrahics : public FBAbstractBlockGraphics
{
    Q_OBJECT
public:
    enum { Type = UserType + 2 };

    using FBAbstractBlockGraphics::FBAbstractBlockGraphics;

    int type() const override { return Type; }
    FBDataNumGraphics* valueItem() const { return m_valueItem; }

protected:
    void createItemGraphics(FBModelItem* item) override;
    void updateItemGraphics(FBModelItem* item) override;

private:
    FBDataNumGraphics* m_valueItem = nullptr;
};

} // namespace Velmora
