#include "mainprojectwizard.h"

#include "projectwizarddevicepage.h"

#include <QCoreApplication>

namespace Velmora {

MainProjectWizard::MainProjectWizard(const QString& extension, QWidget* parent)
    : ProjectWizardBase(extension, parent)
{
    addPage(new ProjectWizardDevicePage);
    setWindowTitle(QCoreApplication::translate("MainProjectWizard", "Main project wizard"));
}

} // namespace Velmora
