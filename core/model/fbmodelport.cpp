#include "model/fbmodelport.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QDomElement>

namespace Velmora {

namespace {

const bool registered = FBModelItem::factory().registerBuilder<FBModelPort>(QStringLiteral("port"));

bool hasChoice(const FBDataPort& port)
{
    return port.possibleTypes().size() >= 2;
}

// Applies a library flag: exactly "true" or "false" counts, anything else leaves it.
template <typename Apply> void applyFlag(const QString& value, Apply apply)
{
    if (value == QLatin1String("true"))
        apply(true);
    else if (value == QLatin1String("false"))
        apply(false);
}

} // namespace

void FBModelPort::matchPortTypes(FBModelPort* receiver, FBModelPort* emitter)
{
    FBDataPort in = receiver->data();
    FBDataPort out = emitter->data();
    if (out.currentType() == in.currentType())
        return;

    if (hasChoice(in) && hasChoice(out)) {
        in.setCurrentType(out.currentType());
        receiver->setData(in);
    } else if (hasChoice(in)) {
        if (in.possibleTypes().contains(out.currentType())) {
            in.setCurrentType(out.currentType());
            receiver->setData(in);
        }
    } else if (hasChoice(out)) {
        if (out.possibleTypes().contains(in.currentType())) {
            out.setCurrentType(in.currentType());
            emitter->setData(out);
        }
    }
}

QStringList FBModelPort::splitTypes(const QString& types)
{
    QStringList list = types.split(QLatin1Char(','));
    for (QString& type : list)
        type = type.trimmed();
    return list;
}

bool FBModelPort::initFromXmlLib(const QDomElement& element)
{
    FBDataPort port = data();
    port.setPortName(element.attribute(QStringLiteral("name"), QCoreApplication::translate("model_item", "unnammed")));

    QStringList types;
    const QString typesAttribute = element.attribute(QStringLiteral("types"));
    if (!typesAttribute.isEmpty()) {
        types = splitTypes(typesAttribute);
    } else {
        const QDomElement list = element.firstChildElement();
        if (list.tagName() == QLatin1String("types")) {
            for (QDomElement type = list.firstChildElement(); !type.isNull(); type = type.nextSiblingElement()) {
                if (type.tagName() == QLatin1String("type"))
                    types.append(type.text());
            }
        }
    }
    port.setPossibleTypes(types);
    port.setTypeName(types.value(0));

    applyFlag(element.attribute(QStringLiteral("requireConnection"), QStringLiteral("true")),
              [&port](bool require) { port.setRequireConnection(require); });
    setData(port);

    applyFlag(element.attribute(QStringLiteral("customVisible"), QStringLiteral("false")),
              [this](bool custom) { setCustomVisible(custom); });
    if (isCustomVisible())
        setVisible(false);
    if (hasChoice(port))
        setEditable(true);
    return true;
}

QString FBModelPort::name() const
{
    const FBModelItem* parent = parentItem();
    return QStringLiteral("%1_port_%2").arg(parent ? parent->name() : QString()).arg(parent ? rowOfParent() : 0);
}

QString FBModelPort::displayName() const
{
    return data().portName();
}

bool FBModelPort::dataFromVariant(const QVariant& value)
{
    FBDataPort port = data();
    port.setCurrentType(value.toString());
    storeData(port);
    changedItem();
    return true;
}

QVariant FBModelPort::dataToVariant() const
{
    return QVariant(data().currentType());
}

FBModelItem* FBModelPort::clone() const
{
    auto* port = new FBModelPort;
    port->setData(data());
    port->setSerializationId(serializationId());
    port->setCustomVisible(isCustomVisible());
    port->setVisible(isVisible());
    port->setConnected(m_connected);
    port->setEditable(isEditable());
    return port;
}

bool FBModelPort::setData(const FBDataPort& port)
{
    setEditable(hasChoice(port));
    return FBModelItemSingleData<FBDataPort>::setData(port);
}

void FBModelPort::setConnected(bool connected)
{
    m_connected = connected;
    setCheckable(!connected);
    changedItem();
}

bool FBModelPort::readData(QDataStream& stream)
{
    if (!FBModelItem::readData(stream))
        return false;
    qint8 connected = 0;
    FBDataPort port;
    stream >> connected >> port;
    if (stream.status() != QDataStream::Ok)
        return false;
    m_connected = connected != 0;
    setData(port);
    return true;
}

void FBModelPort::writeData(QDataStream& stream) const
{
    FBModelItem::writeData(stream);
    stream << qint8(m_connected) << data();
}

} // namespace Velmora
