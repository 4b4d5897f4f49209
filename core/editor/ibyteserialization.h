#pragma once

#include "vlm_core_export.h"

class QDataStream;

namespace Velmora {

// An object that writes itself into a project file or the clipboard and reads itself back.
class VLM_CORE_EXPORT IByteSerialization
{
public:
    virtual ~IByteSerialization() = default;

    virtual void writeData(QDataStream& stream) const = 0;
    // False, with the object unchanged where that matters, when the stream ends early.
    virtual bool readData(QDataStream& stream) = 0;
};

} // namespace Velmora
