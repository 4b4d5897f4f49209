#include "device/ifirmwareclient.h"

#include <QSettings>

namespace Velmora {

IFirmwareClient::IFirmwareClient(QObject* parent)
    : QObject(parent)
{ }

bool IFirmwareClient::readClientSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("connection"));
    m_host = settings.value(QStringLiteral("ip"), QStringLiteral("10.14.0.254")).toString();
    m_port = quint16(settings.value(QStringLiteral("port"), 1518u).toUInt());
    settings.endGroup();
    return true;
}

bool IFirmwareClient::writeClientSettings(QSettings& settings) const
{
    settings.beginGroup(QStringLiteral("connection"));
    settings.setValue(QStringLiteral("ip"), m_host);
    settings.setValue(QStringLiteral("port"), uint(m_port));
    settings.endGroup();
    settings.sync();
    return true;
}

} // namespace Velmora
