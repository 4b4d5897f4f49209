#include "editor/pastecmd.h"

#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"

#include <QCoreApplication>

namespace Velmora {

PasteCmd::PasteCmd(const QVector<FuncBlock*>& blocks, const QVector<ConnectionPresenter*>& connections,
                   GraphicsScene* scene, QUndoCommand* parent)
    : SceneCmd(scene, parent)
    , m_blocks(hold(blocks))
    , m_connections(hold(connections))
{
    setText(QCoreApplication::translate("QObject", "<Paste %1 blocks and %2 connections>")
                .arg(blocks.size())
                .arg(connections.size()));
}

void PasteCmd::redo()
{
    m_scene->addGroupFuncBlock(alive(m_blocks));
    const QVector<ConnectionPresenter*> connections = alive(m_connections);
    if (!connections.isEmpty())
        m_scene->addGroupConnection(connections);
    m_scene->selectFuncBlocks(alive(m_blocks));
    keepOffScene(m_blocks, m_connections);
}

void PasteCmd::undo()
{
    m_scene->removeGroupFuncBlock(alive(m_blocks));
    const QVector<ConnectionPresenter*> connections = alive(m_connections);
    if (!connections.isEmpty())
        m_scene->removeGroupConnection(connections);
    keepOffScene(m_blocks, m_connections);
}

} // namespace Velmora
