#include "devicesettingswidget.h"
#include "ui_devicesettingswidget.h"

#include "device/ideviceclient.h"
#include "services/appsettings.h"
#include "services/devicetype.h"
#include "services/ipv4validator.h"

#include <QDataStream>
#include <QRegExpValidator>
#include <QSignalBlocker>
#include <QTimer>

namespace Velmora {

namespace {

const QString macPattern = QStringLiteral("[0-9A-Fa-f]{1,2}:[0-9A-Fa-f]{1,2}:[0-9A-Fa-f]{1,2}:[0-9A-Fa-f]{1,2}:"
                                          "[0-9A-Fa-f]{1,2}:[0-9A-Fa-f]{1,2}");
constexpr int recordSize = 22;

QString octets(const QByteArray& bytes, const QString& format, int base)
{
    QString text = format;
    for (char byte : bytes)
        text = text.arg(quint8(byte), 0, base);
    return text;
}

void putOctets(QDataStream& out, const QString& text, QChar separator, int base)
{
    for (const QString& part : text.split(separator))
        out << quint8(part.toUInt(nullptr, base));
}

QString calibrationText(quint8 status)
{
    switch (status % 4) {
    case 0:
        return QCoreApplication::translate("DeviceSettingsWidget", "Calibration is done");
    case 2:
        return QCoreApplication::translate("DeviceSettingsWidget", "No calibration");
    default:
        return QCoreApplication::translate("DeviceSettingsWidget", "Calibration error. Recalibration required");
    }
}

} // namespace

DeviceSettingsWidget::DeviceSettingsWidget(IDeviceClient* client, QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::DeviceSettingsWidget)
    , m_client(client)
    , m_ipValidator(new Ipv4Validator(this))
    , m_macValidator(new QRegExpValidator(QRegExp(macPattern), this))
    , m_timer(new QTimer(this))
{
    ui->setupUi(this);
    connect(ui->settingsCloseButton, &QPushButton::clicked, this, &QDialog::close);
    initNetwork();
    initRtc();
    initDeviceInfo();
}

DeviceSettingsWidget::~DeviceSettingsWidget()
{
    delete ui;
}

void DeviceSettingsWidget::initNetwork()
{
    for (QLineEdit* editor : { ui->networkMaskEditor, ui->networkIpEditor, ui->networkGatewayEditor })
        editor->setValidator(m_ipValidator);
    ui->networkMacEditor->setValidator(m_macValidator);
    ui->networkPortEditor->setRange(0, 65535);
    ui->networkTcpTimeoutEditor->setRange(0, 65535);

    connect(ui->networkReadButton, &QPushButton::clicked, this, &DeviceSettingsWidget::slotReadNetwork);
    connect(ui->networkWriteButton, &QPushButton::clicked, this, &DeviceSettingsWidget::slotWriteNetwork);
    connect(ui->networkDefaultCheckBox, &QCheckBox::stateChanged, this, &DeviceSettingsWidget::slotUseDefaultNetwork);
    for (QLineEdit* editor :
         { ui->networkMaskEditor, ui->networkIpEditor, ui->networkGatewayEditor, ui->networkMacEditor })
        connect(editor, &QLineEdit::textChanged, this, &DeviceSettingsWidget::slotChangedNetwork);

    if (!pullNetworkSettings())
        ui->networkDefaultCheckBox->setChecked(true);
}

bool DeviceSettingsWidget::pullNetworkSettings()
{
    QByteArray record;
    if (!m_client->pullDeviceNetSettings(record))
        return false;
    // A module that answers with a short record has no settings to show.
    if (record.size() < recordSize)
        return false;

    const QString ipFormat = QStringLiteral("%1.%2.%3.%4");
    const QList<QPair<QLineEdit*, QString>> texts {
        { ui->networkMaskEditor, octets(record.mid(0, 4), ipFormat, 10) },
        { ui->networkIpEditor, octets(record.mid(4, 4), ipFormat, 10) },
        { ui->networkGatewayEditor, octets(record.mid(8, 4), ipFormat, 10) },
        { ui->networkMacEditor, octets(record.mid(12, 6), QStringLiteral("%1:%2:%3:%4:%5:%6"), 16) },
    };
    for (const auto& text : texts) {
        const QSignalBlocker blocker(text.first);
        text.first->setText(text.second);
    }

    QDataStream in(record.mid(18));
    in.setByteOrder(QDataStream::LittleEndian);
    quint16 port = 0;
    quint16 timeout = 0;
    in >> port >> timeout;
    const QSignalBlocker portBlocker(ui->networkPortEditor);
    const QSignalBlocker timeoutBlocker(ui->networkTcpTimeoutEditor);
    ui->networkPortEditor->setValue(port);
    ui->networkTcpTimeoutEditor->setValue(timeout);
    slotChangedNetwork();
    return true;
}

bool DeviceSettingsWidget::putNetworkSettings()
{
    QByteArray record;
    QDataStream out(&record, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    putOctets(out, ui->networkMaskEditor->text(), QLatin1Char('.'), 10);
    putOctets(out, ui->networkIpEditor->text(), QLatin1Char('.'), 10);
    putOctets(out, ui->networkGatewayEditor->text(), QLatin1Char('.'), 10);
    putOctets(out, ui->networkMacEditor->text(), QLatin1Char(':'), 16);
    out << quint16(ui->networkPortEditor->value()) << quint16(ui->networkTcpTimeoutEditor->value());
    // Write stays disabled until every text is accepted, so nothing else gets here; a record
    // of another size would be misread by the module.
    if (record.size() != recordSize)
        return false;
    return m_client->putDeviceNetSettings(record);
}

void DeviceSettingsWidget::slotChangedNetwork()
{
    // Each editor checks its text with the validator installed on it.
    const bool valid = ui->networkMaskEditor->hasAcceptableInput() && ui->networkIpEditor->hasAcceptableInput()
        && ui->networkGatewayEditor->hasAcceptableInput() && ui->networkMacEditor->hasAcceptableInput();
    ui->networkWriteButton->setEnabled(valid);
}

void DeviceSettingsWidget::slotReadNetwork()
{
    if (pullNetworkSettings() && ui->networkDefaultCheckBox->isChecked())
        ui->networkDefaultCheckBox->setChecked(false);
}

void DeviceSettingsWidget::slotWriteNetwork()
{
    putNetworkSettings();
}

void DeviceSettingsWidget::slotUseDefaultNetwork(int state)
{
    const bool useDefault = state == Qt::Checked;
    if (useDefault) {
        ui->networkMaskEditor->setText(QStringLiteral("255.255.0.0"));
        ui->networkIpEditor->setText(QStringLiteral("10.14.0.254"));
        ui->networkGatewayEditor->setText(QStringLiteral("10.14.0.1"));
        ui->networkMacEditor->setText(QStringLiteral("0:0:0:0:0:0"));
        ui->networkPortEditor->setValue(1518);
        ui->networkTcpTimeoutEditor->setValue(300);
    }
    const QList<QWidget*> editors { ui->networkMaskEditor, ui->networkIpEditor,   ui->networkGatewayEditor,
                                    ui->networkMacEditor,  ui->networkPortEditor, ui->networkTcpTimeoutEditor };
    for (QWidget* editor : editors)
        editor->setEnabled(!useDefault);
}

void DeviceSettingsWidget::initRtc()
{
    const QLocale locale = AppSettings().language();
    ui->rtcDateEditor->setLocale(locale);
    ui->rtcTimeEditor->setLocale(locale);
    ui->rtcDateEditor->setTimeSpec(Qt::UTC);
    ui->rtcTimeEditor->setTimeSpec(Qt::UTC);

    connect(m_timer, &QTimer::timeout, this, &DeviceSettingsWidget::slotUnixTimeUp);
    connect(ui->rtcSyncCheckBox, &QCheckBox::stateChanged, this, &DeviceSettingsWidget::slotSyncSysTime);
    connect(ui->rtcReadButton, &QPushButton::clicked, this, &DeviceSettingsWidget::slotReadDateTime);
    connect(ui->rtcWriteButton, &QPushButton::clicked, this, &DeviceSettingsWidget::slotWriteDateTime);
    connect(ui->rtcTimeEditor, &QTimeEdit::userTimeChanged, this, &DeviceSettingsWidget::slotTimeEdit);
    connect(ui->rtcDateEditor, &QDateEdit::userDateChanged, this, &DeviceSettingsWidget::slotDateEdit);

    qint64 seconds = 0;
    if (m_client->pullDeviceRtcSettings(seconds)) {
        m_unixTime = seconds * 1000;
        updateDateTimeUi();
    } else {
        ui->rtcSyncCheckBox->setChecked(true);
    }
    m_timer->start(1000);
}

void DeviceSettingsWidget::updateDateTimeUi(const QDateTime& dateTime)
{
    m_unixTime = QDateTime(dateTime.date(), dateTime.time(), Qt::UTC).toMSecsSinceEpoch();
    updateDateTimeUi();
}

void DeviceSettingsWidget::updateDateTimeUi()
{
    const QDateTime shown = QDateTime::fromMSecsSinceEpoch(m_unixTime, Qt::UTC);
    const QSignalBlocker dateBlocker(ui->rtcDateEditor);
    const QSignalBlocker timeBlocker(ui->rtcTimeEditor);
    ui->rtcDateEditor->setDate(shown.date());
    ui->rtcTimeEditor->setTime(shown.time());
}

void DeviceSettingsWidget::slotUnixTimeUp()
{
    if (ui->rtcSyncCheckBox->isChecked()) {
        updateDateTimeUi(QDateTime::currentDateTime());
        return;
    }
    m_unixTime += 1000;
    updateDateTimeUi();
}

void DeviceSettingsWidget::slotSyncSysTime(int state)
{
    const bool sync = state == Qt::Checked;
    if (sync)
        updateDateTimeUi(QDateTime::currentDateTime());
    ui->rtcDateEditor->setEnabled(!sync);
    ui->rtcTimeEditor->setEnabled(!sync);
}

void DeviceSettingsWidget::slotReadDateTime()
{
    qint64 seconds = 0;
    if (!m_client->pullDeviceRtcSettings(seconds))
        return;
    m_unixTime = seconds * 1000;
    updateDateTimeUi();
    if (ui->rtcSyncCheckBox->isChecked())
        ui->rtcSyncCheckBox->setChecked(false);
}

void DeviceSettingsWidget::slotWriteDateTime()
{
    putTime();
}

void DeviceSettingsWidget::slotTimeEdit(const QTime& newTime)
{
    const QDateTime current = QDateTime::fromMSecsSinceEpoch(m_unixTime, Qt::UTC);
    updateDateTimeUi(QDateTime(current.date(), newTime, Qt::UTC));
}

void DeviceSettingsWidget::slotDateEdit(const QDate& newDate)
{
    const QDateTime current = QDateTime::fromMSecsSinceEpoch(m_unixTime, Qt::UTC);
    updateDateTimeUi(QDateTime(newDate, current.time(), Qt::UTC));
}

bool DeviceSettingsWidget::putTime()
{
    return m_client->putDeviceRtcSettings(m_unixTime / 1000);
}

void DeviceSettingsWidget::initDeviceInfo()
{
    connect(ui->deviceInfoButton, &QPushButton::clicked, this, &DeviceSettingsWidget::slotReadDeviceInfo);
    slotReadDeviceInfo();
}

void DeviceSettingsWidget::slotReadDeviceInfo()
{
    QByteArray version;
    QByteArray hardwareId;
    m_client->pullDeviceSoftVersion(version);
    m_client->pullDeviceHardwareId(hardwareId);
    if (!version.isEmpty()) {
        const int end = version.indexOf('\0');
        ui->softVersionDataLabel->setText(QString::fromUtf8(end < 0 ? version : version.left(end)));
    }
    if (!hardwareId.isEmpty()) {
        const QString name = deviceTypeToName(DeviceType(quint8(hardwareId.at(0))));
        ui->deviceNameDataLabel->setText(
            name.isEmpty() ? QCoreApplication::translate("DeviceSettingsWidget", "Undefined") : name);
    }
    quint8 status = 0;
    if (m_client->pullCalibStatus(status))
        ui->calibStatusDataLabel->setText(calibrationText(status));
}

} // namespace Velmora
