#pragma once

#include "editor/istylescene.h"
#include "vlm_core_export.h"

#include <QColor>

namespace Velmora {

// The colours of the block body.
class VLM_CORE_EXPORT StyleBlock : public IStyleScene
{
public:
    bool read(const QDomElement& styleElement) override;

    QColor backgroundColor;
    QColor borderColor;
    QColor selectColor;
    QColor textColor;
};

} // namespace Velmora
