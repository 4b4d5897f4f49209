#pragma once

#include "vlm_gui_export.h"
#include "wizardbuilder.h"

#include <QMap>
#include <QString>

class QWidget;

namespace Velmora {

class ProjectWizardBase;

// The creation wizards of the project kinds, by project kind id.
class VLM_GUI_EXPORT ProjectWizardFactory
{
    Q_DISABLE_COPY(ProjectWizardFactory)
public:
    static ProjectWizardFactory& instance();

    // A separate registry, for tests.
    ProjectWizardFactory() = default;
    ~ProjectWizardFactory();

    // False when the id has a wizard already; the first one stays.
    template <typename T> bool registerWizard(const QString& id)
    {
        if (isRegistred(id))
            return false;
        m_builders.insert(id, new WizardBuilder<T>);
        return true;
    }

    bool isRegistred(const QString& id) const { return m_builders.contains(id); }
    // The kind's own wizard, or the plain file wizard for a kind without one; the caller
    // owns it.
    ProjectWizardBase* wizard(const QString& id, QWidget* parent) const;

private:
    QMap<QString, BaseWizardBuilder*> m_builders;
};

} // namespace Velmora
