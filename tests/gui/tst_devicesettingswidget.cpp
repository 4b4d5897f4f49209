#include "devicesettingswidget.h"

#include "devicetesthelpers.h"
#include "testmain.h"

#include <QCheckBox>
#include <QDateEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>

#include <ctime>

using namespace Velmora;

namespace {

// 2026-12-08 10:00:00 on the module's clock.
const QDateTime moduleTime(QDate(2026, 12, 8), QTime(10, 0, 0), Qt::UTC);

template<typename T> T* field(const QWidget& dialog, const char* name)
{
    auto* widget = dialog.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QString text(const QWidget& dialog, const char* name)
{
    if (auto* label = dialog.findChild<QLabel*>(QLatin1String(name)))
        return label->text();
    return field<QLineEdit>(dialog, name)->text();
}

void tick(DeviceSettingsWidget& dialog, int seconds)
{
    for (int i = 0; i < seconds; ++i)
        QMetaObject::invokeMethod(&dialog, "slotUnixTimeUp");
}

} // namespace

class tst_DeviceSettingsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void form();
    void unconnectedFallsBackToDefaults();
    void readsModule_data();
    void readsModule();
    void writeFollowsValidators_data();
    void writeFollowsValidators();
    void writesNetworkRecord();
    void clockRunsAndWritesAdvancedValue();
    void dateAndTimeEditsKeepTheOtherHalf();
};

void tst_DeviceSettingsWidget::initTestCase()
{
    // Far from UTC, so the module's clock (local wall-clock time counted as UTC) differs
    // from the computer's instant.
    qputenv("TZ", "Asia/Kathmandu");
    tzset();
}

void tst_DeviceSettingsWidget::form()
{
    SimulatedModule sim;
    DeviceSettingsWidget dialog(&sim.client);
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Device settings"));
    QCOMPARE(dialog.size(), QSize(701, 662));
    QCOMPARE(dialog.windowModality(), Qt::ApplicationModal);
    QCOMPARE(field<QLineEdit>(dialog, "networkMacEditor")->maxLength(), 17);
    QCOMPARE(field<QLineEdit>(dialog, "networkGatewayEditor")->placeholderText(), QStringLiteral("IPv4 gateway"));
    QCOMPARE(field<QSpinBox>(dialog, "networkTcpTimeoutEditor")->suffix(), QStringLiteral(" sec"));
    QCOMPARE(field<QSpinBox>(dialog, "networkPortEditor")->maximum(), 65535);
    QCOMPARE(field<QDateEdit>(dialog, "rtcDateEditor")->displayFormat(), QStringLiteral("dd.MM.yyyy"));
}

void tst_DeviceSettingsWidget::unconnectedFallsBackToDefaults()
{
    SimulatedModule sim;
    DeviceSettingsWidget dialog(&sim.client);
    QVERIFY(field<QCheckBox>(dialog, "networkDefaultCheckBox")->isChecked());
    const QStringList shown { text(dialog, "networkMaskEditor"), text(dialog, "networkIpEditor"),
                              text(dialog, "networkGatewayEditor"), text(dialog, "networkMacEditor") };
    QCOMPARE(shown, QStringList({ "255.255.0.0", "10.14.0.254", "10.14.0.1", "0:0:0:0:0:0" }));
    QCOMPARE(field<QSpinBox>(dialog, "networkPortEditor")->value(), 1518);
    QCOMPARE(field<QSpinBox>(dialog, "networkTcpTimeoutEditor")->value(), 300);
    QVERIFY(!field<QLineEdit>(dialog, "networkIpEditor")->isEnabled());
    QVERIFY(field<QPushButton>(dialog, "networkWriteButton")->isEnabled());

    QVERIFY(field<QCheckBox>(dialog, "rtcSyncCheckBox")->isChecked());
    QVERIFY(!field<QDateEdit>(dialog, "rtcDateEditor")->isEnabled());
    const QDateTime local = QDateTime::currentDateTime();
    QVERIFY(local.offsetFromUtc() != 0);
    const qint64 wallClock = QDateTime(local.date(), local.time(), Qt::UTC).toMSecsSinceEpoch();
    QVERIFY(qAbs(dialog.unixTime() - wallClock) < 5000);
    QVERIFY(qAbs(field<QTimeEdit>(dialog, "rtcTimeEditor")->time().secsTo(local.time())) < 5);
    QCOMPARE(text(dialog, "softVersionDataLabel"), QStringLiteral("No data"));
    QCOMPARE(text(dialog, "calibStatusDataLabel"), QStringLiteral("No data"));
}

void tst_DeviceSettingsWidget::readsModule_data()
{
    QTest::addColumn<QByteArray>("macBytes");
    QTest::addColumn<QString>("mac");
    QTest::addColumn<quint8>("calibration");
    QTest::addColumn<QString>("calibrationText");
    QTest::addColumn<QString>("version");

    QTest::newRow("leading zeros") << QByteArray::fromHex("001a2b0c0d0e") << "0:1a:2b:c:d:e" << quint8(0 << 5)
                                   << "Calibration is done"
                                   << "2.4.1";
    QTest::newRow("status 1") << QByteArray::fromHex("ffffffffffff") << "ff:ff:ff:ff:ff:ff" << quint8(1 << 5)
                              << "Calibration error. Recalibration required"
                              << "2.4.1";
    QTest::newRow("status 6") << QByteArray::fromHex("020000000001") << "2:0:0:0:0:1" << quint8(6 << 5)
                              << "No calibration"
                              << "2.4.1";
    QTest::newRow("status 7, UTF-8 version")
        << QByteArray::fromHex("020000000001") << "2:0:0:0:0:1" << quint8(7 << 5)
        << "Calibration error. Recalibration required" << QStringLiteral("Версия 2.4 µ");
}

void tst_DeviceSettingsWidget::readsModule()
{
    QFETCH(QByteArray, macBytes);
    QFETCH(QString, mac);
    QFETCH(quint8, calibration);
    QFETCH(QString, calibrationText);
    QFETCH(QString, version);

    SimulatedModule sim;
    QVERIFY(sim.module.setNetRecord(QByteArray::fromHex("ffffff00c0a80a14c0a80a01") + macBytes
                                    + QByteArray::fromHex("ee052c01")));
    sim.module.setCalibration(calibration);
    sim.module.setSoftVersion(version);
    sim.module.setDeviceModel(KV_DA02);
    sim.module.setRtc(moduleTime.toSecsSinceEpoch());
    QVERIFY(sim.connectClient());

    DeviceSettingsWidget dialog(&sim.client);
    QCOMPARE(sim.commands(), QList<int>({ 12, 27, 23, 24, 30 }));
    QVERIFY(!field<QCheckBox>(dialog, "networkDefaultCheckBox")->isChecked());
    const QStringList shown { text(dialog, "networkMaskEditor"), text(dialog, "networkIpEditor"),
                              text(dialog, "networkGatewayEditor"), text(dialog, "networkMacEditor") };
    QCOMPARE(shown, QStringList({ "255.255.255.0", "192.168.10.20", "192.168.10.1", mac }));
    QCOMPARE(field<QSpinBox>(dialog, "networkPortEditor")->value(), 1518);
    QCOMPARE(field<QSpinBox>(dialog, "networkTcpTimeoutEditor")->value(), 300);
    QVERIFY(!field<QCheckBox>(dialog, "rtcSyncCheckBox")->isChecked());
    QCOMPARE(dialog.unixTime(), moduleTime.toMSecsSinceEpoch());
    QCOMPARE(field<QTimeEdit>(dialog, "rtcTimeEditor")->time(), QTime(10, 0, 0));
    QCOMPARE(text(dialog, "softVersionDataLabel"), version);
    QCOMPARE(text(dialog, "deviceNameDataLabel"), deviceTypeToName(KV_DA02));
    QCOMPARE(text(dialog, "calibStatusDataLabel"), calibrationText);
    if (qEnvironmentVariableIsSet("VLM_RENDER_DIR")) {
        dialog.show();
        dialog.grab().save(qEnvironmentVariable("VLM_RENDER_DIR") + QStringLiteral("/device_settings.png"));
    }
}

void tst_DeviceSettingsWidget::writeFollowsValidators_data()
{
    QTest::addColumn<QString>("editor");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("writable");

    QTest::newRow("three octets") << "networkIpEditor" << "10.14.0" << false;
    QTest::newRow("four octets") << "networkIpEditor" << "10.14.0.7" << true;
    QTest::newRow("mask cut short") << "networkMaskEditor" << "255.255." << false;
    QTest::newRow("five mac groups") << "networkMacEditor" << "0:1a:2b:c:d" << false;
    QTest::newRow("six mac groups") << "networkMacEditor" << "0:1a:2b:c:d:E" << true;
}

void tst_DeviceSettingsWidget::writeFollowsValidators()
{
    QFETCH(QString, editor);
    QFETCH(QString, typed);
    QFETCH(bool, writable);

    SimulatedModule sim;
    DeviceSettingsWidget dialog(&sim.client);
    field<QCheckBox>(dialog, "networkDefaultCheckBox")->click();
    auto* line = field<QLineEdit>(dialog, editor.toLatin1().constData());
    line->clear();
    QTest::keyClicks(line, typed);
    QCOMPARE(line->text(), typed);
    QCOMPARE(field<QPushButton>(dialog, "networkWriteButton")->isEnabled(), writable);
}

void tst_DeviceSettingsWidget::writesNetworkRecord()
{
    SimulatedModule sim;
    QVERIFY(sim.connectClient());
    DeviceSettingsWidget dialog(&sim.client);
    auto* address = field<QLineEdit>(dialog, "networkIpEditor");
    address->clear();
    QTest::keyClicks(address, "10.20.30.40");
    field<QSpinBox>(dialog, "networkTcpTimeoutEditor")->setValue(0x1234);
    sim.module.clearRequests();
    // Enter in an editor presses no button: it neither reads over the edit nor writes.
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QTest::keyClick(address, Qt::Key_Return);
    QVERIFY(sim.module.requests().isEmpty());
    QCOMPARE(address->text(), QStringLiteral("10.20.30.40"));
    field<QPushButton>(dialog, "networkWriteButton")->click();

    const QByteArray expected = QByteArray::fromHex("ffffff000a141e287f000001020000000001ee053412");
    QCOMPARE(sim.module.requests().size(), 1);
    QCOMPARE(sim.module.requests().first().command, quint8(13));
    QCOMPARE(sim.module.requests().first().payload.toHex(), expected.toHex());
    QCOMPARE(sim.module.netRecord().toHex(), expected.toHex());
}

void tst_DeviceSettingsWidget::clockRunsAndWritesAdvancedValue()
{
    SimulatedModule sim;
    sim.module.setRtc(moduleTime.toSecsSinceEpoch());
    QVERIFY(sim.connectClient());
    DeviceSettingsWidget dialog(&sim.client);
    tick(dialog, 5);
    QCOMPARE(field<QTimeEdit>(dialog, "rtcTimeEditor")->time(), QTime(10, 0, 5));
    field<QPushButton>(dialog, "rtcWriteButton")->click();
    QCOMPARE(sim.module.rtc(), qint32(moduleTime.toSecsSinceEpoch() + 5));
}

void tst_DeviceSettingsWidget::dateAndTimeEditsKeepTheOtherHalf()
{
    SimulatedModule sim;
    sim.module.setRtc(moduleTime.toSecsSinceEpoch());
    QVERIFY(sim.connectClient());
    DeviceSettingsWidget dialog(&sim.client);
    auto* date = field<QDateEdit>(dialog, "rtcDateEditor");
    auto* time = field<QTimeEdit>(dialog, "rtcTimeEditor");

    date->setFocus();
    date->setCurrentSection(QDateTimeEdit::YearSection);
    QTest::keyClick(date, Qt::Key_Up);
    QCOMPARE(dialog.unixTime(), QDateTime(QDate(2027, 12, 8), QTime(10, 0, 0), Qt::UTC).toMSecsSinceEpoch());

    time->setFocus();
    time->setCurrentSection(QDateTimeEdit::MinuteSection);
    QTest::keyClick(time, Qt::Key_Up);
    QCOMPARE(dialog.unixTime(), QDateTime(QDate(2027, 12, 8), QTime(10, 1, 0), Qt::UTC).toMSecsSinceEpoch());
    QCOMPARE(date->date(), QDate(2027, 12, 8));
}

VLM_TEST_MAIN(tst_DeviceSettingsWidget)
#include "tst_devicesettingswidget.moc"
