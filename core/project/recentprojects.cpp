#include "project/recentprojects.h"

#include "services/appsettings.h"

#include <QDir>

namespace Velmora {

namespace {

const char* const recentKey = "general_settings/recent_projects";

} // namespace

RecentProjects::RecentProjects(QObject* parent)
    : QObject(parent)
{
    const QStringList stored = AppSettings().value(QLatin1String(recentKey)).toStringList();
    for (const QString& path : stored) {
        if (!path.isEmpty() && !m_paths.contains(path) && m_paths.size() < maxCount)
            m_paths << path;
    }
}

void RecentProjects::add(const QString& path)
{
    if (path.isEmpty())
        return;
    QStringList paths = m_paths;
    const QString clean = QDir::cleanPath(path);
    paths.removeAll(clean);
    paths.prepend(clean);
    store(paths.mid(0, maxCount));
}

void RecentProjects::remove(const QString& path)
{
    QStringList paths = m_paths;
    paths.removeAll(QDir::cleanPath(path));
    store(paths);
}

void RecentProjects::clear()
{
    store({});
}

void RecentProjects::store(const QStringList& paths)
{
    if (paths == m_paths)
        return;
    m_paths = paths;
    AppSettings settings;
    settings.setValue(QLatin1String(recentKey), m_paths);
    settings.sync();
    emit onChanged();
}

} // namespace Velmora
