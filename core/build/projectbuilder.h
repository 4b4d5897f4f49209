#pragma once

#include "vlm_core_export.h"

#include <QHash>
#include <QString>
#include <QVariant>
#include <QVector>

namespace Velmora {

class BuildBaseFB;
class BuildConstFB;
class BuildPort;
class ConnectionPresenter;
class FBAbstractModel;
class FBBaseModel;
class FBDataNumberModel;
class FBListModel;
class GraphicsScene;
class Project;

// Turns a project's diagram into the records of the module image: an output pass numbers
// every output and constant, an input pass then points each input at its source.
class VLM_CORE_EXPORT ProjectBuilder
{
public:
    ProjectBuilder() = default;
    ~ProjectBuilder();

    void visitProject(Project* project);

    // Pass 1: the inputs of a block; pass 2: its outputs or its constant.
    void visitFuncBlockModel(FBBaseModel* model, int pass, const QString& blockId);
    void visitFuncBlockModel(FBDataNumberModel* model, int pass, const QString& blockId);
    void visitFuncBlockModel(FBListModel* model, int pass, const QString& blockId);

private:
    void initOutputs(FBBaseModel* model);
    void initOutputs(FBDataNumberModel* model);
    void initOutputs(FBListModel* model);
    void initInputs(FBBaseModel* model, const QString& blockId);
    void resetData();

    void addConstant(FBAbstractModel* model, const QVariant& value);
    // Points the inputs of every record at their sources, walking the connections once.
    void connectInputs(const QVector<FBAbstractModel*>& models, const QVector<QString>& ids);
    // The slot an output of a block gives; false when the block has no such output.
    bool sourceOf(FBAbstractModel* emitter, int output, BuildPort& source) const;
    // Deletes the records not yet handed to a project, then resets.
    void discardRecords();

    QVector<BuildBaseFB*> m_baseFBs;
    QVector<BuildConstFB*> m_constFBs;
    QHash<FBAbstractModel*, BuildBaseFB*> m_baseMap;
    QHash<FBAbstractModel*, BuildConstFB*> m_constMap;
    GraphicsScene* m_scene = nullptr;
    quint16 m_outputCounter = 0;
    quint16 m_constCounter = 0;
    int m_amountIn = 0;
    int m_amountOut = 0;

    Q_DISABLE_COPY(ProjectBuilder)
};

} // namespace Velmora
