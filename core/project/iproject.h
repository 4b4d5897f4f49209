#pragma once

#include "services/devicetype.h"
#include "vlm_core_export.h"

#include <QObject>
#include <QString>

class QByteArray;
class QFileInfo;
class QIODevice;
class QFileSystemWatcher;
class QIcon;
class QUndoStack;
class QWidget;

namespace Velmora {

class ProjectBuildData;
class ProjectBuilder;

// One diagram for one device model, kept in one file: where the file is, which model, whether
// there are unsaved changes, and a watch on the file so that a change on disk is noticed.
class VLM_CORE_EXPORT IProject : public QObject
{
    Q_OBJECT
public:
    explicit IProject(QObject* parent = nullptr);
    ~IProject() override;

    DeviceType getDevice() const { return m_device; }
    void setDevice(DeviceType device) { m_device = device; }
    // "file name - device model".
    QString getDisplayName() const;

    QString getFileName() const { return m_fileName; }
    QString getFileDirectory() const { return m_fileDirectory; }
    QString getFilePath() const { return m_filePath; }
    QString getExtension() const { return m_extension; }
    void setFileName(const QString& name) { m_fileName = name; }
    void setFileDirectory(const QString& directory) { m_fileDirectory = directory; }
    void setExtension(const QString& extension) { m_extension = extension; }

    // Watches the file from now on and clears the modified mark.
    void setFilePath(const QString& path);
    // directory/name/name.extension, with the folder and an empty file created.
    void setFilePath(const QString& name, const QString& directory);
    // The path that places a project in a folder of its own: directory/name/name.extension.
    static QString folderFilePath(const QString& name, const QString& directory, const QString& extension);

    QIcon* icon() const { return m_icon; }
    void setIcon(QIcon* icon);

    bool isModified() const { return m_modified; }
    void setModified(bool modified);

    // False, with a console line, when the file cannot be opened or is not a complete,
    // readable project file; the project is then left as it was.
    virtual bool load(const QString& path);
    // Writes to `path`, or to the project's own file when it is empty. The file on disk is
    // replaced only once the new contents are complete.
    virtual bool save(const QString& path);

    // The project as its file would hold it, for a copy kept elsewhere; empty on failure.
    QByteArray snapshot();
    // Takes the diagram from such a copy and becomes the modified project of the file at
    // `path`, which is not read. False with the reason in `error` when the copy is unreadable.
    bool loadSnapshot(const QByteArray& data, const QString& path, QString& error);

    virtual QWidget* createView(QWidget* parent) = 0;
    virtual void acceptBuilder(ProjectBuilder* builder) = 0;
    virtual void undo() = 0;
    virtual void redo() = 0;
    virtual void copy() = 0;
    virtual void paste() = 0;
    virtual void cut() = 0;
    virtual void selectAll() = 0;
    virtual ProjectBuildData* buildDataObj() const = 0;
    virtual QUndoStack* undoStack() const = 0;

signals:
    void onModified();

public slots:
    void slotModified();

protected:
    virtual bool saveData(QIODevice& file) = 0;
    // False with the reason in `error` when the file is not a project file this program can
    // read completely.
    virtual bool loadData(QIODevice& file, QString& error) = 0;

private:
    bool createFiles(const QFileInfo& info);
    void printFileError(const char* text, const QString& fileName, const QString& reason) const;

    bool m_modified = false;
    QIcon* m_icon = nullptr;
    QFileSystemWatcher* m_watcher = nullptr;
    DeviceType m_device = DeviceType(0);
    QString m_fileName;
    QString m_fileDirectory;
    QString m_filePath;
    QString m_extension;
};

} // namespace Velmora

Q_DECLARE_METATYPE(Velmora::IProject*)
