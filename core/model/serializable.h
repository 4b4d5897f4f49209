#pragma once

#include "vlm_core_export.h"

class QDataStream;
class QDomElement;

namespace Velmora {

// Something that is stored in a stream and built from its element of the block library.
class VLM_CORE_EXPORT Serializable
{
public:
    virtual ~Serializable() = default;

    virtual bool writeToDataStream(QDataStream& stream) const = 0;
    virtual bool readFromDataStream(QDataStream& stream) = 0;
    virtual bool writeToXml(QDomElement& element) const = 0;
    virtual bool readFromXml(QDomElement& element) = 0;
    virtual bool initFromXmlLib(const QDomElement& element) = 0;
};

} // namespace Velmora
