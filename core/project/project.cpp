#include "project/project.h"

#include "build/projectbuilddata.h"
#include "build/projectbuilder.h"
#include "editor/graphicsscene.h"
#include "editor/stylecollection.h"
#include "editor/viewport.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QFile>
#include <QFileDevice>

namespace Velmora {

namespace {

// A legacy file opens with the device model's name: a QString of 10 or 11 UTF-16 code units
// starting with "Ta".
bool isLegacyStart(qint64 head)
{
    const quint64 bits = quint64(head);
    const quint32 length = quint32(bits >> 32);
    return (length == 20 || length == 22) && quint32(bits) == 0x00540061u;
}

DeviceType legacyDevice(const QString& name)
{
    static const QList<QPair<QString, DeviceType>> names {
        { QStringLiteral("Tarkel-D01"), KV_D01 },   { QStringLiteral("Tarkel-DA01"), KV_DA01 },
        { QStringLiteral("Tarkel-A01"), KV_A01 },   { QStringLiteral("Tarkel-DA02"), KV_DA02 },
        { QStringLiteral("Tarkel-D02"), KV_D02 },
    };
    for (const auto& entry : names) {
        if (entry.first == name)
            return entry.second;
    }
    return DeviceType(0);
}

QString reason(const char* text)
{
    return QCoreApplication::translate("IProject", text);
}

} // namespace

Project::Project(QObject* parent)
    : IProject(parent)
    , m_buildData(new ProjectBuildData)
    , m_scene(new GraphicsScene(this))
{
    m_scene->setSceneRect(-50000.0, -50000.0, 100000.0, 100000.0);
    StyleCollection::instance().addScene(m_scene);
    connect(m_scene, &GraphicsScene::onChangedData, this, &IProject::slotModified);
}

Project::~Project()
{
    StyleCollection::instance().removeScene(m_scene);
    delete m_buildData;
}

QWidget* Project::createView(QWidget* parent)
{
    return new Viewport(m_scene, parent);
}

void Project::acceptBuilder(ProjectBuilder* builder)
{
    if (builder)
        builder->visitProject(this);
}

void Project::undo()
{
    m_scene->undo();
}

void Project::redo()
{
    m_scene->redo();
}

void Project::copy()
{
    m_scene->copy();
}

void Project::paste()
{
    m_scene->paste();
}

void Project::cut()
{
    m_scene->cut();
}

void Project::selectAll()
{
    m_scene->selectFuncBlocks(m_scene->getFuncBlocks());
}

QUndoStack* Project::undoStack() const
{
    return m_scene->undoStack();
}

bool Project::saveData(QIODevice& file)
{
    QByteArray bytes;
    QDataStream stream(&bytes, QIODevice::WriteOnly);
    stream.setVersion(QDataStream::Qt_5_4);
    stream << magic << qint32(getDevice());
    m_scene->writeScene(stream);
    if (stream.status() != QDataStream::Ok)
        return false;
    return file.write(bytes) == bytes.size();
}

bool Project::loadData(QIODevice& file, QString& error)
{
    QDataStream stream(&file);
    stream.setVersion(QDataStream::Qt_5_4);
    qint64 head = 0;
    stream >> head;
    if (stream.status() != QDataStream::Ok) {
        error = reason(QT_TRANSLATE_NOOP("IProject", "the file is not a project file"));
        return false;
    }

    DeviceType device = DeviceType(0);
    if (head == magic) {
        qint32 code = 0;
        stream >> code;
        if (stream.status() != QDataStream::Ok) {
            error = reason(QT_TRANSLATE_NOOP("IProject", "the file is truncated"));
            return false;
        }
        if (getDeviceTypes().contains(DeviceType(code)))
            device = DeviceType(code);
    } else if (isLegacyStart(head)) {
        file.seek(0);
        stream.resetStatus();
        QString name;
        stream >> name;
        device = legacyDevice(name);
    } else {
        error = reason(QT_TRANSLATE_NOOP("IProject", "the file is not a project file"));
        return false;
    }
    if (device == 0) {
        error = reason(QT_TRANSLATE_NOOP("IProject", "unknown device model"));
        return false;
    }

    if (!m_scene->readScene(stream, &error))
        return false;
    setDevice(device);
    return true;
}

} // namespace Velmora
