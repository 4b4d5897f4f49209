#include "model/fbmodelinputs.h"

#include <QCoreApplication>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelInputs>(QStringLiteral("inputs"));

} // namespace

QString FBModelInputs::name() const
{
    return QStringLiteral("inputs");
}

QString FBModelInputs::displayName() const
{
    return QCoreApplication::translate("model_inputs", "Inputs");
}

FBModelItem* FBModelInputs::clone() const
{
    return cloneInto(new FBModelInputs);
}

} // namespace Velmora
