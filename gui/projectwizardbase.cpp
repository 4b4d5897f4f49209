#include "projectwizardbase.h"

#include "project/iproject.h"
#include "projectwizardbasepage.h"

#include <QCoreApplication>
#include <QVariant>

namespace Velmora {

ProjectWizardBase::ProjectWizardBase(const QString& extension, QWidget* parent)
    : QWizard(parent)
    , m_extension(extension)
{
    setWizardStyle(QWizard::ClassicStyle);
    addPage(new ProjectWizardBasePage(extension));
    setWindowTitle(QCoreApplication::translate("ProjectWizardBase", "File wizard"));
}

void ProjectWizardBase::setupProject(IProject* project)
{
    if (!project)
        return;
    const QString name = field(QStringLiteral("fileName")).toString();
    const QString directory = field(QStringLiteral("fileDir")).toString();
    const int device = field(QStringLiteral("device")).toInt();
    // Nothing is written here: the project manager writes the file once it has asked about
    // a project open at the same place.
    project->setFilePath(IProject::folderFilePath(name, directory, project->getExtension()));
    project->setDevice(DeviceType(device));
}

void ProjectWizardBase::accept()
{
    QDialog::accept();
}

} // namespace Velmora
