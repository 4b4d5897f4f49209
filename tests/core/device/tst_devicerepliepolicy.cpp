#include "device/devicerepliepolicy.h"

#include "testmain.h"

using namespace Velmora;

class tst_DeviceRepliePolicy : public QObject
{
    Q_OBJECT
private slots:
    void replieText_data();
    void replieText();
    void deviceCmdToText_data();
    void deviceCmdToText();
    void deviceErrorToText_data();
    void deviceErrorToText();
    void copyable();
};

void tst_DeviceRepliePolicy::replieText_data()
{
    QTest::addColumn<int>("code");
    QTest::addColumn<int>("subcode");
    QTest::addColumn<QString>("text");

    QTest::newRow("0") << 0 << 255 << "Device replie: No replise";
    QTest::newRow("1 crc error") << 1 << 113 << "Device replie: ERROR(113): CRC error.";
    QTest::newRow("1 below error codes") << 1 << 5 << "Device replie: ERROR(5): Unknown Error.";
    QTest::newRow("1 code 150") << 1 << 150 << "Device replie: ERROR(150): Invalid data.";
    QTest::newRow("1 no payload") << 1 << 255 << "Device replie: ERROR(255): Unknown Error.";
    QTest::newRow("1 negative") << 1 << -1 << "Device replie: ERROR(-1): Unknown Error.";
    QTest::newRow("2") << 2 << 18 << "Device replie: READY. command: Upload func block.";
    QTest::newRow("2 undefined") << 2 << 17 << "Device replie: READY. command: Undefined command.";
    QTest::newRow("3") << 3 << 0 << "Device replie: Get func block info.";
    QTest::newRow("4") << 4 << 1 << "Device replie: SUCCESS. command: Load in RAM memory.";
    QTest::newRow("4 no payload") << 4 << 255 << "Device replie: SUCCESS. command: Undefined command.";
    QTest::newRow("5") << 5 << 0 << "Device replie: Free space command.";
    QTest::newRow("6") << 6 << 12 << "Device replie: Net params command.";
    QTest::newRow("7") << 7 << 0 << "Device replie: Busy command.";
    QTest::newRow("8") << 8 << 0 << "Device replie: ";
    QTest::newRow("9") << 9 << 0 << "Device replie: RTC command.";
    QTest::newRow("10 calibration") << 10 << 0x60 << "Device replie: ";
    QTest::newRow("11") << 11 << 0 << "Device replie: ";
    QTest::newRow("12") << 12 << 0 << "Device replie: ";
    QTest::newRow("13") << 13 << 0 << "Device replie: ";
    QTest::newRow("14") << 14 << 0 << "Device replie: ";
    QTest::newRow("15") << 15 << 42 << "Device replie: UNKNOWN COMMAND code: 42.";
    QTest::newRow("15 no payload") << 15 << 255 << "Device replie: UNKNOWN COMMAND code: 255.";
    QTest::newRow("16") << 16 << 1 << "Device replie: ";
    QTest::newRow("255") << 255 << 1 << "Device replie: ";
    QTest::newRow("-1") << -1 << 1 << "Device replie: ";
    QTest::newRow("int minimum") << std::numeric_limits<int>::min() << 1 << "Device replie: ";
}

void tst_DeviceRepliePolicy::replieText()
{
    QFETCH(int, code);
    QFETCH(int, subcode);
    QFETCH(QString, text);

    QCOMPARE(DeviceRepliePolicy::replieText(code, subcode), text);
}

void tst_DeviceRepliePolicy::deviceCmdToText_data()
{
    QTest::addColumn<int>("cmd");
    QTest::addColumn<QString>("text");

    const QString undefined = QStringLiteral("Undefined command.");
    QTest::newRow("0") << 0 << undefined;
    QTest::newRow("1") << 1 << "Load in RAM memory.";
    QTest::newRow("2") << 2 << "Save to flash.";
    QTest::newRow("3") << 3 << "Stop task.";
    QTest::newRow("4") << 4 << "Stop at func block.";
    QTest::newRow("5") << 5 << "Step.";
    QTest::newRow("6") << 6 << "Set task state.";
    QTest::newRow("7") << 7 << "Run from flash.";
    QTest::newRow("8") << 8 << "Read and upload data.";
    QTest::newRow("9") << 9 << "Clear data.";
    QTest::newRow("10") << 10 << "Get data func block.";
    QTest::newRow("11") << 11 << "Set data func block.";
    QTest::newRow("12") << 12 << "Get net params.";
    QTest::newRow("13") << 13 << "Set net params.";
    QTest::newRow("14") << 14 << "Set password.";
    QTest::newRow("15") << 15 << "Debugging mode.";
    QTest::newRow("16") << 16 << "Echo.";
    QTest::newRow("17") << 17 << undefined;
    QTest::newRow("18") << 18 << "Upload func block.";
    QTest::newRow("19") << 19 << "Upload data block.";
    QTest::newRow("20") << 20 << "Get data MB_HR.";
    QTest::newRow("21") << 21 << "Get MB connection status.";
    QTest::newRow("22") << 22 << "Get TCP port.";
    QTest::newRow("23") << 23 << "Get soft data.";
    QTest::newRow("24") << 24 << "Get hardware ID.";
    QTest::newRow("25") << 25 << "Get MB port.";
    QTest::newRow("26") << 26 << "User comments.";
    QTest::newRow("27") << 27 << undefined;
    QTest::newRow("28") << 28 << undefined;
    QTest::newRow("29") << 29 << undefined;
    QTest::newRow("30") << 30 << undefined;
    QTest::newRow("255") << 255 << undefined;
    QTest::newRow("-1") << -1 << undefined;
    QTest::newRow("int minimum") << std::numeric_limits<int>::min() << undefined;
}

void tst_DeviceRepliePolicy::deviceCmdToText()
{
    QFETCH(int, cmd);
    QFETCH(QString, text);

    QCOMPARE(DeviceRepliePolicy::deviceCmdToText(cmd), text);
}

void tst_DeviceRepliePolicy::deviceErrorToText_data()
{
    QTest::addColumn<int>("error");
    QTest::addColumn<QString>("text");

    const QString unknown = QStringLiteral("Unknown Error.");
    QTest::newRow("0") << 0 << unknown;
    QTest::newRow("99") << 99 << unknown;
    QTest::newRow("100") << 100 << "No error.";
    QTest::newRow("101") << 101 << "There is no free space in the module.";
    QTest::newRow("102") << 102 << "Exceeding the size of the package.";
    QTest::newRow("103") << 103 << "The program is not stopped.";
    QTest::newRow("104") << 104 << "Invalid data size in the package.";
    QTest::newRow("105") << 105 << "Wrong function block index.";
    QTest::newRow("106") << 106 << "Error saving to flash memory.";
    QTest::newRow("107") << 107 << "Wrong password.";
    QTest::newRow("108") << 108 << "No task in flash memory.";
    QTest::newRow("109") << 109 << "Flash memory corrupted.";
    QTest::newRow("110") << 110 << "The data size is larger than the data buffer.";
    QTest::newRow("111") << 111 << "Invalid state.";
    QTest::newRow("112") << 112 << "A task in flash memory exists.";
    QTest::newRow("113") << 113 << "CRC error.";
    QTest::newRow("114") << 114 << "Invalid data.";
    QTest::newRow("115") << 115 << "The programming mode is disabled.";
    QTest::newRow("116") << 116 << "RTC error.";
    QTest::newRow("117") << 117 << "EEPROM error.";
    QTest::newRow("118") << 118 << unknown;
    QTest::newRow("149") << 149 << unknown;
    QTest::newRow("150") << 150 << "Invalid data.";
    QTest::newRow("151") << 151 << unknown;
    QTest::newRow("255") << 255 << unknown;
    QTest::newRow("-1") << -1 << unknown;
    QTest::newRow("int minimum") << std::numeric_limits<int>::min() << unknown;
}

void tst_DeviceRepliePolicy::deviceErrorToText()
{
    QFETCH(int, error);
    QFETCH(QString, text);

    QCOMPARE(DeviceRepliePolicy::deviceErrorToText(error), text);
}

void tst_DeviceRepliePolicy::copyable()
{
    const DeviceRepliePolicy policy;
    DeviceRepliePolicy copy(policy);
    copy = policy;
    QCOMPARE(copy.replieText(4, 24), QStringLiteral("Device replie: SUCCESS. command: Get hardware ID."));
}

VLM_TEST_MAIN(tst_DeviceRepliePolicy)
#include "tst_devicerepliepolicy.moc"
