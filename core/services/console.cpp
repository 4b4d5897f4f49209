#include "services/console.h"

#include "services/singleton.h"

namespace Velmora {

Console& Console::instance()
{
    static std::atomic<Console*> console { nullptr };
    static QMutex mutex;
    return lazySingleton(console, mutex, [] { return new Console; });
}

void Console::printMessage(const QString& msg)
{
    emit onPrintMessage(msg);
}

} // namespace Velmora
