#pragma once

#include "services/devicetype.h"
#include "vlm_core_export.h"

#include <QMap>
#include <QString>

#include <memory>

class QDomDocument;
class QDomElement;

namespace Velmora {

class FBAbstractModel;
class FBModelFactory;
class FBModelItem;

// Reads the block library file and registers every entry as a prototype.
class VLM_CORE_EXPORT FBLibReader
{
public:
    explicit FBLibReader(FBModelFactory* factory = nullptr);

    bool readFromXml(const QString& fileName);
    bool readFromString(const QString& xml);

private:
    bool readDocument(const QDomDocument& document);
    bool readSection(const QDomElement& element);
    bool readDevice(const QDomElement& element);
    bool readModel(const QDomElement& element, const QString& sectionName);
    bool readDeviceModel(const QDomElement& element, DeviceType device);
    bool readItem(const QDomElement& element, FBModelItem* parent);
    // The model of one library entry with its items, or null when the entry is invalid.
    std::unique_ptr<FBAbstractModel> buildModel(const QDomElement& element);

    FBModelFactory& m_factory;
    const QMap<QString, DeviceType> m_deviceNames;
};

} // namespace Velmora
