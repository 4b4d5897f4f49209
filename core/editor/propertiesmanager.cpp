#include "editor/propertiesmanager.h"

#include "services/singleton.h"

namespace Velmora {

PropertiesManager& PropertiesManager::instance()
{
    static std::atomic<PropertiesManager*> manager { nullptr };
    static QMutex mutex;
    return lazySingleton(manager, mutex, [] { return new PropertiesManager; });
}

void PropertiesManager::showProperty(FBModelItem* item)
{
    emit onShowProperty(item);
}

void PropertiesManager::reset()
{
    emit onReset();
}

void PropertiesManager::update(FBModelItem* item)
{
    emit onUpdate(item);
}

} // namespace Velmora
