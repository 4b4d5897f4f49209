#include "runtime/runtimeengine.h"

#include "build/projectbuilddata.h"
#include "build/buildport.h"

#include <QDataStream>

#include <algorithm>

namespace Velmora {

namespace {

constexpr int headerSize = 10;
constexpr int constRecordSize = 7;

QDataStream& prepare(QDataStream& stream)
{
    stream.setVersion(QDataStream::Qt_5_4);
    stream.setByteOrder(QDataStream::LittleEndian);
    return stream;
}

} // namespace

RuntimeEngine::RuntimeEngine(const FunctionTable& functions)
    : m_functions(functions)
{ }

RuntimeEngine::~RuntimeEngine() = default;

bool RuntimeEngine::load(const ProjectBuildData& data)
{
    return load(data.taskHeader(), data.buildDataBaseFB(), data.buildDataConstFB());
}

bool RuntimeEngine::load(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                         const QVector<QByteArray>& constRecords)
{
    unload();
    QVector<quint16> fields;
    if (!decodeHeader(header, fields))
        return false;

    QVector<DecodedBlock> decoded;
    decoded.reserve(baseRecords.size());
    uint inputs = 0;
    uint outputs = 0;
    for (int i = 0; i < baseRecords.size(); ++i) {
        DecodedBlock block;
        if (!decodeBase(baseRecords.at(i), i, block))
            return false;
        inputs += uint(block.inputs.size());
        outputs += uint(block.outputs.size());
        decoded.append(block);
    }
    // The header is what the module sizes its memory by; records that disagree with it
    // would be written past what it set aside.
    if (fields.at(1) != quint16(baseRecords.size()) || fields.at(2) != quint16(inputs + outputs)
        || fields.at(3) != quint16(constRecords.size()) || fields.at(4) != quint16(outputs))
        return fail(QStringLiteral("The task header does not match its records."));
    if (!decodeConstants(constRecords) || !place(decoded))
        return false;
    m_loaded = true;
    reset();
    return true;
}

void RuntimeEngine::unload()
{
    m_blocks.clear();
    m_portSlots.clear();
    m_slots.clear();
    m_constantValues.clear();
    m_forced.clear();
    m_forcedValues.clear();
    m_memories.clear();
    m_forcedCount = 0;
    m_outputSlots = 0;
    m_constants = 0;
    m_timeMs = 0;
    m_cycleCount = 0;
    m_loaded = false;
    m_error.clear();
}

bool RuntimeEngine::fail(const QString& message)
{
    unload();
    m_error = message;
    return false;
}

bool RuntimeEngine::decodeHeader(const QByteArray& header, QVector<quint16>& fields)
{
    if (header.size() != headerSize)
        return fail(QStringLiteral("The task header is %1 bytes long instead of %2.").arg(header.size()).arg(headerSize));
    QDataStream in(header);
    prepare(in);
    fields.resize(headerSize / 2);
    for (quint16& field : fields)
        in >> field;
    return true;
}

bool RuntimeEngine::decodeBase(const QByteArray& record, int position, DecodedBlock& block)
{
    QDataStream in(record);
    prepare(in);
    quint8 count = 0;
    in >> block.number >> block.function >> count;
    for (int k = 0; k < count && in.status() == QDataStream::Ok; ++k) {
        quint8 area = 0;
        quint16 index = 0;
        in >> area >> index;
        if (area != BuildPort::NoSource && area != BuildPort::BlockOutputs && area != BuildPort::Constants)
            return fail(QStringLiteral("Block record %1: input %2 reads from area %3, which does not exist.")
                            .arg(position + 1).arg(k).arg(area));
        block.inputs.append({ area, index });
    }
    in >> count;
    for (int k = 0; k < count && in.status() == QDataStream::Ok; ++k) {
        quint8 area = 0;
        quint16 index = 0;
        in >> area >> index;
        if (area != BuildPort::BlockOutputs)
            return fail(QStringLiteral("Block record %1: output %2 writes to area %3 instead of the block outputs.")
                            .arg(position + 1).arg(k).arg(area));
        block.outputs.append(index);
    }
    if (in.status() != QDataStream::Ok || !in.atEnd())
        return fail(QStringLiteral("Block record %1 is not as long as its port counts say.").arg(position + 1));
    block.record = position;
    return true;
}

bool RuntimeEngine::decodeConstants(const QVector<QByteArray>& records)
{
    for (int i = 0; i < records.size(); ++i) {
        const QByteArray& record = records.at(i);
        if (record.size() != constRecordSize || quint8(record.at(0)) != BuildPort::Constants)
            return fail(QStringLiteral("Constant record %1 is not a 7-byte record of area 5.").arg(i + 1));
        QDataStream in(record.mid(1, 2));
        prepare(in);
        quint16 number = 0;
        in >> number;
        if (number >= m_constantValues.size())
            m_constantValues.resize(std::size_t(number) + 1, 0);
        // A constant given twice holds the value written last, as the module's memory would.
        m_constantValues[number] = RuntimeValue::fromBytes(record.constData() + 3);
    }
    m_constants = int(m_constantValues.size());
    return true;
}

bool RuntimeEngine::place(QVector<DecodedBlock>& decoded)
{
    int highest = -1;
    std::size_t ports = 0;
    for (const DecodedBlock& block : qAsConst(decoded)) {
        for (quint16 slot : block.outputs)
            highest = qMax(highest, int(slot));
        ports += std::size_t(block.inputs.size() + block.outputs.size());
    }
    m_outputSlots = highest + 1;
    const quint32 noSource = quint32(m_outputSlots + m_constants);
    m_slots.assign(noSource + 1, 0);
    m_portSlots.assign(ports, 0);
    m_forced.assign(std::size_t(m_outputSlots), 0);
    m_forcedValues.assign(std::size_t(m_outputSlots), 0);

    // Call order is the record's number; records with the same number keep their order.
    std::stable_sort(decoded.begin(), decoded.end(),
                     [](const DecodedBlock& a, const DecodedBlock& b) { return a.number < b.number; });
    m_blocks.resize(std::size_t(decoded.size()));
    int memories = 0;
    std::size_t next = 0;
    for (int i = 0; i < decoded.size(); ++i) {
        const DecodedBlock& source = decoded.at(i);
        const FunctionShape* shape
            = m_functions.find(source.function, source.inputs.size(), source.outputs.size());
        if (!shape)
            return fail(QStringLiteral("The block with call order %1 calls function %2 with %3 inputs and %4 "
                                       "outputs, which the simulation does not know.")
                            .arg(source.number).arg(source.function).arg(source.inputs.size())
                            .arg(source.outputs.size()));
        RuntimeBlock& block = m_blocks[std::size_t(i)];
        block.run = shape->run;
        block.number = source.number;
        block.function = source.function;
        block.inCount = quint8(source.inputs.size());
        block.outCount = quint8(source.outputs.size());
        block.memory = shape->usesMemory ? memories++ : -1;
        block.in = m_portSlots.data() + next;
        for (int k = 0; k < source.inputs.size(); ++k) {
            const quint8 area = source.inputs.at(k).first;
            const quint16 index = source.inputs.at(k).second;
            quint32 slot = noSource;
            if (area == BuildPort::BlockOutputs && index < m_outputSlots)
                slot = index;
            else if (area == BuildPort::Constants && index < m_constants)
                slot = quint32(m_outputSlots) + index;
            else if (area != BuildPort::NoSource)
                return fail(QStringLiteral("The block with call order %1 reads input %2 from slot %3 of area %4, "
                                           "which the image does not hold.")
                                .arg(source.number).arg(k).arg(index).arg(area));
            m_portSlots[next++] = slot;
        }
        block.out = m_portSlots.data() + next;
        for (quint16 slot : source.outputs)
            m_portSlots[next++] = slot;
    }
    m_memories.assign(std::size_t(memories), BlockMemory());
    m_context.attach(m_slots.data(), &m_io, m_memories.data());
    return true;
}

void RuntimeEngine::reset()
{
    std::fill(m_slots.begin(), m_slots.end(), 0);
    std::copy(m_constantValues.begin(), m_constantValues.end(), m_slots.begin() + m_outputSlots);
    for (int slot = 0; slot < m_outputSlots && m_forcedCount > 0; ++slot) {
        if (m_forced[std::size_t(slot)])
            m_slots[std::size_t(slot)] = m_forcedValues[std::size_t(slot)];
    }
    for (BlockMemory& memory : m_memories)
        memory.clear();
    m_io.clearOutputs();
    m_timeMs = 0;
    m_cycleCount = 0;
}

void RuntimeEngine::step()
{
    if (!m_loaded)
        return;
    m_context.setCycle(quint32(m_timeMs), m_cycleMs, m_cycleCount == 0);
    for (const RuntimeBlock& block : m_blocks) {
        block.run(m_context, block);
        if (m_forcedCount > 0)
            applyForces(block);
    }
    m_timeMs += m_cycleMs;
    m_io.advanceClock(m_cycleMs);
    ++m_cycleCount;
}

void RuntimeEngine::run(int cycles)
{
    for (int i = 0; i < cycles; ++i)
        step();
}

void RuntimeEngine::applyForces(const RuntimeBlock& block)
{
    for (int row = 0; row < block.outCount; ++row) {
        const quint32 slot = block.out[row];
        if (m_forced[slot])
            m_slots[slot] = m_forcedValues[slot];
    }
}

int RuntimeEngine::blockIndex(quint16 callOrder) const
{
    // The blocks are sorted by call order.
    const auto it = std::lower_bound(m_blocks.begin(), m_blocks.end(), callOrder,
                                     [](const RuntimeBlock& block, quint16 number) { return block.number < number; });
    return it != m_blocks.end() && it->number == callOrder ? int(it - m_blocks.begin()) : -1;
}

int RuntimeEngine::outputSlot(quint16 callOrder, int row) const
{
    const int index = blockIndex(callOrder);
    if (index < 0 || row < 0 || row >= m_blocks[std::size_t(index)].outCount)
        return -1;
    return int(m_blocks[std::size_t(index)].out[row]);
}

quint32 RuntimeEngine::outputValue(int slot) const
{
    return slot >= 0 && slot < m_outputSlots ? m_slots[std::size_t(slot)] : 0;
}

quint32 RuntimeEngine::inputValue(int index, int input) const
{
    if (index < 0 || index >= blockCount() || input < 0 || input >= m_blocks[std::size_t(index)].inCount)
        return 0;
    return m_slots[std::size_t(m_blocks[std::size_t(index)].in[input])];
}

quint32 RuntimeEngine::constantValue(int index) const
{
    return index >= 0 && index < m_constants ? m_constantValues[std::size_t(index)] : 0;
}

bool RuntimeEngine::force(int slot, quint32 bits)
{
    if (slot < 0 || slot >= m_outputSlots)
        return false;
    if (!m_forced[std::size_t(slot)])
        ++m_forcedCount;
    m_forced[std::size_t(slot)] = 1;
    m_forcedValues[std::size_t(slot)] = bits;
    m_slots[std::size_t(slot)] = bits;
    return true;
}

void RuntimeEngine::release(int slot)
{
    if (slot < 0 || slot >= m_outputSlots || !m_forced[std::size_t(slot)])
        return;
    m_forced[std::size_t(slot)] = 0;
    --m_forcedCount;
}

void RuntimeEngine::releaseAll()
{
    std::fill(m_forced.begin(), m_forced.end(), 0);
    m_forcedCount = 0;
}

bool RuntimeEngine::isForced(int slot) const
{
    return slot >= 0 && slot < m_outputSlots && m_forced[std::size_t(slot)];
}

} // namespace Velmora
