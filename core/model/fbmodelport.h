#pragma once

#include "model/fbdataport.h"
#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

namespace Velmora {

// One input or output of a block.
class VLM_CORE_EXPORT FBModelPort : public FBModelItemSingleData<FBDataPort>
{
public:
    using FBModelItemSingleData<FBDataPort>::FBModelItemSingleData;

    // Adapts the types of two ports being connected, receiver first.
    static void matchPortTypes(FBModelPort* receiver, FBModelPort* emitter);

    bool initFromXmlLib(const QDomElement& element) override;
    int type() const override { return 1004; }
    QString name() const override;
    QString displayName() const override;
    bool dataFromVariant(const QVariant& value) override;
    QVariant dataToVariant() const override;
    FBModelItem* clone() const override;

    // A port with a choice of types is editable.
    bool setData(const FBDataPort& port) override;

    bool isConnected() const { return m_connected; }
    void setConnected(bool connected);

    // A comma-separated type list, each name trimmed; empty parts are kept.
    static QStringList splitTypes(const QString& types);

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;

private:
    bool m_connected = false;
};

} // namespace Velmora
