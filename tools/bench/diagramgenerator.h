#pragma once

#include <QString>
#include <QVector>

namespace Velmora {

class FuncBlock;
class GraphicsScene;

// A seeded diagram of library blocks drawn with the scene's own operations: logic blocks and
// arithmetic blocks with 2 to 4 inputs, constants, lists and a few comments on a grid, and
// about 1.5 connections per block, mostly between neighbours, a quarter of them with bends.
class DiagramGenerator
{
public:
    struct Result
    {
        bool ok = false;
        QString error;
        double blocksMs = 0; // placing the blocks and setting their input counts
        double connectionsMs = 0; // drawing the connections
        int blocks = 0;
        int connections = 0;
    };

    explicit DiagramGenerator(quint32 seed = 20240607) : m_seed(seed) { }

    // The connections drawn for n blocks.
    static int connectionTarget(int n) { return (3 * n + 1) / 2; }
    Result generate(GraphicsScene& scene, int n) const;

private:
    quint32 m_seed;
};

} // namespace Velmora
