#include "projectwizardbasepage.h"

#include "services/appsettings.h"

#include <QCheckBox>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QVBoxLayout>

namespace Velmora {

namespace {

QString defaultProjectsDirectory()
{
    AppSettings settings;
    settings.beginGroup(QStringLiteral("general_settings"));
    return settings.value(QStringLiteral("default_projects_directory"), QDir::currentPath()).toString();
}

} // namespace

ProjectWizardBasePage::ProjectWizardBasePage(const QString& extension, QWidget* parent)
    : QWizardPage(parent)
    , m_nameEdit(new QLineEdit(this))
    , m_directoryEdit(new QLineEdit(this))
    , m_browseButton(new QPushButton(QCoreApplication::translate("ProjectWizardBasePage", "Browse..."), this))
    , m_defaultPathBox(
          new QCheckBox(QCoreApplication::translate("ProjectWizardBasePage", "Use default file path"), this))
    , m_warningLabel(new QLabel(this))
    , m_defaultDirectory(defaultProjectsDirectory())
    , m_extension(extension)
{
    setTitle(QCoreApplication::translate("ProjectWizardBasePage", "File location"));
    m_nameEdit->setObjectName(QStringLiteral("fileName"));
    m_directoryEdit->setObjectName(QStringLiteral("fileDirectory"));
    m_browseButton->setObjectName(QStringLiteral("browse"));
    m_defaultPathBox->setObjectName(QStringLiteral("defaultPath"));
    m_warningLabel->setObjectName(QStringLiteral("warning"));
    m_warningLabel->setWordWrap(true);
    m_warningLabel->hide();

    auto* directoryRow = new QHBoxLayout;
    directoryRow->addWidget(m_directoryEdit);
    directoryRow->addWidget(m_browseButton);
    auto* form = new QFormLayout;
    form->addRow(new QLabel(QCoreApplication::translate("ProjectWizardBasePage", "File name:"), this), m_nameEdit);
    form->addRow(new QLabel(QCoreApplication::translate("ProjectWizardBasePage", "File directory:"), this),
                 directoryRow);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(m_defaultPathBox);
    layout->addWidget(m_warningLabel);

    registerField(QStringLiteral("fileName*"), m_nameEdit);
    registerField(QStringLiteral("fileDir*"), m_directoryEdit);

    connect(m_browseButton, &QPushButton::clicked, this, &ProjectWizardBasePage::slotBrowse);
    connect(m_defaultPathBox, &QCheckBox::toggled, this, &ProjectWizardBasePage::slotDefFilePath);
    connect(m_nameEdit, &QLineEdit::textChanged, this, &ProjectWizardBasePage::slotCheckProject);
    connect(m_directoryEdit, &QLineEdit::textChanged, this, &ProjectWizardBasePage::slotCheckProject);
}

QString ProjectWizardBasePage::fileName() const
{
    const QString name = m_nameEdit->text();
    return name.isEmpty() ? QString() : QStringLiteral("%1.%2").arg(name, m_extension);
}

bool ProjectWizardBasePage::isComplete() const
{
    return QWizardPage::isComplete() && nameProblem().isEmpty();
}

QString ProjectWizardBasePage::nameProblem() const
{
    // The project gets a folder of that name inside the chosen directory: a separator, "."
    // or ".." would put it somewhere else. Other dots are fine, a project is known by its
    // last suffix; a name typed with the extension would end in it twice.
    const QString name = m_nameEdit->text();
    if (name.contains(QLatin1Char('/')) || name.contains(QLatin1Char('\\')))
        return QCoreApplication::translate("ProjectWizardBasePage", "The name cannot contain / or \\.");
    if (name == QLatin1String(".") || name == QLatin1String(".."))
        return QCoreApplication::translate("ProjectWizardBasePage", "The name cannot be \".\" or \"..\".");
    if (name.endsWith(QLatin1Char('.') + m_extension))
        return QCoreApplication::translate("ProjectWizardBasePage", "Type the name without the extension .%1: it is added.")
            .arg(m_extension);
    return QString();
}

void ProjectWizardBasePage::slotDefFilePath(bool checked)
{
    if (checked)
        m_directoryEdit->setText(m_defaultDirectory);
    m_directoryEdit->setEnabled(!checked);
    m_browseButton->setEnabled(!checked);
}

void ProjectWizardBasePage::slotBrowse()
{
    const QString directory = QFileDialog::getExistingDirectory(
        this, QCoreApplication::translate("ProjectWizardBasePage", "Directory selection"), m_defaultDirectory,
        QFileDialog::ShowDirsOnly);
    if (!directory.isEmpty())
        m_directoryEdit->setText(directory);
}

void ProjectWizardBasePage::slotCheckProject()
{
    const QString name = m_nameEdit->text();
    const QString file = fileName();
    const QString directory = m_directoryEdit->text();
    const QString problem = nameProblem();
    m_exists = false;
    if (problem.isEmpty() && !directory.isEmpty() && !file.isEmpty()) {
        const QString folder = QDir(directory).absoluteFilePath(name);
        m_exists = QDir(directory).exists(folder) && QFileInfo(QDir(folder), file).exists();
    }
    if (m_exists)
        m_warningLabel->setText(QCoreApplication::translate(
            "ProjectWizardBasePage", "The project already exists. If you continue, the project will be overwritten."));
    else
        m_warningLabel->setText(problem);
    m_warningLabel->setVisible(m_exists || !problem.isEmpty());
}

bool ProjectWizardBasePage::validatePage()
{
    if (!m_exists)
        return QWizardPage::validatePage();
    const QMessageBox::StandardButton answer = QMessageBox::warning(
        this, QCoreApplication::translate("ProjectWizardBasePage", "Wizard warning"),
        QCoreApplication::translate("ProjectWizardBasePage", "The file %1 will be overwritten. Continue?")
            .arg(fileName()),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
    return answer == QMessageBox::Yes;
}

} // namespace Velmora
