#pragma once

#include "editor/blockitemcmd.h"
#include "model/fbdataports.h"
#include "vlm_core_export.h"

#include <QVector>

namespace Velmora {

class FBModelPorts;

// A new number of ports of a port list. Ports that go are kept, with the connections that
// ran to them, so that undo brings back the very same ports and lines; ports that come are
// copies of the first one, and redo brings back the same copies.
class VLM_CORE_EXPORT ChangePortCountCmd : public BlockItemCmd
{
public:
    // The count is kept within the list's limits. Null when it is no number or when the list
    // has that many ports already.
    static ChangePortCountCmd* create(FBModelPorts* list, const QVariant& count);
    // Deletes the ports it holds off the tree.
    ~ChangePortCountCmd() override;

    int id() const override { return 110; }

protected:
    void apply(FBModelItem* item, bool forward) override;

private:
    ChangePortCountCmd(FBModelPorts* list, const FBDataPorts& after);

    void shrink(FBModelPorts* list, int count);
    void grow(FBModelPorts* list, const FBDataPorts& ports);
    // The lines that run to the ports of the list from `count` on.
    QVector<ConnectionPresenter*> linesFrom(const FBModelPorts* list, int count) const;

    FBDataPorts m_before;
    FBDataPorts m_after;
    // Taken off the tree and held here while `m_holdsPorts`.
    QVector<FBModelItem*> m_ports;
    bool m_holdsPorts = false;
    HeldConnections m_lines;
};

} // namespace Velmora
