#pragma once

#include "model/fbmodelports.h"
#include "vlm_core_export.h"

namespace Velmora {

class FBModelPort;

// The outputs of a block.
class VLM_CORE_EXPORT FBModelOutputs : public FBModelPorts
{
public:
    using FBModelPorts::FBModelPorts;

    int type() const override { return 1003; }
    QString name() const override;
    QString displayName() const override;
    FBModelItem* clone() const override;

    // The single output "Out" of a constant or value-list block, held as `port`; the type of
    // the port is set by the block.
    static FBModelOutputs* createSingleOutput(FBModelPort*& port);
};

} // namespace Velmora
