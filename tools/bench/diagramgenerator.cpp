#include "diagramgenerator.h"

#include "diagramtesthelpers.h"

#include <QElapsedTimer>
#include <QRandomGenerator>

#include <cmath>

namespace Velmora {

namespace {

enum class Domain { None, Logic, Integer };

struct Placed
{
    FuncBlock* block = nullptr;
    Domain output = Domain::None; // what its output 0 carries
    Domain input = Domain::None; // what its inputs take
    int inputs = 0;
    QVector<bool> fed;
};

struct Choice
{
    const char* proto;
    Domain output;
    Domain input;
    bool variableInputs;
};

Choice choose(QRandomGenerator& random)
{
    static const char* const logic[] = { "AND", "OR", "XOR" };
    static const char* const arithmetic[] = { "Addition (int)", "Multiplication (int)", "Subtraction (int)" };
    const int r = random.bounded(100);
    if (r < 38)
        return { logic[random.bounded(3)], Domain::Logic, Domain::Logic, true };
    if (r < 60)
        return { arithmetic[random.bounded(3)], Domain::Integer, Domain::Integer, true };
    if (r < 72)
        return { random.bounded(2) ? "HIGH" : "LOW", Domain::Logic, Domain::None, false };
    if (r < 84)
        return { "Constant", Domain::Integer, Domain::None, false };
    // A list gives a uint8, which no int32 input of the arithmetic blocks takes.
    if (r < 97)
        return { "Analog Signal Type", Domain::None, Domain::None, false };
    return { "Comment", Domain::None, Domain::None, false };
}

// Places a block as placeBlock() does and finds it from the end of the scene's list: the
// list is in call order, top to bottom and left to right, and the blocks are placed row by
// row, so the new block is the last one. Looking from the start would make drawing the diagram
// grow with the square of its size, a cost of the bench and not of the editor.
FuncBlock* placeNewBlock(GraphicsScene& scene, const QString& proto, const QPointF& pos)
{
    scene.createFuncBlock(pos, proto);
    const QVector<FuncBlock*> blocks = scene.getFuncBlocks();
    for (auto it = blocks.crbegin(); it != blocks.crend(); ++it) {
        if ((*it)->graphics()->pos() == pos && (*it)->model()->protoName() == proto)
            return *it;
    }
    return nullptr;
}

} // namespace

DiagramGenerator::Result DiagramGenerator::generate(GraphicsScene& scene, int n) const
{
    Result result;
    QRandomGenerator random(m_seed);
    const int columns = qMax(4, int(std::ceil(std::sqrt(double(n)))));
    const double cellWidth = 320;
    const double cellHeight = 240;
    QVector<Placed> placed;
    placed.reserve(n);

    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < n; ++i) {
        const Choice choice = choose(random);
        const QPointF pos((i % columns) * cellWidth, (i / columns) * cellHeight);
        Placed entry;
        entry.block = placeNewBlock(scene, QString::fromLatin1(choice.proto), pos);
        if (!entry.block) {
            result.error = QStringLiteral("could not place %1").arg(QLatin1String(choice.proto));
            return result;
        }
        entry.output = choice.output;
        entry.input = choice.input;
        if (choice.variableInputs) {
            entry.inputs = 2 + random.bounded(3);
            if (entry.inputs != 2)
                setInputCount(entry.block, entry.inputs);
        }
        entry.fed.fill(false, entry.inputs);
        placed << entry;
    }
    result.blocksMs = timer.nsecsElapsed() / 1e6;
    result.blocks = scene.getFuncBlocks().size();

    // Each free input is fed, with the probability that gives the target on average, from a
    // block of its kind placed before it, so that no signal runs in a loop, and from its left:
    // mostly a neighbour up to three cells away in its row or the row above, now and then (one in
    // ten) any block of the two rows before it, a long line across the sheet. A second pass makes
    // up any shortfall from the nearest blocks to the left, and for the first column from the end
    // of the rows above.
    const int target = connectionTarget(n);
    int freeInputs = 0;
    for (const Placed& entry : qAsConst(placed))
        freeInputs += entry.inputs;
    const double chance = freeInputs ? double(target) / freeInputs : 0;
    const auto feeds = [&placed](int candidate, const Placed& receiver) {
        return candidate >= 0 && candidate < placed.size() && placed.at(candidate).output == receiver.input;
    };
    const auto neighbour = [&](int i, int column, int row) {
        for (int attempt = 0; attempt < 8 && column > 0; ++attempt) {
            const int candidate = (row - int(random.bounded(2))) * columns + column - 1
                - int(random.bounded(qMin(3, column)));
            if (candidate != i && feeds(candidate, placed.at(i)))
                return candidate;
        }
        return -1;
    };
    const auto acrossTwoRows = [&](int i) {
        const int window = qMin(i, 2 * columns);
        for (int attempt = 0; attempt < 8 && window > 0; ++attempt) {
            const int candidate = i - 1 - int(random.bounded(window));
            if (candidate % columns < i % columns && feeds(candidate, placed.at(i)))
                return candidate;
        }
        return -1;
    };
    const auto nearestToTheLeft = [&](int i, int column, int row) {
        for (int c = column - 1; c >= 0; --c) {
            for (int r : { row, row - 1 }) {
                if (feeds(r * columns + c, placed.at(i)))
                    return r * columns + c;
            }
        }
        for (int c = column - 1; c >= 0; --c) {
            for (int k = c; k < i; k += columns) {
                if (feeds(k, placed.at(i)))
                    return k;
            }
        }
        for (int k = i - 1; k >= 0; --k) {
            if (feeds(k, placed.at(i)))
                return k;
        }
        return -1;
    };
    int drawn = 0;
    timer.restart();
    for (int pass = 0; pass < 2 && drawn < target; ++pass) {
        for (int i = 0; i < placed.size() && drawn < target; ++i) {
            Placed& receiver = placed[i];
            const int column = i % columns;
            const int row = i / columns;
            for (int input = 0; input < receiver.inputs && drawn < target; ++input) {
                if (receiver.fed.at(input) || (pass == 0 && random.generateDouble() >= chance))
                    continue;
                int emitter = -1;
                if (pass == 1)
                    emitter = nearestToTheLeft(i, column, row);
                else if (random.bounded(10) == 0)
                    emitter = acrossTwoRows(i);
                else
                    emitter = neighbour(i, column, row);
                if (emitter < 0)
                    continue;
                QVector<QPointF> bends;
                if (random.bounded(4) == 0) {
                    QPointF from;
                    QPointF to;
                    placed.at(emitter).block->outputPortPos(0, from);
                    receiver.block->inputPortPos(input, to);
                    const double x = (from.x() + to.x()) / 2 + 7;
                    bends = { QPointF(x, from.y()), QPointF(x, to.y()) };
                }
                if (!joinPorts(scene, placed.at(emitter).block, 0, receiver.block, input, bends)) {
                    result.error = QStringLiteral("could not join block %1 to input %2 of block %3")
                                       .arg(emitter)
                                       .arg(input)
                                       .arg(i);
                    return result;
                }
                receiver.fed[input] = true;
                ++drawn;
            }
        }
    }
    result.connectionsMs = timer.nsecsElapsed() / 1e6;
    result.connections = scene.getConnections().size();
    if (result.blocks != n || result.connections != target) {
        result.error = QStringLiteral("%1 blocks and %2 connections, not %3 and %4")
                           .arg(result.blocks)
                           .arg(result.connections)
                           .arg(n)
                           .arg(target);
        return result;
    }
    result.ok = true;
    return result;
}

} // namespace Velmora
