#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>

namespace Velmora {

// The colours of the scene background.
class VLM_CORE_EXPORT StyleScene : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    QColor backgroundColor;
};

} // namespace Velmora
