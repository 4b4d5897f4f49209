#pragma once

#include "model/fbabstractmodel.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBModelDataNum;
class FBModelOutputs;
class FBModelPort;

// A constant block: one output whose type the value follows.
class VLM_CORE_EXPORT FBDataNumberModel : public FBAbstractModel
{
    Q_OBJECT
public:
    explicit FBDataNumberModel(QObject* parent = nullptr);
    ~FBDataNumberModel() override;

    FBAbstractModel* clone() const override;
    void accept(ProjectBuilder* builder, int pass, const QString& blockId) override;
    void initBeginIntegralItems() override;
    void initEndIntegralItems() override;
    void changedItem(FBModelItem* item) override;
    bool initFromXmlLib(const QDomElement& element) override;
    bool readFromDataStream(QDataStream& stream) override;

    FBModelDataNum* numberItem() const { return m_numberItem; }
    FBModelPort* port() const { return m_port; }

private:
    FBModelDataNum* m_numberItem = nullptr;
    FBModelPort* m_port = nullptr;
    FBModelOutputs* m_outputs = nullptr;
};

} // namespace Velmora
