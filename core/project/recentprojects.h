#pragma once

#include "vlm_core_export.h"

#include <QObject>
#include <QStringList>

namespace Velmora {

// The paths of the projects opened or saved last, newest first. The list lives in the
// application settings and is written there at every change, so that a run that ends
// abnormally keeps it too.
class VLM_CORE_EXPORT RecentProjects : public QObject
{
    Q_OBJECT
public:
    static constexpr int maxCount = 10;

    explicit RecentProjects(QObject* parent = nullptr);

    QStringList paths() const { return m_paths; }
    // Moves a path to the top, dropping the oldest beyond the maximum.
    void add(const QString& path);
    void remove(const QString& path);
    void clear();

signals:
    void onChanged();

private:
    void store(const QStringList& paths);

    QStringList m_paths;
};

} // namespace Velmora
