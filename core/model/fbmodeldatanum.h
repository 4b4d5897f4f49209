#pragma once

#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

namespace Velmora {

// The value of a constant block with the name of its data type.
class VLM_CORE_EXPORT FBModelDataNum : public FBModelItemSingleData<QVariant>
{
public:
    explicit FBModelDataNum(FBModelItem* parent = nullptr);
    FBModelDataNum(FBAbstractModel* model, FBModelItem* parent);

    int type() const override { return 1006; }
    QString name() const override;
    QString displayName() const override;
    bool dataFromVariant(const QVariant& value) override;
    QVariant dataToVariant() const override { return data(); }
    FBModelItem* clone() const override;

    // Stores the value as it comes, always notifying.
    bool setData(const QVariant& value) override;

    QString typeName() const { return m_typeName; }
    // Converts the held value to the new type.
    void setTypeName(const QString& typeName);

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;

private:
    void init();

    QString m_typeName;
};

} // namespace Velmora
