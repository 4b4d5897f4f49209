#pragma once

#include "build/buildbasefb.h"
#include "build/buildconstfb.h"
#include "build/buildport.h"
#include "runtime/functiontable.h"
#include "runtime/runtimeengine.h"
#include "runtime/runtimesignal.h"

#include <QByteArray>
#include <QDataStream>
#include <QRegularExpression>
#include <QStringList>
#include <QVector>

namespace Velmora {

// An image written record by record with the build's own record classes, and its header
// counted from them.
class TestImage
{
public:
    // Adds a block whose outputs take the next free slots; returns the first of them.
    int addBlock(int callOrder, int function, const QVector<BuildPort>& inputs, int outputs)
    {
        BuildBaseFB block;
        block.setNumber(callOrder);
        block.setFunction(function);
        block.setAmountIn(inputs.size());
        block.setAmountOut(outputs);
        for (int k = 0; k < inputs.size(); ++k)
            block.setInput(k, inputs.at(k));
        const int first = m_outputs;
        for (int k = 0; k < outputs; ++k)
            block.setOutput(k, BuildPort(BuildPort::BlockOutputs, m_outputs++));
        m_inputs += inputs.size();
        base << block.record();
        return first;
    }

    // Adds a constant holding these four bytes; returns its index.
    int addConstant(quint32 bits)
    {
        BuildConstFB constant;
        constant.setNumber(constants.size());
        constant.setValue(QVariant(uint(bits)));
        constants << constant.record();
        return constants.size() - 1;
    }

    QByteArray header() const
    {
        QByteArray bytes;
        QDataStream out(&bytes, QIODevice::WriteOnly);
        out.setByteOrder(QDataStream::LittleEndian);
        out << quint16(10) << quint16(base.size()) << quint16(m_inputs + m_outputs) << quint16(constants.size())
            << quint16(m_outputs);
        return bytes;
    }

    bool load(RuntimeEngine& engine) const { return engine.load(header(), base, constants); }

    QVector<QByteArray> base;
    QVector<QByteArray> constants;

private:
    int m_inputs = 0;
    int m_outputs = 0;
};

// Cycles written "a,b; c,d x3; e": cycles apart by ';', " xN" repeats a cycle N times.
// Returns one entry per cycle, trimmed.
inline QStringList expandCycles(const QString& text)
{
    static const QRegularExpression repeat(QStringLiteral("^(.*?)\\s*x(\\d+)$"));
    QStringList cycles;
    for (const QString& part : text.split(QLatin1Char(';'), Qt::SkipEmptyParts)) {
        const QRegularExpressionMatch match = repeat.match(part.trimmed());
        const int times = match.hasMatch() ? match.captured(2).toInt() : 1;
        const QString cycle = match.hasMatch() ? match.captured(1).trimmed() : part.trimmed();
        for (int i = 0; i < times; ++i)
            cycles << cycle;
    }
    return cycles;
}

// The source block of runBlock: a function with eight outputs that it never writes, free
// in the library, whose outputs the test forces to the values it feeds.
constexpr int testSourceFunction = 8;

// Runs one block of `function` cycle by cycle and returns what it gave, cycles joined by
// "; " and readings by ",".
//
// `inputs` says, comma-separated, what feeds each input row of the block: a type name
// ("bool", "uint32" ...) for a value taken each cycle from the next column of `sequence`,
// "type=value" for a constant, "-" for an input without source. Signal names (in.N,
// ain.N, var.N, mb.N) and "clock" are no input of the block: their column sets the I/O
// image before the cycle. A column value "~" leaves that cycle alone.
// `outputs` says what is read after each cycle: a type name reads the block's next output
// row, "_" skips a row, a signal name (out.N, rel.N, var.N, mb.N) reads the I/O image.
inline QString runBlock(int function, const QString& inputs, const QString& outputs, const QString& sequence,
                        quint32 cycleMs = 10)
{
    static const FunctionTable table = [] {
        FunctionTable functions = FunctionTable::shipped();
        functions.add(testSourceFunction, "SOURCE", { 0, 0, 8, [](BlockContext&, const RuntimeBlock&) {} });
        return functions;
    }();

    struct Column
    {
        RuntimeValue::Type type = RuntimeValue::Int32;
        int slot = -1; // a forced source output, or
        RuntimeSignal signal; // an entry of the I/O image, or neither for the clock
    };

    TestImage image;
    const int source = image.addBlock(0, testSourceFunction, {}, 8);
    QVector<BuildPort> ports;
    QVector<Column> columns;
    for (const QString& token : inputs.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        const QString entry = token.trimmed();
        const RuntimeSignal signal = RuntimeSignal::parse(entry);
        const QStringList typeAndValue = entry.split(QLatin1Char('='));
        RuntimeValue::Type type = RuntimeValue::UInt32;
        if (entry == QLatin1String("-")) {
            ports << BuildPort();
        } else if (entry == QLatin1String("clock")) {
            columns << Column { RuntimeValue::UInt32, -1, {} };
        } else if (signal.isValid()) {
            columns << Column { signal.type(), -1, signal };
        } else if (!RuntimeValue::typeFromName(typeAndValue.at(0), type)) {
            return QStringLiteral("unknown input ") + entry;
        } else if (typeAndValue.size() == 2) {
            quint32 bits = 0;
            if (!RuntimeValue::parse(typeAndValue.at(1), type, bits))
                return QStringLiteral("bad constant ") + entry;
            ports << BuildPort(BuildPort::Constants, image.addConstant(bits));
        } else {
            ports << BuildPort(BuildPort::BlockOutputs, source + columns.size());
            columns << Column { type, source + columns.size(), {} };
        }
    }
    const int first = image.addBlock(1, function, ports, table.outputCount(quint8(function), ports.size()));

    RuntimeEngine engine(table);
    engine.setCycleMs(cycleMs);
    if (!image.load(engine))
        return engine.errorString();

    QStringList readings;
    for (const QString& cycle : expandCycles(sequence)) {
        const QStringList values = cycle.isEmpty() ? QStringList() : cycle.split(QLatin1Char(','));
        if (values.size() != columns.size())
            return QStringLiteral("cycle '%1' has %2 values for %3 columns").arg(cycle).arg(values.size()).arg(columns.size());
        for (int i = 0; i < values.size(); ++i) {
            const Column& column = columns.at(i);
            quint32 bits = 0;
            if (values.at(i).trimmed() == QLatin1String("~"))
                continue;
            if (!RuntimeValue::parse(values.at(i), column.type, bits))
                return QStringLiteral("bad value ") + values.at(i);
            if (column.slot >= 0)
                engine.force(column.slot, bits);
            else if (column.signal.isValid())
                column.signal.write(engine, bits);
            else
                engine.io().setClock(bits);
        }
        engine.step();

        QStringList reading;
        int row = 0;
        for (const QString& token : outputs.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QString entry = token.trimmed();
            const RuntimeSignal signal = RuntimeSignal::parse(entry);
            RuntimeValue::Type type = RuntimeValue::UInt32;
            if (entry == QLatin1String("_"))
                ++row;
            else if (signal.isValid())
                reading << signal.read(engine);
            else if (RuntimeValue::typeFromName(entry, type))
                reading << RuntimeValue::format(engine.outputValue(first + row++), type);
            else
                return QStringLiteral("unknown output ") + entry;
        }
        readings << reading.join(QLatin1Char(','));
    }
    return readings.join(QStringLiteral("; "));
}

// The expected readings of runBlock, written with the repeats of expandCycles.
inline QString cycles(const QString& text)
{
    return expandCycles(text).join(QStringLiteral("; "));
}

} // namespace Velmora
