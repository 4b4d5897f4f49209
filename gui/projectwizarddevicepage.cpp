#include "projectwizarddevicepage.h"

#include "services/devicetype.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace Velmora {

ProjectWizardDevicePage::ProjectWizardDevicePage(QWidget* parent)
    : QWizardPage(parent)
    , m_deviceBox(new QComboBox(this))
{
    setTitle(QCoreApplication::translate("ProjectWizardDevicePage", "Select device model"));
    m_deviceBox->setObjectName(QStringLiteral("device"));
    auto* form = new QFormLayout;
    form->addRow(new QLabel(QCoreApplication::translate("ProjectWizardDevicePage", "Device model:"), this),
                 m_deviceBox);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);

    for (DeviceType type : getDeviceTypes())
        m_deviceBox->addItem(deviceTypeToName(type), QVariant(int(type)));
    registerField(QStringLiteral("device"), m_deviceBox, "currentData");
}

} // namespace Velmora
