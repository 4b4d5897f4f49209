#include "mainwindow.h"
#include "manuallocator.h"

#include "editor/fbabstractblockgraphics.h"
#include "model/fbabstractmodel.h"
#include "editor/funcblock.h"
#include "editor/graphicsscene.h"
#include "editor/propertiesmanager.h"
#include "editor/stylecollection.h"
#include "library/fbmodelfactory.h"
#include "model/fbmodeltitle.h"
#include "project/project.h"
#include "project/projectcreator.h"
#include "project/projectmanager.h"
#include "services/console.h"

#include "dialoghelpers.h"
#include "testmain.h"

#include <QDesktopServices>
#include <QAbstractSpinBox>
#include <QPainter>
#include <QUrl>
#include <QPushButton>
#include <QComboBox>
#include <QGraphicsView>
#include <QTabWidget>
#include <QTreeWidget>
#include <QUndoView>

#include <QDockWidget>
#include <QMenu>
#include <QMenuBar>
#include <QSettings>
#include <QStatusBar>
#include <QToolBar>
#include <QTreeView>

#include <memory>

using namespace Velmora;

namespace {

std::unique_ptr<QSettings> appSettings()
{
    return std::make_unique<QSettings>(QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Norvet inc"),
                                       QStringLiteral("Velmora"));
}

void clearSettings()
{
    auto settings = appSettings();
    settings->clear();
    settings->sync();
}

QStringList entryNames(const QList<QAction*>& actions)
{
    QStringList names;
    for (const QAction* action : actions)
        names << (action->isSeparator() ? QStringLiteral("|") : action->menu() ? action->menu()->objectName() : action->objectName());
    return names;
}

// Takes the URLs the program hands to the desktop, instead of the desktop.
class UrlCatcher : public QObject
{
    Q_OBJECT
public:
    QList<QUrl> urls;

public slots:
    void open(const QUrl& url) { urls << url; }
};

// Counts the language changes a widget receives.
class LanguageChangeCounter : public QObject
{
public:
    int count = 0;

protected:
    bool eventFilter(QObject*, QEvent* event) override
    {
        if (event->type() == QEvent::LanguageChange)
            ++count;
        return false;
    }
};

QAction* action(const MainWindow& window, const char* name)
{
    return window.findChild<QAction*>(QLatin1String(name));
}

QStringList enabledProjectActions(const MainWindow& window)
{
    QStringList enabled;
    for (const char* name : { "actionSave", "actionSaveAs", "actionClose", "actionCloseAll", "actionUpload", "actionRun",
                              "actionStop", "actionSaveFlash" }) {
        if (action(window, name)->isEnabled())
            enabled << QLatin1String(name);
    }
    return enabled;
}

QAbstractItemModel* libraryModel(const MainWindow& window)
{
    return window.findChild<QDockWidget*>("dockLeft")->widget()->findChild<QTreeView*>()->model();
}

// "section/block" for every row of the window's library tree, and for the library of a model.
QStringList libraryEntries(const MainWindow& window)
{
    QAbstractItemModel* model = libraryModel(window);
    QStringList entries;
    for (int section = 0; section < model->rowCount(); ++section) {
        const QModelIndex parent = model->index(section, 0);
        for (int row = 0; row < model->rowCount(parent); ++row)
            entries << parent.data().toString() + QLatin1Char('/') + model->index(row, 0, parent).data().toString();
    }
    entries.sort();
    return entries;
}

QStringList libraryEntries(DeviceType device)
{
    FBModelFactory::instance().initDeviceSection(device);
    const QMultiMap<QString, QString> sections = FBModelFactory::instance().getSectionsMap();
    QStringList entries;
    for (auto it = sections.cbegin(); it != sections.cend(); ++it)
        entries << it.key() + QLatin1Char('/') + it.value();
    entries.sort();
    return entries;
}

// A new project saved under dir/name, handed to the window's manager as "New..." does.
Project* newProject(MainWindow& window, const QString& dir, const QString& name, DeviceType device)
{
    auto* project = static_cast<Project*>(ProjectCreator::instance().createProject(QStringLiteral("Project")));
    project->setFilePath(name, dir);
    project->setDevice(device);
    project->save(QString());
    window.projectManager()->newProject(project);
    return project;
}

// What the current tab's view shows.
QImage render(const MainWindow& window)
{
    auto* view = qobject_cast<QGraphicsView*>(qobject_cast<QTabWidget*>(window.centralWidget())->currentWidget());
    QImage image(200, 100, QImage::Format_ARGB32);
    QPainter painter(&image);
    view->render(&painter, QRectF(image.rect()), QRect(0, 0, 200, 100));
    return image;
}

} // namespace

class tst_MainWindow : public QObject
{
    Q_OBJECT
private slots:
    void init() { clearSettings(); }
    void startsWithoutSettings();
    void applicationIdentity();
    void menus_data();
    void menus();
    void toolbarEntries();
    void actions_data();
    void actions();
    void docks_data();
    void docks();
    void hidingDockIsStored_data();
    void hidingDockIsStored();
    void viewSettingsApply();
    void layoutRestoredByNextWindow();
    void switchingToRussianRetranslates();
    void sameLanguageLoadsNothing();
    void missingTranslationKeepsLanguage();
    void stylesAndDockViews();
    void projectBoundState();
    void closingCancelledKeepsWindow();
    void openManual_data();
    void openManual();
    void appliedThemeRepaintsScene();
    void recentProjectsMenu();
    void selectAll();
    void typedValueCommitsBeforeAnAction();
    void checkAndUpload();
};

void tst_MainWindow::startsWithoutSettings()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora"));
    QVERIFY(!window.isWindowModified());
    QCOMPARE(window.currentLocale(), QLocale(QLocale::English, QLocale::AnyCountry));
    QCOMPARE(window.findChild<QMenu*>("menu_File")->title(), QStringLiteral("&File"));
    QVERIFY(window.findChild<QToolBar*>("mainToolBar")->isVisible());
    for (const char* dock : { "dockRight", "dockLeft", "dockConsole", "dockRightBottom" })
        QVERIFY2(window.findChild<QDockWidget*>(dock)->isVisible(), dock);
    QVERIFY(window.statusBar());
    QCOMPARE(window.statusBar()->objectName(), QStringLiteral("statusBar"));
    QVERIFY(window.statusBar()->currentMessage().isEmpty());
}

void tst_MainWindow::applicationIdentity()
{
    MainWindow window;
    QCOMPARE(QCoreApplication::organizationName(), QStringLiteral("Norvet inc"));
    QCOMPARE(QCoreApplication::applicationName(), QStringLiteral("Velmora"));
    QCOMPARE(QCoreApplication::applicationVersion(), QStringLiteral("0.2.0"));
    QVERIFY(!QCoreApplication::organizationDomain().isEmpty());
}

void tst_MainWindow::menus_data()
{
    QTest::addColumn<QString>("menu");
    QTest::addColumn<QString>("title");
    QTest::addColumn<QStringList>("entries");

    QTest::newRow("file") << "menu_File"
                          << "&File" << QStringList { "actionNew",   "actionOpen",     "menuRecentProjects", "actionSave", "actionSaveAs",
                                                      "actionClose", "actionCloseAll", "|", "actionExport", "actionPrint", "|", "actionSettings" };
    QTest::newRow("edit") << "menuEdit"
                          << "&Edit"
                          << QStringList { "actionUndo", "actionRedo", "|", "actionCut", "actionCopy", "actionPaste", "|", "actionSelectAll" };
    QTest::newRow("build") << "menuBuild"
                           << "&Build" << QStringList { "actionCheck" };
    QTest::newRow("simulation") << "menuSimulation"
                                << "S&imulation"
                                << QStringList { "actionSimulate",        "actionStopSimulation", "|",
                                                 "actionPauseSimulation", "actionStepSimulation", "actionResetSimulation",
                                                 "|",                     "menuSimulationSpeed" };
    QTest::newRow("device") << "menuDevice"
                            << "&Device"
                            << QStringList { "actionConnect", "actionDisconnect",     "|",
                                             "actionUpload",  "actionRun",            "actionStop",
                                             "actionSaveFlash", "|", "actionDeviceSettings", "actionFirmwareUpdater" };
    QTest::newRow("utilities") << "menuUtilities"
                               << "&Utilities" << QStringList { "actionFirmwareUpdater" };
    QTest::newRow("help") << "menu_Help"
                          << "&Help" << QStringList { "actionOpenManual", "actionAbout" };
}

void tst_MainWindow::menus()
{
    QFETCH(QString, menu);
    QFETCH(QString, title);
    QFETCH(QStringList, entries);

    MainWindow window;
    QCOMPARE(window.menuBar()->objectName(), QStringLiteral("menuBar"));
    QStringList order;
    for (const QAction* action : window.menuBar()->actions())
        order << action->menu()->objectName();
    QCOMPARE(order, QStringList({ "menu_File", "menuEdit", "menuBuild", "menuSimulation", "menuDevice", "menuUtilities", "menu_Help" }));

    auto* found = window.findChild<QMenu*>(menu);
    QVERIFY(found);
    QCOMPARE(found->title(), title);
    QCOMPARE(entryNames(found->actions()), entries);
}

void tst_MainWindow::toolbarEntries()
{
    MainWindow window;
    auto* toolbar = window.findChild<QToolBar*>("mainToolBar");
    QCOMPARE(toolbar->windowTitle(), QStringLiteral("ToolBar"));
    QCOMPARE(window.toolBarArea(toolbar), Qt::TopToolBarArea);
    QCOMPARE(entryNames(toolbar->actions()),
             QStringList(
                 { "actionNew",       "actionOpen",          "actionSave", "actionClose",  "|",          "actionCut",
                   "actionCopy",      "actionPaste",         "|",          "actionUndo",   "actionRedo", "|",
                   "actionConnect",   "actionDisconnect",    "|",          "actionCheck",  "actionSimulate", "actionUpload", "actionRun",  "actionStop",
                   "actionSaveFlash", "actionDeviceSettings" }));

    // Every button is also in a menu, and the whole bar fits a 1,280-pixel screen in each language.
    QStringList inMenus;
    for (const QMenu* menu : window.findChildren<QMenu*>())
        inMenus << entryNames(menu->actions());
    for (const QAction* button : toolbar->actions())
        QVERIFY2(button->isSeparator() || inMenus.contains(button->objectName()), qPrintable(button->objectName()));
    // Measured in the usual desktop font, nine-point DejaVu Sans, which scripts/setup installs.
    toolbar->setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    for (const QLocale& language : { QLocale(QLocale::Russian), QLocale(QLocale::English) }) {
        window.loadTranslations(language);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::LanguageChange);
        QVERIFY2(toolbar->sizeHint().width() <= 1280,
                 qPrintable(language.name() + QLatin1Char(' ') + QString::number(toolbar->sizeHint().width())));
    }
}

void tst_MainWindow::actions_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("shortcut");
    QTest::addColumn<QString>("toolTip");

    QTest::newRow("new") << "actionNew"
                         << "New..."
                         << "Ctrl+N"
                         << "New";
    QTest::newRow("open") << "actionOpen"
                          << "Open..."
                          << ""
                          << "Open";
    QTest::newRow("save") << "actionSave"
                          << "Save"
                          << "Ctrl+S"
                          << "Save";
    QTest::newRow("save as") << "actionSaveAs"
                             << "Save As..."
                             << ""
                             << "Save As";
    QTest::newRow("close") << "actionClose"
                           << "Close"
                           << ""
                           << "Close";
    QTest::newRow("close all") << "actionCloseAll"
                               << "Close All"
                               << ""
                               << "Close All";
    QTest::newRow("undo") << "actionUndo"
                          << "Undo"
                          << "Ctrl+Z"
                          << "Undo";
    QTest::newRow("redo") << "actionRedo"
                          << "Redo"
                          << "Ctrl+Y"
                          << "Redo";
    QTest::newRow("connect") << "actionConnect"
                             << "Connect"
                             << ""
                             << "Connect";
    QTest::newRow("disconnect") << "actionDisconnect"
                                << "Disconnect"
                                << ""
                                << "Disconnect";
    QTest::newRow("upload") << "actionUpload"
                            << "Upload"
                            << ""
                            << "Upload";
    QTest::newRow("run") << "actionRun"
                         << "Run"
                         << ""
                         << "Run";
    QTest::newRow("stop") << "actionStop"
                          << "Stop"
                          << ""
                          << "Stop";
    QTest::newRow("save flash") << "actionSaveFlash"
                                << "Save in Flash"
                                << ""
                                << "Save in Flash";
    QTest::newRow("settings") << "actionSettings"
                              << "Settings..."
                              << ""
                              << "Settings";
    QTest::newRow("cut") << "actionCut"
                         << "Cut"
                         << "Ctrl+X"
                         << "Cut";
    QTest::newRow("copy") << "actionCopy"
                          << "Copy"
                          << "Ctrl+C"
                          << "Copy";
    QTest::newRow("paste") << "actionPaste"
                           << "Paste"
                           << "Ctrl+V"
                           << "Paste";
    QTest::newRow("check") << "actionCheck"
                           << "Check"
                           << "F7"
                           << "Check";
    QTest::newRow("select all") << "actionSelectAll"
                                << "Select All"
                                << "Ctrl+A"
                                << "Select All";
    QTest::newRow("manual") << "actionOpenManual"
                            << "Open Manual"
                            << "F1"
                            << "Open Manual";
    QTest::newRow("device settings") << "actionDeviceSettings"
                                     << "DeviceSettings..."
                                     << ""
                                     << "DeviceSettings";
    QTest::newRow("firmware") << "actionFirmwareUpdater"
                              << "Firmware updater"
                              << ""
                              << "Firmware updater";
    QTest::newRow("about") << "actionAbout"
                           << "About Velmora..."
                           << ""
                           << "About the program";
}

void tst_MainWindow::actions()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(QString, shortcut);
    QFETCH(QString, toolTip);

    MainWindow window;
    auto* action = window.findChild<QAction*>(name);
    QVERIFY(action);
    QVERIFY(action->parent() == &window);
    QCOMPARE(action->text(), text);
    QCOMPARE(action->shortcut(), QKeySequence(shortcut));
    // Without a tooltip of its own, Qt derives one from the text.
    QCOMPARE(action->toolTip(), toolTip);
    QVERIFY(action->icon().isNull());
}

void tst_MainWindow::docks_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<QString>("content");
    QTest::addColumn<QString>("title");
    QTest::addColumn<int>("area");

    QTest::newRow("properties") << "dockRight"
                                << "contents"
                                << "Properties" << int(Qt::RightDockWidgetArea);
    QTest::newRow("library") << "dockLeft"
                             << "contents_2"
                             << "Library" << int(Qt::LeftDockWidgetArea);
    QTest::newRow("console") << "dockConsole"
                             << "contents_3"
                             << "Console" << int(Qt::BottomDockWidgetArea);
    QTest::newRow("undo") << "dockRightBottom"
                          << "contents_4"
                          << "Undo Stack" << int(Qt::RightDockWidgetArea);
}

void tst_MainWindow::docks()
{
    QFETCH(QString, dock);
    QFETCH(QString, content);
    QFETCH(QString, title);
    QFETCH(int, area);

    MainWindow window;
    auto* widget = window.findChild<QDockWidget*>(dock);
    QVERIFY(widget);
    QCOMPARE(widget->windowTitle(), title);
    QCOMPARE(int(window.dockWidgetArea(widget)), area);
    QVERIFY(widget->widget());
    QCOMPARE(widget->widget()->objectName(), content);
}

void tst_MainWindow::hidingDockIsStored_data()
{
    QTest::addColumn<QString>("dock");
    QTest::addColumn<QString>("key");
    QTest::newRow("console") << "dockConsole" << "view/console";
    QTest::newRow("undo stack") << "dockRightBottom" << "view/undo_stack";
}

// A panel closed with its cross comes back from Settings, which reads what was stored.
void tst_MainWindow::hidingDockIsStored()
{
    QFETCH(QString, dock);
    QFETCH(QString, key);
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    window.findChild<QDockWidget*>(dock)->close();
    auto settings = appSettings();
    QCOMPARE(settings->value(key), QVariant(false));
    QVERIFY(settings->value("view/library").toBool());

    // Closing the window hides every panel, and changes none of the choices.
    QVERIFY(window.close());
    settings->sync();
    QCOMPARE(settings->value(key), QVariant(false));
    QVERIFY(settings->value("view/library").toBool());
    QVERIFY(settings->value("view/console").toBool() || key == QLatin1String("view/console"));
}

void tst_MainWindow::viewSettingsApply()
{
    MainWindow window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto settings = appSettings();
    settings->setValue("view/toolbar", false);
    settings->setValue("view/undo_stack", false);
    window.applyViewSettings(*settings);
    QVERIFY(!window.findChild<QToolBar*>("mainToolBar")->isVisible());
    QVERIFY(!window.findChild<QDockWidget*>("dockRightBottom")->isVisible());
    QVERIFY(window.findChild<QDockWidget*>("dockConsole")->isVisible());
}

void tst_MainWindow::layoutRestoredByNextWindow()
{
    {
        MainWindow first;
        first.show();
        QVERIFY(QTest::qWaitForWindowExposed(&first));
        auto* console = first.findChild<QDockWidget*>("dockConsole");
        first.addDockWidget(Qt::TopDockWidgetArea, console);
        first.findChild<QDockWidget*>("dockLeft")->hide();
        auto settings = appSettings();
        first.saveWindowLayout(*settings);
    }
    QVERIFY(appSettings()->contains("main_window/state"));
    QVERIFY(appSettings()->contains("main_window/geometry"));

    MainWindow next;
    next.show();
    QVERIFY(QTest::qWaitForWindowExposed(&next));
    QCOMPARE(next.dockWidgetArea(next.findChild<QDockWidget*>("dockConsole")), Qt::TopDockWidgetArea);
    QVERIFY(!next.findChild<QDockWidget*>("dockLeft")->isVisible());
    QVERIFY(next.findChild<QDockWidget*>("dockRight")->isVisible());
}

void tst_MainWindow::switchingToRussianRetranslates()
{
    MainWindow window;
    auto settings = appSettings();
    settings->setValue("general_settings/language", QLocale(QLocale::Russian));
    window.applyLanguageSetting(*settings);
    QCoreApplication::processEvents();

    QCOMPARE(window.currentLocale().language(), QLocale::Russian);
    QCOMPARE(window.findChild<QMenu*>("menu_File")->title(), QStringLiteral("&Файл"));
    QCOMPARE(window.findChild<QMenu*>("menu_Help")->title(), QStringLiteral("&Справка"));
    QCOMPARE(window.findChild<QAction*>("actionSaveFlash")->text(), QStringLiteral("Сохранить во флеш-память"));
    QCOMPARE(window.findChild<QDockWidget*>("dockConsole")->windowTitle(), QStringLiteral("Консоль"));
    QCOMPARE(window.findChild<QDockWidget*>("dockTrend")->windowTitle(), QStringLiteral("Тренд"));
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora"));

    // A new window reads the stored language at start-up, the docks made in code included.
    MainWindow next;
    QCoreApplication::processEvents();
    QCOMPARE(next.findChild<QMenu*>("menuEdit")->title(), QStringLiteral("&Правка"));
    QCOMPARE(next.findChild<QDockWidget*>("dockProblems")->windowTitle(), QStringLiteral("Проблемы"));
    QCOMPARE(next.findChild<QDockWidget*>("dockSimulationIo")->windowTitle(), QStringLiteral("Входы и выходы симуляции"));
}

void tst_MainWindow::sameLanguageLoadsNothing()
{
    MainWindow window;
    QCoreApplication::processEvents();
    LanguageChangeCounter counter;
    window.installEventFilter(&counter);

    auto settings = appSettings();
    window.applyLanguageSetting(*settings);
    QCoreApplication::processEvents();
    QCOMPARE(counter.count, 0);

    settings->setValue("general_settings/language", QLocale(QLocale::Russian));
    window.applyLanguageSetting(*settings);
    QCoreApplication::processEvents();
    QVERIFY(counter.count > 0);
}

void tst_MainWindow::missingTranslationKeepsLanguage()
{
    MainWindow window;
    window.loadTranslations(QLocale(QLocale::Russian));
    QCoreApplication::processEvents();
    QCOMPARE(window.findChild<QMenu*>("menu_File")->title(), QStringLiteral("&Файл"));

    // No translation files exist for German: the Russian ones stay in place.
    window.loadTranslations(QLocale(QLocale::German));
    QCoreApplication::processEvents();
    QCOMPARE(window.currentLocale().language(), QLocale::German);
    QCOMPARE(window.findChild<QMenu*>("menu_File")->title(), QStringLiteral("&Файл"));

    window.loadTranslations(QLocale(QLocale::English));
    QCoreApplication::processEvents();
    QCOMPARE(window.findChild<QMenu*>("menu_File")->title(), QStringLiteral("&File"));
}

void tst_MainWindow::stylesAndDockViews()
{
    {
        auto settings = appSettings();
        settings->setValue(QStringLiteral("style_collection/current_style"), QStringLiteral("Light"));
    }
    {
        MainWindow window;
        QCOMPARE(StyleCollection::instance().getNameStyles(), (QList<QString> { "Dark", "Light" }));
        QCOMPARE(StyleCollection::instance().currentStyleName(), QStringLiteral("Light"));
        StyleCollection::instance().setCurrentStyle(QStringLiteral("Dark"));

        auto* library = window.findChild<QDockWidget*>("dockLeft")->widget()->findChild<QTreeView*>();
        QVERIFY(library && library->dragEnabled());
        auto* properties = window.findChild<QDockWidget*>("dockRight")->widget()->findChild<QTreeView*>();
        QVERIFY(properties);
        FBModelItem root;
        new FBModelTitle(&root);
        PropertiesManager::instance().showProperty(&root);
        QCOMPARE(properties->model()->rowCount(), 1);
        PropertiesManager::instance().reset();
        QCOMPARE(properties->model()->rowCount(), 0);
        window.close();
    }
    // The style is written when the window closes.
    QCOMPARE(appSettings()->value(QStringLiteral("style_collection/current_style")).toString(), QStringLiteral("Dark"));
}

void tst_MainWindow::projectBoundState()
{
    QTemporaryDir dir;
    MainWindow window;
    auto* undoView = window.findChild<QUndoView*>();
    QCOMPARE(enabledProjectActions(window), QStringList());
    QCOMPARE(libraryModel(window)->rowCount(), 0);

    Project* first = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    QCOMPARE(enabledProjectActions(window).size(), 8);
    QCOMPARE(window.windowTitle(), first->getDisplayName() + QStringLiteral("[*] - Velmora"));
    QVERIFY(!window.isWindowModified());
    QVERIFY(undoView->stack() == first->undoStack());
    const QStringList firstLibrary = libraryEntries(KV_D01);
    QCOMPARE(libraryEntries(window), firstLibrary);

    Project* second = newProject(window, dir.path(), QStringLiteral("valve"), KV_A01);
    QVERIFY(undoView->stack() == second->undoStack());
    const QStringList secondLibrary = libraryEntries(KV_A01);
    QVERIFY(secondLibrary != firstLibrary);
    QCOMPARE(libraryEntries(window), secondLibrary);

    // An edit marks the title; switching tabs follows the project.
    second->scene()->createFuncBlock(QPointF(40, 40), QStringLiteral("AND"));
    QVERIFY(window.isWindowModified());
    auto* tabs = qobject_cast<QTabWidget*>(window.centralWidget());
    tabs->setCurrentIndex(0);
    QCOMPARE(window.windowTitle(), QStringLiteral("pump.vlm - Tarkel-KV-D01[*] - Velmora"));
    QVERIFY(!window.isWindowModified());
    QVERIFY(window.projectManager()->currentProject() == first);
    QCOMPARE(libraryEntries(window), firstLibrary);

    // What happens to the project behind, changed or closed, leaves the title alone.
    second->setModified(true);
    second->slotModified();
    QCOMPARE(window.windowTitle(), QStringLiteral("pump.vlm - Tarkel-KV-D01[*] - Velmora"));
    QVERIFY(!window.isWindowModified());
    answerDialogs({ pressButton(QMessageBox::No) });
    QVERIFY(window.projectManager()->closeProject(second));
    QCOMPARE(window.windowTitle(), QStringLiteral("pump.vlm - Tarkel-KV-D01[*] - Velmora"));
    QVERIFY(!window.isWindowModified());

    action(window, "actionCloseAll")->trigger();
    QCOMPARE(tabs->count(), 0);
    QCOMPARE(enabledProjectActions(window), QStringList());
    QCOMPARE(libraryModel(window)->rowCount(), 0);
    QVERIFY(!undoView->stack());
    QCOMPARE(window.windowTitle(), QStringLiteral("Velmora"));
}

void tst_MainWindow::closingCancelledKeepsWindow()
{
    QTemporaryDir dir;
    MainWindow window;
    window.show();
    Project* project = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    project->scene()->createFuncBlock(QPointF(40, 40), QStringLiteral("AND"));

    answerDialogs({ pressButton(QMessageBox::Cancel) });
    QVERIFY(!window.close());
    QVERIFY(window.isVisible());
    QCOMPARE(window.projectManager()->getProjects().size(), 1);
    QVERIFY(!appSettings()->contains("main_window/geometry"));

    answerDialogs({ pressButton(QMessageBox::No) });
    QVERIFY(window.close());
    QVERIFY(appSettings()->contains("main_window/geometry"));
    QCOMPARE(appSettings()->value("connection/ip").toString(), QStringLiteral("10.14.0.253"));
}

void tst_MainWindow::openManual_data()
{
    QTest::addColumn<bool>("inWorkingDirectory");
    QTest::newRow("in the working directory") << true;
    QTest::newRow("elsewhere") << false;
}

// F1 opens the first manual found, through the desktop's handler of files; with none, the
// console names the one looked for in the working directory.
void tst_MainWindow::openManual()
{
    QFETCH(bool, inWorkingDirectory);
    QTemporaryDir dir;
    if (inWorkingDirectory) {
        QFile manual(dir.filePath("manual.pdf"));
        QVERIFY(manual.open(QIODevice::WriteOnly));
    }
    UrlCatcher opened;
    QDesktopServices::setUrlHandler(QStringLiteral("file"), &opened, "open");
    const QString previous = QDir::currentPath();
    QVERIFY(QDir::setCurrent(dir.path()));
    const QString expected = ManualLocator::find(ManualLocator::searchDirectories(QDir::currentPath()));
    MainWindow window;
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);
    action(window, "actionOpenManual")->trigger();
    QDir::setCurrent(previous);
    QDesktopServices::unsetUrlHandler(QStringLiteral("file"));
    if (inWorkingDirectory)
        QCOMPARE(expected, QDir(dir.path()).canonicalPath() + "/manual.pdf");
    QCOMPARE(opened.urls, expected.isEmpty() ? QList<QUrl>() : QList<QUrl> { QUrl::fromLocalFile(expected) });
    QCOMPARE(console.count(), expected.isEmpty() ? 1 : 0);
    if (expected.isEmpty())
        QCOMPARE(console.first().first().toString(),
                 QStringLiteral("Can not open the manual file: %1/manual.pdf ").arg(QDir(dir.path()).canonicalPath()));
}

void tst_MainWindow::appliedThemeRepaintsScene()
{
    QTemporaryDir dir;
    MainWindow window;
    newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    const QImage dark = render(window);

    answerDialogs({ [](QWidget* dialog) {
        dialog->findChild<QComboBox*>("comboBoxTheme")->setCurrentText(QStringLiteral("Light"));
        dialog->findChild<QPushButton*>("applyButton")->click();
        dialog->findChild<QPushButton*>("cancelButton")->click();
    } });
    action(window, "actionSettings")->trigger();
    QCOMPARE(StyleCollection::instance().currentStyleName(), QStringLiteral("Light"));
    QVERIFY(render(window) != dark);
    StyleCollection::instance().setCurrentStyle(QStringLiteral("Dark"));
}

void tst_MainWindow::recentProjectsMenu()
{
    QTemporaryDir dir;
    MainWindow window;
    auto* menu = window.findChild<QMenu*>("menuRecentProjects");
    const auto entries = [menu] {
        QStringList texts;
        for (const QAction* entry : menu->actions())
            texts << (entry->isSeparator() ? QStringLiteral("|") : entry->text() + (entry->isEnabled() ? "" : " (off)"));
        return texts;
    };
    QCOMPARE(menu->title(), QStringLiteral("Recent Projects"));
    QCOMPARE(entries(), (QStringList { "|", "Clear List (off)" }));
    const QString pump = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01)->getFilePath();
    const QString valve = newProject(window, dir.path(), QStringLiteral("valve"), KV_A01)->getFilePath();
    QCOMPARE(entries(), (QStringList { "&1 " + valve, "&2 " + pump, "|", "Clear List" }));

    window.projectManager()->closeAllProjects();
    QVERIFY(QFile::remove(valve));
    QString message;
    answerDialogs({ [&message](QWidget* dialog) {
        message = static_cast<QMessageBox*>(dialog)->text();
        pressButton(QMessageBox::Ok)(dialog);
    } });
    menu->actions().at(0)->trigger();
    QCOMPARE(message, QStringLiteral("The file %1 no longer exists. It is removed from the list.").arg(valve));
    QCOMPARE(entries(), (QStringList { "&1 " + pump, "|", "Clear List" }));
    QCOMPARE(window.projectManager()->getProjects().size(), 0);

    menu->actions().at(0)->trigger();
    QCOMPARE(window.projectManager()->currentProject()->getFilePath(), pump);
    menu->actions().last()->trigger();
    QCOMPARE(entries(), (QStringList { "|", "Clear List (off)" }));
    QCOMPARE(appSettings()->value("general_settings/recent_projects").toStringList(), QStringList());
}

void tst_MainWindow::selectAll()
{
    QTemporaryDir dir;
    MainWindow window;
    Project* project = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    for (const QPointF& pos : { QPointF(40, 40), QPointF(-3000, 900), QPointF(8000, -5000) })
        project->scene()->createFuncBlock(pos, QStringLiteral("AND"));
    QSignalSpy changes(project->scene(), &QGraphicsScene::selectionChanged);
    action(window, "actionSelectAll")->trigger();
    QCOMPARE(changes.count(), 1);
    int selected = 0;
    for (FuncBlock* block : project->scene()->getFuncBlocks())
        selected += block->graphics()->isSelected() ? 1 : 0;
    QCOMPARE(selected, 3);
}

void tst_MainWindow::typedValueCommitsBeforeAnAction()
{
    QTemporaryDir dir;
    MainWindow window;
    window.resize(1280, 800);
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    Project* project = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    project->scene()->createFuncBlock(QPointF(40, 40), QStringLiteral("Constant"));
    FuncBlock* block = project->scene()->getFuncBlocks().first();
    block->graphics()->setSelected(true);

    auto* view = window.findChild<QDockWidget*>("dockRight")->widget()->findChild<QTreeView*>();
    QModelIndex value;
    for (int row = 0; row < view->model()->rowCount(); ++row) {
        if (view->model()->index(row, 0).data().toString() == QLatin1String("Value"))
            value = view->model()->index(row, 1);
    }
    QVERIFY(value.isValid());
    view->scrollTo(value);
    const QPoint at = view->visualRect(value).center();
    QTest::mouseClick(view->viewport(), Qt::LeftButton, {}, at);
    QTest::mouseDClick(view->viewport(), Qt::LeftButton, {}, at);
    auto* editor = qobject_cast<QAbstractSpinBox*>(view->indexWidget(value));
    QVERIFY(editor);
    editor->selectAll();
    QTest::keyClicks(editor, "42");
    // Copy from the toolbar, the editor still open: the copied block holds 42.
    action(window, "actionCopy")->trigger();
    QCOMPARE(block->model()->findItem(QStringLiteral("value"))->dataToVariant().toString(), QStringLiteral("42"));
    QVERIFY(!view->indexWidget(value));
}

void tst_MainWindow::checkAndUpload()
{
    // Nothing here may reach a module; should an upload start, it finds no one on loopback.
    appSettings()->setValue("connection/ip", "127.0.0.1");
    appSettings()->setValue("connection/port", 1);
    QTemporaryDir dir;
    MainWindow window;
    Project* project = newProject(window, dir.path(), QStringLiteral("pump"), KV_D01);
    project->scene()->createFuncBlock(QPointF(40, 40), QStringLiteral("AND"));
    FuncBlock* gate = project->scene()->getFuncBlocks().first();
    QSignalSpy console(&Console::instance(), &Console::onPrintMessage);

    action(window, "actionCheck")->trigger();
    auto* problems = window.findChild<QTreeWidget*>("problems");
    QStringList rows;
    for (int i = 0; i < problems->topLevelItemCount(); ++i)
        rows << problems->topLevelItem(i)->text(0) + '|' + problems->topLevelItem(i)->text(1) + '|'
                + problems->topLevelItem(i)->text(2);
    QCOMPARE(rows, (QStringList { "0 AND|In 1|the input is not connected", "0 AND|In 2|the input is not connected",
                                  "0 AND||none of the outputs is used: the block has no effect" }));
    QCOMPARE(console.takeFirst().at(0).toString(), QStringLiteral("Check: 2 errors, 1 warnings."));
    emit problems->itemDoubleClicked(problems->topLevelItem(0), 0);
    QVERIFY(gate->graphics()->isSelected());

    // Errors ask before an upload; No, the default, uploads nothing.
    QString question;
    answerDialogs({ [&question](QWidget* dialog) {
        auto* box = static_cast<QMessageBox*>(dialog);
        question = box->text();
        QCOMPARE(box->defaultButton(), box->button(QMessageBox::No));
        box->button(QMessageBox::No)->click();
    } });
    action(window, "actionUpload")->trigger();
    QCOMPARE(question, QStringLiteral("The diagram has 2 errors:\n\nerror: 0 AND: In 1: the input is not connected\n"
                                      "error: 0 AND: In 2: the input is not connected\n\nUpload it anyway?"));
    QCOMPARE(console.size(), 1); // the check's line, and no upload
}

VLM_TEST_MAIN(tst_MainWindow)
#include "tst_mainwindow.moc"
