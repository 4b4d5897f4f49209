#pragma once

#include "vlm_core_export.h"

#include <QRegExpValidator>

namespace Velmora {

// Accepts dotted IPv4 text of four decimal octets 0 to 255, and its beginnings as
// intermediate input.
class VLM_CORE_EXPORT Ipv4Validator : public QRegExpValidator
{
    Q_OBJECT
public:
    explicit Ipv4Validator(QObject* parent = nullptr);
};

} // namespace Velmora
