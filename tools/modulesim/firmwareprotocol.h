#pragma once

#include "modulesim/simprotocol.h"

#include <QByteArray>

namespace Velmora {

// The module side of the firmware loader protocol: request and reply alike are a type byte
// (1 for firmware commands, 0 for the echo test), a command letter, a status byte (0 in a
// request; in a reply 0 accepts), a 16-bit little-endian payload length and the payload.
// Keeps the installed firmware (image and 80-byte information record), the record of the
// next firmware, the image received packet by packet and a backup slot. Requests it refuses
// change nothing; a request whose status byte is not 0 is logged and dropped unanswered.
class FirmwareProtocol : public SimProtocol
{
public:
    enum Type : quint8 {
        EchoType = 0,
        FirmwareType = 1,
    };

    enum Command : quint8 {
        EchoCmd = 0,
        NewInfoCmd = 'd',
        ImagePacketCmd = 'e',
        GetInfoCmd = 'g',
        RestoreCmd = 'h',
        BackupCmd = 'i',
        EraseCmd = 'j',
        EraseBackupCmd = 'k',
        VerifyCmd = 'l',
    };

    enum Status : quint8 {
        Accepted = 0,
        UnknownCommandStatus = 1,
        InvalidSizeStatus = 2, // a record or packet of the wrong length, an image too big, or a packet
                               // after the short one that ended the image
        InvalidOffsetStatus = 3, // a packet that does not continue the image received so far
        InvalidStateStatus = 4, // the step is out of order (nothing erased, no backup...)
        VerifyFailedStatus = 5, // the image received is not the one the record announced
    };

    // The last step carried out.
    enum class Stage { Idle, InfoReceived, BackedUp, Erased, Receiving, Verified, Restored, BackupErased };

    static constexpr int headerSize = 5;
    static constexpr int infoSize = 80;
    static constexpr int maxChunk = 350;
    static constexpr quint32 maxImageSize = 256000;

    FirmwareProtocol();

    bool takeRequest(QByteArray& buffer, SimRequest& request) const override;
    QByteArray reply(const SimRequest& request) override;
    QByteArray errorReply(const SimRequest& request, quint8 error) const override;
    QByteArray packet(const SimRequest& request, quint8 code, const QByteArray& payload) const override;
    QVector<QByteArray> segments(const QByteArray& packet) const override;

    static QByteArray replyPacket(quint8 type, quint8 command, quint8 status, const QByteArray& payload);
    // An information record; texts are cut to 32 bytes and zero-padded, the address in written order.
    static QByteArray infoRecord(quint32 size, quint32 date, const QByteArray& hostAddress, quint32 code,
                                 const QByteArray& userData, const QByteArray& version);
    // The fwSize field of a record.
    static quint32 recordSize(const QByteArray& record);

    // The firmware in the module's flash; empty after an erase.
    QByteArray installedImage() const { return m_installedImage; }
    QByteArray installedInfo() const { return m_installedInfo; }
    // Installs a firmware as if it had been downloaded; false unless the record is 80 bytes.
    bool setInstalled(const QByteArray& image, const QByteArray& info);
    // The record announced for the next firmware; empty until one is sent.
    QByteArray newInfo() const { return m_newInfo; }
    // The image received since the last erase.
    QByteArray receivedImage() const { return m_receivedImage; }
    bool hasBackup() const { return m_hasBackup; }
    QByteArray backupImage() const { return m_backupImage; }
    QByteArray backupInfo() const { return m_backupInfo; }
    bool isErased() const { return m_erased; }
    Stage stage() const { return m_stage; }

private:
    QByteArray acceptNewInfo(const SimRequest& request);
    QByteArray acceptPacket(const SimRequest& request);
    QByteArray backup(const SimRequest& request);
    QByteArray erase(const SimRequest& request);
    QByteArray verify(const SimRequest& request);
    QByteArray restore(const SimRequest& request);
    QByteArray eraseBackup(const SimRequest& request);
    static QByteArray accepted(const SimRequest& request, const QByteArray& payload = QByteArray());

    QByteArray m_installedImage;
    QByteArray m_installedInfo;
    QByteArray m_newInfo;
    QByteArray m_receivedImage;
    bool m_imageEnded = false; // a chunk shorter than maxChunk came: the image is whole
    QByteArray m_backupImage;
    QByteArray m_backupInfo;
    bool m_hasBackup = false;
    bool m_erased = false;
    Stage m_stage = Stage::Idle;
};

} // namespace Velmora
