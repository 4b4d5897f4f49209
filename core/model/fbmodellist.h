#pragma once

#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

#include <QMap>
#include <QStringList>

namespace Velmora {

// The choices of a value-list block: names with their values, in library order, and the name
// chosen.
class VLM_CORE_EXPORT FBModelList : public FBModelItemSingleData<QMap<QString, QVariant>>
{
public:
    explicit FBModelList(FBModelItem* parent = nullptr);
    FBModelList(FBAbstractModel* model, FBModelItem* parent);

    bool initFromXmlLib(const QDomElement& element) override;
    int type() const override { return 1007; }
    QString name() const override;
    QString displayName() const override;
    bool dataFromVariant(const QVariant& value) override;
    QVariant dataToVariant() const override { return QVariant(m_currentValue); }
    FBModelItem* clone() const override;

    // Stores the map as it comes, always notifying.
    bool setData(const QMap<QString, QVariant>& values) override;

    QString currentValue() const { return m_currentValue; }
    void setCurrentValue(const QString& value);
    QStringList listValue() const { return m_listValue; }
    QString valueName() const { return m_valueName; }

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;

private:
    QStringList m_listValue;
    QString m_currentValue;
    QString m_valueName;
};

} // namespace Velmora
