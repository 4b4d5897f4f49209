#include "runtime/runtimesignal.h"

#include "runtime/runtimeengine.h"

#include <QRegularExpression>

namespace Velmora {

namespace {

struct Area
{
    const char* prefix;
    RuntimeSignal::Kind kind;
    RuntimeValue::Type type;
    quint32 size;
};

const Area areas[] = {
    { "in", RuntimeSignal::Input, RuntimeValue::Bool, IoImage::channelCount },
    { "ain", RuntimeSignal::AnalogInput, RuntimeValue::Float, IoImage::channelCount },
    { "out", RuntimeSignal::Output, RuntimeValue::Bool, IoImage::channelCount },
    { "rel", RuntimeSignal::Relay, RuntimeValue::Bool, IoImage::channelCount },
    { "var", RuntimeSignal::Variable, RuntimeValue::Int32, IoImage::variableCount },
    { "mb", RuntimeSignal::Register, RuntimeValue::Int32, IoImage::registerCount },
};

} // namespace

RuntimeSignal RuntimeSignal::parse(const QString& name)
{
    static const QRegularExpression pattern(QStringLiteral("^([a-z]+|[0-9]+)\\.([0-9]+)(?::([a-z0-9]+))?$"));
    const QRegularExpressionMatch match = pattern.match(name);
    if (!match.hasMatch())
        return {};

    RuntimeSignal signal;
    bool ok = false;
    const QString area = match.captured(1);
    const uint number = match.captured(2).toUInt(&ok);
    if (!ok)
        return {};
    if (area.at(0).isDigit()) {
        const uint callOrder = area.toUInt(&ok);
        if (!ok || callOrder > 65535 || number > 255)
            return {};
        signal.m_kind = BlockOutput;
        signal.m_index = callOrder;
        signal.m_row = int(number);
    } else {
        for (const Area& known : areas) {
            if (area == QLatin1String(known.prefix) && number < known.size) {
                signal.m_kind = known.kind;
                signal.m_type = known.type;
                signal.m_index = number;
            }
        }
        if (signal.m_kind == Invalid)
            return {};
    }
    if (!match.captured(3).isEmpty()) {
        if (!RuntimeValue::typeFromName(match.captured(3), signal.m_type))
            return {};
        signal.m_explicitType = true;
    }
    signal.m_name = name;
    return signal;
}

bool RuntimeSignal::read(const RuntimeEngine& engine, quint32& bits) const
{
    const IoImage& io = engine.io();
    switch (m_kind) {
    case Invalid:
        return false;
    case Input:
        bits = RuntimeValue::fromBool(io.input(m_index));
        return true;
    case AnalogInput:
        bits = RuntimeValue::fromFloat(io.analogInput(m_index));
        return true;
    case Output:
        bits = RuntimeValue::fromBool(io.output(m_index));
        return true;
    case Relay:
        bits = RuntimeValue::fromBool(io.relay(m_index));
        return true;
    case Variable:
        bits = io.variable(m_index);
        return true;
    case Register:
        bits = io.registerValue(m_index);
        return true;
    case BlockOutput: {
        const int slot = engine.outputSlot(quint16(m_index), m_row);
        bits = engine.outputValue(slot);
        return slot >= 0;
    }
    }
    return false;
}

QString RuntimeSignal::read(const RuntimeEngine& engine) const
{
    quint32 bits = 0;
    return read(engine, bits) ? RuntimeValue::format(bits, m_type) : QString();
}

bool RuntimeSignal::write(RuntimeEngine& engine, quint32 bits) const
{
    IoImage& io = engine.io();
    switch (m_kind) {
    case Input:
        io.setInput(m_index, RuntimeValue::toBool(bits));
        return true;
    case AnalogInput:
        io.setAnalogInput(m_index, RuntimeValue::toFloat(RuntimeValue::convert(bits, m_type, RuntimeValue::Float)));
        return true;
    case Variable:
        io.setVariable(m_index, bits);
        return true;
    case Register:
        io.setRegister(m_index, bits);
        return true;
    case BlockOutput:
        return engine.force(engine.outputSlot(quint16(m_index), m_row), bits);
    case Invalid:
    case Output:
    case Relay:
        break;
    }
    return false;
}

} // namespace Velmora
