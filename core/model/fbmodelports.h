#pragma once

#include "model/fbdataports.h"
#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

namespace Velmora {

// A list of ports whose number stays between a minimum and a maximum.
class VLM_CORE_EXPORT FBModelPorts : public FBModelItemSingleData<FBDataPorts>
{
public:
    explicit FBModelPorts(FBModelItem* parent = nullptr);
    FBModelPorts(FBAbstractModel* model, FBModelItem* parent);

    bool initFromXmlLib(const QDomElement& element) override;
    void addChild(FBModelItem* item) override;
    FBModelItem* takeChild(int row) override;
    int type() const override { return 1002; }
    bool dataFromVariant(const QVariant& value) override;
    QVariant dataToVariant() const override;
    FBModelItem* clone() const override;

    // Adds copies of the first port or removes the last ports to reach the new count.
    void recalcPorts(const FBDataPorts& ports);

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;

    // Copies the value, id and flags onto a new list of the caller's class.
    FBModelItem* cloneInto(FBModelPorts* item) const;
};

} // namespace Velmora
