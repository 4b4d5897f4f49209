#pragma once

#include "vlm_core_export.h"

#include <QMetaType>
#include <QString>
#include <QVariant>

namespace Velmora {

// A translatable text kept as its source parts and translated each time it is shown, so a
// text made before the language was chosen still follows the language in use.
class VLM_CORE_EXPORT DeferredTranslation
{
public:
    DeferredTranslation() = default;

    static DeferredTranslation translate(const char* context, const char* sourceText,
                                         const char* disambiguation = nullptr, int n = -1);

    QString translate() const;
    operator QString() const { return translate(); }
    operator QVariant() const;

    bool operator==(const DeferredTranslation& other) const;
    bool operator!=(const DeferredTranslation& other) const { return !(*this == other); }

private:
    QString m_context;
    QString m_sourceText;
    QString m_disambiguation;
    int m_n = -1;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::DeferredTranslation)
