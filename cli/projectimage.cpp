#include "projectimage.h"

#include "build/projectbuilder.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "model/fbbasemodel.h"
#include "model/fbmodelport.h"
#include "project/project.h"
#include "services/console.h"

#include <QStringList>

namespace Velmora {

ProjectImage::ProjectImage()
    : m_project(std::make_unique<Project>())
{ }

ProjectImage::~ProjectImage() = default;

bool ProjectImage::load(const QString& path)
{
    // The project says why it cannot read a file on the console.
    QStringList messages;
    const QMetaObject::Connection listen = QObject::connect(
        &Console::instance(), &Console::onPrintMessage, [&messages](const QString& line) { messages << line; });
    const bool loaded = m_project->load(path);
    QObject::disconnect(listen);
    if (!loaded) {
        m_error = messages.isEmpty() ? QStringLiteral("Cannot read file %1.").arg(path) : messages.join(QLatin1Char('\n'));
        return false;
    }
    ProjectBuilder builder;
    m_project->acceptBuilder(&builder);
    return true;
}

const ProjectBuildData& ProjectImage::buildData() const
{
    return *m_project->buildDataObj();
}

RuntimeValue::Type ProjectImage::outputType(int callOrder, int row) const
{
    RuntimeValue::Type type = RuntimeValue::Int32;
    for (const FuncBlock* block : m_project->scene()->getFuncBlocks()) {
        const auto* model = qobject_cast<const FBBaseModel*>(block->model());
        if (!model || model->callOrder() != callOrder)
            continue;
        const FBModelItem* outputs = model->findItem(QStringLiteral("outputs"));
        const auto* port = outputs ? dynamic_cast<const FBModelPort*>(outputs->childAt(row)) : nullptr;
        if (port)
            RuntimeValue::typeFromName(port->data().currentType(), type);
        break;
    }
    return type;
}

} // namespace Velmora
