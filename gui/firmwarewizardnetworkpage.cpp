#include "firmwarewizardnetworkpage.h"

#include "ui_firmwarewizardnetworkpage.h"

#include "device/ifirmwareclient.h"
#include "services/console.h"

#include <QCoreApplication>
#include <QRegularExpressionValidator>

namespace Velmora {

namespace {

const QString defaultHost = QStringLiteral("10.14.0.254");
constexpr int defaultPort = 1518;

} // namespace

FirmwareWizardNetworkPage::FirmwareWizardNetworkPage(IFirmwareClient* client, QWidget* parent)
    : QWizardPage(parent)
    , m_ui(new Ui::FirmwareWizardNetworkPage)
    , m_client(client)
{
    m_ui->setupUi(this);

    const QString octet = QStringLiteral("(25[0-5]|2[0-4][0-9]|[01]?[0-9][0-9]?)");
    const QRegularExpression address(QStringLiteral("\\b%1\\.%1\\.%1\\.%1\\b").arg(octet));
    m_ipValidator = new QRegularExpressionValidator(address, this);
    m_ui->networkIpEditor->setValidator(m_ipValidator);

    connect(m_ui->networkDefaultCheckBox, &QCheckBox::stateChanged, this,
            &FirmwareWizardNetworkPage::slotUseDefaultNetwork);
    connect(m_client, &IFirmwareClient::isConnection, this, &FirmwareWizardNetworkPage::slotIsConnection);
    connect(m_client, &IFirmwareClient::onConnectFailed, this, &FirmwareWizardNetworkPage::slotConnectFailed);
    m_ui->networkDefaultCheckBox->setChecked(true);
}

FirmwareWizardNetworkPage::~FirmwareWizardNetworkPage()
{
    delete m_ui;
}

void FirmwareWizardNetworkPage::on_pushButtonConnect_clicked()
{
    // An empty or half-typed address names no module; the user finishes typing it first.
    QString ip = m_ui->networkIpEditor->text();
    int position = 0;
    if (m_ipValidator->validate(ip, position) != QValidator::Acceptable) {
        m_ui->networkIpEditor->setFocus();
        return;
    }
    if (m_ui->networkPortEditor->text().isEmpty()) {
        m_ui->networkPortEditor->setFocus();
        return;
    }
    m_client->setHost(m_ui->networkIpEditor->text());
    m_client->setPort(quint16(m_ui->networkPortEditor->value()));
    m_client->connectToDevice();
}

void FirmwareWizardNetworkPage::on_pushButtonDisconnect_clicked()
{
    m_client->disconnectFromDevice();
}

void FirmwareWizardNetworkPage::slotIsConnection(bool value)
{
    m_ui->labelConnection->setText(value ? QCoreApplication::translate("FirmwareWizardNetworkPage", "Connected")
                                         : QCoreApplication::translate("FirmwareWizardNetworkPage", "Disconnected"));
    m_ui->pushButtonConnect->setEnabled(!value);
    m_ui->pushButtonDisconnect->setEnabled(value);
    m_connected = value;
    emit completeChanged();
}

void FirmwareWizardNetworkPage::slotConnectFailed(const QString& reason)
{
    const QString text = QCoreApplication::translate("FirmwareWizardNetworkPage", "Cannot connect to %1:%2: %3")
                             .arg(m_client->host())
                             .arg(m_client->port())
                             .arg(reason);
    m_ui->labelConnection->setText(text);
    Console::instance().printMessage(text);
}

void FirmwareWizardNetworkPage::slotUseDefaultNetwork(int state)
{
    const bool useDefault = state == Qt::Checked;
    if (useDefault) {
        m_ui->networkIpEditor->setText(defaultHost);
        m_ui->networkPortEditor->setValue(defaultPort);
    }
    m_ui->networkIpEditor->setEnabled(!useDefault);
    m_ui->networkPortEditor->setEnabled(!useDefault);
}

} // namespace Velmora
