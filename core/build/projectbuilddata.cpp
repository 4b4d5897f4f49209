#include "build/projectbuilddata.h"

#include "build/buildbasefb.h"
#include "build/buildconstfb.h"

#include <QDataStream>

#include <algorithm>
#include <functional>
#include <vector>

namespace Velmora {

namespace {

// A build hands over a record for every block: the records are looked up in a sorted copy of
// the list rather than in a set, which would allocate a node for each of them.
template <typename Record> void takeRecords(QVector<Record*>& held, const QVector<Record*>& records)
{
    const std::less<Record*> before;
    std::vector<Record*> sorted(records.cbegin(), records.cend());
    std::sort(sorted.begin(), sorted.end(), before);
    sorted.erase(std::unique(sorted.begin(), sorted.end()), sorted.end());
    std::vector<bool> seen(sorted.size(), false);
    QVector<Record*> taken;
    taken.reserve(int(sorted.size()));
    for (Record* record : records) {
        if (!record)
            continue;
        const auto at = std::lower_bound(sorted.cbegin(), sorted.cend(), record, before) - sorted.cbegin();
        if (seen[at])
            continue;
        seen[at] = true;
        taken.append(record);
    }
    for (Record* record : qAsConst(held)) {
        if (!std::binary_search(sorted.cbegin(), sorted.cend(), record, before))
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
