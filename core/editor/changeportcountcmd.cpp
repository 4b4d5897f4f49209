#include "editor/changeportcountcmd.h"

#include "editor/connectionpresenter.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/fbabstractmodel.h"
#include "model/fbmodelports.h"

#include <QCoreApplication>

namespace Velmora {

ChangePortCountCmd* ChangePortCountCmd::create(FBModelPorts* list, const QVariant& count)
{
    bool isNumber = false;
    const int wanted = count.toInt(&isNumber);
    if (!isNumber)
        return nullptr;
    FBDataPorts after = list->data();
    int reachable = qBound(after.minPorts(), wanted, after.maxPorts());
    // New ports are copies of the first one: a list without ports cannot grow.
    if (list->childCount() == 0)
        reachable = 0;
    after.setCountPorts(reachable);
    if (reachable == list->childCount() && after == list->data())
        return nullptr;
    return new ChangePortCountCmd(list, after);
}

ChangePortCountCmd::ChangePortCountCmd(FBModelPorts* list, const FBDataPorts& after)
    : BlockItemCmd(list)
    , m_before(list->data())
    , m_after(after)
{
    setText(QCoreApplication::translate("QObject", "<Change number of ports>"));
}

ChangePortCountCmd::~ChangePortCountCmd()
{
    if (m_holdsPorts)
        qDeleteAll(m_ports);
}

void ChangePortCountCmd::apply(FBModelItem* item, bool forward)
{
    if (item->type() != 1002 && item->type() != 1003)
        return;
    auto* list = static_cast<FBModelPorts*>(item);
    const FBDataPorts& ports = forward ? m_after : m_before;
    if (ports.countPorts() < list->childCount())
        shrink(list, ports.countPorts());
    else
        grow(list, ports);
    list->setData(ports);
}

QVector<ConnectionPresenter*> ChangePortCountCmd::linesFrom(const FBModelPorts* list, int count) const
{
    const FuncBlock* block = m_scene ? FuncBlock::holding(list) : nullptr;
    if (!block)
        return {};
    const QString id = block->id().toString();
    const bool inputs = list->type() == 1002;
    QVector<ConnectionPresenter*> lines;
    for (ConnectionPresenter* line : m_scene->connectionsById(id)) {
        const bool atList = inputs ? line->receiverId() == id : line->emitterId() == id;
        const int port = inputs ? line->receiverIndex() : line->emitterIndex();
        if (atList && port >= count && !lines.contains(line))
            lines.append(line);
    }
    return lines;
}

void ChangePortCountCmd::shrink(FBModelPorts* list, int count)
{
    // A line whose port goes would end at nothing: it goes first, and comes back with it.
    const QVector<ConnectionPresenter*> lines = linesFrom(list, count);
    if (!lines.isEmpty()) {
        m_lines = hold(lines);
        m_scene->removeGroupConnectionKeepSelection(lines);
        keepOffScene({}, m_lines);
    }
    QVector<FBModelItem*> taken;
    for (int row = list->childCount() - 1; row >= count; --row) {
        FBModelItem* port = list->takeChild(row);
        if (!port)
            break;
        taken.prepend(port);
    }
    m_ports = taken;
    m_holdsPorts = true;
}

void ChangePortCountCmd::grow(FBModelPorts* list, const FBDataPorts& ports)
{
    if (!m_holdsPorts) {
        list->recalcPorts(ports);
        return;
    }
    m_holdsPorts = false;
    for (FBModelItem* port : qAsConst(m_ports)) {
        const int before = list->childCount();
        list->addChild(port);
        if (list->childCount() == before)
            delete port;
    }
    m_ports.clear();
    const QVector<ConnectionPresenter*> lines = alive(m_lines);
    if (!lines.isEmpty()) {
        m_scene->addGroupConnection(lines);
        keepOffScene({}, m_lines);
    }
}

} // namespace Velmora
