#include "model/fbmodellist.h"

#include "services/datastreamreader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelList>(QStringLiteral("data_list"));

} // namespace

FBModelList::FBModelList(FBModelItem* parent)
    : FBModelItemSingleData<QMap<QString, QVariant>>(parent)
{
    setEditable(true);
}

FBModelList::FBModelList(FBAbstractModel* model, FBModelItem* parent)
    : FBModelItemSingleData<QMap<QString, QVariant>>(model, parent)
{
    setEditable(true);
}

bool FBModelList::initFromXmlLib(const QDomElement& element)
{
    m_valueName = element.attribute(QStringLiteral("name_current"), QStringLiteral("Value"));
    if (element.tagName() != QLatin1String("data_list"))
        return false;

    QMap<QString, QVariant> values;
    for (QDomElement item = element.firstChildElement(QStringLiteral("item")); !item.isNull();
         item = item.nextSiblingElement(QStringLiteral("item"))) {
        const QString name = item.attribute(QStringLiteral("name"), QStringLiteral("val"));
        values.insert(name, QVariant(item.attribute(QStringLiteral("value"), QStringLiteral("0"))));
        m_listValue.append(name);
    }
    if (!values.isEmpty()) {
        setData(values);
        // The map's first key in Qt's string order, not the first item of the library.
        m_currentValue = values.firstKey();
        changedItem();
    }
    return true;
}

QString FBModelList::name() const
{
    return QStringLiteral("values_list");
}

QString FBModelList::displayName() const
{
    return QCoreApplication::translate("model_data_num", "Value list");
}

bool FBModelList::dataFromVariant(const QVariant& value)
{
    m_currentValue = value.toString();
    changedItem();
    return true;
}

FBModelItem* FBModelList::clone() const
{
    auto* list = new FBModelList;
    list->setData(data());
    list->m_currentValue = m_currentValue;
    list->setSerializationId(serializationId());
    copyFlagsTo(list);
    list->m_valueName = m_valueName;
    list->m_listValue = m_listValue;
    return list;
}

bool FBModelList::setData(const QMap<QString, QVariant>& values)
{
    storeData(values);
    changedItem();
    return true;
}

void FBModelList::setCurrentValue(const QString& value)
{
    m_currentValue = value;
    changedItem();
}

bool FBModelList::readData(QDataStream& stream)
{
    if (!FBModelItem::readData(stream))
        return false;
    QString current;
    QStringList names;
    QMap<QString, QVariant> values;
    stream >> current;
    if (stream.status() != QDataStream::Ok || !DataStreamReader::readStringList(stream, names)
        || !DataStreamReader::readVariantMap(stream, values))
        return false;
    setCurrentValue(current);
    m_listValue = names;
    setData(values);
    return true;
}

void FBModelList::writeData(QDataStream& stream) const
{
    FBModelItem::writeData(stream);
    stream << m_currentValue << m_listValue << data();
}

} // namespace Velmora
