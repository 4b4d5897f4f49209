#pragma once

#include "model/serializable.h"
#include "services/serializableobjectfactory.h"
#include "vlm_core_export.h"

#include <QObject>
#include <QString>

namespace Velmora {

class FBModelItem;
class ProjectBuilder;

// The data of one block: which library block it is, and its item tree.
class VLM_CORE_EXPORT FBAbstractModel : public QObject, public Serializable
{
    Q_OBJECT
public:
    explicit FBAbstractModel(QObject* parent = nullptr);
    ~FBAbstractModel() override;

    static SerializableObjectFactory<FBAbstractModel>& factory();

    virtual FBAbstractModel* clone() const = 0;
    // The builder's entry for this block; a kind the module has no record for builds nothing.
    virtual void accept(ProjectBuilder* builder, int pass, const QString& blockId);
    virtual void initBeginIntegralItems();
    virtual void initEndIntegralItems();
    virtual void changedItem(FBModelItem* item);

    bool writeToDataStream(QDataStream& stream) const override;
    bool readFromDataStream(QDataStream& stream) override;
    bool writeToXml(QDomElement& element) const override;
    bool readFromXml(QDomElement& element) override;

    QString protoName() const { return m_protoName; }
    void setProtoName(const QString& name) { m_protoName = name; }
    QString serializationId() const { return m_serializationId; }
    void setSerializationId(const QString& id) { m_serializationId = id; }
    FBModelItem* rootItem() const { return m_rootItem; }

    // Depth-first search below `from` (the root when null); `from` itself is not compared.
    FBModelItem* findItem(const QString& name, FBModelItem* from = nullptr) const;

signals:
    void onChangedItem(FBModelItem* item);

protected:
    void setRootItem(FBModelItem* item);
    // Gives a clone this model's ids, prototype name and a deep copy of the root.
    void copyBaseTo(FBAbstractModel* model) const;
    // Reads the root's id (must be "root") and the root's record.
    bool readRoot(QDataStream& stream);

private:
    QString m_serializationId;
    QString m_protoName;
    FBModelItem* m_rootItem = nullptr;
};

} // namespace Velmora
