#include "library/fbmodelfactory.h"

#include "model/fbabstractmodel.h"
#include "services/singleton.h"

namespace Velmora {

namespace {

const QString deviceSection = QStringLiteral("Device");

} // namespace

FBModelFactory& FBModelFactory::instance()
{
    static std::atomic<FBModelFactory*> factory { nullptr };
    static QMutex mutex;
    return lazySingleton(factory, mutex, [] { return new FBModelFactory; });
}

FBModelFactory::FBModelFactory()
    : m_sections { deviceSection }
{ }

FBModelFactory::~FBModelFactory()
{
    qDeleteAll(m_models);
    qDeleteAll(m_deviceModels);
}

bool FBModelFactory::registerModel(const QString& section, const QString& protoName, FBAbstractModel* model)
{
    if (m_models.contains(protoName))
        return false;
    model->setProtoName(protoName);
    m_models.insert(protoName, model->clone());
    m_names.insert(protoName, protoName);
    m_sections.insert(section);
    m_sectionsMap.insert(section, protoName);
    return true;
}

bool FBModelFactory::registerDeviceModel(DeviceType device, const QString& protoName, FBAbstractModel* model)
{
    if (m_models.contains(protoName))
        return false;
    model->setProtoName(protoName);
    m_names.insert(protoName, protoName);
    // Every device listing the block carries the same definition; the last one read is kept.
    delete m_deviceModels.take(protoName);
    m_deviceModels.insert(protoName, model->clone());
    m_deviceSections.insert(device, protoName);
    return true;
}

FBAbstractModel* FBModelFactory::create(const QString& protoName) const
{
    const FBAbstractModel* prototype = m_models.value(protoName, nullptr);
    if (!prototype)
        prototype = m_deviceModels.value(protoName, nullptr);
    return prototype ? prototype->clone() : nullptr;
}

bool FBModelFactory::isRegistred(const QString& protoName) const
{
    return m_models.contains(protoName);
}

QStringList FBModelFactory::getIdList() const
{
    return m_models.keys() + m_deviceModels.keys();
}

QStringList FBModelFactory::getNameList() const
{
    return m_names.keys();
}

QString FBModelFactory::idByName(const QString& name) const
{
    return m_names.value(name);
}

QSet<QString> FBModelFactory::getSections() const
{
    return m_sections;
}

QStringList FBModelFactory::getSectionsList() const
{
    return m_sectionsMap.keys();
}

QMultiMap<QString, QString> FBModelFactory::getSectionsMap() const
{
    return m_sectionsMap;
}

void FBModelFactory::initDeviceSection(DeviceType device)
{
    m_sectionsMap.remove(deviceSection);
    for (const QString& protoName : m_deviceSections.values(device))
        m_sectionsMap.insert(deviceSection, protoName);
}

} // namespace Velmora
