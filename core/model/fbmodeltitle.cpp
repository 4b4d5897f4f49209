#include "model/fbmodeltitle.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelTitle>(QStringLiteral("title"));

} // namespace

bool FBModelTitle::initFromXmlLib(const QDomElement& element)
{
    setData(element.text());
    return true;
}

QString FBModelTitle::name() const
{
    return QStringLiteral("title");
}

QString FBModelTitle::displayName() const
{
    return QCoreApplication::translate("model_title", "Title");
}

FBModelItem* FBModelTitle::clone() const
{
    auto* title = new FBModelTitle;
    title->setData(data());
    title->setSerializationId(serializationId());
    copyFlagsTo(title);
    return title;
}

bool FBModelTitle::readData(QDataStream& stream)
{
    return readFlagsAndValue(stream);
}

void FBModelTitle::writeData(QDataStream& stream) const
{
    writeFlagsAndValue(stream);
}

} // namespace Velmora
