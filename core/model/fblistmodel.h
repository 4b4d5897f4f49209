#pragma once

#include "model/fbabstractmodel.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBModelOutputs;
class FBModelPort;

// A value-list block: one output of a fixed type carrying the value of the chosen entry.
class VLM_CORE_EXPORT FBListModel : public FBAbstractModel
{
    Q_OBJECT
public:
    explicit FBListModel(QObject* parent = nullptr);

    FBAbstractModel* clone() const override;
    void accept(ProjectBuilder* builder, int pass, const QString& blockId) override;
    void initBeginIntegralItems() override;
    bool initFromXmlLib(const QDomElement& element) override;
    bool readFromDataStream(QDataStream& stream) override;

    QString typeValue() const { return m_typeValue; }
    FBModelPort* port() const { return m_port; }

private:
    QString m_typeValue;
    FBModelPort* m_port = nullptr;
    FBModelOutputs* m_outputs = nullptr;
};

} // namespace Velmora
