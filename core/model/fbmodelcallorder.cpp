#include "model/fbmodelcallorder.h"

#include <QCoreApplication>
#include <QDataStream>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelCallOrder>(QStringLiteral("call_order"));

} // namespace

FBModelCallOrder::FBModelCallOrder(FBModelItem* parent)
    : FBModelItemSingleData<int>(parent)
{
    storeData(-1);
}

FBModelCallOrder::FBModelCallOrder(FBAbstractModel* model, FBModelItem* parent)
    : FBModelItemSingleData<int>(model, parent)
{
    storeData(-1);
}

bool FBModelCallOrder::initFromXmlLib(const QDomElement&)
{
    setData(-1);
    return true;
}

QString FBModelCallOrder::name() const
{
    return QStringLiteral("call_order");
}

QString FBModelCallOrder::displayName() const
{
    return QCoreApplication::translate("model_call_order", "Call order");
}

FBModelItem* FBModelCallOrder::clone() const
{
    auto* callOrder = new FBModelCallOrder;
    callOrder->setData(data());
    callOrder->setSerializationId(serializationId());
    return callOrder;
}

bool FBModelCallOrder::readData(QDataStream& stream)
{
    return readFlagsAndValue<qint32>(stream);
}

void FBModelCallOrder::writeData(QDataStream& stream) const
{
    writeFlagsAndValue<qint32>(stream);
}

} // namespace Velmora
