#include "uploadcommand.h"

#include "build/diagramcheck.h"
#include "device/task.h"
#include "device/tcpdeviceclient.h"
#include "project/project.h"
#include "projectimage.h"
#include "services/console.h"

#include <QTextStream>

namespace Velmora {

int UploadCommand::execute(const ProjectImage& image, QTextStream& out, QTextStream& err) const
{
    const Project& project = image.project();
    const QVector<DiagramCheck::Finding> findings = DiagramCheck::check(*project.scene());
    for (const DiagramCheck::Finding& finding : findings)
        out << finding.line() << '\n';
    out << DiagramCheck::summary(findings) << Qt::endl;
    if (!force && DiagramCheck::count(findings, DiagramCheck::Finding::Error) > 0) {
        err << "velmora-cli: the diagram has errors; --force uploads it all the same." << Qt::endl;
        return exitFailed;
    }

    const QMetaObject::Connection print = QObject::connect(&Console::instance(), &Console::onPrintMessage,
                                                           [&out](const QString& line) { out << line << Qt::endl; });
    TcpDeviceClient client;
    client.setHost(host);
    client.setPort(port);
    // The first request waits in the socket until the connection is made; a connection that
    // fails ends its wait, and the upload fails.
    client.connectToDevice();
    bool done = client.uploadTask(Task::fromBuild(project.getDevice(), image.buildData()));
    if (done && flash)
        done = client.saveTask();
    if (done && run)
        done = client.runTask();
    client.disconnectFromDevice();
    QObject::disconnect(print);
    if (!done) {
        err << "velmora-cli: the upload to " << host << ':' << port << " failed." << Qt::endl;
        return exitFailed;
    }
    return 0;
}

} // namespace Velmora
