#pragma once

#include "model/serializable.h"
#include "services/serializableobjectfactory.h"
#include "vlm_core_export.h"

#include <QList>
#include <QString>
#include <QVariant>

namespace Velmora {

class FBAbstractModel;

// A node of a block's value tree. Children are owned by their parent; the model is not owned.
class VLM_CORE_EXPORT FBModelItem : public Serializable
{
    Q_DISABLE_COPY(FBModelItem)
public:
    explicit FBModelItem(FBModelItem* parent = nullptr);
    FBModelItem(FBAbstractModel* model, FBModelItem* parent);
    ~FBModelItem() override;

    static SerializableObjectFactory<FBModelItem>& factory();

    bool writeToDataStream(QDataStream& stream) const override;
    bool readFromDataStream(QDataStream& stream) override;
    bool writeToXml(QDomElement& element) const override;
    bool readFromXml(QDomElement& element) override;
    bool initFromXmlLib(const QDomElement& element) override;

    virtual void addChild(FBModelItem* child);
    virtual FBModelItem* takeChild(int row);
    virtual int type() const;
    virtual QString name() const;
    // Whether the item's name is `name`; an item that makes its name up on each call can tell
    // without making it.
    virtual bool hasName(const QString& name) const;
    virtual QString displayName() const;
    virtual bool dataFromVariant(const QVariant& value);
    virtual QVariant dataToVariant() const;
    virtual FBModelItem* clone() const;
    virtual FBModelItem* deepClone() const;

    void setParentItem(FBModelItem* parent);
    FBModelItem* parentItem() const { return m_parentItem; }
    void setModel(FBAbstractModel* model);
    FBAbstractModel* model() const { return m_model; }

    FBModelItem* childAt(int row) const;
    int childCount() const { return m_children.size(); }
    QList<FBModelItem*> childItems() const { return m_children; }
    bool hasChildren() const { return !m_children.isEmpty(); }
    int rowOfChild(const FBModelItem* child) const;
    int rowOfParent() const;

    QString serializationId() const { return m_serializationId; }
    void setSerializationId(const QString& id) { m_serializationId = id; }

    bool isCustomVisible() const { return m_customVisible; }
    void setCustomVisible(bool customVisible);
    bool isVisible() const { return m_visible; }
    void setVisible(bool visible);
    bool isEditable() const { return m_editable; }
    void setEditable(bool editable);
    bool isCheckable() const { return m_checkable; }
    void setCheckable(bool checkable) { m_checkable = checkable; }

protected:
    // Reads the item's own fields; false when the stream did not hold them.
    virtual bool readData(QDataStream& stream);
    virtual void writeData(QDataStream& stream) const;
    virtual void changedItem();
    virtual void changedChildItem(FBModelItem* child);

    // Copies the three stored flags onto another item through its setters.
    void copyFlagsTo(FBModelItem* item) const;

private:
    bool readTree(QDataStream& stream, int depth);

    QString m_serializationId;
    bool m_customVisible = false;
    bool m_visible = true;
    bool m_editable = false;
    bool m_checkable = false;
    FBAbstractModel* m_model = nullptr;
    FBModelItem* m_parentItem = nullptr;
    QList<FBModelItem*> m_children;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::FBModelItem*)
