#include "projectwizardfactory.h"

#include "mainprojectwizard.h"
#include "project/projectcreator.h"
#include "services/singleton.h"

namespace Velmora {

namespace {

const bool registered = ProjectWizardFactory::instance().registerWizard<MainProjectWizard>(QStringLiteral("Project"));

} // namespace

ProjectWizardFactory& ProjectWizardFactory::instance()
{
    static std::atomic<ProjectWizardFactory*> factory { nullptr };
    static QMutex mutex;
    return lazySingleton(factory, mutex, [] { return new ProjectWizardFactory; });
}

ProjectWizardFactory::~ProjectWizardFactory()
{
    qDeleteAll(m_builders);
}

ProjectWizardBase* ProjectWizardFactory::wizard(const QString& id, QWidget* parent) const
{
    const QString extension = ProjectCreator::instance().getExtension(id);
    const BaseWizardBuilder* builder = m_builders.value(id, nullptr);
    return builder ? builder->create(extension, parent) : new ProjectWizardBase(extension, parent);
}

} // namespace Velmora
