#pragma once

#include "editor/fbabstractblockgraphics.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBDataListItemGraphics;

// A value-list block: title, one output and the chosen value below.
class VLM_CORE_EXPORT FBDataListGraphics : public FBAbstractBlockGraphics
{
    Q_OBJECT
public:
    enum { Type = UserType + 3 };

    using FBAbstractBlockGraphics::FBAbstractBlockGraphics;

    int type() const override { return Type; }
    FBDataListItemGraphics* valueItem() const { return m_valueItem; }

protected:
    void createItemGraphics(FBModelItem* item) override;
    void updateItemGraphics(FBModelItem* item) override;

private:
    FBDataListItemGraphics* m_valueItem = nullptr;
};

} // namespace Velmora
