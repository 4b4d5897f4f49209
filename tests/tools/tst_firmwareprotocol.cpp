#include "modulesim/firmwareprotocol.h"

#include "simulatorhelpers.h"
#include "testmain.h"

#include <QDataStream>

using namespace Velmora;

namespace {

using Stage = FirmwareProtocol::Stage;

QByteArray infoOfSize(quint32 size)
{
    return FirmwareProtocol::infoRecord(size, 1549020409, QByteArray::fromHex("c0a8010a"), 17, "Ivan", "V2.1");
}

// "e<offset>:<bytes>[/<announced length>]": an image packet of the pattern at that offset.
QByteArray packetPayload(const QString& step)
{
    const QStringList parts = step.mid(1).split(QRegularExpression(QStringLiteral("[:/]")));
    const int offset = parts.at(0).toInt();
    const QByteArray chunk = patternBytes(offset + parts.at(1).toInt()).mid(offset);
    const int announced = parts.size() > 2 ? parts.at(2).toInt() : chunk.size();
    QByteArray payload;
    QDataStream out(&payload, QIODevice::WriteOnly);
    out.setByteOrder(QDataStream::LittleEndian);
    out << quint32(offset) << quint16(announced);
    return payload + chunk;
}

// One step of a script: a letter, "d<size>" for a record announcing that size, or a packet.
SimRequest request(const QString& step)
{
    SimRequest request;
    request.type = FirmwareProtocol::FirmwareType;
    request.command = quint8(step.at(0).toLatin1());
    if (request.command == 'd')
        request.payload = infoOfSize(step.mid(1).toUInt());
    else if (request.command == 'e')
        request.payload = packetPayload(step);
    return request;
}

} // namespace

Q_DECLARE_METATYPE(Velmora::FirmwareProtocol::Stage)

class tst_FirmwareProtocol : public QObject
{
    Q_OBJECT
private slots:
    void steps_data();
    void steps();
    void requestStatus_data();
    void requestStatus();
};

void tst_FirmwareProtocol::steps_data()
{
    QTest::addColumn<QString>("script");
    QTest::addColumn<QString>("statuses");
    QTest::addColumn<int>("installedSize");
    QTest::addColumn<int>("receivedSize");
    QTest::addColumn<bool>("backup");
    QTest::addColumn<Stage>("stage");

    QTest::newRow("whole update") << "d800 i j e0:350 e350:350 e700:100 l k"
                                  << "0 0 0 0 0 0 0 0" << 800 << 800 << false << Stage::BackupErased;
    QTest::newRow("empty last packet") << "d700 j e0:350 e350:350 e700:0 l"
                                       << "0 0 0 0 0 0" << 700 << 700 << false << Stage::Verified;
    QTest::newRow("short chunk mid-image") << "d800 j e0:100 e100:350"
                                           << "0 0 0 2" << 0 << 100 << false << Stage::Receiving;
    QTest::newRow("packet after the empty one") << "d700 j e0:350 e350:350 e700:0 e700:0"
                                                << "0 0 0 0 0 2" << 0 << 700 << false << Stage::Receiving;
    QTest::newRow("repeated offset") << "d800 j e0:350 e0:350"
                                     << "0 0 0 3" << 0 << 350 << false << Stage::Receiving;
    QTest::newRow("gap") << "d800 j e350:350"
                         << "0 0 3" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("length field disagrees") << "d800 j e0:350/349"
                                            << "0 0 2" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("chunk over 350") << "d800 j e0:351"
                                    << "0 0 2" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("beyond the record's size") << "d300 j e0:350"
                                              << "0 0 2" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("image too big") << "d256001"
                                   << "2" << 1000 << 0 << false << Stage::Idle;
    QTest::newRow("packet before erase") << "d800 e0:350"
                                         << "0 4" << 1000 << 0 << false << Stage::InfoReceived;
    QTest::newRow("packet before record") << "j e0:350"
                                          << "0 4" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("verify incomplete") << "d800 j e0:350 l"
                                       << "0 0 0 5" << 0 << 350 << false << Stage::Receiving;
    QTest::newRow("restore after erase") << "i j h"
                                         << "0 0 0" << 1000 << 0 << true << Stage::Restored;
    QTest::newRow("restore without backup") << "j h"
                                            << "0 4" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("backup of erased") << "j i"
                                      << "0 4" << 0 << 0 << false << Stage::Erased;
    QTest::newRow("erased backup") << "i k h"
                                   << "0 0 4" << 1000 << 0 << false << Stage::BackupErased;
    QTest::newRow("unknown letter") << "z"
                                    << "1" << 1000 << 0 << false << Stage::Idle;
}

void tst_FirmwareProtocol::steps()
{
    QFETCH(QString, script);
    QFETCH(QString, statuses);
    QFETCH(int, installedSize);
    QFETCH(int, receivedSize);
    QFETCH(bool, backup);
    QFETCH(Stage, stage);

    FirmwareProtocol loader;
    const QByteArray factory = loader.installedImage();
    QStringList replies;
    for (const QString& step : script.split(QLatin1Char(' ')))
        replies << QString::number(quint8(loader.reply(request(step)).at(2)));
    QCOMPARE(replies.join(QLatin1Char(' ')), statuses);
    QCOMPARE(loader.installedImage().size(), installedSize);
    QCOMPARE(loader.receivedImage(), patternBytes(receivedSize));
    QCOMPARE(loader.hasBackup(), backup);
    QCOMPARE(loader.stage(), stage);
    if (installedSize == factory.size())
        QCOMPARE(loader.installedImage(), factory);
    else
        QCOMPARE(loader.installedImage(), patternBytes(installedSize));
    if (installedSize == 700 || installedSize == 800)
        QCOMPARE(loader.installedInfo(), infoOfSize(quint32(installedSize)));
}

void tst_FirmwareProtocol::requestStatus_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QByteArray>("taken"); // type and letter of the request taken, hex; empty for none
    QTest::addColumn<QString>("warning"); // for the request dropped, if any
    QTest::addColumn<int>("left");

    const QString dropped = QStringLiteral("Firmware loader: request 1/%1 with status %2 dropped");
    QTest::newRow("status 0") << QByteArray::fromHex("0169000000") << QByteArray("01 69") << QString() << 0;
    QTest::newRow("status 5") << QByteArray::fromHex("0169050000") << QByteArray() << dropped.arg(105).arg(5) << 0;
    QTest::newRow("then a good one") << QByteArray::fromHex("0169050000016a000000") << QByteArray("01 6a")
                                     << dropped.arg(105).arg(5) << 0;
    QTest::newRow("then a part of one") << QByteArray::fromHex("0169ff0000016a") << QByteArray()
                                        << dropped.arg(105).arg(255) << 2;
}

void tst_FirmwareProtocol::requestStatus()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QByteArray, taken);
    QFETCH(QString, warning);
    QFETCH(int, left);

    if (!warning.isEmpty())
        QTest::ignoreMessage(QtWarningMsg, warning.toUtf8().constData());
    FirmwareProtocol loader;
    SimRequest request;
    QCOMPARE(loader.takeRequest(bytes, request), !taken.isEmpty());
    if (!taken.isEmpty())
        QCOMPARE(QByteArray(1, char(request.type)).append(char(request.command)).toHex(' '), taken);
    QCOMPARE(bytes.size(), left);
}

VLM_TEST_MAIN(tst_FirmwareProtocol)

#include "tst_firmwareprotocol.moc"
