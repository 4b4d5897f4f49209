#pragma once

#include "editor/connectionnode.h"
#include "vlm_core_export.h"

#include <QPointF>
#include <QPointer>
#include <QString>
#include <QVariant>
#include <QVector>

namespace Velmora {

class ConnectionPresenter;
class FuncBlock;
class GraphicsScene;

// What changes along with an edit of a block's items without being edited itself: a
// constant's value, converted whenever its port changes type, and the lines at the block,
// whose ends follow the ports when the block is laid out again. Both can lose detail on the
// way (a conversion rounds, a moved end bends a route), so a command takes them before and
// after its edit and puts them back exactly.
class VLM_CORE_EXPORT DependentState
{
public:
    DependentState() = default;
    // Of blocks on the scene; nothing of a block on no scene.
    DependentState(const GraphicsScene* scene, const QVector<FuncBlock*>& blocks);

    // Blocks and lines that are gone or off the scene are left out.
    void restore() const;

private:
    struct Number
    {
        QPointer<FuncBlock> block;
        QString typeName;
        QVariant value;
    };
    struct Line
    {
        QPointer<ConnectionPresenter> connection;
        QPointF pos;
        QPointF emitter;
        QPointF receiver;
        QVector<ConnectionNode> nodes;
    };

    QVector<Number> m_numbers;
    QVector<Line> m_lines;
};

} // namespace Velmora
