#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>

namespace Velmora {

// The colours of the port circles and labels.
class VLM_CORE_EXPORT StylePort : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    QColor borderColor;
    QColor textColor;
};

} // namespace Velmora
