#include "model/fbabstractmodel.h"

#include "model/fbmodelitem.h"
#include "services/singleton.h"

#include <QDataStream>

namespace Velmora {

FBAbstractModel::FBAbstractModel(QObject* parent)
    : QObject(parent)
{
    auto* root = new FBModelItem;
    root->setSerializationId(QStringLiteral("root"));
    setRootItem(root);
}

FBAbstractModel::~FBAbstractModel()
{
    delete m_rootItem;
}

SerializableObjectFactory<FBAbstractModel>& FBAbstractModel::factory()
{
    static std::atomic<SerializableObjectFactory<FBAbstractModel>*> instance { nullptr };
    static QMutex mutex;
    return lazySingleton(instance, mutex, [] { return new SerializableObjectFactory<FBAbstractModel>; });
}

void FBAbstractModel::initBeginIntegralItems() { }

void FBAbstractModel::initEndIntegralItems() { }

void FBAbstractModel::accept(ProjectBuilder*, int, const QString&) { }

void FBAbstractModel::changedItem(FBModelItem* item)
{
    emit onChangedItem(item);
}

bool FBAbstractModel::writeToDataStream(QDataStream& stream) const
{
    stream << m_protoName;
    return m_rootItem->writeToDataStream(stream);
}

bool FBAbstractModel::readFromDataStream(QDataStream& stream)
{
    return m_rootItem->readFromDataStream(stream);
}

bool FBAbstractModel::readRoot(QDataStream& stream)
{
    QString id;
    stream >> id;
    if (stream.status() != QDataStream::Ok || id != m_rootItem->serializationId())
        return false;
    return FBAbstractModel::readFromDataStream(stream);
}

bool FBAbstractModel::writeToXml(QDomElement& element) const
{
    return m_rootItem->writeToXml(element);
}

bool FBAbstractModel::readFromXml(QDomElement& element)
{
    return m_rootItem->readFromXml(element);
}

FBModelItem* FBAbstractModel::findItem(const QString& name, FBModelItem* from) const
{
    const FBModelItem* start = from ? from : m_rootItem;
    if (!start)
        return nullptr;
    // By row: a loop over childItems() would copy the list of every item on the way.
    for (int row = 0; row < start->childCount(); ++row) {
        FBModelItem* child = start->childAt(row);
        if (child->hasName(name))
            return child;
        if (FBModelItem* found = findItem(name, child))
            return found;
    }
    return nullptr;
}

void FBAbstractModel::setRootItem(FBModelItem* item)
{
    m_rootItem = item;
    if (item)
        item->setModel(this);
}

void FBAbstractModel::copyBaseTo(FBAbstractModel* model) const
{
    model->setSerializationId(m_serializationId);
    model->setProtoName(m_protoName);
    FBModelItem* root = m_rootItem->deepClone();
    root->setSerializationId(m_rootItem->serializationId());
    delete model->m_rootItem;
    model->setRootItem(root);
}

} // namespace Velmora
