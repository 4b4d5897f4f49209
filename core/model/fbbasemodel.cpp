#include "model/fbbasemodel.h"

#include "build/projectbuilder.h"
#include "model/fbmodelcallorder.h"

#include <QDataStream>
#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBAbstractModel::factory().registerBuilder<FBBaseModel>(QStringLiteral("base_model"));

} // namespace

FBBaseModel::FBBaseModel(QObject* parent)
    : FBAbstractModel(parent)
{ }

FBAbstractModel* FBBaseModel::clone() const
{
    if (!rootItem())
        return nullptr;
    auto* model = new FBBaseModel;
    model->m_functionId = m_functionId;
    copyBaseTo(model);
    model->m_callOrderItem = dynamic_cast<FBModelCallOrder*>(model->findItem(QStringLiteral("call_order")));
    return model;
}

void FBBaseModel::accept(ProjectBuilder* builder, int pass, const QString& blockId)
{
    if (builder)
        builder->visitFuncBlockModel(this, pass, blockId);
}

void FBBaseModel::initEndIntegralItems()
{
    m_callOrderItem = static_cast<FBModelCallOrder*>(FBModelItem::factory().create(QStringLiteral("call_order")));
    rootItem()->addChild(m_callOrderItem);
}

bool FBBaseModel::initFromXmlLib(const QDomElement& element)
{
    // A function id that is not a number is as invalid as a negative one.
    bool ok = false;
    m_functionId = element.attribute(QStringLiteral("id"), QStringLiteral("-1")).toInt(&ok);
    if (!ok)
        m_functionId = -1;
    return m_functionId >= 0;
}

bool FBBaseModel::writeToDataStream(QDataStream& stream) const
{
    if (!FBAbstractModel::writeToDataStream(stream))
        return false;
    stream << qint32(m_functionId);
    return stream.status() == QDataStream::Ok;
}

bool FBBaseModel::readFromDataStream(QDataStream& stream)
{
    if (!readRoot(stream))
        return false;
    qint32 functionId = -1;
    stream >> functionId;
    if (stream.status() != QDataStream::Ok)
        return false;
    m_functionId = functionId;
    return true;
}

int FBBaseModel::callOrder() const
{
    return m_callOrderItem ? m_callOrderItem->data() : -1;
}

void FBBaseModel::setCallOrder(int callOrder)
{
    if (m_callOrderItem)
        m_callOrderItem->setData(callOrder);
}

bool FBBaseModel::storeCallOrder(int callOrder)
{
    if (!m_callOrderItem)
        return false;
    m_callOrderItem->storeNumber(callOrder);
    return true;
}

} // namespace Velmora
