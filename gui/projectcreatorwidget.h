#pragma once

#include "vlm_gui_export.h"

#include <QDialog>
#include <QMap>
#include <QString>

class QListWidgetItem;

namespace Ui {
class CreateDialog;
}

namespace Velmora {

class IProject;

// "New...": the user picks a kind of project, then fills in its creation wizard.
class VLM_GUI_EXPORT ProjectCreatorWidget : public QDialog
{
    Q_OBJECT
public:
    explicit ProjectCreatorWidget(const QString& title, QWidget* parent = nullptr);
    ~ProjectCreatorWidget() override;

    // Runs both dialogs; the new project, already written to disk, or null when the user
    // chose nothing or cancelled. The caller owns the project.
    IProject* createProject();

public slots:
    void accept() override;
    // A cancelled dialog leaves nothing selected, so no project is made.
    void reject() override;

private:
    void initProjectsList();

    Ui::CreateDialog* m_ui = nullptr;
    QMap<QListWidgetItem*, QString> m_itemIds;
};

} // namespace Velmora
