#pragma once

#include "projectwizardbase.h"
#include "vlm_gui_export.h"

namespace Velmora {

// The wizard of the diagram project: the file page, then the device model.
class VLM_GUI_EXPORT MainProjectWizard : public ProjectWizardBase
{
    Q_OBJECT
public:
    MainProjectWizard(const QString& extension, QWidget* parent = nullptr);
};

} // namespace Velmora
