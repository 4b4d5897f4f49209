#include "device/connectionsettings.h"

#include <QSettings>

namespace Velmora {

void ConnectionSettings::read(QSettings& settings, const QString& defaultHost, QString& host, quint16& port)
{
    settings.beginGroup(QStringLiteral("connection"));
    host = settings.value(QStringLiteral("ip"), defaultHost).toString();
    port = quint16(settings.value(QStringLiteral("port"), uint(defaultPort)).toUInt());
    settings.endGroup();
}

void ConnectionSettings::write(QSettings& settings, const QString& host, quint16 port)
{
    settings.beginGroup(QStringLiteral("connection"));
    settings.setValue(QStringLiteral("ip"), host);
    settings.setValue(QStringLiteral("port"), uint(port));
    settings.endGroup();
    settings.sync();
}

} // namespace Velmora
