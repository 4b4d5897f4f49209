#pragma once

#include "vlm_gui_export.h"

#include <QString>

class QWidget;

namespace Velmora {

class ProjectWizardBase;

// Makes the creation wizard of one kind of project.
class VLM_GUI_EXPORT BaseWizardBuilder
{
public:
    virtual ~BaseWizardBuilder() = default;
    // The caller owns the wizard.
    virtual ProjectWizardBase* create(const QString& extension, QWidget* parent) const = 0;
};

} // namespace Velmora
