#pragma once

#include <QtGlobal>

namespace Velmora {

// The information record of a module's firmware, 80 bytes in memory and on the wire.
struct FW_INFO
{
    quint32 fwSize = 0; // image size in bytes
    quint32 fwDate = 0; // time of the download, Unix seconds
    quint8 hostAddress[4] = {}; // IPv4 address of the computer that made the download
    quint32 fwCode = 0; // number from the firmware file's trailer
    char fwUserData[32] = {}; // who made the download, UTF-8, zero-padded
    char fwVersion[32] = {}; // version text, UTF-8, zero-padded
};

static_assert(sizeof(FW_INFO) == 80, "FW_INFO is laid out as on the wire");

} // namespace Velmora
