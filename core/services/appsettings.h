#pragma once

#include "vlm_core_export.h"

#include <QLocale>
#include <QSettings>

namespace Velmora {

// The application's one per-user INI store. Every reader and writer opens its own object on
// it, so each sees what the others synced.
class VLM_CORE_EXPORT AppSettings : public QSettings
{
public:
    AppSettings();

    // The interface language, English when none is stored.
    QLocale language() const;
    static QLocale defaultLanguage();
};

} // namespace Velmora
