#pragma once

#include "vlm_core_export.h"

#include <QString>

class QSettings;

namespace Velmora {

// The module address both clients keep in the settings group "connection".
class VLM_CORE_EXPORT ConnectionSettings
{
public:
    static constexpr quint16 defaultPort = 1518;

    static void read(QSettings& settings, const QString& defaultHost, QString& host, quint16& port);
    static void write(QSettings& settings, const QString& host, quint16 port);
};

} // namespace Velmora
