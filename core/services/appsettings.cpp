#include "services/appsettings.h"

#include <QCoreApplication>

namespace Velmora {

AppSettings::AppSettings()
    : QSettings(QSettings::IniFormat, QSettings::UserScope, QCoreApplication::organizationName(),
                QCoreApplication::applicationName())
{ }

QLocale AppSettings::language() const
{
    return value(QStringLiteral("general_settings/language"), defaultLanguage()).toLocale();
}

QLocale AppSettings::defaultLanguage()
{
    return QLocale(QLocale::English, QLocale::AnyCountry);
}

} // namespace Velmora
