#pragma once

#include <QByteArray>
#include <QString>
#include <QVector>

namespace Velmora {

// The flash of a simulated module, kept in a file: the task saved with Save in Flash, which
// the next start of the simulator finds there and runs, as a module does at power-up.
class FlashStore
{
public:
    explicit FlashStore(const QString& path)
        : m_path(path)
    { }

    // Replaces the file only once the whole task is written.
    bool save(const QByteArray& header, const QVector<QByteArray>& baseRecords,
              const QVector<QByteArray>& constRecords) const;
    // False when there is no file or it holds no task.
    bool load(QByteArray& header, QVector<QByteArray>& baseRecords, QVector<QByteArray>& constRecords) const;

private:
    QString m_path;
};

} // namespace Velmora
