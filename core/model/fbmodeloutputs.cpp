#include "model/fbmodeloutputs.h"

#include "model/fbmodelport.h"

#include <QCoreApplication>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelOutputs>(QStringLiteral("outputs"));

} // namespace

QString FBModelOutputs::name() const
{
    return QStringLiteral("outputs");
}

QString FBModelOutputs::displayName() const
{
    return QCoreApplication::translate("model_outputs", "Outputs");
}

FBModelItem* FBModelOutputs::clone() const
{
    return cloneInto(new FBModelOutputs);
}

FBModelOutputs* FBModelOutputs::createSingleOutput(FBModelPort*& port)
{
    port = static_cast<FBModelPort*>(factory().create(QStringLiteral("port")));
    FBDataPort value;
    value.setPortName(QStringLiteral("Out"));
    value.setRequireConnection(true);
    port->setData(value);
    port->setCustomVisible(false);

    auto* outputs = static_cast<FBModelOutputs*>(factory().create(QStringLiteral("outputs")));
    FBDataPorts ports;
    ports.setCountPorts(1);
    ports.setMaxPorts(1);
    ports.setMinPorts(1);
    outputs->setData(ports);
    outputs->addChild(port);
    return outputs;
}

} // namespace Velmora
