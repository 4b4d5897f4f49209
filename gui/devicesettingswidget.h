#pragma once

#include "vlm_gui_export.h"

#include <QDateTime>
#include <QDialog>

class QRegExpValidator;
class QTimer;

namespace Ui {
class DeviceSettingsWidget;
}

namespace Velmora {

class IDeviceClient;
class Ipv4Validator;

// Reads and writes a connected module's network parameters and clock, and reads its software
// version, model and calibration status. Every read and write is one operation of the
// client, which reports it on the console.
class VLM_GUI_EXPORT DeviceSettingsWidget : public QDialog
{
    Q_OBJECT
public:
    DeviceSettingsWidget(IDeviceClient* client, QWidget* parent = nullptr);
    ~DeviceSettingsWidget() override;

    // The clock shown, in milliseconds since the epoch; the module counts local wall-clock
    // time as if it were UTC.
    qint64 unixTime() const { return m_unixTime; }

private slots:
    void slotUnixTimeUp();
    void slotSyncSysTime(int state);
    void slotReadDateTime();
    void slotWriteDateTime();
    void slotTimeEdit(const QTime& newTime);
    void slotDateEdit(const QDate& newDate);
    void slotUseDefaultNetwork(int state);
    void slotChangedNetwork();
    void slotReadNetwork();
    void slotWriteNetwork();
    void slotReadDeviceInfo();

private:
    void initNetwork();
    void initRtc();
    void initDeviceInfo();
    bool pullNetworkSettings();
    bool putNetworkSettings();
    bool putTime();
    void updateDateTimeUi(const QDateTime& dateTime);
    void updateDateTimeUi();

    Ui::DeviceSettingsWidget* ui = nullptr;
    IDeviceClient* m_client = nullptr;
    Ipv4Validator* m_ipValidator = nullptr;
    QRegExpValidator* m_macValidator = nullptr;
    QTimer* m_timer = nullptr;
    qint64 m_unixTime = 0;
};

} // namespace Velmora
