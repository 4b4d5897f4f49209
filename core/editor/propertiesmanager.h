#pragma once

#include "vlm_core_export.h"

#include <QObject>

namespace Velmora {

class FBModelItem;

// Relays the scene's requests to the property panel: which item tree to show, when to clear
// it and which item changed. The main window turns the signals into calls on the model.
class VLM_CORE_EXPORT PropertiesManager : public QObject
{
    Q_OBJECT
public:
    static PropertiesManager& instance();

    void showProperty(FBModelItem* item);
    void reset();
    void update(FBModelItem* item);

signals:
    void onShowProperty(FBModelItem* item);
    void onReset();
    void onUpdate(FBModelItem* item);

private:
    PropertiesManager() = default;
};

} // namespace Velmora
