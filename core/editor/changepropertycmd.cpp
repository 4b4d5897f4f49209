#include "editor/changepropertycmd.h"

#include "model/fbmodelitem.h"

#include <QCoreApplication>

#include <memory>

namespace Velmora {

namespace {

// Equal values of different types are different bytes in a project file.
bool isSame(const QVariant& a, const QVariant& b)
{
    return a.userType() == b.userType() && a == b;
}

QString textFor(const FBModelItem* item, int role)
{
    if (role == Qt::CheckStateRole)
        return QCoreApplication::translate("QObject", "<Change port visibility>");
    switch (item->type()) {
    case 1001:
        return QCoreApplication::translate("QObject", "<Change title>");
    case 1004:
        return QCoreApplication::translate("QObject", "<Change port type>");
    default:
        return QCoreApplication::translate("QObject", "<Change value>");
    }
}

} // namespace

ChangePropertyCmd* ChangePropertyCmd::create(FBModelItem* item, const QVariant& value, int role)
{
    if (role == Qt::CheckStateRole) {
        const bool shown = value.toBool();
        return shown == item->isVisible() ? nullptr : new ChangePropertyCmd(item, role, !shown, shown);
    }
    if (role != Qt::EditRole)
        return nullptr;
    // What the item would make of the value, learnt from a copy that belongs to no block and
    // tells nobody.
    const std::unique_ptr<FBModelItem> trial(item->clone());
    if (!trial->dataFromVariant(value))
        return nullptr;
    const QVariant before = item->dataToVariant();
    const QVariant after = trial->dataToVariant();
    return isSame(before, after) ? nullptr : new ChangePropertyCmd(item, role, before, after);
}

ChangePropertyCmd::ChangePropertyCmd(FBModelItem* item, int role, const QVariant& before, const QVariant& after)
    : BlockItemCmd(item)
    , m_role(role)
    , m_before(before)
    , m_after(after)
{
    setText(textFor(item, role));
}

void ChangePropertyCmd::apply(FBModelItem* item, bool forward)
{
    const QVariant& value = forward ? m_after : m_before;
    if (m_role == Qt::CheckStateRole)
        item->setVisible(value.toBool());
    else
        item->dataFromVariant(value);
}

} // namespace Velmora
