#pragma once

#include "editor/blockitemcmd.h"
#include "vlm_core_export.h"

#include <QVariant>
#include <QVector>

namespace Velmora {

// A new value of an item, as the property tree's value column gives it (a constant, a list
// choice, a title, a port's type), or a port switched on or off with its box.
class VLM_CORE_EXPORT ChangePropertyCmd : public BlockItemCmd
{
public:
    // `role` is Qt::EditRole for the value, Qt::CheckStateRole for the box. Null when the
    // item refuses the value or already holds it, when a constant's value is beyond the range
    // of its type, and when a port's new type is one a port joined to it can not take (said
    // on the console). The ports joined to a port take its new type along.
    static ChangePropertyCmd* create(FBModelItem* item, const QVariant& value, int role);

    int id() const override { return 109; }

protected:
    void apply(FBModelItem* item, bool forward) override;

private:
    ChangePropertyCmd(FBModelItem* item, int role, const QVariant& before, const QVariant& after);

    int m_role = 0;
    QVariant m_before;
    QVariant m_after;
    // The ports that take a port's new type along, as they were before.
    QVector<SavedPort> m_joined;
};

} // namespace Velmora
