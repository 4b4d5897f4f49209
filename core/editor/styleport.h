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
    // The live value beside an output while simulating, and the frame of a forced one.
    QColor valueColor;
    QColor forcedColor;
};

} // namespace Velmora
