#include "model/fbmodelports.h"

#include "model/fbmodelport.h"

#include <QDataStream>
#include <QDomElement>

namespace Velmora {

FBModelPorts::FBModelPorts(FBModelItem* parent)
    : FBModelItemSingleData<FBDataPorts>(parent)
{
    setEditable(true);
}

FBModelPorts::FBModelPorts(FBAbstractModel* model, FBModelItem* parent)
    : FBModelItemSingleData<FBDataPorts>(model, parent)
{
    setEditable(true);
}

bool FBModelPorts::initFromXmlLib(const QDomElement& element)
{
    const QString nodes = QString::number(element.childNodes().count());
    FBDataPorts ports = data();
    ports.setMinPorts(element.attribute(QStringLiteral("min"), nodes).toInt());
    ports.setMaxPorts(element.attribute(QStringLiteral("max"), nodes).toInt());
    setData(ports);
    return true;
}

void FBModelPorts::addChild(FBModelItem* item)
{
    const int count = childCount() + 1;
    if (count > data().maxPorts())
        return;
    FBDataPorts ports = data();
    ports.setCountPorts(count);
    storeData(ports);
    FBModelItem::addChild(item);
}

FBModelItem* FBModelPorts::takeChild(int row)
{
    const int count = childCount() - 1;
    if (count < data().minPorts() || !childAt(row))
        return nullptr;
    FBDataPorts ports = data();
    ports.setCountPorts(count);
    storeData(ports);
    return FBModelItem::takeChild(row);
}

bool FBModelPorts::dataFromVariant(const QVariant& value)
{
    FBDataPorts ports = data();
    ports.setCountPorts(value.toInt());
    storeData(ports);
    changedItem();
    return true;
}

QVariant FBModelPorts::dataToVariant() const
{
    return QVariant(data().countPorts());
}

FBModelItem* FBModelPorts::clone() const
{
    return cloneInto(new FBModelPorts);
}

FBModelItem* FBModelPorts::cloneInto(FBModelPorts* item) const
{
    item->setData(data());
    item->setSerializationId(serializationId());
    copyFlagsTo(item);
    return item;
}

void FBModelPorts::recalcPorts(const FBDataPorts& ports)
{
    const int oldCount = data().countPorts();
    if (!setData(ports))
        return;

    const int newCount = ports.countPorts();
    if (newCount < oldCount) {
        for (int row = oldCount - 1; row >= newCount; --row) {
            FBModelItem* port = takeChild(row);
            if (!port)
                break;
            delete port;
        }
    } else if (newCount > oldCount) {
        auto* first = dynamic_cast<FBModelPort*>(childAt(0));
        for (int j = 0; first && j < newCount - oldCount; ++j) {
            auto* port = static_cast<FBModelPort*>(first->clone());
            port->setConnected(false);
            FBDataPort value = port->data();
            value.setPortName(QStringLiteral("In %1").arg(oldCount + j + 1));
            port->setData(value);
            const int before = childCount();
            addChild(port);
            if (childCount() == before) {
                delete port;
                break;
            }
        }
    }

    // A refused add or removal leaves fewer or more ports than asked for; the count shown
    // must still be the number of ports the block has.
    if (data().countPorts() != childCount()) {
        FBDataPorts actual = data();
        actual.setCountPorts(childCount());
        storeData(actual);
        changedItem();
    }
}

bool FBModelPorts::readData(QDataStream& stream)
{
    return readFlagsAndValue(stream);
}

void FBModelPorts::writeData(QDataStream& stream) const
{
    writeFlagsAndValue(stream);
}

} // namespace Velmora
