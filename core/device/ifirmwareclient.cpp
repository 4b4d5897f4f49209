#include "device/ifirmwareclient.h"

#include "device/connectionsettings.h"

namespace Velmora {

IFirmwareClient::IFirmwareClient(QObject* parent)
    : QObject(parent)
{ }

bool IFirmwareClient::readClientSettings(QSettings& settings)
{
    ConnectionSettings::read(settings, QStringLiteral("10.14.0.254"), m_host, m_port);
    return true;
}

bool IFirmwareClient::writeClientSettings(QSettings& settings) const
{
    ConnectionSettings::write(settings, m_host, m_port);
    return true;
}

} // namespace Velmora
