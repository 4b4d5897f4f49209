#pragma once

#include "vlm_gui_export.h"

#include <QHash>
#include <QTabWidget>

namespace Velmora {

class IProject;

// One tab per open project, each showing the view the project made for itself. The tabs
// follow the project manager's list and current project; the user's tab switches and close
// buttons come out as signals, and the manager's data is never changed here.
class VLM_GUI_EXPORT ProjectsTabWidget : public QTabWidget
{
    Q_OBJECT
public:
    explicit ProjectsTabWidget(QWidget* parent = nullptr);

signals:
    // Null when no tab is left.
    void onChangedCurrentProject(IProject* project);
    void onCloseProject(IProject* project);

public slots:
    void slotAddProject(IProject* project);
    // The project's view goes with its tab.
    void slotDeleteProject(IProject* project);
    void slotModifiedProject(IProject* project);
    void slotSetCurrentProject(IProject* project);

private slots:
    void slotTabChangeCurrent(int index);
    void slotTabClose(int index);

private:
    int indexByProject(IProject* project) const;
    IProject* projectByIndex(int index) const;
    void deleteProjectView(IProject* project);

    QHash<IProject*, QWidget*> m_projectViews;
};

} // namespace Velmora
