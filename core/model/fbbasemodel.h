#pragma once

#include "model/fbabstractmodel.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBModelCallOrder;

// An ordinary block: a function of the module with its inputs, outputs and call order.
class VLM_CORE_EXPORT FBBaseModel : public FBAbstractModel
{
    Q_OBJECT
public:
    explicit FBBaseModel(QObject* parent = nullptr);

    FBAbstractModel* clone() const override;
    void accept(ProjectBuilder* builder, int pass, const QString& blockId) override;
    void initEndIntegralItems() override;
    bool initFromXmlLib(const QDomElement& element) override;
    bool writeToDataStream(QDataStream& stream) const override;
    bool readFromDataStream(QDataStream& stream) override;

    int functionId() const { return m_functionId; }
    int callOrder() const;
    FBModelCallOrder* callOrderItem() const { return m_callOrderItem; }
    void setCallOrder(int callOrder);
    // Stores the number without notifying the model's listeners; false for a model without
    // a call order.
    bool storeCallOrder(int callOrder);

private:
    int m_functionId = -1;
    FBModelCallOrder* m_callOrderItem = nullptr;
};

} // namespace Velmora
