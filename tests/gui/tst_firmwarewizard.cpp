#include "device/tcpfirmwareclient.h"
#include "firmwarewizardexistingpage.h"
#include "firmwarewizardfilepage.h"
#include "firmwarewizardnetworkpage.h"
#include "modulesim/modulesimulator.h"
#include "services/console.h"

#include "dialoghelpers.h"
#include "simulatorhelpers.h"
#include "testmain.h"

#include <QCheckBox>
#include <QDateTime>
#include <QLabel>
#include <QLineEdit>
#include <QNetworkInterface>
#include <QProgressBar>
#include <QPushButton>
#include <QSpinBox>
#include <QTemporaryDir>
#include <QWizard>
#include <QtEndian>

using namespace Velmora;

Q_DECLARE_METATYPE(ModuleSimulator::Fault)

namespace {

using Fault = ModuleSimulator::Fault;

// A firmware file: the image, then the code "0042" and the version text, zero-padded.
QByteArray firmwareFile(int size, const QByteArray& version = "V2.1")
{
    const QByteArray trailer = "0042" + version.leftJustified(32, '\0', true);
    return patternBytes(qMax(0, size - 36), 5) + trailer.right(qMin(size, 36));
}

} // namespace

class tst_FirmwareWizard : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void firstPageNeedsConnection();
    void installedRecord_data();
    void installedRecord();
    void chosenFile_data();
    void chosenFile();
    void nameValidator_data();
    void nameValidator();
    void downloadNeedsFileAndName();
    void failedDownload_data();
    void failedDownload();
    void successfulDownload();
    void connectNeedsWholeAddress_data();
    void connectNeedsWholeAddress();
    void cancelReadsNoRecord_data();
    void cancelReadsNoRecord();
    void nextDuringRefresh();
    void cancelDuringDownload_data();
    void cancelDuringDownload();
    void retryProgressFromZero();
    void failedRestore_data();
    void failedRestore();
    void failedEraseKeepsBackup();
    void connectFailureShowsReason();

private:
    template <typename T> T* field(const char* name) const { return m_wizard->findChild<T*>(QLatin1String(name)); }
    void clickConnect(quint16 port);
    void connectToLoader();
    void goToFilePage();
    QString writeFile(const QByteArray& contents);
    void chooseFirmware(const QByteArray& contents);
    void download(const QString& name = QStringLiteral("Ivan Petrov"));

    QTemporaryDir m_dir;
    ModuleSimulator* m_loader = nullptr;
    TCPFirmwareClient* m_client = nullptr;
    QWizard* m_wizard = nullptr;
    FirmwareWizardFilePage* m_filePage = nullptr;
};

void tst_FirmwareWizard::initTestCase()
{
    qputenv("TZ", "UTC");
}

// The wizard as the main window assembles it, with the client pointed at the simulator.
void tst_FirmwareWizard::init()
{
    m_loader = new ModuleSimulator(ModuleSimulator::Protocol::Firmware);
    QVERIFY(m_loader->listen());
    m_client = new TCPFirmwareClient;
    m_client->setHost(QStringLiteral("127.0.0.1"));
    m_client->setPort(m_loader->serverPort());
    m_client->setReplyTimeout(250);

    m_wizard = new QWizard;
    m_wizard->setWizardStyle(QWizard::ClassicStyle);
    m_wizard->setWindowTitle(QStringLiteral("Firmware update wizard"));
    m_wizard->setOption(QWizard::NoBackButtonOnStartPage);
    m_wizard->addPage(new FirmwareWizardNetworkPage(m_client));
    m_wizard->addPage(new FirmwareWizardExistingPage(m_client));
    m_wizard->setOption(QWizard::IndependentPages);
    m_filePage = new FirmwareWizardFilePage(m_client);
    m_wizard->addPage(m_filePage);
    m_wizard->show();
}

void tst_FirmwareWizard::cleanup()
{
    delete m_wizard;
    delete m_client;
    delete m_loader;
}

void tst_FirmwareWizard::clickConnect(quint16 port)
{
    field<QCheckBox>("networkDefaultCheckBox")->setChecked(false);
    field<QLineEdit>("networkIpEditor")->setText(QStringLiteral("127.0.0.1"));
    field<QSpinBox>("networkPortEditor")->setValue(port);
    field<QPushButton>("pushButtonConnect")->click();
}

void tst_FirmwareWizard::connectToLoader()
{
    clickConnect(m_loader->serverPort());
    QTRY_COMPARE(field<QLabel>("labelConnection")->text(), QStringLiteral("Connected"));
}

void tst_FirmwareWizard::goToFilePage()
{
    connectToLoader();
    m_wizard->button(QWizard::NextButton)->click();
    m_wizard->button(QWizard::NextButton)->click();
    QCOMPARE(m_wizard->currentPage(), m_filePage);
    m_loader->clearRequests();
}

QString tst_FirmwareWizard::writeFile(const QByteArray& contents)
{
    const QString path = m_dir.filePath(QStringLiteral("firmware.bin"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(contents) != contents.size())
        return QString();
    return path;
}

void tst_FirmwareWizard::chooseFirmware(const QByteArray& contents)
{
    answerDialogs({ chooseFile(writeFile(contents)) });
    field<QPushButton>("m_pushButtonBrowse")->click();
}

void tst_FirmwareWizard::download(const QString& name)
{
    field<QLineEdit>("m_lineEditNewFWUserData")->setText(name);
    field<QPushButton>("m_pushButtonDownload")->click();
}

void tst_FirmwareWizard::firstPageNeedsConnection()
{
    QAbstractButton* next = m_wizard->button(QWizard::NextButton);
    QCOMPARE(field<QLineEdit>("networkIpEditor")->text(), QStringLiteral("10.14.0.254"));
    QCOMPARE(field<QSpinBox>("networkPortEditor")->value(), 1518);
    QVERIFY(!field<QLineEdit>("networkIpEditor")->isEnabled());
    QVERIFY(!next->isEnabled());

    connectToLoader();
    QVERIFY(next->isEnabled());
    QVERIFY(!field<QPushButton>("pushButtonConnect")->isEnabled());

    field<QPushButton>("pushButtonDisconnect")->click();
    QTRY_COMPARE(field<QLabel>("labelConnection")->text(), QStringLiteral("Disconnected"));
    QVERIFY(!next->isEnabled());
    next->click();
    QCOMPARE(m_wizard->currentId(), 0);
    QVERIFY(field<QPushButton>("pushButtonConnect")->isEnabled());
}

void tst_FirmwareWizard::installedRecord_data()
{
    QTest::addColumn<quint32>("date");
    QTest::addColumn<bool>("refused");
    QTest::addColumn<QStringList>("shown"); // date, version, name, size

    const QString noData = QStringLiteral("No data");
    QTest::newRow("undated") << 1549020408u << false
                             << QStringList { noData, "VLM-SIM FW 1.0", "Anna Lee", "1000 bytes" };
    QTest::newRow("dated") << 1549020409u << false
                           << QStringList { "01-02-2019 11:26:49", "VLM-SIM FW 1.0", "Anna Lee", "1000 bytes" };
    QTest::newRow("refused") << 1549020409u << true << QStringList { noData, noData, noData, noData };
}

void tst_FirmwareWizard::installedRecord()
{
    QFETCH(quint32, date);
    QFETCH(bool, refused);
    QFETCH(QStringList, shown);

    FirmwareProtocol& loader = m_loader->firmware();
    loader.setInstalled(
        loader.installedImage(),
        FirmwareProtocol::infoRecord(1000, date, QByteArray::fromHex("7f000001"), 3, "Anna Lee", "VLM-SIM FW 1.0"));
    if (refused)
        m_loader->addFault(simFault('g', 0, Fault::ErrorReply, 4));
    connectToLoader();
    m_wizard->button(QWizard::NextButton)->click();

    QStringList texts;
    for (const char* name : { "m_lineEditFWDate", "m_lineEditFWVersion", "m_lineEditFWUserData", "m_lineEditFWSize" })
        texts << field<QLineEdit>(name)->text();
    QCOMPARE(texts, shown);
    QCOMPARE(m_wizard->field(QStringLiteral("fileFWSize")).toString(), shown.at(3));
    QVERIFY(m_wizard->button(QWizard::NextButton)->isEnabled());
    QVERIFY(receivedLetters(*m_loader).startsWith("g"));
    QVERIFY(!receivedLetters(*m_loader).contains("gg")); // filling the fields reads no second time
}

void tst_FirmwareWizard::chosenFile_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<QString>("version");
    QTest::addColumn<QString>("size");
    QTest::addColumn<QString>("status");

    QTest::newRow("V2.1") << firmwareFile(1000) << "V2.1"
                          << "1000 bytes" << QString();
    QTest::newRow("version fills its field")
        << firmwareFile(40, QByteArray(32, 'v')) << QString(32, 'v') << "40 bytes" << QString();
    QTest::newRow("trailer only") << firmwareFile(36) << "V2.1"
                                  << "36 bytes" << QString();
    QTest::newRow("shorter than a trailer")
        << firmwareFile(35) << QString() << QString() << "The file is too short to be a firmware file.";
    QTest::newRow("empty") << QByteArray() << QString() << QString() << "The file is too short to be a firmware file.";
}

void tst_FirmwareWizard::chosenFile()
{
    QFETCH(QByteArray, contents);
    QFETCH(QString, version);
    QFETCH(QString, size);
    QFETCH(QString, status);

    goToFilePage();
    chooseFirmware(contents);
    QCOMPARE(field<QLineEdit>("m_lineEditDirectory")->text(), m_dir.filePath(QStringLiteral("firmware.bin")));
    QCOMPARE(field<QLineEdit>("m_lineEditNewFWVersion")->text(), version);
    QCOMPARE(field<QLineEdit>("m_lineEditNewFWSize")->text(), size);
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), status);

    field<QLineEdit>("m_lineEditDirectory")->setText(m_dir.filePath(QStringLiteral("gone.bin")));
    QCOMPARE(field<QLineEdit>("m_lineEditNewFWVersion")->text(), QString());
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(),
             QStringLiteral("The path and/or file name has been changed. Enter them correctly."));
}

void tst_FirmwareWizard::nameValidator_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("kept");

    QTest::newRow("latin with a space") << "Ivan Petrov"
                                        << "Ivan Petrov";
    QTest::newRow("digits refused") << "Ivan2"
                                    << "Ivan";
    QTest::newRow("nothing accepted") << "1."
                                      << "";
    QTest::newRow("at most 30 letters") << QString(31, 'a') << QString(30, 'a');
}

void tst_FirmwareWizard::nameValidator()
{
    QFETCH(QString, typed);
    QFETCH(QString, kept);

    goToFilePage();
    QLabel* status = field<QLabel>("m_labelTextWarning");
    status->setText(QStringLiteral("old"));
    QTest::keyClicks(field<QLineEdit>("m_lineEditNewFWUserData"), typed);
    QCOMPARE(field<QLineEdit>("m_lineEditNewFWUserData")->text(), kept);
    QCOMPARE(status->text(), kept.isEmpty() ? QStringLiteral("old") : QString());
}

void tst_FirmwareWizard::downloadNeedsFileAndName()
{
    goToFilePage();
    download();
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Select firmware file"));
    chooseFirmware(firmwareFile(1000));
    download(QString());
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(),
             QStringLiteral("Enter the name of the person downloading the firmware"));
    QCOMPARE(receivedLetters(*m_loader), QByteArray());
    QVERIFY(m_wizard->button(QWizard::BackButton)->isEnabled());
}

void tst_FirmwareWizard::failedDownload_data()
{
    QTest::addColumn<Fault>("fault");
    QTest::addColumn<int>("answer"); // to the backup question; 0 when none is asked
    QTest::addColumn<QString>("status");
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<bool>("restored");

    QTest::newRow("record refused") << simFault('d', 1, Fault::ErrorReply, 2) << 0
                                    << "Error sending new firmware information" << QByteArray("d") << false;
    QTest::newRow("backup failed, declined") << simFault('i', 1, Fault::ErrorReply, 4) << int(QMessageBox::No)
                                             << "Firmware download canceled" << QByteArray("di") << false;
    QTest::newRow("erase failed") << simFault('j', 1, Fault::OtherReply, 'k') << 0
                                  << "Error preparing the place to download the firmware" << QByteArray("dij") << false;
    QTest::newRow("transfer failed") << simFault('e', 2, Fault::NoReply) << 0 << "Error sending firmware data"
                                     << QByteArray("dijeejh") << true;
    QTest::newRow("verification failed") << simFault('l', 1, Fault::ErrorReply, 5) << 0 << "Firmware verification error"
                                         << QByteArray("dijeeeljh") << true;
}

void tst_FirmwareWizard::failedDownload()
{
    QFETCH(Fault, fault);
    QFETCH(int, answer);
    QFETCH(QString, status);
    QFETCH(QByteArray, letters);
    QFETCH(bool, restored);

    const QByteArray factoryImage = m_loader->firmware().installedImage();
    const QByteArray factoryInfo = m_loader->firmware().installedInfo();
    goToFilePage();
    chooseFirmware(firmwareFile(1000));
    m_loader->addFault(fault);
    if (answer)
        answerDialogs({ pressButton(QMessageBox::StandardButton(answer)) });
    download();

    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), status);
    QCOMPARE(receivedLetters(*m_loader), letters);
    QCOMPARE(m_loader->firmware().installedImage(), factoryImage);
    QCOMPARE(m_loader->firmware().installedInfo(), factoryInfo);
    QCOMPARE(m_loader->firmware().stage() == FirmwareProtocol::Stage::Restored, restored);
    QVERIFY(field<QPushButton>("m_pushButtonDownload")->isEnabled());
    QVERIFY(!m_filePage->isComplete());
    QVERIFY(!m_wizard->button(QWizard::BackButton)->isEnabled());
    QVERIFY(m_wizard->button(QWizard::CancelButton)->isVisible());
}

void tst_FirmwareWizard::successfulDownload()
{
    goToFilePage();
    const QByteArray file = firmwareFile(1000);
    chooseFirmware(file);
    // The first backup fails, and the user goes on without one.
    m_loader->addFault(simFault('i', 1, Fault::ErrorReply, 4));
    answerDialogs({ pressButton(QMessageBox::Yes) });
    QSignalSpy progress(field<QProgressBar>("m_progressBar"), &QProgressBar::valueChanged);
    const quint32 before = quint32(QDateTime::currentSecsSinceEpoch());
    download(QStringLiteral("Ivan Petrov"));
    const quint32 after = quint32(QDateTime::currentSecsSinceEpoch());

    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Firmware has been downloaded successefully"));
    QCOMPARE(receivedLetters(*m_loader), QByteArray("dijeeelk"));
    QCOMPARE(m_loader->firmware().installedImage(), file);
    QCOMPARE(progress, (QList<QList<QVariant>> { { 35 }, { 70 }, { 100 } }));
    QVERIFY(field<QProgressBar>("m_progressBar")->isVisible());

    // The record: size, date, this computer's address, the trailer's code, name and version.
    const QByteArray record = m_loader->firmware().installedInfo();
    QCOMPARE(record.left(4).toHex(' '), QByteArray("e8 03 00 00"));
    const quint32 date = qFromLittleEndian<quint32>(record.constData() + 4);
    QVERIFY(date >= before && date <= after);
    quint32 address = 0;
    for (const QHostAddress& candidate : QNetworkInterface::allAddresses()) {
        if (candidate.protocol() == QAbstractSocket::IPv4Protocol && !candidate.isLoopback())
            address = candidate.toIPv4Address();
    }
    QCOMPARE(record.mid(8, 4).toHex(), QByteArray::number(address, 16).rightJustified(8, '0'));
    QCOMPARE(record.mid(12), FirmwareProtocol::infoRecord(0, 0, {}, 42, "Ivan Petrov", "V2.1").mid(12));

    QVERIFY(m_filePage->isComplete());
    QVERIFY(m_wizard->button(QWizard::FinishButton)->isEnabled());
    QVERIFY(!m_wizard->button(QWizard::CancelButton)->isVisible());
    QVERIFY(!m_wizard->button(QWizard::BackButton)->isEnabled());
    QVERIFY(!field<QPushButton>("m_pushButtonDownload")->isEnabled());
    QVERIFY(!field<QPushButton>("m_pushButtonBrowse")->isEnabled());

    const QString renderDir = qEnvironmentVariable("VLM_RENDER_DIR");
    if (!renderDir.isEmpty())
        QVERIFY(m_wizard->grab().save(QDir(renderDir).filePath(QStringLiteral("firmware_wizard_done.png"))));
}

void tst_FirmwareWizard::connectNeedsWholeAddress_data()
{
    QTest::addColumn<QString>("ip");

    QTest::newRow("empty") << QString();
    QTest::newRow("three octets") << "127.0.0";
    QTest::newRow("trailing dot") << "127.0.0.";
}

void tst_FirmwareWizard::connectNeedsWholeAddress()
{
    QFETCH(QString, ip);

    m_client->setHost(QStringLiteral("unchanged"));
    field<QCheckBox>("networkDefaultCheckBox")->setChecked(false);
    auto* editor = field<QLineEdit>("networkIpEditor");
    editor->setText(ip);
    field<QSpinBox>("networkPortEditor")->setValue(m_loader->serverPort());
    field<QSpinBox>("networkPortEditor")->setFocus();
    field<QPushButton>("pushButtonConnect")->click();
    QCOMPARE(m_client->host(), QStringLiteral("unchanged"));
    QCOMPARE(m_wizard->focusWidget(), editor);
    QCOMPARE(field<QLabel>("labelConnection")->text(), QStringLiteral("Disconnected"));
}

void tst_FirmwareWizard::cancelReadsNoRecord_data()
{
    QTest::addColumn<int>("pagesOn");

    QTest::newRow("on the record page") << 1;
    QTest::newRow("on the file page") << 2;
}

// Cancel resets the fields of the record page; that reads no record from the module.
void tst_FirmwareWizard::cancelReadsNoRecord()
{
    QFETCH(int, pagesOn);

    connectToLoader();
    for (int i = 0; i < pagesOn; ++i)
        m_wizard->button(QWizard::NextButton)->click();
    QCOMPARE(m_wizard->currentId(), pagesOn);
    m_wizard->button(QWizard::CancelButton)->click();
    QVERIFY(!m_wizard->isVisible());
    QCOMPARE(receivedLetters(*m_loader), QByteArray("g"));
}

// Next clicked while the record page waits for the record: no second read, and the download
// that follows is not disturbed.
void tst_FirmwareWizard::nextDuringRefresh()
{
    connectToLoader();
    QAbstractButton* next = m_wizard->button(QWizard::NextButton);
    bool nextEnabled = true;
    connect(m_loader, &ModuleSimulator::onRequest, this, [&](quint8 command) {
        if (command != 'g')
            return;
        nextEnabled = next->isEnabled();
        next->click();
    });
    next->click();
    QVERIFY(!nextEnabled);
    QCOMPARE(m_wizard->currentId(), 1);
    next->click();
    QCOMPARE(m_wizard->currentPage(), m_filePage);
    QVERIFY(!m_wizard->button(QWizard::FinishButton)->isEnabled());

    const QByteArray file = firmwareFile(1000);
    chooseFirmware(file);
    download();
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Firmware has been downloaded successefully"));
    QCOMPARE(receivedLetters(*m_loader), QByteArray("gdijeeelk"));
    QCOMPARE(m_loader->firmware().installedImage(), file);
}

void tst_FirmwareWizard::cancelDuringDownload_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<bool>("transferFails");

    QTest::newRow("Cancel") << "cancel" << false;
    QTest::newRow("Esc") << "esc" << false;
    QTest::newRow("close") << "close" << false;
    QTest::newRow("Esc, transfer fails") << "esc" << true;
    // Called by a program, reject() still hides the wizard, but the download runs its course.
    QTest::newRow("reject()") << "reject" << false;
}

// While a download runs the user cannot cancel the wizard: the sequence finishes, with its
// erase and restore on failure, and the result shows.
void tst_FirmwareWizard::cancelDuringDownload()
{
    QFETCH(QString, action);
    QFETCH(bool, transferFails);

    const QByteArray factoryImage = m_loader->firmware().installedImage();
    goToFilePage();
    const QByteArray file = firmwareFile(1000);
    chooseFirmware(file);
    if (transferFails)
        m_loader->addFault(simFault('e', 2, Fault::NoReply));
    QAbstractButton* cancel = m_wizard->button(QWizard::CancelButton);
    QList<bool> cancelEnabled;
    connect(m_loader, &ModuleSimulator::onRequest, this, [&](quint8 command) {
        if (command != 'e' || !cancelEnabled.isEmpty())
            return;
        cancelEnabled << cancel->isEnabled();
        if (action == QLatin1String("cancel"))
            cancel->click();
        else if (action == QLatin1String("esc"))
            QTest::keyClick(m_wizard->focusWidget() ? m_wizard->focusWidget() : m_wizard, Qt::Key_Escape);
        else if (action == QLatin1String("close"))
            m_wizard->close();
        else
            m_wizard->reject();
    });
    download();

    QCOMPARE(cancelEnabled, QList<bool> { false });
    QCOMPARE(m_wizard->isVisible(), action != QLatin1String("reject"));
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(),
             transferFails ? QStringLiteral("Error sending firmware data")
                           : QStringLiteral("Firmware has been downloaded successefully"));
    QCOMPARE(receivedLetters(*m_loader), transferFails ? QByteArray("dijeejh") : QByteArray("dijeeelk"));
    QCOMPARE(m_loader->firmware().installedImage(), transferFails ? factoryImage : file);
    if (transferFails)
        QVERIFY(cancel->isEnabled()); // the user may give up now
}

// A second try after a failed transfer starts its progress from 0.
void tst_FirmwareWizard::retryProgressFromZero()
{
    goToFilePage();
    chooseFirmware(firmwareFile(1000));
    m_loader->addFault(simFault('e', 3, Fault::NoReply));
    QSignalSpy progress(field<QProgressBar>("m_progressBar"), &QProgressBar::valueChanged);
    download();
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Error sending firmware data"));
    download();
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Firmware has been downloaded successefully"));
    QCOMPARE(progress, (QList<QList<QVariant>> { { 35 }, { 70 }, { 0 }, { 35 }, { 70 }, { 100 } }));
}

void tst_FirmwareWizard::failedRestore_data()
{
    QTest::addColumn<QList<Fault>>("faults");
    QTest::addColumn<QByteArray>("letters");
    QTest::addColumn<bool>("linkLost");

    QTest::newRow("link lost during the transfer")
        << QList<Fault> { simFault('e', 2, Fault::CloseConnection) } << QByteArray("dijee") << true;
    QTest::newRow("restore refused") << QList<Fault> { simFault('e', 2, Fault::NoReply),
                                                       simFault('h', 1, Fault::ErrorReply, 4) }
                                     << QByteArray("dijeejh") << false;
}

// A restore that fails leaves the module erased: the page and the console say so and what to
// do, the user can go back to reconnect, and the next download keeps the good backup.
void tst_FirmwareWizard::failedRestore()
{
    QFETCH(QList<Fault>, faults);
    QFETCH(QByteArray, letters);
    QFETCH(bool, linkLost);

    const QByteArray factoryImage = m_loader->firmware().installedImage();
    const QString advice = QStringLiteral("The old firmware could not be restored: the module is left without "
                                          "firmware. Reconnect to the module and download the firmware again.");
    const QString skipped = QStringLiteral("Backup skipped: the module has had no firmware since the old one could "
                                           "not be restored; the earlier backup is kept.");
    goToFilePage();
    const QByteArray file = firmwareFile(1000);
    chooseFirmware(file);
    for (const Fault& fault : faults)
        m_loader->addFault(fault);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    download();

    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Error sending firmware data\n") + advice);
    QCOMPARE(console, (QList<QList<QVariant>> { { advice } }));
    QCOMPARE(receivedLetters(*m_loader), letters);
    QVERIFY(m_loader->firmware().installedImage().isEmpty());
    QCOMPARE(m_loader->firmware().backupImage(), factoryImage);
    QVERIFY(field<QPushButton>("m_pushButtonDownload")->isEnabled());

    QAbstractButton* back = m_wizard->button(QWizard::BackButton);
    QVERIFY(back->isEnabled());
    if (linkLost) {
        back->click();
        back->click();
        QCOMPARE(m_wizard->currentId(), 0);
        goToFilePage();
    }
    m_loader->clearRequests();
    console.clear();
    // Were the erased module backed up, the loader would refuse and the wizard ask.
    connect(m_loader, &ModuleSimulator::onRequest, this, [](quint8 command) {
        if (command == 'i')
            answerDialogs({ pressButton(QMessageBox::No) });
    });
    download();
    QCOMPARE(field<QLabel>("m_labelTextWarning")->text(), QStringLiteral("Firmware has been downloaded successefully"));
    QCOMPARE(receivedLetters(*m_loader), QByteArray("djeeelk"));
    QCOMPARE(console, (QList<QList<QVariant>> { { skipped } }));
    QCOMPARE(m_loader->firmware().installedImage(), file);
}

// An erase that failed may have taken part of the firmware: the next download keeps the
// backup made before it.
void tst_FirmwareWizard::failedEraseKeepsBackup()
{
    const QByteArray factoryImage = m_loader->firmware().installedImage();
    goToFilePage();
    const QByteArray file = firmwareFile(1000);
    chooseFirmware(file);
    m_loader->addFault(simFault('j', 1, Fault::OtherReply, 'k'));
    download();
    QCOMPARE(m_loader->firmware().backupImage(), factoryImage);
    m_loader->clearRequests();
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    download();
    QCOMPARE(receivedLetters(*m_loader), QByteArray("djeeelk"));
    QCOMPARE(console, (QList<QList<QVariant>> { { QStringLiteral("Backup skipped: the firmware may be partly erased since "
                                                                 "the last attempt; the earlier backup is kept.") } }));
    QCOMPARE(m_loader->firmware().installedImage(), file);
}

void tst_FirmwareWizard::connectFailureShowsReason()
{
    const quint16 closedPort = closedLoopbackPort();
    QVERIFY(closedPort);
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    clickConnect(closedPort);

    const QString reason = QStringLiteral("Cannot connect to 127.0.0.1:%1: Connection refused").arg(closedPort);
    QTRY_COMPARE(field<QLabel>("labelConnection")->text(), reason);
    QCOMPARE(console, (QList<QList<QVariant>> { { reason } }));
    QVERIFY(field<QPushButton>("pushButtonConnect")->isEnabled());
    QVERIFY(!m_wizard->button(QWizard::NextButton)->isEnabled());
}

VLM_TEST_MAIN(tst_FirmwareWizard)

#include "tst_firmwarewizard.moc"
