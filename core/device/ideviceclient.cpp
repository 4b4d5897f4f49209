#include "device/ideviceclient.h"

#include <QSettings>

namespace Velmora {

IDeviceClient::IDeviceClient(QObject* parent)
    : QObject(parent)
{ }

bool IDeviceClient::readClientSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("connection"));
    m_host = settings.value(QStringLiteral("ip"), defaultHost()).toString();
    m_port = quint16(settings.value(QStringLiteral("port"), uint(defaultPort)).toUInt());
    settings.endGroup();
    return true;
}

bool IDeviceClient::writeClientSettings(QSettings& settings) const
{
    settings.beginGroup(QStringLiteral("connection"));
    settings.setValue(QStringLiteral("ip"), m_host);
    settings.setValue(QStringLiteral("port"), uint(m_port));
    settings.endGroup();
    settings.sync();
    return true;
}

} // namespace Velmora
