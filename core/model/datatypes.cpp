#include "model/datatypes.h"

#include "services/singleton.h"

#include <limits>
#include <utility>

namespace Velmora {

namespace {

bool isUnsignedType(const QString& type)
{
    return type == QLatin1String("uint8") || type == QLatin1String("uint16") || type == QLatin1String("uint32");
}

// Qt reads any text but "", "0" and "false" as true; a text is true here only when it says so
// ("true" in any case) or holds a number other than 0.
QVariant textToBool(const QString& text)
{
    const QString word = text.trimmed();
    if (word.compare(QLatin1String("true"), Qt::CaseInsensitive) == 0)
        return QVariant(true);
    bool isNumber = false;
    const double number = word.toDouble(&isNumber);
    return QVariant(isNumber && number != 0.0);
}

template <typename T> std::pair<double, double> limitsOf()
{
    return { double(std::numeric_limits<T>::lowest()), double(std::numeric_limits<T>::max()) };
}

} // namespace

DataTypes::DataTypes()
    : m_colors {
        { QStringLiteral("int8"), QColor(215, 210, 78) },    { QStringLiteral("int16"), QColor(215, 123, 78) },
        { QStringLiteral("int32"), QColor(203, 68, 68) },    { QStringLiteral("uint8"), QColor(203, 68, 131) },
        { QStringLiteral("uint16"), QColor(203, 185, 203) }, { QStringLiteral("uint32"), QColor(203, 68, 131) },
        { QStringLiteral("float"), QColor(78, 114, 255) },   { QStringLiteral("bool"), QColor(78, 255, 138) },
    }
{ }

DataTypes& DataTypes::instance()
{
    static std::atomic<DataTypes*> types { nullptr };
    static QMutex mutex;
    return lazySingleton(types, mutex, [] { return new DataTypes; });
}

QVariant DataTypes::defaultValue(const QString& type)
{
    if (type == QLatin1String("float"))
        return QVariant::fromValue(0.0f);
    if (type == QLatin1String("bool"))
        return QVariant(false);
    return QVariant(0);
}

QVariant DataTypes::convertValue(const QString& type, const QVariant& value)
{
    QVariant result(value);
    if (isUnsignedType(type)) {
        if (!result.convert(QMetaType::UInt))
            return QVariant(0);
    } else if (type == QLatin1String("float")) {
        if (!result.convert(QMetaType::Double))
            return QVariant::fromValue(0.0f);
    } else if (type == QLatin1String("bool")) {
        if (value.userType() == QMetaType::QString)
            return textToBool(value.toString());
        if (!result.convert(QMetaType::Bool))
            return QVariant(false);
    } else if (!result.convert(QMetaType::Int)) {
        return QVariant(0);
    }
    return result;
}

bool DataTypes::range(const QString& type, double& low, double& high)
{
    static const QMap<QString, std::pair<double, double>> ranges {
        { QStringLiteral("int8"), limitsOf<qint8>() },   { QStringLiteral("uint8"), limitsOf<quint8>() },
        { QStringLiteral("int16"), limitsOf<qint16>() }, { QStringLiteral("uint16"), limitsOf<quint16>() },
        { QStringLiteral("int32"), limitsOf<qint32>() }, { QStringLiteral("uint32"), limitsOf<quint32>() },
        { QStringLiteral("float"), limitsOf<float>() },
    };
    const auto found = ranges.constFind(type);
    if (found == ranges.constEnd())
        return false;
    low = found->first;
    high = found->second;
    return true;
}

bool DataTypes::isInRange(const QString& type, const QVariant& value)
{
    double low = 0.0;
    double high = 0.0;
    if (!range(type, low, high))
        return true;
    bool isNumber = false;
    const double number = value.toDouble(&isNumber);
    // Not a number (NaN) fails both comparisons.
    return !isNumber || (number >= low && number <= high);
}

} // namespace Velmora
