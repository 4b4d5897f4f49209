#pragma once

#include "device/ideviceclient.h"

#include <QString>

class QTextStream;

namespace Velmora {

class ProjectImage;

// velmora-cli upload: checks the diagram, sends its image to a module as the window's Upload
// does, then saves it in flash and runs it when asked. What the device client reports goes to
// `out` line by line, as the console shows it.
class UploadCommand
{
public:
    static constexpr int exitFailed = 1;

    QString host; // no default: the client's own default is a module on the plant network
    quint16 port = IDeviceClient::defaultPort;
    bool run = false;
    bool flash = false;
    bool force = false; // upload a diagram with errors all the same

    // 0 when every step succeeded, else exitFailed with the reason on `err`.
    int execute(const ProjectImage& image, QTextStream& out, QTextStream& err) const;
};

} // namespace Velmora
