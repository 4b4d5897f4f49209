#include "model/fbdatanumbermodel.h"

#include "build/projectbuilder.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodeloutputs.h"
#include "model/fbmodelport.h"

#include <QDomElement>

namespace Velmora {

namespace {

const bool registered
    = FBAbstractModel::factory().registerBuilder<FBDataNumberModel>(QStringLiteral("data_number_model"));

} // namespace

FBDataNumberModel::FBDataNumberModel(QObject* parent)
    : FBAbstractModel(parent)
{ }

FBDataNumberModel::~FBDataNumberModel()
{
    // Items made for a library load belong to the root only once the load is complete.
    if (m_outputs && !m_outputs->parentItem())
        delete m_outputs;
    if (m_numberItem && !m_numberItem->parentItem())
        delete m_numberItem;
}

FBAbstractModel* FBDataNumberModel::clone() const
{
    if (!rootItem())
        return nullptr;
    auto* model = new FBDataNumberModel;
    copyBaseTo(model);
    model->m_outputs = dynamic_cast<FBModelOutputs*>(model->findItem(QStringLiteral("outputs")));
    model->m_port = model->m_outputs ? dynamic_cast<FBModelPort*>(model->m_outputs->childAt(0)) : nullptr;
    model->m_numberItem = dynamic_cast<FBModelDataNum*>(model->findItem(QStringLiteral("value")));
    return model;
}

void FBDataNumberModel::accept(ProjectBuilder* builder, int pass, const QString& blockId)
{
    if (builder)
        builder->visitFuncBlockModel(this, pass, blockId);
}

void FBDataNumberModel::initBeginIntegralItems()
{
    m_outputs = FBModelOutputs::createSingleOutput(m_port);
    m_numberItem = static_cast<FBModelDataNum*>(FBModelItem::factory().create(QStringLiteral("data_number")));
}

void FBDataNumberModel::initEndIntegralItems()
{
    rootItem()->addChild(m_outputs);
    rootItem()->addChild(m_numberItem);
}

void FBDataNumberModel::changedItem(FBModelItem* item)
{
    if (item->type() == 1004 && m_numberItem && m_port)
        m_numberItem->setTypeName(m_port->data().currentType());
    FBAbstractModel::changedItem(item);
}

bool FBDataNumberModel::initFromXmlLib(const QDomElement& element)
{
    if (!m_port || !m_numberItem)
        return false;
    const QString types = element.attribute(QStringLiteral("types"));
    const bool editable = QVariant(element.attribute(QStringLiteral("edit"), QStringLiteral("true"))).toBool();
    const QString initValue = element.attribute(QStringLiteral("init_value"), QStringLiteral("false"));

    if (!types.isEmpty()) {
        FBDataPort port = m_port->data();
        port.setPossibleTypes(FBModelPort::splitTypes(types));
        port.setCurrentType(port.possibleTypes().value(0));
        m_port->setData(port);
    }
    m_numberItem->setTypeName(m_port->data().currentType());
    m_numberItem->setEditable(editable);
    m_numberItem->setData(QVariant(initValue));
    return true;
}

bool FBDataNumberModel::readFromDataStream(QDataStream& stream)
{
    return readRoot(stream);
}

} // namespace Velmora
