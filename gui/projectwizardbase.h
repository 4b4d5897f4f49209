#pragma once

#include "vlm_gui_export.h"

#include <QString>
#include <QWizard>

namespace Velmora {

class IProject;

// Asks where the file of a new project goes; kinds of project add pages of their own.
class VLM_GUI_EXPORT ProjectWizardBase : public QWizard
{
    Q_OBJECT
public:
    ProjectWizardBase(const QString& extension, QWidget* parent = nullptr);

    QString extension() const { return m_extension; }

    // Places the project at directory/name/name.extension with the chosen device model and
    // writes its file.
    virtual void setupProject(IProject* project);

public slots:
    void accept() override;

private:
    QString m_extension;
};

} // namespace Velmora
