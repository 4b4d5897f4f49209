#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "aboutdialog.h"
#include "consolewidget.h"
#include "manuallocator.h"
#include "settingswidget.h"
#include "simulationcontroller.h"
#include "simulationiopanel.h"
#include "trendchart.h"
#include "undoview.h"

#include "build/diagramcheck.h"
#include "build/projectbuilddata.h"
#include "build/projectbuilder.h"
#include "device/tcpdeviceclient.h"
#include "device/tcpfirmwareclient.h"
#include "devicesettingswidget.h"
#include "diagramexporter.h"
#include "editor/propertiesmanager.h"
#include "editor/propertytreemodel.h"
#include "editor/stylecollection.h"
#include "firmwarewizardexistingpage.h"
#include "firmwarewizardfilepage.h"
#include "firmwarewizardnetworkpage.h"
#include "library/fblibreader.h"
#include "library/fbmodelfactory.h"
#include "library/librarytreemodel.h"
#include "editor/fbabstractblockgraphics.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "project/iproject.h"
#include "project/project.h"
#include "project/projectmanager.h"
#include "project/projectrecovery.h"
#include "project/recentprojects.h"
#include "projectcreatorwidget.h"
#include "projectstabwidget.h"
#include "propertiesdelegate.h"
#include "services/appsettings.h"
#include "services/console.h"

#include <QActionGroup>
#include <QApplication>
#include <QLabel>
#include <QStatusBar>
#include <QCloseEvent>
#include <QCoreApplication>
#include <QDesktopServices>
#include <QDir>
#include <QDockWidget>
#include <QEvent>
#include <QFileInfo>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QSettings>
#include <QToolBar>
#include <QTranslator>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QGraphicsView>
#include <QPrintPreviewDialog>
#include <QPrinter>
#include <QHeaderView>
#include <QStyle>
#include <QTabWidget>
#include <QTreeView>
#include <QTreeWidget>
#include <QUrl>
#include <QVBoxLayout>
#include <QWizard>

#include <memory>

namespace Velmora {

namespace {

const char* const translationsDir = ":/data/translations";

// Fills a dock's content widget with one view.
void placeInDock(QDockWidget* dock, QWidget* view)
{
    auto* layout = new QVBoxLayout(dock->widget());
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(view);
}

} // namespace

MainWindow::MainWindow(QWidget* parent)
    : QMainWindow(parent)
    , ui(new Ui::MainWindow)
{
    ui->setupUi(this);
    updateWindowTitle(nullptr);

    StyleCollection::instance().initCollection(QStringLiteral(":/data/scene_styles.xml"));

    m_appTranslator = new QTranslator(this);
    m_coreTranslator = new QTranslator(this);
    m_guiTranslator = new QTranslator(this);
    m_qtTranslator = new QTranslator(this);

    setApplicationIdentity();

    createComponents();

    AppSettings settings;
    StyleCollection::instance().readSettings(settings);
    loadTranslations(settings.language());
    restoreWindowLayout(settings);
    m_projectManager->readSettings(settings);
    m_recovery->readSettings(settings);
    m_deviceClient->readClientSettings(settings);

    connectVisibilityTrackers();
    connectActions();
    setProjectActionsEnabled(false);
}

void MainWindow::setApplicationIdentity()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Norvet inc"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("norvet.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.2.0"));
}

MainWindow::~MainWindow()
{
    stopVisibilityTrackers();
    // The simulation leaves the scene it shows values on before the scene goes.
    delete m_simulation;
    // The manager's projects own the scenes the tabs show: the tabs go first.
    delete m_projectTabs;
    delete m_projectManager;
    delete m_projectBuilder;
    m_console->deleteLater();
    delete ui;
}

void MainWindow::createComponents()
{
    m_settings = new SettingsWidget(this);
    connect(m_settings, &SettingsWidget::onChangeSettings, this, &MainWindow::slotChangedSettings);

    m_console = new ConsoleWidget(this);
    placeInDock(ui->dockConsole, m_console);
    connect(&Console::instance(), &Console::onPrintMessage, m_console, &ConsoleWidget::slotPrintMessage);

    m_projectBuilder = new ProjectBuilder;
    m_projectManager = new ProjectManager(this);
    m_recovery = new ProjectRecovery(m_projectManager, QString(), m_projectManager);
    connect(m_projectManager->recentProjects(), &RecentProjects::onChanged, this, &MainWindow::updateRecentMenu);
    updateRecentMenu();
    m_projectTabs = new ProjectsTabWidget(this);
    setCentralWidget(m_projectTabs);
    connectProjectSignals();

    createDockViews();

    // The block prototypes every diagram is drawn from.
    FBLibReader().readFromXml(QStringLiteral(":/data/library.xml"));

    m_deviceClient = new TcpDeviceClient(this);

    m_undoView = new UndoView;
    placeInDock(ui->dockRightBottom, m_undoView);

    m_firmwareClient = new TCPFirmwareClient(this);

    createSimulation();
}

void MainWindow::connectProjectSignals()
{
    ProjectManager* manager = m_projectManager;
    ProjectsTabWidget* tabs = m_projectTabs;
    connect(manager, &ProjectManager::onChangedCurrentProject, this, &MainWindow::slotCurrentProject);
    connect(manager, &ProjectManager::onModifiedProject, this, &MainWindow::slotModifiedProject);
    connect(manager, &ProjectManager::onChangedCurrentProject, tabs, &ProjectsTabWidget::slotSetCurrentProject);
    connect(manager, &ProjectManager::onAddProject, tabs, &ProjectsTabWidget::slotAddProject);
    connect(manager, &ProjectManager::onRemoveProject, tabs, &ProjectsTabWidget::slotDeleteProject);
    connect(manager, &ProjectManager::onModifiedProject, tabs, &ProjectsTabWidget::slotModifiedProject);
    connect(tabs, &ProjectsTabWidget::onChangedCurrentProject, manager, &ProjectManager::slotChangedCurrentProject);
    connect(tabs, &ProjectsTabWidget::onChangedCurrentProject, this, &MainWindow::slotCurrentProject);
    connect(tabs, &ProjectsTabWidget::onCloseProject, manager, &ProjectManager::slotCloseProject);
}

void MainWindow::createDockViews()
{
    m_propertyView = new QTreeView(this);
    m_propertyModel = new PropertyTreeModel(this);
    m_propertyView->setModel(m_propertyModel);
    m_propertyView->setItemDelegate(new PropertiesDelegate(m_propertyView));
    placeInDock(ui->dockRight, m_propertyView);
    PropertiesManager& properties = PropertiesManager::instance();
    connect(&properties, &PropertiesManager::onShowProperty, this, &MainWindow::slotShowPropertyFBItem);
    connect(&properties, &PropertiesManager::onReset, this, &MainWindow::slotResetPropertyFBItem);
    connect(&properties, &PropertiesManager::onUpdate, this, &MainWindow::slotUpdatePropertyWidget);

    createProblemsDock();

    m_libraryView = new QTreeView(this);
    m_libraryModel = new LibraryTreeModel(this);
    m_libraryView->setModel(m_libraryModel);
    m_libraryView->setDragEnabled(true);
    m_libraryView->setHeaderHidden(true);
    placeInDock(ui->dockLeft, m_libraryView);
}

void MainWindow::connectActions()
{
    const QList<QPair<QAction*, void (MainWindow::*)()>> handlers {
        { ui->actionNew, &MainWindow::slotActionNew },
        { ui->actionOpen, &MainWindow::slotActionOpen },
        { ui->actionSave, &MainWindow::slotActionSave },
        { ui->actionSaveAs, &MainWindow::slotActionSaveAs },
        { ui->actionClose, &MainWindow::slotActionClose },
        { ui->actionCloseAll, &MainWindow::slotActionCloseAll },
        { ui->actionCut, &MainWindow::slotActionCut },
        { ui->actionCopy, &MainWindow::slotActionCopy },
        { ui->actionPaste, &MainWindow::slotActionPaste },
        { ui->actionSelectAll, &MainWindow::slotActionSelectAll },
        { ui->actionUndo, &MainWindow::slotActionUndo },
        { ui->actionRedo, &MainWindow::slotActionRedo },
        { ui->actionConnect, &MainWindow::slotActionConnect },
        { ui->actionDisconnect, &MainWindow::slotActionDisconnect },
        { ui->actionExport, &MainWindow::slotActionExport },
        { ui->actionPrint, &MainWindow::slotActionPrint },
        { ui->actionCheck, &MainWindow::slotActionCheck },
        { ui->actionUpload, &MainWindow::slotActionUpload },
        { ui->actionRun, &MainWindow::slotActionRun },
        { ui->actionStop, &MainWindow::slotActionStop },
        { ui->actionSaveFlash, &MainWindow::slotActionSaveFlash },
        { ui->actionSettings, &MainWindow::slotActionSettings },
        { ui->actionOpenManual, &MainWindow::slotActionOpenManual },
        { ui->actionDeviceSettings, &MainWindow::slotActionDeviceSettings },
        { ui->actionFirmwareUpdater, &MainWindow::slotActionFirmwareUpdater },
        { ui->actionAbout, &MainWindow::slotActionAbout },
        { ui->actionSimulate, &MainWindow::slotActionSimulate },
        { ui->actionStopSimulation, &MainWindow::slotActionStopSimulation },
    };
    // A value still being typed in the property tree belongs to the diagram before any action
    // acts on it: a toolbar button takes no focus, so the editor would not commit by itself.
    for (const auto& handler : handlers) {
        const auto slot = handler.second;
        connect(handler.first, &QAction::triggered, this, [this, slot] {
            commitPropertyEditor();
            (this->*slot)();
        });
    }
}

void MainWindow::commitPropertyEditor()
{
    QWidget* editor = QApplication::focusWidget();
    QWidget* viewport = m_propertyView->viewport();
    if (!editor || !viewport->isAncestorOf(editor))
        return;
    while (editor->parentWidget() != viewport)
        editor = editor->parentWidget();
    QAbstractItemDelegate* delegate = m_propertyView->itemDelegate();
    emit delegate->commitData(editor);
    emit delegate->closeEditor(editor, QAbstractItemDelegate::NoHint);
}

void MainWindow::setProjectActionsEnabled(bool enabled)
{
    for (QAction* action : { ui->actionSave, ui->actionSaveAs, ui->actionClose, ui->actionCloseAll, ui->actionExport, ui->actionPrint, ui->actionCheck, ui->actionUpload,
                             ui->actionRun, ui->actionStop, ui->actionSaveFlash })
        action->setEnabled(enabled);
    ui->actionSimulate->setEnabled(enabled && !m_simulation->isActive());
}

void MainWindow::slotShowPropertyFBItem(FBModelItem* rootItem)
{
    m_propertyModel->setRootItem(rootItem);
}

void MainWindow::slotResetPropertyFBItem()
{
    m_propertyModel->setRootItem(nullptr);
}

void MainWindow::slotUpdatePropertyWidget(FBModelItem* item)
{
    m_propertyModel->updateItem(item);
}

void MainWindow::loadTranslations(const QLocale& locale)
{
    m_locale = locale;
    const QList<QPair<QTranslator**, QString>> translators {
        { &m_appTranslator, QStringLiteral("velmora") },
        { &m_coreTranslator, QStringLiteral("vlm_core") },
        { &m_guiTranslator, QStringLiteral("vlm_gui") },
        { &m_qtTranslator, QStringLiteral("qtbase") },
    };
    for (const auto& translator : translators) {
        // QTranslator::load empties a translator before it looks for the file, so a file
        // that is missing would take the language in use away; load into a new one instead.
        auto* loaded = new QTranslator(this);
        if (!loaded->load(locale, translator.second, QStringLiteral("_"), QLatin1String(translationsDir))) {
            delete loaded;
            continue;
        }
        QCoreApplication::removeTranslator(*translator.first);
        delete *translator.first;
        *translator.first = loaded;
        QCoreApplication::installTranslator(loaded);
    }
}

void MainWindow::applyLanguageSetting(QSettings& settings)
{
    const QLocale locale = settings.value(QStringLiteral("general_settings/language"), AppSettings::defaultLanguage()).toLocale();
    if (locale != m_locale)
        loadTranslations(locale);
}

void MainWindow::restoreWindowLayout(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("main_window"));
    restoreGeometry(settings.value(QStringLiteral("geometry")).toByteArray());
    restoreState(settings.value(QStringLiteral("state")).toByteArray(), 0);
    settings.endGroup();
}

void MainWindow::saveWindowLayout(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("main_window"));
    settings.setValue(QStringLiteral("geometry"), saveGeometry());
    settings.setValue(QStringLiteral("state"), saveState(0));
    settings.endGroup();
    settings.sync();
}

void MainWindow::applyViewSettings(QSettings& settings)
{
    settings.beginGroup(QStringLiteral("view"));
    const QList<QPair<QString, QWidget*>> widgets {
        { QStringLiteral("toolbar"), ui->mainToolBar },  { QStringLiteral("library"), ui->dockLeft },
        { QStringLiteral("properties"), ui->dockRight }, { QStringLiteral("undo_stack"), ui->dockRightBottom },
        { QStringLiteral("console"), ui->dockConsole },
    };
    for (const auto& widget : widgets)
        widget.second->setVisible(settings.value(widget.first, true).toBool());
    settings.endGroup();
}

void MainWindow::connectVisibilityTrackers()
{
    const auto track = [](QWidget* widget, const QString& key) {
        return [widget, key] {
            AppSettings settings;
            settings.beginGroup(QStringLiteral("view"));
            settings.setValue(key, widget->isVisible());
            settings.endGroup();
            settings.sync();
        };
    };
    m_visibilityTrackers = {
        connect(ui->mainToolBar, &QToolBar::visibilityChanged, this, track(ui->mainToolBar, QStringLiteral("toolbar"))),
        connect(ui->dockLeft, &QDockWidget::visibilityChanged, this, track(ui->dockLeft, QStringLiteral("library"))),
        connect(ui->dockRight, &QDockWidget::visibilityChanged, this, track(ui->dockRight, QStringLiteral("properties"))),
        connect(ui->dockConsole, &QDockWidget::visibilityChanged, this, track(ui->dockConsole, QStringLiteral("console"))),
        connect(ui->dockRightBottom, &QDockWidget::visibilityChanged, this,
                track(ui->dockRightBottom, QStringLiteral("undo_stack"))),
    };
}

void MainWindow::stopVisibilityTrackers()
{
    // A closing window hides its panels; that is no choice of the user's.
    for (const QMetaObject::Connection& tracker : qAsConst(m_visibilityTrackers))
        disconnect(tracker);
    m_visibilityTrackers.clear();
}

void MainWindow::updateWindowTitle(IProject* project)
{
    if (!project) {
        setWindowModified(false);
        setWindowTitle(QStringLiteral("Velmora"));
        return;
    }
    setWindowTitle(QCoreApplication::translate("MainWindow", "%1[*] - %2")
                       .arg(project->getDisplayName(), QStringLiteral("Velmora")));
    setWindowModified(project->isModified());
}

void MainWindow::slotModifiedProject(IProject* project)
{
    // The title describes the tab shown, whatever happens to the projects behind it.
    if (project == m_projectManager->currentProject())
        updateWindowTitle(project);
}

void MainWindow::slotCurrentProject(IProject* project)
{
    // A simulation belongs to the diagram it was started on.
    if (m_simulation->isActive() && m_simulation->project() != project)
        m_simulation->stop();
    updateWindowTitle(project);
    if (project) {
        setProjectActionsEnabled(true);
        FBModelFactory::instance().initDeviceSection(project->getDevice());
        m_libraryModel->setSectionsMap(FBModelFactory::instance().getSectionsMap());
        m_undoView->reset();
        m_undoView->setStack(project->undoStack());
    } else {
        setProjectActionsEnabled(false);
        m_libraryModel->reset();
        m_undoView->reset();
        m_undoView->setStack(nullptr);
    }
}

void MainWindow::slotChangedSettings()
{
    AppSettings settings;
    StyleCollection::instance().readSettings(settings);
    applyLanguageSetting(settings);
    m_projectManager->readSettings(settings);
    m_recovery->readSettings(settings);
    m_deviceClient->readClientSettings(settings);
    applyViewSettings(settings);
}

void MainWindow::slotActionNew()
{
    ProjectCreatorWidget creator(QCoreApplication::translate("MainWindow", "Create new"), this);
    if (IProject* project = creator.createProject())
        m_projectManager->newProject(project);
}

void MainWindow::slotActionOpen()
{
    m_projectManager->loadProject();
}

void MainWindow::slotActionSave()
{
    m_projectManager->saveProject(nullptr);
}

void MainWindow::slotActionSaveAs()
{
    m_projectManager->saveAsProject(nullptr);
}

void MainWindow::slotActionClose()
{
    m_projectManager->closeProject(nullptr);
}

void MainWindow::slotActionCloseAll()
{
    m_projectManager->closeAllProjects();
}

void MainWindow::slotActionCut()
{
    if (IProject* project = m_projectManager->currentProject())
        project->cut();
}

void MainWindow::slotActionCopy()
{
    if (IProject* project = m_projectManager->currentProject())
        project->copy();
}

void MainWindow::slotActionPaste()
{
    if (IProject* project = m_projectManager->currentProject())
        project->paste();
}

void MainWindow::slotActionSelectAll()
{
    if (IProject* project = m_projectManager->currentProject())
        project->selectAll();
}

void MainWindow::slotActionUndo()
{
    if (IProject* project = m_projectManager->currentProject())
        project->undo();
}

void MainWindow::slotActionRedo()
{
    if (IProject* project = m_projectManager->currentProject())
        project->redo();
}

void MainWindow::slotActionConnect()
{
    m_deviceClient->connectToDevice();
}

void MainWindow::slotActionDisconnect()
{
    m_deviceClient->disconnectFromDevice();
}

void MainWindow::createProblemsDock()
{
    auto* dock = new QDockWidget(QCoreApplication::translate("MainWindow", "Problems"), this);
    dock->setObjectName(QStringLiteral("dockProblems"));
    m_problems = new QTreeWidget(dock);
    m_problems->setObjectName(QStringLiteral("problems"));
    m_problems->setRootIsDecorated(false);
    m_problems->setHeaderLabels({ QCoreApplication::translate("MainWindow", "Block"),
                                  QCoreApplication::translate("MainWindow", "Port"),
                                  QCoreApplication::translate("MainWindow", "Message") });
    dock->setWidget(m_problems);
    addDockWidget(Qt::BottomDockWidgetArea, dock);
    tabifyDockWidget(ui->dockConsole, dock);
    ui->dockConsole->raise();
    connect(m_problems, &QTreeWidget::itemDoubleClicked, this, &MainWindow::showProblem);
}

QStringList MainWindow::checkCurrentProject()
{
    auto* project = qobject_cast<Project*>(m_projectManager->currentProject());
    if (!project)
        return {};
    const QVector<DiagramCheck::Finding> findings = DiagramCheck::check(*project->scene());
    m_problems->clear();
    QStringList errors;
    for (const DiagramCheck::Finding& finding : findings) {
        const bool error = finding.severity == DiagramCheck::Finding::Error;
        auto* item = new QTreeWidgetItem(m_problems, { finding.block, finding.port, finding.message });
        item->setIcon(0, style()->standardIcon(error ? QStyle::SP_MessageBoxCritical : QStyle::SP_MessageBoxWarning));
        item->setData(0, Qt::UserRole, finding.blockId);
        if (error)
            errors << finding.line();
    }
    m_problems->header()->resizeSections(QHeaderView::ResizeToContents);
    Console::instance().printMessage(DiagramCheck::summary(findings));
    return errors;
}

void MainWindow::showProblem(QTreeWidgetItem* item)
{
    auto* project = qobject_cast<Project*>(m_projectManager->currentProject());
    FuncBlock* block = project ? project->scene()->funcBlockById(item->data(0, Qt::UserRole).toString()) : nullptr;
    if (!block)
        return;
    project->scene()->clearSelection();
    block->graphics()->setSelected(true);
    if (auto* view = qobject_cast<QGraphicsView*>(m_projectTabs->currentWidget()))
        view->centerOn(block->graphics());
}

namespace {

DiagramExporter::Title titleOf(const IProject* project)
{
    return { QFileInfo(project->getFileName()).completeBaseName(), deviceTypeToName(project->getDevice()),
             QDate::currentDate() };
}

} // namespace

void MainWindow::slotActionExport()
{
    auto* project = qobject_cast<Project*>(m_projectManager->currentProject());
    if (!project)
        return;
    const QString png = QCoreApplication::translate("MainWindow", "PNG image (*.png)");
    const QString svg = QCoreApplication::translate("MainWindow", "SVG drawing (*.svg)");
    const QString pdf = QCoreApplication::translate("MainWindow", "PDF document (*.pdf)");
    QFileDialog files(this, QCoreApplication::translate("MainWindow", "Export Diagram"),
                      QFileInfo(project->getFilePath()).absolutePath(), QStringList { png, svg, pdf }.join(QStringLiteral(";;")));
    files.setAcceptMode(QFileDialog::AcceptSave);
    files.setDefaultSuffix(QStringLiteral("png"));
    connect(&files, &QFileDialog::filterSelected, &files, [&files, png, svg](const QString& filter) {
        files.setDefaultSuffix(filter == png ? QStringLiteral("png") : filter == svg ? QStringLiteral("svg") : QStringLiteral("pdf"));
    });
    if (files.exec() != QDialog::Accepted || files.selectedFiles().isEmpty())
        return;
    const QString path = files.selectedFiles().constFirst();
    const QString suffix = QFileInfo(path).suffix().toLower();

    // The options of the chosen format.
    QDialog options(this);
    options.setWindowTitle(QCoreApplication::translate("MainWindow", "Export Diagram"));
    auto* form = new QFormLayout(&options);
    auto* scale = new QDoubleSpinBox(&options);
    scale->setObjectName(QStringLiteral("exportScale"));
    scale->setRange(0.25, 4.0);
    scale->setSingleStep(0.25);
    scale->setValue(1.0);
    auto* background = new QComboBox(&options);
    background->setObjectName(QStringLiteral("exportBackground"));
    background->addItems({ QCoreApplication::translate("MainWindow", "White"),
                           QCoreApplication::translate("MainWindow", "Scene style") });
    auto* pageSize = new QComboBox(&options);
    pageSize->setObjectName(QStringLiteral("exportPageSize"));
    pageSize->addItems({ QStringLiteral("A4"), QStringLiteral("A3") });
    if (suffix == QLatin1String("png")) {
        form->addRow(QCoreApplication::translate("MainWindow", "Scale:"), scale);
        form->addRow(QCoreApplication::translate("MainWindow", "Background:"), background);
    } else if (suffix == QLatin1String("pdf")) {
        form->addRow(QCoreApplication::translate("MainWindow", "Page size:"), pageSize);
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &options);
    form->addRow(buttons);
    connect(buttons, &QDialogButtonBox::accepted, &options, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, &options, &QDialog::reject);
    if (suffix != QLatin1String("svg") && options.exec() != QDialog::Accepted)
        return;

    const DiagramExporter exporter(project->scene());
    QString error;
    bool written = false;
    if (suffix == QLatin1String("png"))
        written = exporter.writePng(path, scale->value(), DiagramExporter::Background(background->currentIndex()), error);
    else if (suffix == QLatin1String("pdf"))
        written = exporter.writePdf(path, pageSize->currentIndex() == 0 ? QPageSize::A4 : QPageSize::A3,
                                    titleOf(project), error);
    else
        written = exporter.write(path, titleOf(project), error);
    Console::instance().printMessage(
        written ? QCoreApplication::translate("MainWindow", "Diagram exported to %1.").arg(QDir::toNativeSeparators(path))
                : QCoreApplication::translate("MainWindow", "Cannot export the diagram to %1: %2")
                      .arg(QDir::toNativeSeparators(path), error));
}

void MainWindow::slotActionPrint()
{
    auto* project = qobject_cast<Project*>(m_projectManager->currentProject());
    if (!project)
        return;
    // The labels are laid out for the screen; the printer works in the same units.
    QPrinter printer(QPrinter::ScreenResolution);
    printer.setPageOrientation(QPageLayout::Landscape);
    QPrintPreviewDialog preview(&printer, this);
    const DiagramExporter exporter(project->scene());
    const DiagramExporter::Title title = titleOf(project);
    connect(&preview, &QPrintPreviewDialog::paintRequested, this,
            [&exporter, &title](QPrinter* target) { exporter.paintPages(target, title); });
    preview.exec();
}

void MainWindow::slotActionCheck()
{
    checkCurrentProject();
    if (auto* dock = findChild<QDockWidget*>(QStringLiteral("dockProblems"))) {
        dock->show();
        dock->raise();
    }
}

void MainWindow::slotActionUpload()
{
    IProject* project = m_projectManager->currentProject();
    if (!project)
        return;
    const QStringList errors = checkCurrentProject();
    if (!errors.isEmpty()) {
        const auto answer = QMessageBox::warning(
            this, QCoreApplication::translate("MainWindow", "Upload"),
            QCoreApplication::translate("MainWindow", "The diagram has %n error(s):\n\n%1\n\nUpload it anyway?", nullptr,
                                        errors.size())
                .arg(errors.mid(0, 5).join(QLatin1Char('\n'))),
            QMessageBox::Yes | QMessageBox::No, QMessageBox::No);
        if (answer != QMessageBox::Yes)
            return;
    }
    // Every upload rebuilds the image from the diagram as it is now.
    project->acceptBuilder(m_projectBuilder);
    m_deviceClient->uploadTask(Task::fromBuild(project->getDevice(), *project->buildDataObj()));
}

void MainWindow::slotActionRun()
{
    m_deviceClient->runTask();
}

void MainWindow::slotActionStop()
{
    m_deviceClient->stopTask();
}

void MainWindow::slotActionSaveFlash()
{
    m_deviceClient->saveTask();
}

void MainWindow::slotActionSettings()
{
    m_settings->exec();
}

void MainWindow::slotActionOpenManual()
{
    const QString manual = ManualLocator::find(ManualLocator::searchDirectories(QDir::currentPath()));
    if (!manual.isEmpty()) {
        QDesktopServices::openUrl(QUrl::fromLocalFile(manual));
        return;
    }
    const QString path = QFileInfo(QDir::current(), ManualLocator::fileName()).absoluteFilePath();
    Console::instance().printMessage(
        QCoreApplication::translate("MainWindow", "Can not open the manual file: %1 ").arg(path));
}

void MainWindow::slotActionDeviceSettings()
{
    DeviceSettingsWidget dialog(m_deviceClient, this);
    dialog.exec();
}

void MainWindow::slotActionFirmwareUpdater()
{
    // A client of its own, which lives only while the wizard runs.
    TCPFirmwareClient client;
    QWizard wizard(this);
    wizard.setWizardStyle(QWizard::ClassicStyle);
    wizard.setWindowTitle(QCoreApplication::translate("MainWindow", "Firmware update wizard"));
    wizard.setOption(QWizard::NoBackButtonOnStartPage, true);
    wizard.addPage(new FirmwareWizardNetworkPage(&client, &wizard));
    wizard.addPage(new FirmwareWizardExistingPage(&client, &wizard));
    wizard.setOption(QWizard::IndependentPages, true);
    wizard.addPage(new FirmwareWizardFilePage(&client, &wizard));
    wizard.exec();
}

void MainWindow::slotActionAbout()
{
    AboutDialog about;
    about.exec();
}

void MainWindow::updateRecentMenu()
{
    QMenu* menu = ui->menuRecentProjects;
    menu->clear();
    const QStringList paths = m_projectManager->recentProjects()->paths();
    for (int i = 0; i < paths.size(); ++i) {
        // &1 … &9, then 1&0: a key for each entry.
        const QString number = i < 9 ? QStringLiteral("&%1").arg(i + 1) : QStringLiteral("1&0");
        const QString path = paths.at(i);
        QAction* entry = menu->addAction(QStringLiteral("%1 %2").arg(number, QDir::toNativeSeparators(path)));
        connect(entry, &QAction::triggered, this, [this, path] { openRecentProject(path); });
    }
    menu->addSeparator();
    QAction* clear = menu->addAction(QCoreApplication::translate("MainWindow", "Clear List"));
    clear->setObjectName(QStringLiteral("actionClearRecent"));
    clear->setEnabled(!paths.isEmpty());
    connect(clear, &QAction::triggered, m_projectManager->recentProjects(), &RecentProjects::clear);
}

void MainWindow::openRecentProject(const QString& path)
{
    if (!QFileInfo(path).isFile()) {
        m_projectManager->recentProjects()->remove(path);
        QMessageBox::warning(this, QCoreApplication::translate("MainWindow", "Recent Projects"),
                             QCoreApplication::translate("MainWindow", "The file %1 no longer exists. It is removed from the list.")
                                 .arg(QDir::toNativeSeparators(path)));
        return;
    }
    m_projectManager->openProject(path);
}

void MainWindow::openAtStart(const QStringList& files)
{
    offerRecovery();
    for (const QString& file : files)
        m_projectManager->openProject(file);
}

void MainWindow::offerRecovery()
{
    const QList<ProjectRecovery::Entry> left = m_recovery->leftCopies();
    if (left.isEmpty())
        return;
    QStringList lines;
    for (const ProjectRecovery::Entry& entry : left)
        lines << QCoreApplication::translate("MainWindow", "%1, copy of %2")
                     .arg(QDir::toNativeSeparators(entry.originalPath),
                          m_locale.toString(entry.time.toLocalTime(), QLocale::ShortFormat));
    QMessageBox box(QMessageBox::Warning, QCoreApplication::translate("MainWindow", "Recover projects"),
                    QCoreApplication::translate("MainWindow",
                                                "Velmora did not exit normally. Unsaved changes of %n project(s) "
                                                "were kept:", nullptr, left.size()),
                    QMessageBox::NoButton, this);
    box.setInformativeText(lines.join(QLatin1Char('\n')));
    QPushButton* restore = box.addButton(QCoreApplication::translate("MainWindow", "Restore"), QMessageBox::AcceptRole);
    QPushButton* discard = box.addButton(QCoreApplication::translate("MainWindow", "Discard"), QMessageBox::DestructiveRole);
    box.addButton(QCoreApplication::translate("MainWindow", "Later"), QMessageBox::RejectRole);
    box.setDefaultButton(restore);
    box.exec();
    if (box.clickedButton() == restore) {
        m_recovery->restore(left);
    } else if (box.clickedButton() == discard) {
        m_recovery->discard(left);
    } else {
        m_recovery->releaseLeftCopies();
    }
}

void MainWindow::retranslateDocks()
{
    // The docks made in code, which the form's own retranslation does not know.
    const QList<QPair<const char*, const char*>> titles {
        { "dockProblems", QT_TRANSLATE_NOOP("MainWindow", "Problems") },
        { "dockSimulationIo", QT_TRANSLATE_NOOP("MainWindow", "Simulation I/O") },
        { "dockTrend", QT_TRANSLATE_NOOP("MainWindow", "Trend") },
    };
    for (const auto& title : titles) {
        if (auto* dock = findChild<QDockWidget*>(QLatin1String(title.first)))
            dock->setWindowTitle(QCoreApplication::translate("MainWindow", title.second));
    }
    if (m_problems)
        m_problems->setHeaderLabels({ QCoreApplication::translate("MainWindow", "Block"),
                                      QCoreApplication::translate("MainWindow", "Port"),
                                      QCoreApplication::translate("MainWindow", "Message") });
}

void MainWindow::writeAppSettings()
{
    AppSettings settings;
    StyleCollection::instance().writeSettings(settings);
    saveWindowLayout(settings);
    m_projectManager->writeSettings(settings);
    m_deviceClient->writeClientSettings(settings);
    settings.sync();
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        retranslateDocks();
        updateWindowTitle(m_projectManager ? m_projectManager->currentProject() : nullptr);
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    if (!m_projectManager->closeAllProjects()) {
        event->ignore();
        return;
    }
    writeAppSettings();
    stopVisibilityTrackers();
    event->accept();
}

void MainWindow::createSimulation()
{
    m_simulation = new SimulationController(this);
    connect(m_simulation, &SimulationController::started, this, [this] { setSimulating(true); });
    connect(m_simulation, &SimulationController::stopped, this, [this] { setSimulating(false); });
    connect(m_simulation, &SimulationController::refreshed, this, &MainWindow::showSimulationStatus);
    connect(m_projectManager, &ProjectManager::onRemoveProject, this, [this](IProject* project) {
        if (m_simulation->project() == project)
            m_simulation->stop();
    });

    // The panel takes the place of the properties, which wait meanwhile; the chart wants the
    // width of the console's place.
    const auto addDock = [this](const QString& title, const QString& name, QWidget* content, QDockWidget* beside) {
        auto* dock = new QDockWidget(title, this);
        dock->setObjectName(name);
        dock->setWidget(content);
        addDockWidget(dockWidgetArea(beside), dock);
        tabifyDockWidget(beside, dock);
        dock->hide();
        return dock;
    };
    addDock(QCoreApplication::translate("MainWindow", "Simulation I/O"), QStringLiteral("dockSimulationIo"),
            new SimulationIoPanel(m_simulation), ui->dockRight);
    addDock(QCoreApplication::translate("MainWindow", "Trend"), QStringLiteral("dockTrend"), new TrendChart(m_simulation),
            ui->dockConsole);

    m_speeds = new QActionGroup(this);
    const QList<QPair<QAction*, double>> speeds { { ui->actionSpeedTenth, 0.1 },
                                                  { ui->actionSpeedReal, 1.0 },
                                                  { ui->actionSpeedTen, 10.0 },
                                                  { ui->actionSpeedMax, 0.0 } };
    for (const auto& speed : speeds) {
        m_speeds->addAction(speed.first);
        const double factor = speed.second;
        connect(speed.first, &QAction::triggered, this, [this, factor] { m_simulation->runner().setSpeed(factor); });
    }
    ui->actionSpeedReal->setChecked(true);
    connect(ui->actionPauseSimulation, &QAction::toggled, this, [this](bool paused) {
        if (!m_simulation->isActive())
            return;
        paused ? m_simulation->runner().pause() : m_simulation->runner().start();
        ui->actionStepSimulation->setEnabled(paused);
        m_simulation->refresh();
    });
    connect(ui->actionStepSimulation, &QAction::triggered, this, [this] {
        m_simulation->runner().step();
        m_simulation->refresh();
    });
    connect(ui->actionResetSimulation, &QAction::triggered, m_simulation, &SimulationController::reset);

    m_simulationStatus = new QLabel(this);
    m_simulationStatus->setObjectName(QStringLiteral("simulationStatus"));
    statusBar()->addPermanentWidget(m_simulationStatus);
    m_simulationStatus->hide();
    setSimulating(false);
}

void MainWindow::setSimulating(bool simulating)
{
    const bool project = m_projectManager->currentProject() != nullptr;
    ui->actionSimulate->setEnabled(project && !simulating);
    for (QAction* action : { ui->actionStopSimulation, ui->actionPauseSimulation, ui->actionResetSimulation })
        action->setEnabled(simulating);
    ui->actionStepSimulation->setEnabled(simulating && ui->actionPauseSimulation->isChecked());
    // Looking, selecting and copying stay; everything that changes the diagram waits.
    for (QAction* action : { ui->actionCut, ui->actionPaste, ui->actionUndo, ui->actionRedo })
        action->setEnabled(!simulating);
    m_libraryView->setDragEnabled(!simulating);
    m_propertyView->setEnabled(!simulating);
    m_undoView->setEnabled(!simulating);
    m_simulationStatus->setVisible(simulating);
    if (!simulating) {
        const bool blocked = ui->actionPauseSimulation->blockSignals(true);
        ui->actionPauseSimulation->setChecked(false);
        ui->actionPauseSimulation->blockSignals(blocked);
    }
    // The panels of a simulation show only while there is one.
    for (const char* name : { "dockSimulationIo", "dockTrend" }) {
        if (auto* dock = findChild<QDockWidget*>(QLatin1String(name))) {
            dock->setVisible(simulating);
            if (simulating)
                dock->raise();
        }
    }
}

void MainWindow::showSimulationStatus(quint64 timeMs, quint64 cycles)
{
    const QString time = m_locale.toString(double(timeMs) / 1000.0, 'f', 2);
    m_simulationStatus->setText(
        (ui->actionPauseSimulation->isChecked()
             ? QCoreApplication::translate("MainWindow", "Simulation paused: %1 s, cycle %2")
             : QCoreApplication::translate("MainWindow", "Simulating: %1 s, cycle %2"))
            .arg(time, m_locale.toString(cycles)));
}

void MainWindow::slotActionSimulate()
{
    auto* project = qobject_cast<Project*>(m_projectManager->currentProject());
    if (!project || m_simulation->isActive())
        return;
    if (!m_simulation->start(project)) {
        Console::instance().printMessage(
            QCoreApplication::translate("MainWindow", "Cannot simulate the diagram: %1").arg(m_simulation->errorString()));
        return;
    }
    Console::instance().printMessage(QCoreApplication::translate("MainWindow", "Simulation started."));
}

void MainWindow::slotActionStopSimulation()
{
    if (!m_simulation->isActive())
        return;
    m_simulation->stop();
    Console::instance().printMessage(QCoreApplication::translate("MainWindow", "Simulation stopped."));
}

} // namespace Velmora
