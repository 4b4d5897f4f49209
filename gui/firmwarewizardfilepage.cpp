#include "firmwarewizardfilepage.h"

#include "ui_firmwarewizardfilepage.h"

#include "device/ifirmwareclient.h"
#include "services/console.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QKeyEvent>
#include <QMessageBox>
#include <QNetworkInterface>
#include <QRegularExpressionValidator>
#include <QScopeGuard>
#include <QWizard>

#include <cstring>

namespace Velmora {

namespace {

const char* const context = "FirmwareWizardFilePage";

QString translated(const char* text)
{
    return QCoreApplication::translate(context, text);
}

QString versionText(const QByteArray& contents)
{
    const QByteArray field = contents.right(FirmwareWizardFilePage::versionSize);
    const int end = field.indexOf('\0');
    return QString::fromUtf8(end < 0 ? field : field.left(end));
}

quint32 trailerCode(const QByteArray& contents)
{
    const QByteArray digits = contents.mid(contents.size() - FirmwareWizardFilePage::trailerSize, 4);
    bool ok = false;
    const uint code = digits.toUInt(&ok, 10);
    return ok ? code : 0;
}

// A text field of the record: UTF-8, cut to the field, zero-padded.
void putText(char (&field)[32], const QString& text)
{
    const QByteArray bytes = text.toUtf8().left(int(sizeof(field)));
    std::memset(field, 0, sizeof(field));
    std::memcpy(field, bytes.constData(), size_t(bytes.size()));
}

// The last IPv4 address of this computer that is not loopback; zeros when there is none.
void putHostAddress(quint8 (&octets)[4])
{
    quint32 address = 0;
    for (const QHostAddress& candidate : QNetworkInterface::allAddresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol && !candidate.isLoopback())
            address = candidate.toIPv4Address();
    }
    for (int i = 0; i < 4; ++i)
        octets[i] = quint8(address >> (24 - 8 * i));
}

} // namespace

FirmwareWizardFilePage::FirmwareWizardFilePage(IFirmwareClient* client, QWidget* parent)
    : QWizardPage(parent)
    , m_ui(new Ui::FirmwareWizardFilePage)
    , m_client(client)
{
    m_ui->setupUi(this);
    m_ui->m_progressBar->setRange(0, 100);
    m_ui->m_progressBar->setValue(0);
    m_ui->m_progressBar->hide();
    m_ui->m_lineEditNewFWUserData->setValidator(new QRegularExpressionValidator(
        QRegularExpression(QStringLiteral("([A-z]([\\s]?)){1,30}")), m_ui->m_lineEditNewFWUserData));

    registerField(QStringLiteral("fileDir*"), m_ui->m_lineEditDirectory);
    registerField(QStringLiteral("fileNewFWVersion*"), m_ui->m_lineEditNewFWVersion);
    registerField(QStringLiteral("fileNewFWSize*"), m_ui->m_lineEditNewFWSize);
    registerField(QStringLiteral("fileNewFWUserData*"), m_ui->m_lineEditNewFWUserData);

    connect(m_ui->m_pushButtonBrowse, &QPushButton::clicked, this, &FirmwareWizardFilePage::slotBrowse);
    connect(m_ui->m_lineEditDirectory, &QLineEdit::textChanged, this, &FirmwareWizardFilePage::slotRenewDirFile);
    connect(m_ui->m_lineEditDirectory, &QLineEdit::textChanged, this, &FirmwareWizardFilePage::slotCheckFile);
    connect(m_ui->m_lineEditNewFWUserData, &QLineEdit::textEdited, this,
            &FirmwareWizardFilePage::slotIsEmptyLineEditUserData);
    connect(m_ui->m_pushButtonDownload, &QPushButton::clicked, this, &FirmwareWizardFilePage::slotIsDownloaded);
    connect(m_client, &IFirmwareClient::sendFWBinPacket, this, &FirmwareWizardFilePage::slotProcentCalculation);
}

FirmwareWizardFilePage::~FirmwareWizardFilePage()
{
    delete m_ui;
}

void FirmwareWizardFilePage::slotBrowse()
{
    const QString path
        = QFileDialog::getOpenFileName(this, translated(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Open file")),
                                       QDir::currentPath(), QStringLiteral("*.bin"));
    if (path.isEmpty())
        return;
    m_ui->m_lineEditDirectory->setText(path);
    m_ui->m_labelTextWarning->clear();
    showFileData(path);
}

void FirmwareWizardFilePage::slotRenewDirFile()
{
    m_ui->m_lineEditNewFWVersion->clear();
    m_ui->m_lineEditNewFWSize->clear();
    m_ui->m_labelTextWarning->clear();
}

void FirmwareWizardFilePage::slotCheckFile()
{
    const QString path = m_ui->m_lineEditDirectory->text();
    if (!path.isEmpty() && QFileInfo(path).isFile()) {
        showFileData(path);
        return;
    }
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage",
                                "The path and/or file name has been changed. Enter them correctly."));
}

bool FirmwareWizardFilePage::showFileData(const QString& path)
{
    QFile file(path);
    const QByteArray contents = file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    // A file without a whole trailer has neither a code nor a version to read.
    if (contents.size() < trailerSize) {
        m_ui->m_lineEditNewFWVersion->clear();
        m_ui->m_lineEditNewFWSize->clear();
        setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "The file is too short to be a firmware file."));
        return false;
    }
    m_ui->m_lineEditNewFWVersion->setText(versionText(contents));
    m_ui->m_lineEditNewFWSize->setText(
        translated(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "%1 bytes")).arg(contents.size()));
    return true;
}

void FirmwareWizardFilePage::slotProcentCalculation(int fullValue, int j)
{
    // Each count stands for a packet of 350 bytes; the last one is shorter, so the share
    // overshoots there, and a bar ignores a value above its maximum.
    const float percent = float(j) / float(fullValue) * 350 * 100;
    m_ui->m_progressBar->setValue(int(qBound(0.0f, percent, 100.0f)));
}

void FirmwareWizardFilePage::slotIsEmptyLineEditUserData()
{
    m_ui->m_labelTextWarning->clear();
}

bool FirmwareWizardFilePage::slotIsDownloaded()
{
    m_ui->m_labelTextWarning->clear();
    if (m_ui->m_lineEditDirectory->text().isEmpty() || m_ui->m_lineEditNewFWSize->text().isEmpty()) {
        m_ui->m_lineEditDirectory->setFocus();
        setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Select firmware file"));
        return false;
    }
    if (m_ui->m_lineEditNewFWUserData->text().isEmpty()) {
        m_ui->m_lineEditNewFWUserData->setFocus();
        setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Enter the name of the person downloading the firmware"));
        return false;
    }

    QFile file(m_ui->m_lineEditDirectory->text());
    if (!file.open(QIODevice::ReadOnly))
        return false;
    QByteArray image = file.readAll();
    // The file may have changed since it was chosen.
    if (image.size() < trailerSize)
        return fail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "The file is too short to be a firmware file."));

    FW_INFO info;
    info.fwSize = quint32(image.size());
    info.fwDate = quint32(QDateTime::currentSecsSinceEpoch());
    putHostAddress(info.hostAddress);
    info.fwCode = trailerCode(image);
    putText(info.fwUserData, m_ui->m_lineEditNewFWUserData->text());
    putText(info.fwVersion, m_ui->m_lineEditNewFWVersion->text());

    m_ui->m_pushButtonDownload->setEnabled(false);
    setBusy(true);
    const auto idle = qScopeGuard([this] { setBusy(false); });
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Preparing for firmware download..."));
    setWizardOption(QWizard::DisabledBackButtonOnLastPage);

    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Sending new firmware information..."));
    if (!m_client->sendNewFWInfo(info))
        return fail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Error sending new firmware information"));

    if (!backUp())
        return fail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Firmware download canceled"));

    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Preparing the place to download the firmware"));
    if (!m_client->eraseFW()) {
        // Part of the firmware may be gone: a backup now would overwrite the good one.
        if (m_withoutFirmware.isEmpty()) {
            m_withoutFirmware = moduleAddress();
            m_partlyErased = true;
        }
        return fail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Error preparing the place to download the firmware"));
    }

    m_ui->m_progressBar->setValue(0); // a retry starts from nothing, not where the last try stopped
    m_ui->m_progressBar->setVisible(true);
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Loading firmware..."));
    if (!m_client->sendNewFWBin(image))
        return restoreAndFail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Error sending firmware data"));

    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Firmware verification..."));
    if (!m_client->verifyFWUpdate())
        return restoreAndFail(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Firmware verification error"));

    m_client->eraseBackupFW();
    m_withoutFirmware.clear();
    m_partlyErased = false;
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Firmware has been downloaded successefully"));
    m_ui->m_pushButtonBrowse->setEnabled(false);
    setWizardOption(QWizard::NoCancelButtonOnLastPage);
    m_downloaded = true;
    emit completeChanged();
    return true;
}

bool FirmwareWizardFilePage::backUp()
{
    if (m_withoutFirmware == moduleAddress()) {
        // A backup now would copy the erased firmware over the good one kept from before.
        if (m_partlyErased)
            report(QT_TRANSLATE_NOOP("FirmwareWizardFilePage",
                                     "Backup skipped: the firmware may be partly erased since the last attempt; the "
                                     "earlier backup is kept."));
        else
            report(QT_TRANSLATE_NOOP("FirmwareWizardFilePage",
                                     "Backup skipped: the module has had no firmware since the old one could not be "
                                     "restored; the earlier backup is kept."));
        return true;
    }
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Creating backup..."));
    if (m_client->backupFW())
        return true;
    setStatus(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Error creating backup"));
    const auto answer = QMessageBox::warning(
        this, translated(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Firmware update wizard")),
        translated(QT_TRANSLATE_NOOP("FirmwareWizardFilePage", "Can not make a backup.\nDo you want to continue?")),
        QMessageBox::Yes | QMessageBox::No);
    return answer == QMessageBox::Yes;
}

bool FirmwareWizardFilePage::restoreAndFail(const char* text)
{
    m_client->eraseFW();
    if (m_client->restoreFW()) {
        m_withoutFirmware.clear();
        m_partlyErased = false;
        return fail(text);
    }
    // The module is erased and stays so until a download succeeds. The user has to know, and
    // may have to reconnect first: the way back to the connection page opens.
    m_withoutFirmware = moduleAddress();
    m_partlyErased = false;
    const QString advice = translated(QT_TRANSLATE_NOOP("FirmwareWizardFilePage",
                                                        "The old firmware could not be restored: the module is left "
                                                        "without firmware. Reconnect to the module and download the "
                                                        "firmware again."));
    Console::instance().printMessage(advice);
    setWizardOption(QWizard::DisabledBackButtonOnLastPage, false);
    fail(text);
    m_ui->m_labelTextWarning->setText(translated(text) + QLatin1Char('\n') + advice);
    return false;
}

QString FirmwareWizardFilePage::moduleAddress() const
{
    return QStringLiteral("%1:%2").arg(m_client->host()).arg(m_client->port());
}

void FirmwareWizardFilePage::report(const char* text)
{
    setStatus(text);
    Console::instance().printMessage(translated(text));
}

void FirmwareWizardFilePage::setBusy(bool busy)
{
    m_busy = busy;
    QWizard* owner = wizard();
    if (!owner)
        return;
    owner->button(QWizard::CancelButton)->setEnabled(!busy);
    if (busy)
        owner->installEventFilter(this);
    else
        owner->removeEventFilter(this);
}

bool FirmwareWizardFilePage::eventFilter(QObject* watched, QEvent* event)
{
    // Esc or closing the window would cancel the wizard half-way through a download, the
    // module perhaps erased and the outcome unseen; the download finishes first.
    if (m_busy && watched == wizard()) {
        if (event->type() == QEvent::Close) {
            event->ignore();
            return true;
        }
        if (event->type() == QEvent::KeyPress && static_cast<QKeyEvent*>(event)->key() == Qt::Key_Escape)
            return true;
    }
    return QWizardPage::eventFilter(watched, event);
}

void FirmwareWizardFilePage::setStatus(const char* text)
{
    m_ui->m_labelTextWarning->setText(translated(text));
}

void FirmwareWizardFilePage::setWizardOption(int option, bool on)
{
    if (QWizard* owner = wizard())
        owner->setOption(QWizard::WizardOption(option), on);
}

bool FirmwareWizardFilePage::fail(const char* text)
{
    setStatus(text);
    m_ui->m_pushButtonDownload->setEnabled(true);
    return false;
}

} // namespace Velmora
