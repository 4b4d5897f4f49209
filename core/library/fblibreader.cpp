#include "library/fblibreader.h"

#include "library/fbmodelfactory.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelitem.h"
#include "services/console.h"

#include <QCoreApplication>
#include <QDomDocument>
#include <QFile>
#include <QRegularExpression>

namespace Velmora {

FBLibReader::FBLibReader(FBModelFactory* factory)
    : m_factory(factory ? *factory : FBModelFactory::instance())
    , m_deviceNames {
        { QStringLiteral("TARKEL-KV-D01"), KV_D01 },   { QStringLiteral("TARKEL-KV-D02"), KV_D02 },
        { QStringLiteral("TARKEL-KV-A01"), KV_A01 },   { QStringLiteral("TARKEL-KV-DA01"), KV_DA01 },
        { QStringLiteral("TARKEL-KV-DA02"), KV_DA02 },
    }
{ }

bool FBLibReader::readFromXml(const QString& fileName)
{
    QFile file(fileName);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text))
        return false;
    QDomDocument document;
    if (!document.setContent(&file, true))
        return false;
    return readDocument(document);
}

bool FBLibReader::readFromString(const QString& xml)
{
    QDomDocument document;
    if (!document.setContent(xml, true))
        return false;
    return readDocument(document);
}

bool FBLibReader::readDocument(const QDomDocument& document)
{
    const QDomElement root = document.documentElement();
    if (root.tagName() != QLatin1String("velmora_lib")) {
        Console::instance().printMessage(QCoreApplication::translate(
            "fb_lib_reader", "The lib file is corrupt or is not a library file of function blocks."));
        return false;
    }
    for (QDomNode node = root.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement element = node.toElement();
        if (element.tagName() == QLatin1String("section") && !readSection(element))
            return false;
    }
    return true;
}

bool FBLibReader::readSection(const QDomElement& element)
{
    const QString name = element.attribute(QStringLiteral("name"));
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        const QDomElement child = node.toElement();
        const bool ok = child.tagName() == QLatin1String("device") ? readDevice(child) : readModel(child, name);
        if (!ok)
            return false;
    }
    return true;
}

bool FBLibReader::readDevice(const QDomElement& element)
{
    static const QRegularExpression idPattern(QStringLiteral("^\\$\\{(.*.)\\}$"));
    const QRegularExpressionMatch match = idPattern.match(element.attribute(QStringLiteral("id")));
    if (!match.hasMatch())
        return false;
    const DeviceType device = m_deviceNames.value(match.captured(1), DeviceType(0));
    if (device == DeviceType(0))
        return false;

    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!readDeviceModel(node.toElement(), device))
            return false;
    }
    return true;
}

bool FBLibReader::readModel(const QDomElement& element, const QString& sectionName)
{
    const std::unique_ptr<FBAbstractModel> model = buildModel(element);
    if (!model)
        return false;
    m_factory.registerModel(sectionName, element.attribute(QStringLiteral("proto_name")), model.get());
    return true;
}

bool FBLibReader::readDeviceModel(const QDomElement& element, DeviceType device)
{
    const std::unique_ptr<FBAbstractModel> model = buildModel(element);
    if (!model)
        return false;
    m_factory.registerDeviceModel(device, element.attribute(QStringLiteral("proto_name")), model.get());
    return true;
}

std::unique_ptr<FBAbstractModel> FBLibReader::buildModel(const QDomElement& element)
{
    std::unique_ptr<FBAbstractModel> model(FBAbstractModel::factory().create(element.tagName()));
    if (!model)
        return nullptr;
    model->initBeginIntegralItems();
    if (!model->initFromXmlLib(element))
        return nullptr;
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!readItem(node.toElement(), model->rootItem()))
            return nullptr;
    }
    model->initEndIntegralItems();
    return model;
}

bool FBLibReader::readItem(const QDomElement& element, FBModelItem* parent)
{
    if (element.isNull())
        return true;
    std::unique_ptr<FBModelItem> item(FBModelItem::factory().create(element.tagName()));
    if (!item)
        return true;
    if (!item->initFromXmlLib(element))
        return false;
    // Children first, so a port list knows its limits before its ports arrive.
    for (QDomNode node = element.firstChild(); !node.isNull(); node = node.nextSibling()) {
        if (!readItem(node.toElement(), item.get()))
            return false;
    }
    item->setParentItem(parent);
    if (item->parentItem() == parent)
        item.release(); // the parent owns it; a port list at its maximum refuses it
    return true;
}

} // namespace Velmora
