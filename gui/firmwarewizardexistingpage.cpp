#include "firmwarewizardexistingpage.h"

#include "ui_firmwarewizardexistingpage.h"

#include "device/ifirmwareclient.h"

#include <QCoreApplication>
#include <QDateTime>

namespace Velmora {

namespace {

// Records of firmware downloaded before this time carry no real date.
constexpr quint32 lastUndatedTime = 1549020408;

QString fieldText(const char* field, int size)
{
    const QByteArray bytes(field, size);
    const int end = bytes.indexOf('\0');
    return QString::fromUtf8(end < 0 ? bytes : bytes.left(end));
}

} // namespace

FirmwareWizardExistingPage::FirmwareWizardExistingPage(IFirmwareClient* client, QWidget* parent)
    : QWizardPage(parent)
    , m_ui(new Ui::FirmwareWizardExistingPage)
    , m_client(client)
{
    m_ui->setupUi(this);
    registerField(QStringLiteral("fileFWDate*"), m_ui->m_lineEditFWDate);
    registerField(QStringLiteral("fileFWVersion*"), m_ui->m_lineEditFWVersion);
    registerField(QStringLiteral("fileFWUserData*"), m_ui->m_lineEditFWUserData);
    registerField(QStringLiteral("fileFWSize*"), m_ui->m_lineEditFWSize);
}

FirmwareWizardExistingPage::~FirmwareWizardExistingPage()
{
    delete m_ui;
}

bool FirmwareWizardExistingPage::isComplete() const
{
    if (!m_refreshing) {
        m_refreshing = true;
        refresh();
        m_refreshing = false;
    }
    return m_complete;
}

void FirmwareWizardExistingPage::refresh() const
{
    FW_INFO info;
    if (!m_client->getCurrFWInfo(info)) {
        const QString noData = QCoreApplication::translate("FirmwareWizardExistingPage", "No data");
        m_ui->m_lineEditFWDate->setText(noData);
        m_ui->m_lineEditFWVersion->setText(noData);
        m_ui->m_lineEditFWUserData->setText(noData);
        m_ui->m_lineEditFWSize->setText(noData);
        return;
    }

    m_ui->m_lineEditFWDate->setText(
        info.fwDate <= lastUndatedTime
            ? QCoreApplication::translate("FirmwareWizardExistingPage", "No data")
            : QDateTime::fromSecsSinceEpoch(info.fwDate).toString(QStringLiteral("dd-MM-yyyy hh:mm:ss")));
    m_ui->m_lineEditFWVersion->setText(fieldText(info.fwVersion, sizeof(info.fwVersion)));
    m_ui->m_lineEditFWSize->setText(QStringLiteral("%1 %2")
                                        .arg(info.fwSize)
                                        .arg(QCoreApplication::translate("FirmwareWizardExistingPage", "bytes")));
    m_ui->m_lineEditFWUserData->setText(fieldText(info.fwUserData, sizeof(info.fwUserData)));
}

} // namespace Velmora
