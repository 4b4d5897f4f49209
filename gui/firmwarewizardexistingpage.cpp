#include "firmwarewizardexistingpage.h"

#include "ui_firmwarewizardexistingpage.h"

#include "device/ifirmwareclient.h"

#include <QAbstractButton>
#include <QCoreApplication>
#include <QDateTime>
#include <QWizard>

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
    // The wizard asks too when it resets this page's fields on Cancel, or while another page
    // is current; only the page on show reads the record, and never from inside its own read
    // (filling the fields makes the wizard ask again).
    const QWizard* owner = wizard();
    if (m_refreshing || !owner || owner->currentPage() != this || isHidden())
        return m_complete;

    // The wizard must not move on while the record is read: a page reached from inside the
    // read would be judged complete by this page's answer.
    m_refreshing = true;
    QAbstractButton* const buttons[] = { owner->button(QWizard::BackButton), owner->button(QWizard::NextButton) };
    bool enabled[2] = {};
    for (int i = 0; i < 2; ++i) {
        enabled[i] = buttons[i]->isEnabled();
        buttons[i]->setEnabled(false);
    }
    refresh();
    for (int i = 0; i < 2; ++i)
        buttons[i]->setEnabled(enabled[i]);
    m_refreshing = false;
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
