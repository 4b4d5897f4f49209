#pragma once

#include "model/fbmodelitemsingledata.h"
#include "vlm_core_export.h"

namespace Velmora {

// The title of a block, for example "AND".
class VLM_CORE_EXPORT FBModelTitle : public FBModelItemSingleData<QString>
{
public:
    using FBModelItemSingleData<QString>::FBModelItemSingleData;

    bool initFromXmlLib(const QDomElement& element) override;
    int type() const override { return 1001; }
    QString name() const override;
    QString displayName() const override;
    FBModelItem* clone() const override;

protected:
    bool readData(QDataStream& stream) override;
    void writeData(QDataStream& stream) const override;
};

} // namespace Velmora
