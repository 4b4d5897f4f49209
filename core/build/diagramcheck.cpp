#include "build/diagramcheck.h"

#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/datatypes.h"
#include "model/fbabstractmodel.h"
#include "model/fbbasemodel.h"
#include "model/fbdatanumbermodel.h"
#include "model/fbmodeldatanum.h"
#include "model/fbmodelport.h"

#include <QCoreApplication>
#include <QHash>
#include <QMap>
#include <QSet>

#include <algorithm>

namespace Velmora {

namespace {

constexpr int inputKind = 1002;
constexpr int outputKind = 1003;
constexpr int portKind = 1004;

QString text(const char* source)
{
    return QCoreApplication::translate("DiagramCheck", source);
}

QString blockName(const FuncBlock* block)
{
    const FBAbstractModel* model = block->model();
    const FBModelItem* title = model->findItem(QStringLiteral("title"));
    const QString name = title ? title->dataToVariant().toString() : model->protoName();
    const auto* base = dynamic_cast<const FBBaseModel*>(model);
    return QStringLiteral("%1 %2").arg(base ? QString::number(base->callOrder()) : QStringLiteral("-"), name);
}

QVector<const FBModelPort*> ports(const FuncBlock* block, const char* list)
{
    QVector<const FBModelPort*> found;
    const FBModelItem* item = block->model()->findItem(QLatin1String(list));
    for (int row = 0; item && row < item->childCount(); ++row)
        found << static_cast<const FBModelPort*>(item->childAt(row));
    return found;
}

// What FuncBlock::isInputConnected tells of the input the port is.
bool isConnected(const FBModelPort* port)
{
    return port->type() == portKind && port->isConnected();
}

// What feeds an input, when a constant block does: its value.
bool constantInput(const GraphicsScene& scene, const FuncBlock* block, int input, QVariant& value)
{
    const QString id = block->id().toString();
    for (const ConnectionPresenter* connection : scene.connectionsById(id)) {
        if (connection->receiverId() != id || connection->receiverIndex() != input)
            continue;
        const FuncBlock* source = scene.funcBlockById(connection->emitterId());
        const auto* constant = source ? dynamic_cast<const FBDataNumberModel*>(source->model()) : nullptr;
        if (!constant || !constant->numberItem())
            return false;
        value = constant->numberItem()->data();
        return true;
    }
    return false;
}

class Checker
{
public:
    explicit Checker(const GraphicsScene& scene)
        : m_scene(scene)
    { }

    QVector<DiagramCheck::Finding> run()
    {
        for (const ConnectionPresenter* connection : m_scene.getConnections()) {
            m_usedOutputs.insert({ connection->emitterId(), connection->emitterIndex() });
            checkJoinedTypes(connection);
        }
        for (const FuncBlock* block : m_scene.getFuncBlocks())
            checkBlock(block);
        checkSharedIndices();
        std::stable_sort(m_findings.begin(), m_findings.end(), [](const auto& a, const auto& b) {
            return a.severity < b.severity;
        });
        return m_findings;
    }

private:
    void add(DiagramCheck::Finding::Severity severity, const FuncBlock* block, const QString& port,
             const QString& message)
    {
        m_findings.append({ severity, block->id().toString(), blockName(block), port, message });
    }

    void checkJoinedTypes(const ConnectionPresenter* connection)
    {
        const FBModelPort* from = m_scene.portModelItem(connection->emitterId(), outputKind, connection->emitterIndex());
        const FBModelPort* to = m_scene.portModelItem(connection->receiverId(), inputKind, connection->receiverIndex());
        if (!from || !to || from->data().currentType() == to->data().currentType())
            return;
        add(DiagramCheck::Finding::Error, m_scene.funcBlockById(connection->receiverId()), to->data().portName(),
            text(QT_TRANSLATE_NOOP("DiagramCheck", "the input of type %1 is joined to an output of type %2"))
                .arg(to->data().currentType(), from->data().currentType()));
    }

    void checkBlock(const FuncBlock* block)
    {
        if (const auto* constant = dynamic_cast<const FBDataNumberModel*>(block->model())) {
            const FBModelDataNum* number = constant->numberItem();
            if (number && !DataTypes::isInRange(number->typeName(), number->data()))
                add(DiagramCheck::Finding::Error, block, QString(),
                    text(QT_TRANSLATE_NOOP("DiagramCheck", "the value %1 is outside the range of %2"))
                        .arg(number->data().toString(), number->typeName()));
            return;
        }
        if (!dynamic_cast<const FBBaseModel*>(block->model()))
            return;
        const QVector<const FBModelPort*> inputs = ports(block, "inputs");
        for (const FBModelPort* input : inputs) {
            const FBDataPort port = input->data();
            if (port.requireConnection() && !isConnected(input))
                add(DiagramCheck::Finding::Error, block, port.portName(), text(QT_TRANSLATE_NOOP("DiagramCheck", "the input is not connected")));
        }
        const QVector<const FBModelPort*> outputs = ports(block, "outputs");
        for (const QVector<const FBModelPort*>& list : { inputs, outputs }) {
            for (const FBModelPort* item : list) {
                const FBDataPort port = item->data();
                if (!m_dataTypes.contains(port.currentType()))
                    add(DiagramCheck::Finding::Warning, block, port.portName(),
                        text(QT_TRANSLATE_NOOP("DiagramCheck", "the type %1 is not one of the data types; the port joins only ports of that same type"))
                            .arg(port.currentType()));
            }
        }
        noteIndex(block, inputs);
        const QString proto = block->model()->protoName();
        const bool writes = outputs.isEmpty() || proto == QLatin1String("Variable")
            || proto.contains(QLatin1String("Register"));
        const QString id = block->id().toString();
        bool used = false;
        for (int row = 0; row < outputs.size() && !used; ++row)
            used = m_usedOutputs.contains({ id, row });
        if (!writes && !used)
            add(DiagramCheck::Finding::Warning, block, QString(),
                text(QT_TRANSLATE_NOOP("DiagramCheck", "none of the outputs is used: the block has no effect")));
    }

    // Physical and relay outputs, and variables, by the index a constant gives them.
    void noteIndex(const FuncBlock* block, const QVector<const FBModelPort*>& inputs)
    {
        const QString proto = block->model()->protoName();
        if (proto != QLatin1String("Physical Output") && proto != QLatin1String("Relay Output")
            && proto != QLatin1String("Variable"))
            return;
        QVariant index;
        if (inputs.isEmpty() || !constantInput(m_scene, block, 0, index))
            return;
        m_indexed[{ proto, index.toLongLong() }].append(block);
    }

    void checkSharedIndices()
    {
        for (auto it = m_indexed.cbegin(); it != m_indexed.cend(); ++it) {
            const QVector<const FuncBlock*>& blocks = it.value();
            if (blocks.size() < 2)
                continue;
            const bool variable = it.key().first == QLatin1String("Variable");
            for (const FuncBlock* block : blocks) {
                if (!variable) {
                    add(DiagramCheck::Finding::Error, block, QStringLiteral("Index"),
                        QCoreApplication::translate("DiagramCheck", "%1 %2 is written by %n blocks", nullptr,
                                                    blocks.size())
                            .arg(it.key().first).arg(it.key().second));
                    continue;
                }
                const QString type = variableType(block);
                for (const FuncBlock* other : blocks) {
                    if (variableType(other) != type) {
                        add(DiagramCheck::Finding::Warning, block, QStringLiteral("Index"),
                            text(QT_TRANSLATE_NOOP("DiagramCheck", "variable %1 is also used with the type %2"))
                                .arg(it.key().second)
                                .arg(variableType(other)));
                        break;
                    }
                }
            }
        }
    }

    // What a variable block writes when its "Data In" is connected, else what it reads.
    static QString variableType(const FuncBlock* block)
    {
        const QVector<const FBModelPort*> inputs = ports(block, "inputs");
        if (inputs.size() > 2 && block->isInputConnected(2))
            return inputs.at(2)->data().currentType();
        const QVector<const FBModelPort*> outputs = ports(block, "outputs");
        return outputs.isEmpty() ? QString() : outputs.first()->data().currentType();
    }

    const GraphicsScene& m_scene;
    const QStringList m_dataTypes = DataTypes::instance().typeNames();
    QVector<DiagramCheck::Finding> m_findings;
    QSet<QPair<QString, int>> m_usedOutputs;
    QMap<QPair<QString, qlonglong>, QVector<const FuncBlock*>> m_indexed;
};

} // namespace

QString DiagramCheck::Finding::line() const
{
    const QString kind = severity == Error ? QStringLiteral("error") : QStringLiteral("warning");
    const QString where = port.isEmpty() ? block : QStringLiteral("%1: %2").arg(block, port);
    return QStringLiteral("%1: %2: %3").arg(kind, where, message);
}

QVector<DiagramCheck::Finding> DiagramCheck::check(const GraphicsScene& scene)
{
    return Checker(scene).run();
}

int DiagramCheck::count(const QVector<Finding>& findings, Finding::Severity severity)
{
    return int(std::count_if(findings.cbegin(), findings.cend(),
                             [severity](const Finding& finding) { return finding.severity == severity; }));
}

QString DiagramCheck::summary(const QVector<Finding>& findings)
{
    return QCoreApplication::translate("DiagramCheck", "Check: %1 errors, %2 warnings.")
        .arg(count(findings, Finding::Error))
        .arg(count(findings, Finding::Warning));
}

} // namespace Velmora
