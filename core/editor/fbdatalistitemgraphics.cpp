#include "editor/fbdatalistitemgraphics.h"

#include "model/fbmodellist.h"

namespace Velmora {

void FBDataListItemGraphics::readText(FBModelItem* item)
{
    if (item->type() != 1007)
        return;
    const auto* list = static_cast<const FBModelList*>(item);
    m_text = QStringLiteral("%1: %2").arg(list->valueName(), list->currentValue());
}

} // namespace Velmora
