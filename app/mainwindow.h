#pragma once

#include "model/fbmodelitem.h"

#include <QLocale>
#include <QMainWindow>

class QEvent;
class QSettings;
class QTranslator;
class QTreeView;

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
class ProjectsTabWidget;
class PropertyTreeModel;
class SettingsWidget;
class TCPFirmwareClient;
class UndoView;

// The program's one top-level window: actions, menus, toolbar and the four docks.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QLocale currentLocale() const { return m_locale; }
    ProjectManager* projectManager() const { return m_projectManager; }
    IDeviceClient* deviceClient() const { return m_deviceClient; }

    void loadTranslations(const QLocale& locale);
    void applyLanguageSetting(QSettings& settings);
    void restoreWindowLayout(QSettings& settings);
    void saveWindowLayout(QSettings& settings);
    void applyViewSettings(QSettings& settings);

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
    void slotActionUndo();
    void slotActionRedo();
    void slotActionConnect();
    void slotActionDisconnect();
    void slotActionUpload();
    void slotActionRun();
    void slotActionStop();
    void slotActionSaveFlash();
    void slotActionSettings();
    void slotActionOpenManual();
    void slotActionDeviceSettings();
    void slotActionFirmwareUpdater();
    void slotActionAbout();

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
    void updateWindowTitle(IProject* project);
    void connectVisibilityTrackers();
    void writeAppSettings();

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
    ProjectBuilder* m_projectBuilder = nullptr;
    IDeviceClient* m_deviceClient = nullptr;
    TCPFirmwareClient* m_firmwareClient = nullptr;
    QTreeView* m_propertyView = nullptr;
    QTreeView* m_libraryView = nullptr;
    UndoView* m_undoView = nullptr;
    PropertyTreeModel* m_propertyModel = nullptr;
    LibraryTreeModel* m_libraryModel = nullptr;
};

} // namespace Velmora
