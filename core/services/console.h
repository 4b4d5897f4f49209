#pragma once

#include "vlm_core_export.h"

#include <QObject>
#include <QString>

namespace Velmora {

// The process-wide channel for lines the user should read; the console dock shows them.
class VLM_CORE_EXPORT Console : public QObject
{
    Q_OBJECT
public:
    static Console& instance();

    void printMessage(const QString& msg);

signals:
    void onPrintMessage(const QString& msg);

private:
    Console() = default;
};

} // namespace Velmora
