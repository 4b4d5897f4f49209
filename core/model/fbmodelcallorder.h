#pragma once

#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

namespace Velmora {

// The place of an ordinary block in the module's execution sequence; -1 until the scene
// numbers the block.
class VLM_CORE_EXPORT FBModelCallOrder : public FBModelItemSingleData<int>
{
public:
    explicit FBModelCallOrder(FBModelItem* parent = nullptr);
    FBModelCallOrder(FBAbstractModel* model, FBModelItem* parent);

    bool initFromXmlLib(const QDomElement& element) override;
    int type() const override { return 1008; }
    QString name() const override;
    QString displayName() const override;
    FBModelItem* clone() const override;
    // Without the change notification, for a renumbering whose owner shows the new number
    // itself.
    void storeNumber(int number) { storeData(number); }

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;
};

} // namespace Velmora
