#include "build/projectbuilder.h"

#include "build/buildbasefb.h"
#include "build/buildconstfb.h"
#include "build/buildport.h"
#include "build/projectbuilddata.h"
#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/datatypes.h"
#include "model/fbbasemodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fblistmodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelitem.h"
#include "model/fbmodellist.h"
#include "project/project.h"

namespace Velmora {

namespace {

// Every output and constant gets its slot in the output pass, so that the input pass can
// point an input at any block, placed before or after its own.
constexpr int inputPass = 1;
constexpr int outputPass = 2;

constexpr int listItemType = 1007;

// The number of ports of a block's "inputs" or "outputs" list. The lists sit right under the
// root; looking there first spares walking every input port on the way to the outputs.
int portCount(const FBAbstractModel* model, const QString& list)
{
    const FBModelItem* root = model->rootItem();
    for (int row = 0; root && row < root->childCount(); ++row) {
        const FBModelItem* child = root->childAt(row);
        if (child->hasName(list))
            return child->childCount();
    }
    const FBModelItem* item = model->findItem(list);
    return item ? item->childCount() : 0;
}

} // namespace

ProjectBuilder::~ProjectBuilder()
{
    discardRecords();
}

void ProjectBuilder::visitProject(Project* project)
{
    if (!project || !project->buildDataObj() || !project->scene())
        return;
    // Records made by visits outside a build have no place in this one.
    discardRecords();
    ProjectBuildData* data = project->buildDataObj();
    data->resetData();

    m_scene = project->scene();
    const QVector<FuncBlock*> blocks = m_scene->getFuncBlocks();
    QVector<FBAbstractModel*> models;
    QVector<QString> ids;
    models.reserve(blocks.size());
    ids.reserve(blocks.size());
    m_baseMap.reserve(blocks.size());
    m_constMap.reserve(blocks.size());
    for (const FuncBlock* block : blocks) {
        models.append(block->model());
        ids.append(block->id().toString());
    }
    for (int i = 0; i < models.size(); ++i) {
        if (FBAbstractModel* model = models.at(i))
            model->accept(this, outputPass, ids.at(i));
    }
    connectInputs(models, ids);

    data->setAmountInBaseFB(m_amountIn);
    data->setAmountOutBaseFB(m_amountOut);
    data->setBuildDataBaseFB(m_baseFBs);
    data->setBuildDataConstFB(m_constFBs);
    resetData();
}

void ProjectBuilder::visitFuncBlockModel(FBBaseModel* model, int pass, const QString& blockId)
{
    if (!model)
        return;
    if (pass == inputPass)
        initInputs(model, blockId);
    else if (pass == outputPass)
        initOutputs(model);
}

void ProjectBuilder::visitFuncBlockModel(FBDataNumberModel* model, int pass, const QString&)
{
    if (model && pass == outputPass)
        initOutputs(model);
}

void ProjectBuilder::visitFuncBlockModel(FBListModel* model, int pass, const QString&)
{
    if (model && pass == outputPass)
        initOutputs(model);
}

void ProjectBuilder::initOutputs(FBBaseModel* model)
{
    if (m_baseMap.contains(model))
        return;
    auto* record = new BuildBaseFB;
    record->setNumber(model->callOrder());
    record->setFunction(model->functionId());
    // The counts keep the low 8 bits the record carries; the totals add what was kept.
    record->setAmountIn(portCount(model, QStringLiteral("inputs")));
    record->setAmountOut(portCount(model, QStringLiteral("outputs")));
    m_amountIn += record->amountIn();
    m_amountOut += record->amountOut();
    for (int row = 0; row < record->amountOut(); ++row)
        record->setOutput(row, BuildPort(BuildPort::BlockOutputs, m_outputCounter++));
    m_baseFBs.append(record);
    m_baseMap.insert(model, record);
}

void ProjectBuilder::initOutputs(FBDataNumberModel* model)
{
    const FBModelDataNum* number = model->numberItem();
    addConstant(model, number ? number->data() : QVariant());
}

void ProjectBuilder::initOutputs(FBListModel* model)
{
    QVariant value;
    const FBModelItem* item = model->findItem(QStringLiteral("values_list"));
    if (item && item->type() == listItemType) {
        const auto* list = static_cast<const FBModelList*>(item);
        value = list->data().value(list->currentValue());
    }
    addConstant(model, DataTypes::convertValue(model->typeValue(), value));
}

void ProjectBuilder::addConstant(FBAbstractModel* model, const QVariant& value)
{
    if (m_constMap.contains(model))
        return;
    auto* record = new BuildConstFB;
    record->setArea(BuildPort::Constants);
    record->setNumber(m_constCounter++);
    record->setValue(value);
    m_constFBs.append(record);
    m_constMap.insert(model, record);
}

// The input pass of one block, as the scene lists its connections: when two connections feed
// one input, the one listed last wins.
void ProjectBuilder::initInputs(FBBaseModel* model, const QString& blockId)
{
    BuildBaseFB* record = m_baseMap.value(model, nullptr);
    if (!record || !m_scene)
        return;
    for (const ConnectionPresenter* connection : m_scene->connectionsById(blockId)) {
        const FuncBlock* receiver = m_scene->funcBlockById(connection->receiverId());
        if (!receiver || receiver->model() != model)
            continue;
        // A port list lowered while connected, or a damaged file, can leave an index past the
        // record's inputs; such a connection feeds nothing.
        const int input = connection->receiverIndex();
        const FuncBlock* emitter = m_scene->funcBlockById(connection->emitterId());
        BuildPort source;
        if (input < 0 || input >= record->amountIn() || !emitter
            || !sourceOf(emitter->model(), connection->emitterIndex(), source))
            continue;
        record->setInput(input, source);
    }
}

// Asking the scene for the connections of each block, and for the blocks at both ends of each
// connection, searches its tables anew every time; the blocks' own table here is built once
// and each connection is read once. The result is the input pass of every block.
void ProjectBuilder::connectInputs(const QVector<FBAbstractModel*>& models, const QVector<QString>& ids)
{
    // The blocks as the scene finds them by id, and where each record's inputs start among
    // the marks of the inputs set so far.
    QHash<QString, int> byId;
    byId.reserve(models.size());
    QVector<int> firstInput(models.size(), -1);
    int inputs = 0;
    for (int i = 0; i < models.size(); ++i) {
        // Ids are unique on a scene: a file that repeats one is refused and a paste gives new
        // ones. Should two blocks share one all the same, each block takes its inputs as the
        // scene finds them, which is only one of the two.
        if (byId.contains(ids.at(i))) {
            for (int k = 0; k < models.size(); ++k) {
                if (models.at(k))
                    models.at(k)->accept(this, inputPass, ids.at(k));
            }
            return;
        }
        byId.insert(ids.at(i), i);
        if (const BuildBaseFB* record = m_baseMap.value(models.at(i), nullptr)) {
            firstInput[i] = inputs;
            inputs += record->amountIn();
        }
    }
    QVector<bool> fed(inputs, false);
    QVector<int> fedTwice;
    for (const ConnectionPresenter* connection : m_scene->getConnections()) {
        const int receiver = byId.value(connection->receiverId(), -1);
        BuildBaseFB* record = receiver < 0 ? nullptr : m_baseMap.value(models.at(receiver), nullptr);
        // A port list lowered while connected, or a damaged file, can leave an index past the
        // record's inputs; such a connection feeds nothing.
        const int input = connection->receiverIndex();
        if (!record || input < 0 || input >= record->amountIn())
            continue;
        const int emitter = byId.value(connection->emitterId(), -1);
        BuildPort source;
        if (emitter < 0 || !sourceOf(models.at(emitter), connection->emitterIndex(), source))
            continue;
        record->setInput(input, source);
        bool& set = fed[firstInput.at(receiver) + input];
        if (set && !fedTwice.contains(receiver))
            fedTwice.append(receiver);
        set = true;
    }
    // Which of two connections into one input wins depends on the order in which the scene
    // lists the block's connections; such a block takes its inputs again in that order.
    for (const int block : qAsConst(fedTwice))
        models.at(block)->accept(this, inputPass, ids.at(block));
}

bool ProjectBuilder::sourceOf(FBAbstractModel* emitter, int output, BuildPort& source) const
{
    if (!emitter)
        return false;
    if (const BuildBaseFB* record = m_baseMap.value(emitter, nullptr)) {
        if (output < 0 || output >= record->amountOut())
            return false;
        source = record->output(output);
        return true;
    }
    if (const BuildConstFB* record = m_constMap.value(emitter, nullptr)) {
        source = BuildPort(BuildPort::Constants, record->number());
        return true;
    }
    return false;
}

void ProjectBuilder::resetData()
{
    m_baseFBs.clear();
    m_constFBs.clear();
    m_baseMap.clear();
    m_constMap.clear();
    m_scene = nullptr;
    m_outputCounter = 0;
    m_constCounter = 0;
    m_amountIn = 0;
    m_amountOut = 0;
}

void ProjectBuilder::discardRecords()
{
    qDeleteAll(m_baseFBs);
    qDeleteAll(m_constFBs);
    resetData();
}

} // namespace Velmora
