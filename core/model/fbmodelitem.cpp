#include "model/fbmodelitem.h"

#include "model/fbabstractmodel.h"
#include "services/singleton.h"

#include <QCoreApplication>
#include <QDataStream>

namespace Velmora {

namespace {

// Item trees are a few levels deep (root, port list, port); a stream nesting far deeper is
// corrupt, and reading it recursively would only exhaust the stack.
constexpr int maxTreeDepth = 32;

// Signals carry items under the short name within the namespace as well.
const int itemPointerMetaType = [] {
    qRegisterMetaType<FBModelItem*>("FBModelItem*");
    return qRegisterMetaType<FBModelItem*>("Velmora::FBModelItem*");
}();

} // namespace

FBModelItem::FBModelItem(FBModelItem* parent)
{
    if (parent)
        parent->addChild(this);
}

FBModelItem::FBModelItem(FBAbstractModel* model, FBModelItem* parent)
    : FBModelItem(parent)
{
    m_model = model;
}

FBModelItem::~FBModelItem()
{
    qDeleteAll(m_children);
}

SerializableObjectFactory<FBModelItem>& FBModelItem::factory()
{
    static std::atomic<SerializableObjectFactory<FBModelItem>*> instance { nullptr };
    static QMutex mutex;
    return lazySingleton(instance, mutex, [] { return new SerializableObjectFactory<FBModelItem>; });
}

bool FBModelItem::writeToDataStream(QDataStream& stream) const
{
    stream << m_serializationId;
    writeData(stream);
    stream << qint32(m_children.size());
    for (const FBModelItem* child : m_children) {
        if (!child->writeToDataStream(stream))
            return false;
    }
    return stream.status() == QDataStream::Ok;
}

bool FBModelItem::readFromDataStream(QDataStream& stream)
{
    return readTree(stream, 0);
}

bool FBModelItem::readTree(QDataStream& stream, int depth)
{
    if (depth > maxTreeDepth)
        return false;

    const int existing = m_children.size();
    if (!readData(stream))
        return false;

    qint32 count = 0;
    stream >> count;
    if (stream.status() != QDataStream::Ok || count < 0)
        return false;

    // Every child consumes bytes of the stream, so a corrupt count ends at the stream's end.
    for (qint32 i = 0; i < count; ++i) {
        QString id;
        stream >> id;
        if (stream.status() != QDataStream::Ok)
            return false;

        if (i < existing) {
            if (!m_children.at(i)->readTree(stream, depth + 1))
                return false;
            continue;
        }

        FBModelItem* child = factory().create(id);
        if (!child)
            return false;
        if (!child->readTree(stream, depth + 1)) {
            delete child;
            return false;
        }
        const int before = m_children.size();
        addChild(child);
        if (m_children.size() == before)
            delete child; // refused by the list's limit
    }
    return true;
}

bool FBModelItem::writeToXml(QDomElement&) const
{
    return true;
}

bool FBModelItem::readFromXml(QDomElement&)
{
    return true;
}

bool FBModelItem::initFromXmlLib(const QDomElement&)
{
    return true;
}

void FBModelItem::addChild(FBModelItem* child)
{
    child->m_parentItem = this;
    m_children.append(child);
    if (m_model)
        child->setModel(m_model);
    changedItem();
}

FBModelItem* FBModelItem::takeChild(int row)
{
    if (row < 0 || row >= m_children.size())
        return nullptr;
    FBModelItem* child = m_children.takeAt(row);
    changedItem();
    child->m_parentItem = nullptr;
    return child;
}

int FBModelItem::type() const
{
    return 1;
}

QString FBModelItem::name() const
{
    return QStringLiteral("unnammed");
}

bool FBModelItem::hasName(const QString& name) const
{
    return this->name() == name;
}

QString FBModelItem::displayName() const
{
    return QCoreApplication::translate("model_item", "unnammed");
}

bool FBModelItem::dataFromVariant(const QVariant&)
{
    return false;
}

QVariant FBModelItem::dataToVariant() const
{
    return QVariant();
}

FBModelItem* FBModelItem::clone() const
{
    auto* item = new FBModelItem;
    copyFlagsTo(item);
    return item;
}

FBModelItem* FBModelItem::deepClone() const
{
    FBModelItem* copy = clone();
    for (const FBModelItem* child : m_children) {
        FBModelItem* childCopy = child->deepClone();
        const int before = copy->childCount();
        copy->addChild(childCopy);
        if (copy->childCount() == before)
            delete childCopy;
    }
    return copy;
}

void FBModelItem::copyFlagsTo(FBModelItem* item) const
{
    item->setCustomVisible(m_customVisible);
    item->setVisible(m_visible);
    item->setEditable(m_editable);
}

void FBModelItem::setParentItem(FBModelItem* parent)
{
    if (parent)
        parent->addChild(this);
}

void FBModelItem::setModel(FBAbstractModel* model)
{
    m_model = model;
    for (FBModelItem* child : qAsConst(m_children))
        child->setModel(model);
}

FBModelItem* FBModelItem::childAt(int row) const
{
    if (row < 0 || row >= m_children.size())
        return nullptr;
    return m_children.at(row);
}

int FBModelItem::rowOfChild(const FBModelItem* child) const
{
    return m_children.indexOf(const_cast<FBModelItem*>(child));
}

int FBModelItem::rowOfParent() const
{
    return m_parentItem ? m_parentItem->rowOfChild(this) : -1;
}

void FBModelItem::setCustomVisible(bool customVisible)
{
    m_customVisible = customVisible;
    changedItem();
}

void FBModelItem::setVisible(bool visible)
{
    m_visible = visible;
    changedItem();
}

void FBModelItem::setEditable(bool editable)
{
    m_editable = editable;
    changedItem();
}

bool FBModelItem::readData(QDataStream& stream)
{
    bool customVisible = false;
    bool visible = true;
    bool editable = false;
    stream >> customVisible >> visible >> editable;
    if (stream.status() != QDataStream::Ok)
        return false;
    setCustomVisible(customVisible);
    setVisible(visible);
    setEditable(editable);
    return true;
}

void FBModelItem::writeData(QDataStream& stream) const
{
    stream << m_customVisible << m_visible << m_editable;
}

void FBModelItem::changedItem()
{
    if (m_model)
        m_model->changedItem(this);
    if (m_parentItem)
        m_parentItem->changedChildItem(this);
}

void FBModelItem::changedChildItem(FBModelItem*) { }

} // namespace Velmora
