#include "settingswidget.h"
#include "ui_settingswidget.h"

#include "device/ideviceclient.h"
#include "editor/stylecollection.h"
#include "project/projectrecovery.h"
#include "services/appsettings.h"
#include "services/ipv4validator.h"

#include <QDir>
#include <QFileDialog>
#include <QMessageBox>

namespace Velmora {

namespace {

const QString generalGroup = QStringLiteral("general_settings");
const QString connectionGroup = QStringLiteral("connection");
const QString viewGroup = QStringLiteral("view");
const QString styleGroup = QStringLiteral("style_collection");

} // namespace

SettingsWidget::SettingsWidget(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::SettingsWidget)
{
    ui->setupUi(this);
    ui->applyButton->setEnabled(false);

    for (const QLocale::Language language : { QLocale::English, QLocale::Russian })
        ui->comboBoxLang->addItem(QLocale::languageToString(language), QLocale(language, QLocale::AnyCountry));
    for (const QString& name : StyleCollection::instance().getNameStyles())
        ui->comboBoxTheme->addItem(name);

    ui->ipLineEdit->setValidator(new Ipv4Validator(this));
    ui->portSpinBox->setRange(0, 65535);

    connect(ui->okPushButton, &QPushButton::clicked, this, &SettingsWidget::slotOkButton);
    connect(ui->cancelButton, &QPushButton::clicked, this, &QDialog::reject);
    connect(ui->applyButton, &QPushButton::clicked, this, &SettingsWidget::slotApplyButton);
    connect(ui->defaultButton, &QPushButton::clicked, this, &SettingsWidget::slotDefaultSettings);
    connect(ui->browsePathButton, &QPushButton::clicked, this, &SettingsWidget::slotBrowsePathButton);
    connect(ui->defaultPathlineEdit, &QLineEdit::textChanged, this, &SettingsWidget::slotChanged);
    connect(ui->defaultPathlineEdit, &QLineEdit::textChanged, this, &SettingsWidget::slotValidatePath);
    connect(ui->comboBoxLang, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SettingsWidget::slotChanged);
    connect(ui->ipLineEdit, &QLineEdit::textChanged, this, &SettingsWidget::slotChanged);
    connect(ui->ipLineEdit, &QLineEdit::textChanged, this, &SettingsWidget::updateButtons);
    connect(ui->portSpinBox, &QSpinBox::editingFinished, this, &SettingsWidget::slotChanged);
    connect(ui->autosaveSpinBox, QOverload<int>::of(&QSpinBox::valueChanged), this, &SettingsWidget::slotChanged);
    for (QCheckBox* box : { ui->toolbarCheckBox, ui->libraryCheckBox, ui->propertiesCeckBox, ui->undoStackCheckBox,
                            ui->consoleCeckBox })
        connect(box, &QCheckBox::stateChanged, this, &SettingsWidget::slotChanged);
    connect(ui->comboBoxTheme, QOverload<int>::of(&QComboBox::currentIndexChanged), this, &SettingsWidget::slotChanged);
}

SettingsWidget::~SettingsWidget()
{
    delete ui;
}

void SettingsWidget::loadValues()
{
    AppSettings settings;
    settings.beginGroup(generalGroup);
    ui->defaultPathlineEdit->setText(
        settings.value(QStringLiteral("default_projects_directory"), QDir::currentPath()).toString());
    ui->comboBoxLang->setCurrentText(QLocale::languageToString(
        settings.value(QStringLiteral("language"), AppSettings::defaultLanguage()).toLocale().language()));
    ui->autosaveSpinBox->setValue(
        settings.value(QStringLiteral("autosave_interval"), ProjectRecovery::defaultInterval).toInt());
    settings.endGroup();

    // A missing address shows the one the device client uses, so an Apply of anything else
    // never moves the client to another address.
    settings.beginGroup(connectionGroup);
    ui->ipLineEdit->setText(settings.value(QStringLiteral("ip"), IDeviceClient::defaultHost()).toString());
    ui->portSpinBox->setValue(int(settings.value(QStringLiteral("port"), uint(IDeviceClient::defaultPort)).toUInt()));
    settings.endGroup();

    settings.beginGroup(viewGroup);
    const QList<QPair<QCheckBox*, QString>> boxes {
        { ui->toolbarCheckBox, QStringLiteral("toolbar") },       { ui->libraryCheckBox, QStringLiteral("library") },
        { ui->propertiesCeckBox, QStringLiteral("properties") }, { ui->undoStackCheckBox, QStringLiteral("undo_stack") },
        { ui->consoleCeckBox, QStringLiteral("console") },
    };
    for (const auto& box : boxes)
        box.first->setChecked(settings.value(box.second, true).toBool());
    settings.endGroup();

    settings.beginGroup(styleGroup);
    ui->comboBoxTheme->setCurrentText(settings.value(QStringLiteral("current_style"), QStringLiteral("Dark")).toString());
    settings.endGroup();

    ui->applyButton->setEnabled(false);
}

void SettingsWidget::saveValues()
{
    AppSettings settings;
    settings.beginGroup(generalGroup);
    settings.setValue(QStringLiteral("default_projects_directory"), ui->defaultPathlineEdit->text());
    settings.setValue(QStringLiteral("language"), ui->comboBoxLang->currentData());
    settings.setValue(QStringLiteral("autosave_interval"), ui->autosaveSpinBox->value());
    settings.endGroup();
    settings.sync();

    settings.beginGroup(connectionGroup);
    settings.setValue(QStringLiteral("ip"), ui->ipLineEdit->text());
    settings.setValue(QStringLiteral("port"), ui->portSpinBox->value());
    settings.endGroup();
    settings.sync();

    settings.beginGroup(viewGroup);
    settings.setValue(QStringLiteral("toolbar"), ui->toolbarCheckBox->isChecked());
    settings.setValue(QStringLiteral("library"), ui->libraryCheckBox->isChecked());
    settings.setValue(QStringLiteral("properties"), ui->propertiesCeckBox->isChecked());
    settings.setValue(QStringLiteral("undo_stack"), ui->undoStackCheckBox->isChecked());
    settings.setValue(QStringLiteral("console"), ui->consoleCeckBox->isChecked());
    settings.endGroup();
    settings.sync();

    settings.beginGroup(styleGroup);
    settings.setValue(QStringLiteral("current_style"), ui->comboBoxTheme->currentText());
    settings.endGroup();
    settings.sync();
}

void SettingsWidget::slotChanged()
{
    ui->applyButton->setEnabled(true);
    updateButtons();
}

void SettingsWidget::updateButtons()
{
    // The validator lets unfinished addresses ("10.14.") through while typing; such a text
    // would leave the device client with an address it cannot use, so it is never saved.
    const bool addressUsable = ui->ipLineEdit->hasAcceptableInput();
    ui->okPushButton->setEnabled(addressUsable);
    if (!addressUsable)
        ui->applyButton->setEnabled(false);
}

void SettingsWidget::slotApplyButton()
{
    saveValues();
    emit onChangeSettings();
    ui->applyButton->setEnabled(false);
}

void SettingsWidget::slotOkButton()
{
    if (ui->applyButton->isEnabled())
        slotApplyButton();
    accept();
}

void SettingsWidget::slotBrowsePathButton()
{
    const QString path = QFileDialog::getExistingDirectory(
        this, QCoreApplication::translate("SettingsWidget", "Projects directory"), QDir::currentPath(),
        QFileDialog::ShowDirsOnly);
    ui->defaultPathlineEdit->setText(path.isEmpty() ? QDir::currentPath() : path);
}

void SettingsWidget::slotValidatePath()
{
    if (ui->defaultPathlineEdit->text().isEmpty())
        ui->defaultPathlineEdit->setText(QDir::currentPath());
}

void SettingsWidget::slotDefaultSettings()
{
    const auto answer = QMessageBox::warning(
        this, QCoreApplication::translate("SettingsWidget", "Default settings"),
        QCoreApplication::translate("SettingsWidget", "Do you really want to reset all settings?"),
        QMessageBox::Yes | QMessageBox::No, QMessageBox::NoButton);
    if (answer != QMessageBox::Yes)
        return;

    // Only the form: OK or Apply saves it, Cancel leaves the stored settings as they were.
    // The language and the theme stay as chosen.
    for (QCheckBox* box : { ui->toolbarCheckBox, ui->libraryCheckBox, ui->propertiesCeckBox, ui->undoStackCheckBox,
                            ui->consoleCeckBox })
        box->setChecked(true);
    ui->ipLineEdit->setText(IDeviceClient::defaultHost());
    ui->portSpinBox->setValue(IDeviceClient::defaultPort);
    ui->defaultPathlineEdit->setText(QDir::currentPath());
    ui->autosaveSpinBox->setValue(ProjectRecovery::defaultInterval);
    slotChanged();
}

void SettingsWidget::showEvent(QShowEvent* event)
{
    loadValues();
    QDialog::showEvent(event);
}

void SettingsWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        ui->retranslateUi(this);
        loadValues();
    }
    QDialog::changeEvent(event);
}

} // namespace Velmora
