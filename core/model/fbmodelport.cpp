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

bool FBModelPort::canTake(const QString& type) const
{
    const FBDataPort port = data();
    return port.currentType() == type || (hasChoice(port) && port.possibleTypes().contains(type));
}

bool FBModelPort::joinedToRetype(const FBModelPort* port, const QString& type, const Joined& joined,
                                 QVector<FBModelPort*>& ports)
{
    ports.clear();
    if (!joined)
        return true;
    QVector<const FBModelPort*> reached { port };
    for (int i = 0; i < reached.size(); ++i) {
        for (FBModelPort* next : joined(reached.at(i))) {
            // A port that holds the type already carries nothing further.
            if (reached.contains(next) || next->data().currentType() == type)
                continue;
            if (!next->canTake(type)) {
                ports.clear();
                return false;
            }
            reached.append(next);
            ports.append(next);
        }
    }
    return true;
}

bool FBModelPort::planTypeMatch(FBModelPort* receiver, FBModelPort* emitter, const Joined& joined, QString& type,
                                QVector<FBModelPort*>& ports)
{
    const QString in = receiver->data().currentType();
    const QString out = emitter->data().currentType();
    ports.clear();
    type = out;
    if (in == out)
        return true;
    const std::pair<FBModelPort*, QString> tries[] = { { receiver, out }, { emitter, in } };
    for (const auto& [port, wanted] : tries) {
        QVector<FBModelPort*> following;
        if (port->canTake(wanted) && joinedToRetype(port, wanted, joined, following)) {
            type = wanted;
            ports = QVector<FBModelPort*> { port } + following;
            return true;
        }
    }
    return false;
}

bool FBModelPort::matchPortTypes(FBModelPort* receiver, FBModelPort* emitter)
{
    QString type;
    QVector<FBModelPort*> ports;
    if (!planTypeMatch(receiver, emitter, {}, type, ports))
        return false;
    setCurrentTypes(ports, type);
    return true;
}

void FBModelPort::setCurrentTypes(const QVector<FBModelPort*>& ports, const QString& type)
{
    for (FBModelPort* port : ports) {
        FBDataPort value = port->data();
        value.setCurrentType(type);
        port->setData(value);
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

// A search of the item tree by name meets every port on the way. A port's name always holds
// "_port_" and ends in a digit, so it is formatted only for a name that may be it.
bool FBModelPort::hasName(const QString& name) const
{
    const QChar last = name.isEmpty() ? QChar() : name.back();
    return last >= QLatin1Char('0') && last <= QLatin1Char('9') && name.contains(QLatin1String("_port_"))
        && FBModelItem::hasName(name);
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
