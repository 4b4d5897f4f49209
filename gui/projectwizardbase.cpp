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
    project->setFilePath(name, directory);
    project->setDevice(DeviceType(device));
    project->save(QString());
}

void ProjectWizardBase::accept()
{
    QDialog::accept();
}

} // namespace Velmora
