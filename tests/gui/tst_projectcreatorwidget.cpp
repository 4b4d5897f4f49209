#include "projectcreatorwidget.h"
#include "projectwizardbase.h"
#include "projectwizardfactory.h"

#include "dialoghelpers.h"
#include "testmain.h"

#include "project/iproject.h"
#include "project/projectmanager.h"
#include "services/console.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QWizard>

#include <memory>

using namespace Velmora;

namespace {

using Answer = std::function<void(QWidget*)>;

template <typename T = QWidget> T* child(const QWidget* parent, const char* name)
{
    return parent->findChild<T*>(QLatin1String(name));
}

QAbstractButton* button(QWidget* wizard, QWizard::WizardButton which)
{
    return qobject_cast<QWizard*>(wizard)->button(which);
}

std::unique_ptr<ProjectWizardBase> shownWizard()
{
    std::unique_ptr<ProjectWizardBase> wizard(ProjectWizardFactory::instance().wizard("Project", nullptr));
    wizard->show();
    return wizard;
}

void fillFilePage(QWidget* wizard, const QString& name, const QString& directory)
{
    QTest::keyClicks(child(wizard, "fileName"), name);
    QTest::keyClicks(child(wizard, "fileDirectory"), directory);
}

// Clicks the kind in the row (none for -1) of the creation dialog, then one of its buttons.
Answer pickKind(int row, const char* pressed)
{
    return [row, pressed](QWidget* dialog) {
        auto* list = child<QListWidget>(dialog, "listWidget");
        if (row >= 0)
            QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, list->visualItemRect(list->item(row)).center());
        child<QPushButton>(dialog, pressed)->click();
    };
}

Answer finishWizard(const QString& name, const QString& directory, int deviceRow, QStringList* devices)
{
    return [=](QWidget* wizard) {
        fillFilePage(wizard, name, directory);
        button(wizard, QWizard::NextButton)->click();
        auto* box = child<QComboBox>(wizard, "device");
        for (int i = 0; i < box->count(); ++i)
            *devices << box->itemText(i);
        box->setCurrentIndex(deviceRow);
        button(wizard, QWizard::FinishButton)->click();
    };
}

} // namespace

Q_DECLARE_METATYPE(QList<Answer>)

class tst_ProjectCreatorWidget : public QObject
{
    Q_OBJECT
private slots:
    void init();
    void creationDialog();
    void nothingChosen_data();
    void nothingChosen();
    void filePage_data();
    void filePage();
    void finishing_data();
    void finishing();

private:
    std::unique_ptr<QTemporaryDir> m_dir;
};

void tst_ProjectCreatorWidget::init()
{
    m_dir.reset(new QTemporaryDir);
    QVERIFY(m_dir->isValid());
    QCoreApplication::setOrganizationName(QStringLiteral("Norvet inc"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QSettings(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Norvet inc"), QStringLiteral("Velmora"))
        .setValue(QStringLiteral("general_settings/default_projects_directory"), QStringLiteral("/home/projects"));
}

void tst_ProjectCreatorWidget::creationDialog()
{
    ProjectCreatorWidget creator(QStringLiteral("Create new"));
    auto* list = child<QListWidget>(&creator, "listWidget");
    QCOMPARE(creator.objectName() + '|' + creator.windowTitle(), QStringLiteral("CreateDialog|Create new"));
    QCOMPARE(creator.size(), QSize(414, 251));
    QCOMPARE(list->count(), 1);
    QCOMPARE(list->item(0)->text() + '|' + child<QPushButton>(&creator, "selected")->text() + '|'
                 + child<QPushButton>(&creator, "cancel")->text(),
             QStringLiteral("Project|Selected...|Cancel"));
    QCOMPARE(list->selectedItems().size(), 0);
}

void tst_ProjectCreatorWidget::nothingChosen_data()
{
    QTest::addColumn<QList<Answer>>("answers");

    const Answer cancelWizard = [](QWidget* wizard) { button(wizard, QWizard::CancelButton)->click(); };
    QTest::newRow("Selected... without a choice") << QList<Answer> { pickKind(-1, "selected") };
    QTest::newRow("creation dialog cancelled") << QList<Answer> { pickKind(0, "cancel") };
    QTest::newRow("wizard cancelled") << QList<Answer> { pickKind(0, "selected"), cancelWizard };
}

void tst_ProjectCreatorWidget::nothingChosen()
{
    QFETCH(QList<Answer>, answers);

    ProjectCreatorWidget creator(QStringLiteral("Create new"));
    answerDialogs(answers);
    QCOMPARE(creator.createProject(), nullptr);
}

void tst_ProjectCreatorWidget::filePage_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("directory"); // "temp", "default" (the check box) or none
    QTest::addColumn<int>("answer"); // to the overwrite question, if asked
    QTest::addColumn<int>("page"); // after Next; -1 when Next is disabled
    QTest::addColumn<QString>("warning");

    const QString exists = QStringLiteral("The project already exists. If you continue, the project will be overwritten.");
    const QString separator = QStringLiteral("The name cannot contain / or \\.");
    const QString dots = QStringLiteral("The name cannot be \".\" or \"..\".");
    const int none = QMessageBox::NoButton;
    QTest::newRow("new project") << "fresh" << "temp" << none << 1 << "";
    QTest::newRow("existing, No") << "pump" << "temp" << int(QMessageBox::No) << 0 << exists;
    QTest::newRow("existing, Yes") << "pump" << "temp" << int(QMessageBox::Yes) << 1 << exists;
    QTest::newRow("default path") << "pump_2" << "default" << none << 1 << "";
    QTest::newRow("dot in the name") << "pump.v2" << "temp" << none << 1 << "";
    QTest::newRow("extension typed") << "pump.vlm" << "temp" << none << -1
                                     << "Type the name without the extension .vlm: it is added.";
    QTest::newRow("no name") << "" << "temp" << none << -1 << "";
    QTest::newRow("no directory") << "pump" << "" << none << -1 << "";
    QTest::newRow("slash") << "plant/pump" << "temp" << none << -1 << separator;
    QTest::newRow("backslash") << "plant\\pump" << "temp" << none << -1 << separator;
    QTest::newRow("parent directory") << ".." << "temp" << none << -1 << dots;
    QTest::newRow("this directory") << "." << "temp" << none << -1 << dots;
}

void tst_ProjectCreatorWidget::filePage()
{
    QFETCH(QString, name);
    QFETCH(QString, directory);
    QFETCH(int, answer);
    QFETCH(int, page);
    QFETCH(QString, warning);

    QVERIFY(QDir(m_dir->path()).mkpath(QStringLiteral("pump")));
    QFile existing(m_dir->filePath(QStringLiteral("pump/pump.vlm")));
    QVERIFY(existing.open(QIODevice::WriteOnly));
    const auto wizard = shownWizard();
    auto* box = child<QCheckBox>(wizard.get(), "defaultPath");
    auto* directoryEdit = child<QLineEdit>(wizard.get(), "fileDirectory");
    QCOMPARE(box->text(), QStringLiteral("Use default file path"));
    if (directory == QLatin1String("default")) {
        for (bool locked : { true, false, true }) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(5, box->height() / 2));
            QCOMPARE(directoryEdit->text(), QStringLiteral("/home/projects"));
            QCOMPARE(directoryEdit->isEnabled(), !locked);
            QCOMPARE(child(wizard.get(), "browse")->isEnabled(), !locked);
        }
    }
    fillFilePage(wizard.get(), name, directory == QLatin1String("temp") ? m_dir->path() : QString());
    QCOMPARE(wizard->button(QWizard::NextButton)->isEnabled(), page >= 0);
    const bool warned = answer != QMessageBox::NoButton;
    QCOMPARE(child<QLabel>(wizard.get(), "warning")->isVisible(), !warning.isEmpty());
    QCOMPARE(child<QLabel>(wizard.get(), "warning")->text(), warning);
    if (page < 0)
        return;

    QString question;
    if (warned) {
        answerDialogs({ [&question, answer](QWidget* dialog) {
            auto* box = qobject_cast<QMessageBox*>(dialog);
            question = box->windowTitle() + '|' + box->text();
            box->button(QMessageBox::StandardButton(answer))->click();
        } });
    }
    wizard->button(QWizard::NextButton)->click();
    QCOMPARE(question, warned ? "Wizard warning|The file pump.vlm will be overwritten. Continue?" : "");
    QCOMPARE(wizard->currentId(), page);
}

void tst_ProjectCreatorWidget::finishing_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("directory"); // within the temporary one
    QTest::addColumn<int>("deviceRow");
    QTest::addColumn<QByteArray>("bytes"); // none when the place cannot be written

    const QByteArray head = "6e 1c 4b 9a 2f 07 d3 58 00 00 00 ";
    const QByteArray counts = " 00 00 00 00 00 00 00 00";
    QTest::newRow("first model") << "pump"
                                 << "" << 0 << head + "01" + counts;
    QTest::newRow("second model") << "pump"
                                  << "" << 1 << head + "05" + counts;
    QTest::newRow("last model") << "pump"
                                << "" << 4 << head + "04" + counts;
    QTest::newRow("name too long") << QString(300, 'n') << "" << 0 << QByteArray();
    QTest::newRow("directory below a file") << "pump"
                                            << "plain/sub" << 0 << QByteArray();
}

void tst_ProjectCreatorWidget::finishing()
{
    QFETCH(QString, name);
    QFETCH(QString, directory);
    QFETCH(int, deviceRow);
    QFETCH(QByteArray, bytes);

    QFile plain(m_dir->filePath(QStringLiteral("plain")));
    QVERIFY(plain.open(QIODevice::WriteOnly));
    const QString chosen = QDir(m_dir->path()).filePath(directory);
    QFile file(QStringLiteral("%1/%2/%2.vlm").arg(chosen, name));
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    QStringList devices;
    ProjectCreatorWidget creator(QStringLiteral("Create new"));
    answerDialogs({ pickKind(0, "selected"), finishWizard(name, chosen, deviceRow, &devices) });
    IProject* project = creator.createProject();

    QVERIFY(project);
    QCOMPARE(devices.join(' '),
             QStringLiteral("Tarkel-KV-D01 Tarkel-KV-D02 Tarkel-KV-A01 Tarkel-KV-DA01 Tarkel-KV-DA02"));
    QCOMPARE(project->getDisplayName(), QStringLiteral("%1.vlm - %2").arg(name, devices.at(deviceRow)));
    QCOMPARE(project->getFilePath(), file.fileName());
    // The wizard writes nothing; the manager writes the file once nothing is left to ask.
    QCOMPARE(QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList { "plain" });
    ProjectManager manager;
    QCOMPARE(manager.newProject(project), !bytes.isEmpty());
    QCOMPARE(file.open(QIODevice::ReadOnly), !bytes.isEmpty());
    QCOMPARE(file.readAll().toHex(' '), bytes);
    QCOMPARE(console.count(), bytes.isEmpty() ? 1 : 0);
    for (const QList<QVariant>& line : console)
        QCOMPARE(line.at(0).toString(),
                 QStringLiteral("Cannot write file %1: %2").arg(file.fileName(), file.errorString()));
    const QStringList made = QDir(m_dir->path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot);
    QCOMPARE(made, bytes.isEmpty() ? QStringList { "plain" } : QStringList({ "plain", name }));
}

VLM_TEST_MAIN(tst_ProjectCreatorWidget)
#include "tst_projectcreatorwidget.moc"
