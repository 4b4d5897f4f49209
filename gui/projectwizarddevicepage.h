#pragma once

#include "vlm_gui_export.h"

#include <QWizardPage>

class QComboBox;

namespace Velmora {

// The device model of a new project; the wizard field "device" holds its code.
class VLM_GUI_EXPORT ProjectWizardDevicePage : public QWizardPage
{
    Q_OBJECT
public:
    explicit ProjectWizardDevicePage(QWidget* parent = nullptr);

private:
    QComboBox* m_deviceBox = nullptr;
};

} // namespace Velmora
