#pragma once

#include "vlm_gui_export.h"

#include <QWizardPage>

class QRegularExpressionValidator;

namespace Ui {
class FirmwareWizardNetworkPage;
}

namespace Velmora {

class IFirmwareClient;

// The first page of the firmware update wizard: the module's address and the connection to
// it. The wizard goes on only while connected.
class VLM_GUI_EXPORT FirmwareWizardNetworkPage : public QWizardPage
{
    Q_OBJECT
public:
    // The client is not owned; it must outlive the page.
    explicit FirmwareWizardNetworkPage(IFirmwareClient* client, QWidget* parent = nullptr);
    ~FirmwareWizardNetworkPage() override;

    bool isComplete() const override { return m_connected; }

private slots:
    void on_pushButtonConnect_clicked();
    void on_pushButtonDisconnect_clicked();
    void slotIsConnection(bool value);
    void slotConnectFailed(const QString& reason);
    void slotUseDefaultNetwork(int state);

private:
    Ui::FirmwareWizardNetworkPage* m_ui = nullptr;
    IFirmwareClient* m_client = nullptr;
    QRegularExpressionValidator* m_ipValidator = nullptr;
    bool m_connected = false;
};

} // namespace Velmora
