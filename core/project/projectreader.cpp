#include "project/projectreader.h"

#include <QDataStream>
#include <QFile>

namespace Velmora {

ProjectReader::ProjectReader(const QString& filePath)
    : m_filePath(filePath)
{ }

IProject* ProjectReader::readFile() const
{
    QFile file(m_filePath);
    if (!file.open(QIODevice::ReadOnly))
        return nullptr;
    const QByteArray head = file.read(8);
    QDataStream stream(head);
    qint64 magic = 0;
    stream >> magic;
    return nullptr;
}

} // namespace Velmora
