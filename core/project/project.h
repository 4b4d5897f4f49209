#pragma once

#include "project/iproject.h"
#include "vlm_core_export.h"

namespace Velmora {

class GraphicsScene;

// The one kind of project: a diagram on a scene, and the result of its last build.
class VLM_CORE_EXPORT Project : public IProject
{
    Q_OBJECT
public:
    explicit Project(QObject* parent = nullptr);
    ~Project() override;

    QWidget* createView(QWidget* parent) override;
    void acceptBuilder(ProjectBuilder* builder) override;
    void undo() override;
    void redo() override;
    void copy() override;
    void paste() override;
    void cut() override;
    // Every block of the diagram, with the connections that follow blocks, in one selection change.
    void selectAll() override;
    ProjectBuildData* buildDataObj() const override { return m_buildData; }
    QUndoStack* undoStack() const override;
    GraphicsScene* scene() const { return m_scene; }

    // The project file's magic number, the first eight bytes of every file written.
    static constexpr qint64 magic = 0x6E1C4B9A2F07D358;

protected:
    bool saveData(QIODevice& file) override;
    bool loadData(QIODevice& file, QString& error) override;

private:
    ProjectBuildData* m_buildData = nullptr;
    GraphicsScene* m_scene = nullptr;
};

} // namespace Velmora
