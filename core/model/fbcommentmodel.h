#pragma once

#include "model/fbabstractmodel.h"
#include "vlm_core_export.h"

namespace Velmora {

// A free text on the diagram; it has no items and is never built.
class VLM_CORE_EXPORT FBCommentModel : public FBAbstractModel
{
    Q_OBJECT
public:
    explicit FBCommentModel(QObject* parent = nullptr);

    FBAbstractModel* clone() const override;
    void changedItem(FBModelItem* item) override;
    bool initFromXmlLib(const QDomElement& element) override;
    bool writeToDataStream(QDataStream& stream) const override;
    bool readFromDataStream(QDataStream& stream) override;

    QString text() const { return m_text; }
    void setText(const QString& text) { m_text = text; }

private:
    QString m_text;
};

} // namespace Velmora
