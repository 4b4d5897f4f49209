#include "mainwindow.h"
#include "ui_mainwindow.h"

#include "editor/propertiesmanager.h"
#include "editor/propertytreemodel.h"
#include "editor/stylecollection.h"
#include "library/fblibreader.h"
#include "library/librarytreemodel.h"
#include "services/appsettings.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDockWidget>
#include <QEvent>
#include <QSettings>
#include <QToolBar>
#include <QTreeView>
#include <QVBoxLayout>
#include <QTranslator>

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
    setWindowModified(false);
    updateWindowTitle();

    m_appTranslator = new QTranslator(this);
    m_coreTranslator = new QTranslator(this);
    m_guiTranslator = new QTranslator(this);
    m_qtTranslator = new QTranslator(this);

    StyleCollection::instance().initCollection(QStringLiteral(":/data/scene_styles.xml"));

    QCoreApplication::setOrganizationName(QStringLiteral("Norvet inc"));
    QCoreApplication::setOrganizationDomain(QStringLiteral("norvet.example"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QCoreApplication::setApplicationVersion(QStringLiteral("0.2.0"));

    createDockViews();

    // The block prototypes every diagram is drawn from.
    FBLibReader().readFromXml(QStringLiteral(":/data/library.xml"));

    AppSettings settings;
    StyleCollection::instance().readSettings(settings);
    loadTranslations(settings.language());
    restoreWindowLayout(settings);

    connectVisibilityTrackers();
}

MainWindow::~MainWindow()
{
    delete ui;
}

void MainWindow::createDockViews()
{
    m_propertyView = new QTreeView(this);
    m_propertyModel = new PropertyTreeModel(this);
    m_propertyView->setModel(m_propertyModel);
    placeInDock(ui->dockRight, m_propertyView);
    PropertiesManager& properties = PropertiesManager::instance();
    connect(&properties, &PropertiesManager::onShowProperty, this, &MainWindow::slotShowPropertyFBItem);
    connect(&properties, &PropertiesManager::onReset, this, &MainWindow::slotResetPropertyFBItem);
    connect(&properties, &PropertiesManager::onUpdate, this, &MainWindow::slotUpdatePropertyWidget);

    m_libraryView = new QTreeView(this);
    m_libraryModel = new LibraryTreeModel(this);
    m_libraryView->setModel(m_libraryModel);
    m_libraryView->setDragEnabled(true);
    m_libraryView->setHeaderHidden(true);
    placeInDock(ui->dockLeft, m_libraryView);
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
    const auto track = [this](QWidget* widget, const QString& key) {
        return [widget, key] {
            AppSettings settings;
            settings.beginGroup(QStringLiteral("view"));
            settings.setValue(key, widget->isVisible());
            settings.endGroup();
            settings.sync();
        };
    };
    connect(ui->mainToolBar, &QToolBar::visibilityChanged, this, track(ui->mainToolBar, QStringLiteral("toolbar")));
    connect(ui->dockLeft, &QDockWidget::visibilityChanged, this, track(ui->dockLeft, QStringLiteral("library")));
    connect(ui->dockRight, &QDockWidget::visibilityChanged, this, track(ui->dockRight, QStringLiteral("properties")));
    connect(ui->dockConsole, &QDockWidget::visibilityChanged, this, track(ui->dockConsole, QStringLiteral("console")));
}

void MainWindow::updateWindowTitle()
{
    setWindowModified(false);
    setWindowTitle(QStringLiteral("Velmora"));
}

void MainWindow::writeAppSettings()
{
    AppSettings settings;
    StyleCollection::instance().writeSettings(settings);
    saveWindowLayout(settings);
}

void MainWindow::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        updateWindowTitle();
    }
    QMainWindow::changeEvent(event);
}

void MainWindow::closeEvent(QCloseEvent* event)
{
    writeAppSettings();
    event->accept();
}

} // namespace Velmora
