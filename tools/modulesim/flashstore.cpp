#include "modulesim/flashstore.h"

#include <QDataStream>
#include <QFile>
#include <QSaveFile>

namespace Velmora {

namespace {

constexpr quint32 flashMagic = 0x564c4d46; // "VLMF"
constexpr quint8 flashVersion = 1;

} // namespace

bool FlashStore::save(const QByteArray& header, const QVector<QByteArray>& baseRecords,
                      const QVector<QByteArray>& constRecords) const
{
    QSaveFile file(m_path);
    if (!file.open(QIODevice::WriteOnly))
        return false;
    QDataStream out(&file);
    out.setVersion(QDataStream::Qt_5_15);
    out.setByteOrder(QDataStream::BigEndian);
    out << flashMagic << flashVersion << header << baseRecords << constRecords;
    return out.status() == QDataStream::Ok && file.commit();
}

bool FlashStore::load(QByteArray& header, QVector<QByteArray>& baseRecords, QVector<QByteArray>& constRecords) const
{
    QFile file(m_path);
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QDataStream in(&file);
    in.setVersion(QDataStream::Qt_5_15);
    in.setByteOrder(QDataStream::BigEndian);
    quint32 magic = 0;
    quint8 version = 0;
    in >> magic >> version;
    if (magic != flashMagic || version != flashVersion)
        return false;
    in >> header >> baseRecords >> constRecords;
    return in.status() == QDataStream::Ok && in.atEnd();
}

} // namespace Velmora
