#include "build/buildbasefb.h"

#include <QDataStream>

namespace Velmora {

namespace {

bool setPort(QVector<BuildPort>& ports, int row, const BuildPort& port)
{
    if (row < 0 || row >= ports.size())
        return false;
    ports[row] = port;
    return true;
}

} // namespace

bool BuildBaseFB::setInput(int row, const BuildPort& port)
{
    return setPort(m_inputs, row, port);
}

bool BuildBaseFB::setOutput(int row, const BuildPort& port)
{
    return setPort(m_outputs, row, port);
}

QByteArray BuildBaseFB::record() const
{
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);

    const auto writePorts = [&out](const QVector<BuildPort>& ports) {
        out << quint8(ports.size());
        for (const BuildPort& port : ports)
            out << port.area() << port.index();
    };
    out << number() << m_function;
    writePorts(m_inputs);
    writePorts(m_outputs);
    return bytes;
}

} // namespace Velmora
