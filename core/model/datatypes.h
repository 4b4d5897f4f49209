#pragma once

#include "vlm_core_export.h"

#include <QColor>
#include <QMap>
#include <QStringList>
#include <QVariant>

namespace Velmora {

// The data type names of ports, constants and lists, with their colours and values.
class VLM_CORE_EXPORT DataTypes
{
public:
    static DataTypes& instance();

    QStringList typeNames() const { return m_colors.keys(); }
    QColor color(const QString& type) const { return m_colors.value(type); }

    static QVariant defaultValue(const QString& type);
    static QVariant convertValue(const QString& type, const QVariant& value);
    // The smallest and the largest value the module holds in a number type; false for "bool"
    // and for names not in the table.
    static bool range(const QString& type, double& low, double& high);
    // Whether a value fits its type. Values of "bool" or of an unknown type, and texts that
    // are no number, are not judged here.
    static bool isInRange(const QString& type, const QVariant& value);

private:
    DataTypes();

    QMap<QString, QColor> m_colors;
};

} // namespace Velmora
