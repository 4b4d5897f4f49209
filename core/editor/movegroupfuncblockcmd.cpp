#include "editor/movegroupfuncblockcmd.h"

#include <QCoreApplication>

namespace Velmora {

MoveGroupFuncBlockCmd::MoveGroupFuncBlockCmd(const QVector<FuncBlock*>& blocks, const QPointF& displacement,
                                             GraphicsScene* scene, QUndoCommand* parent)
    : MoveFuncBlockCmd(blocks, displacement, scene, QCoreApplication::translate("QObject", "<Move group blocks>"),
                       parent)
{ }

} // namespace Velmora
