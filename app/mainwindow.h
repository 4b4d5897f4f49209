#pragma once

#include "model/fbmodelitem.h"

#include <QLocale>
#include <QMainWindow>

class QActionGroup;
class QEvent;
class QLabel;
class QSettings;
class QTranslator;
class QTreeView;
class QTreeWidget;
class QTreeWidgetItem;

namespace Ui {
class MainWindow;
}

namespace Velmora {

class ConsoleWidget;
class IDeviceClient;
class IProject;
class LibraryTreeModel;
class ProjectBuilder;
class ProjectManager;
class ProjectRecovery;
class ProjectsTabWidget;
class PropertyTreeModel;
class SettingsWidget;
class SimulationController;
class TCPFirmwareClient;
class UndoView;

// The program's one top-level window: actions, menus, toolbar and the four docks.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    // The names that locate the settings and data folders, and the version.
    static void setApplicationIdentity();

    QLocale currentLocale() const { return m_locale; }
    ProjectManager* projectManager() const { return m_projectManager; }
    IDeviceClient* deviceClient() const { return m_deviceClient; }

    void loadTranslations(const QLocale& locale);
    void applyLanguageSetting(QSettings& settings);
    void restoreWindowLayout(QSettings& settings);
    void saveWindowLayout(QSettings& settings);
    void applyViewSettings(QSettings& settings);
    ProjectRecovery* projectRecovery() const { return m_recovery; }
    SimulationController* simulation() const { return m_simulation; }

    // What a start does once the window shows: offers the recovery copies a crashed run
    // left, then opens the files given on the command line.
    void openAtStart(const QStringList& files);
    // Asks what to do with the copies left by runs that did not exit normally.
    void offerRecovery();

public slots:
    void slotActionNew();
    void slotActionOpen();
    void slotActionSave();
    void slotActionSaveAs();
    void slotActionClose();
    void slotActionCloseAll();
    void slotActionCut();
    void slotActionCopy();
    void slotActionPaste();
    void slotActionSelectAll();
    void slotActionUndo();
    void slotActionRedo();
    void slotActionConnect();
    void slotActionDisconnect();
    void slotActionExport();
    void slotActionPrint();
    void slotActionCheck();
    void slotActionUpload();
    void slotActionRun();
    void slotActionStop();
    void slotActionSaveFlash();
    void slotActionSettings();
    void slotActionOpenManual();
    void slotActionDeviceSettings();
    void slotActionFirmwareUpdater();
    void slotActionAbout();
    void slotActionSimulate();
    void slotActionStopSimulation();

    void slotCurrentProject(Velmora::IProject* project);
    void slotModifiedProject(Velmora::IProject* project);
    void slotShowPropertyFBItem(FBModelItem* rootItem);
    void slotResetPropertyFBItem();
    void slotUpdatePropertyWidget(FBModelItem* item);
    void slotChangedSettings();

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createComponents();
    void connectProjectSignals();
    void createDockViews();
    void connectActions();
    void setProjectActionsEnabled(bool enabled);
    void commitPropertyEditor();
    void createProblemsDock();
    // Runs the diagram check of the current project into the Problems panel and the console;
    // the error lines found.
    QStringList checkCurrentProject();
    void showProblem(QTreeWidgetItem* item);
    void updateWindowTitle(IProject* project);
    void connectVisibilityTrackers();
    void stopVisibilityTrackers();
    void retranslateDocks();
    void writeAppSettings();
    void updateRecentMenu();
    void openRecentProject(const QString& path);
    void createSimulation();
    // Editing on or off, and the simulation's own actions the other way round.
    void setSimulating(bool simulating);
    void showSimulationStatus(quint64 timeMs, quint64 cycles);

    Ui::MainWindow* ui = nullptr;
    QLocale m_locale;
    QTranslator* m_appTranslator = nullptr;
    QTranslator* m_coreTranslator = nullptr;
    QTranslator* m_guiTranslator = nullptr;
    QTranslator* m_qtTranslator = nullptr;
    ConsoleWidget* m_console = nullptr;
    SettingsWidget* m_settings = nullptr;
    ProjectsTabWidget* m_projectTabs = nullptr;
    ProjectManager* m_projectManager = nullptr;
    ProjectRecovery* m_recovery = nullptr;
    ProjectBuilder* m_projectBuilder = nullptr;
    IDeviceClient* m_deviceClient = nullptr;
    TCPFirmwareClient* m_firmwareClient = nullptr;
    QTreeView* m_propertyView = nullptr;
    QTreeView* m_libraryView = nullptr;
    QTreeWidget* m_problems = nullptr;
    UndoView* m_undoView = nullptr;
    PropertyTreeModel* m_propertyModel = nullptr;
    LibraryTreeModel* m_libraryModel = nullptr;
    SimulationController* m_simulation = nullptr;
    QList<QMetaObject::Connection> m_visibilityTrackers;
    QActionGroup* m_speeds = nullptr;
    QLabel* m_simulationStatus = nullptr;
};

} // namespace Velmora
