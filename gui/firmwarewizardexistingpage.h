#pragma once

#include "vlm_gui_export.h"

#include <QWizardPage>

namespace Ui {
class FirmwareWizardExistingPage;
}

namespace Velmora {

class IFirmwareClient;

// The second page of the firmware update wizard: the record of the firmware now installed,
// read from the module whenever the wizard asks whether the page is complete.
class VLM_GUI_EXPORT FirmwareWizardExistingPage : public QWizardPage
{
    Q_OBJECT
public:
    // The client is not owned; it must outlive the page.
    explicit FirmwareWizardExistingPage(IFirmwareClient* client, QWidget* parent = nullptr);
    ~FirmwareWizardExistingPage() override;

    bool isComplete() const override;

private:
    void refresh() const;

    Ui::FirmwareWizardExistingPage* m_ui = nullptr;
    IFirmwareClient* m_client = nullptr;
    bool m_complete = true;
    // The fields shown are wizard fields: filling them makes the wizard ask again, and that
    // must not read the record a second time.
    mutable bool m_refreshing = false;
};

} // namespace Velmora
