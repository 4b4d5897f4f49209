#pragma once

#include "vlm_gui_export.h"

#include <QString>
#include <QWizardPage>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace Velmora {

// The file name and directory of a new project, with a warning while they name a project
// that exists already.
class VLM_GUI_EXPORT ProjectWizardBasePage : public QWizardPage
{
    Q_OBJECT
public:
    explicit ProjectWizardBasePage(const QString& extension, QWidget* parent = nullptr);

    // Also false for a name that would place the project outside the chosen directory.
    bool isComplete() const override;
    // Asks before an existing project is overwritten.
    bool validatePage() override;

public slots:
    void slotDefFilePath(bool checked);
    void slotBrowse();
    void slotCheckProject();

private:
    // Why the typed name cannot be used, or an empty text.
    QString nameProblem() const;

private:
    QString fileName() const;

    QLineEdit* m_nameEdit = nullptr;
    QLineEdit* m_directoryEdit = nullptr;
    QPushButton* m_browseButton = nullptr;
    QCheckBox* m_defaultPathBox = nullptr;
    QLabel* m_warningLabel = nullptr;
    QString m_defaultDirectory;
    QString m_extension;
    bool m_exists = false; // a project of that name is in that directory
};

} // namespace Velmora
