#include "projectcreatorwidget.h"

#include "project/iproject.h"
#include "project/projectcreator.h"
#include "projectwizardbase.h"
#include "projectwizardfactory.h"
#include "ui_projectcreatorwidget.h"

#include <memory>

namespace Velmora {

ProjectCreatorWidget::ProjectCreatorWidget(const QString& title, QWidget* parent)
    : QDialog(parent)
    , m_ui(new Ui::CreateDialog)
{
    m_ui->setupUi(this);
    setWindowTitle(title);
    initProjectsList();
    connect(m_ui->listWidget, &QListWidget::doubleClicked, this, &ProjectCreatorWidget::accept);
    connect(m_ui->selected, &QPushButton::clicked, this, &ProjectCreatorWidget::accept);
    connect(m_ui->cancel, &QPushButton::clicked, this, &ProjectCreatorWidget::reject);
}

ProjectCreatorWidget::~ProjectCreatorWidget()
{
    delete m_ui;
}

void ProjectCreatorWidget::initProjectsList()
{
    m_itemIds.clear();
    const ProjectCreator& creator = ProjectCreator::instance();
    for (const QString& id : creator.possibleProjects()) {
        auto* item = new QListWidgetItem(creator.getShowName(id), m_ui->listWidget);
        m_itemIds.insert(item, id);
    }
}

void ProjectCreatorWidget::accept()
{
    QDialog::accept();
}

void ProjectCreatorWidget::reject()
{
    m_ui->listWidget->clearSelection();
    QDialog::reject();
}

IProject* ProjectCreatorWidget::createProject()
{
    exec();
    const QList<QListWidgetItem*> selection = m_ui->listWidget->selectedItems();
    if (selection.isEmpty())
        return nullptr;
    const QString id = m_itemIds.value(selection.first());

    const std::unique_ptr<ProjectWizardBase> wizard(ProjectWizardFactory::instance().wizard(id, parentWidget()));
    wizard->exec();
    if (wizard->result() != QDialog::Accepted)
        return nullptr;
    IProject* project = ProjectCreator::instance().createProject(id);
    if (project)
        wizard->setupProject(project);
    return project;
}

} // namespace Velmora
