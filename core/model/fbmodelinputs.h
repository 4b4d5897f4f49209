#pragma once

#include "model/fbmodelports.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBModelPort;

// The inputs of a block.
class VLM_CORE_EXPORT FBModelInputs : public FBModelPorts
{
public:
    using FBModelPorts::FBModelPorts;

    int type() const override { return 1002; }
    QString name() const override;
    QString displayName() const override;
    FBModelItem* clone() const override;
};

} // namespace Velmora
