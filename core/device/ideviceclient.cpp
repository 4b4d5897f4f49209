#include "device/ideviceclient.h"

#include "device/connectionsettings.h"

namespace Velmora {

IDeviceClient::IDeviceClient(QObject* parent)
    : QObject(parent)
{ }

bool IDeviceClient::readClientSettings(QSettings& settings)
{
    ConnectionSettings::read(settings, defaultHost(), m_host, m_port);
    return true;
}

bool IDeviceClient::writeClientSettings(QSettings& settings) const
{
    ConnectionSettings::write(settings, m_host, m_port);
    return true;
}

} // namespace Velmora
