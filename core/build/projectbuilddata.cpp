#include "build/projectbuilddata.h"

#include "build/buildbasefb.h"
#include "build/buildconstfb.h"

#include <QDataStream>
#include <QSet>

namespace Velmora {

namespace {

template <typename Record> void takeRecords(QVector<Record*>& held, const QVector<Record*>& records)
{
    QVector<Record*> taken;
    QSet<Record*> seen;
    for (Record* record : records) {
        if (!record || seen.contains(record))
            continue;
        seen.insert(record);
        taken.append(record);
    }
    for (Record* record : qAsConst(held)) {
        if (!seen.contains(record))
            delete record;
    }
    held = taken;
}

template <typename Record> QVector<QByteArray> encodeRecords(const QVector<Record*>& records)
{
    QVector<QByteArray> encoded;
    encoded.reserve(records.size());
    for (const Record* record : records)
        encoded.append(record->record());
    return encoded;
}

} // namespace

ProjectBuildData::~ProjectBuildData()
{
    resetData();
}

void ProjectBuildData::resetData()
{
    qDeleteAll(m_baseFBs);
    m_baseFBs.clear();
    qDeleteAll(m_constFBs);
    m_constFBs.clear();
    m_amountInBaseFB = 0;
    m_amountOutBaseFB = 0;
}

QVector<QByteArray> ProjectBuildData::buildDataBaseFB() const
{
    return encodeRecords(m_baseFBs);
}

QVector<QByteArray> ProjectBuildData::buildDataConstFB() const
{
    return encodeRecords(m_constFBs);
}

QByteArray ProjectBuildData::taskHeader() const
{
    QByteArray header;
    QDataStream out(&header, QIODevice::WriteOnly);
    out.setVersion(QDataStream::Qt_5_4);
    out.setByteOrder(QDataStream::LittleEndian);

    // Unsigned sum: the low 16 bits are the same, and large totals cannot overflow.
    const uint amountPorts = uint(m_amountOutBaseFB) + uint(m_amountInBaseFB);
    out << quint16(projectSize()) << quint16(amountDataBaseFB()) << quint16(amountPorts) << quint16(amountDataConstFB())
        << quint16(m_amountOutBaseFB);
    return header;
}

void ProjectBuildData::setBuildDataBaseFB(const QVector<BuildBaseFB*>& records)
{
    takeRecords(m_baseFBs, records);
}

void ProjectBuildData::setBuildDataConstFB(const QVector<BuildConstFB*>& records)
{
    takeRecords(m_constFBs, records);
}

} // namespace Velmora
