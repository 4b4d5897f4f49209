#pragma once

#include "services/devicetype.h"
#include "vlm_core_export.h"

#include <QMap>
#include <QMultiMap>
#include <QSet>
#include <QString>
#include <QStringList>

namespace Velmora {

class FBAbstractModel;

// The registry of block prototypes by prototype name, sorted into library sections, with the
// blocks of each controller model kept apart and shown in the section "Device".
class VLM_CORE_EXPORT FBModelFactory
{
    Q_DISABLE_COPY(FBModelFactory)
public:
    // The process-wide registry. A separate one can be made for a reader of another library.
    static FBModelFactory& instance();

    FBModelFactory();
    ~FBModelFactory();

    // Both store a clone of the model; the caller keeps the model itself.
    bool registerModel(const QString& section, const QString& protoName, FBAbstractModel* model);
    bool registerDeviceModel(DeviceType device, const QString& protoName, FBAbstractModel* model);

    // A new block model cloned from the prototype, owned by the caller; null for an unknown name.
    FBAbstractModel* create(const QString& protoName) const;
    bool isRegistred(const QString& protoName) const;

    QStringList getIdList() const;
    QStringList getNameList() const;
    QString idByName(const QString& name) const;
    QSet<QString> getSections() const;
    QStringList getSectionsList() const;
    QMultiMap<QString, QString> getSectionsMap() const;

    // Shows the blocks of one controller model in the section "Device".
    void initDeviceSection(DeviceType device);

private:
    QMap<QString, FBAbstractModel*> m_models;
    QMap<QString, QString> m_names;
    QSet<QString> m_sections;
    QMultiMap<QString, QString> m_sectionsMap;
    QMap<QString, FBAbstractModel*> m_deviceModels;
    QMultiMap<DeviceType, QString> m_deviceSections;
};

} // namespace Velmora
