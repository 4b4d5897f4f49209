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

class LibraryTreeModel;
class PropertyTreeModel;

// The program's one top-level window: actions, menus, toolbar and the four docks.
class MainWindow : public QMainWindow
{
    Q_OBJECT
public:
    explicit MainWindow(QWidget* parent = nullptr);
    ~MainWindow() override;

    QLocale currentLocale() const { return m_locale; }

    void loadTranslations(const QLocale& locale);
    void applyLanguageSetting(QSettings& settings);
    void restoreWindowLayout(QSettings& settings);
    void saveWindowLayout(QSettings& settings);
    void applyViewSettings(QSettings& settings);

public slots:
    void slotShowPropertyFBItem(FBModelItem* rootItem);
    void slotResetPropertyFBItem();
    void slotUpdatePropertyWidget(FBModelItem* item);

protected:
    void changeEvent(QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void createDockViews();
    void updateWindowTitle();
    void connectVisibilityTrackers();
    void writeAppSettings();

    Ui::MainWindow* ui = nullptr;
    QLocale m_locale;
    QTranslator* m_appTranslator = nullptr;
    QTranslator* m_coreTranslator = nullptr;
    QTranslator* m_guiTranslator = nullptr;
    QTranslator* m_qtTranslator = nullptr;
    QTreeView* m_propertyView = nullptr;
    QTreeView* m_libraryView = nullptr;
    PropertyTreeModel* m_propertyModel = nullptr;
    LibraryTreeModel* m_libraryModel = nullptr;
};

} // namespace Velmora
