#pragma once

#include "vlm_core_export.h"

#include <QByteArray>
#include <QVector>

namespace Velmora {

class BuildBaseFB;
class BuildConstFB;
class ProjectBuilder;

// The result of the last build of a project: the records of its ordinary blocks and of its
// constants, in build order, and the input and output totals of the ordinary blocks. Only
// the builder fills it; the upload reads the encoded records and the task header.
class VLM_CORE_EXPORT ProjectBuildData
{
public:
    ProjectBuildData() = default;
    ~ProjectBuildData();

    // Deletes every record and zeroes the totals.
    void resetData();

    int amountDataBaseFB() const { return m_baseFBs.size(); }
    int amountDataConstFB() const { return m_constFBs.size(); }
    int amountInBaseFB() const { return m_amountInBaseFB; }
    int amountOutBaseFB() const { return m_amountOutBaseFB; }
    // The length of the task header in bytes.
    int projectSize() const { return 10; }

    // One encoded record per block, in build order.
    QVector<QByteArray> buildDataBaseFB() const;
    QVector<QByteArray> buildDataConstFB() const;

    // The header the module takes before the records: projectSize, amountDataBaseFB,
    // amountOutBaseFB + amountInBaseFB, amountDataConstFB, amountOutBaseFB, each as its low
    // 16 bits, little-endian.
    QByteArray taskHeader() const;

private:
    friend class ProjectBuilder;
    friend class ProjectBuildDataTest;

    void setAmountInBaseFB(int amount) { m_amountInBaseFB = amount; }
    void setAmountOutBaseFB(int amount) { m_amountOutBaseFB = amount; }
    // The data takes over the records and deletes those it held before; null entries and
    // repeated pointers are dropped.
    void setBuildDataBaseFB(const QVector<BuildBaseFB*>& records);
    void setBuildDataConstFB(const QVector<BuildConstFB*>& records);

    QVector<BuildBaseFB*> m_baseFBs;
    QVector<BuildConstFB*> m_constFBs;
    int m_amountInBaseFB = 0;
    int m_amountOutBaseFB = 0;

    Q_DISABLE_COPY(ProjectBuildData)
};

} // namespace Velmora
