#pragma once

#include "basewizardbuilder.h"

namespace Velmora {

template <typename T> class WizardBuilder : public BaseWizardBuilder
{
public:
    ProjectWizardBase* create(const QString& extension, QWidget* parent) const override
    {
        return new T(extension, parent);
    }
};

} // namespace Velmora
