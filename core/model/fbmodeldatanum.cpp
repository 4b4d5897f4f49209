#include "model/fbmodeldatanum.h"

#include "model/datatypes.h"
#include "services/datastreamreader.h"

#include <QCoreApplication>
#include <QDataStream>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelDataNum>(QStringLiteral("data_number"));

} // namespace

FBModelDataNum::FBModelDataNum(FBModelItem* parent)
    : FBModelItemSingleData<QVariant>(parent)
{
    init();
}

FBModelDataNum::FBModelDataNum(FBAbstractModel* model, FBModelItem* parent)
    : FBModelItemSingleData<QVariant>(model, parent)
{
    init();
}

void FBModelDataNum::init()
{
    m_typeName = DataTypes::instance().typeNames().value(0);
    storeData(DataTypes::defaultValue(m_typeName));
    setEditable(true);
}

QString FBModelDataNum::name() const
{
    return QStringLiteral("value");
}

QString FBModelDataNum::displayName() const
{
    return QCoreApplication::translate("model_data_num", "Value");
}

bool FBModelDataNum::dataFromVariant(const QVariant& value)
{
    return setData(value);
}

FBModelItem* FBModelDataNum::clone() const
{
    auto* number = new FBModelDataNum;
    number->setData(data());
    number->setTypeName(m_typeName);
    number->setSerializationId(serializationId());
    copyFlagsTo(number);
    return number;
}

bool FBModelDataNum::setData(const QVariant& value)
{
    storeData(value);
    changedItem();
    return true;
}

void FBModelDataNum::setTypeName(const QString& typeName)
{
    m_typeName = typeName;
    setData(DataTypes::convertValue(typeName, data()));
}

bool FBModelDataNum::readData(QDataStream& stream)
{
    if (!FBModelItem::readData(stream))
        return false;
    QString typeName;
    stream >> typeName;
    QVariant value = DataTypes::defaultValue(typeName);
    if (stream.status() != QDataStream::Ok || !DataStreamReader::readVariant(stream, value))
        return false;
    m_typeName = typeName;
    setData(value);
    return true;
}

void FBModelDataNum::writeData(QDataStream& stream) const
{
    FBModelItem::writeData(stream);
    stream << m_typeName << data();
}

} // namespace Velmora
