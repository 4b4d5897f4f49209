#include "model/fblistmodel.h"

#include "build/projectbuilder.h"
#include "model/fbmodeloutputs.h"
#include "model/fbmodelport.h"

#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBAbstractModel::factory().registerBuilder<FBListModel>(QStringLiteral("list_model"));

} // namespace

FBListModel::FBListModel(QObject* parent)
    : FBAbstractModel(parent)
{ }

FBAbstractModel* FBListModel::clone() const
{
    if (!rootItem())
        return nullptr;
    auto* model = new FBListModel;
    copyBaseTo(model);
    model->m_typeValue = m_typeValue;
    model->m_outputs = dynamic_cast<FBModelOutputs*>(model->findItem(QStringLiteral("outputs")));
    model->m_port = model->m_outputs ? dynamic_cast<FBModelPort*>(model->m_outputs->childAt(0)) : nullptr;
    return model;
}

void FBListModel::accept(ProjectBuilder* builder, int pass, const QString& blockId)
{
    if (builder)
        builder->visitFuncBlockModel(this, pass, blockId);
}

void FBListModel::initBeginIntegralItems()
{
    m_outputs = FBModelOutputs::createSingleOutput(m_port);
    rootItem()->addChild(m_outputs);
}

bool FBListModel::initFromXmlLib(const QDomElement& element)
{
    if (!m_port)
        return false;
    m_typeValue = element.attribute(QStringLiteral("type_value")).trimmed();
    FBDataPort port = m_port->data();
    port.setPossibleTypes({ m_typeValue });
    port.setCurrentType(m_typeValue);
    m_port->setData(port);
    return true;
}

bool FBListModel::readFromDataStream(QDataStream& stream)
{
    return readRoot(stream);
}

} // namespace Velmora
