#include "settingswidget.h"

#include "editor/stylecollection.h"
#include "services/appsettings.h"

#include "dialoghelpers.h"
#include "testmain.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QLineEdit>
#include <QSpinBox>
#include <QTabWidget>

using namespace Velmora;

namespace {

template<typename T> T* field(const QWidget& dialog, const char* name)
{
    auto* widget = dialog.findChild<T*>(QLatin1String(name));
    if (!widget)
        qFatal("no widget %s", name);
    return widget;
}

QPushButton* button(const QWidget& dialog, const char* name)
{
    return field<QPushButton>(dialog, name);
}

// Clicks the box's indicator: a box stretched across the layout has no hit area in its middle.
void clickBox(const QWidget& dialog, const char* name)
{
    auto* box = field<QCheckBox>(dialog, name);
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->height() / 2, box->height() / 2));
}

QStringList storedKeys()
{
    return AppSettings().allKeys();
}

} // namespace

class tst_SettingsWidget : public QObject
{
    Q_OBJECT
private slots:
    void initTestCase();
    void init();

    void form();
    void okWithoutEditsWritesNothing();
    void missingKeysShowTheClientsDefaults();
    void applyFollowsEdits();
    void applySavesEveryGroup();
    void unfinishedAddressIsNotSaved();
    void portEditAlone();
    void defaultFillsTheForm();
    void pathIsNeverEmpty_data();
    void pathIsNeverEmpty();
};

void tst_SettingsWidget::initTestCase()
{
    QCoreApplication::setOrganizationName(QStringLiteral("Norvet inc"));
    QCoreApplication::setApplicationName(QStringLiteral("Velmora"));
    QVERIFY(StyleCollection::instance().initCollection(QStringLiteral(VLM_SOURCE_DIR "/app/data/scene_styles.xml")));
}

void tst_SettingsWidget::init()
{
    AppSettings settings;
    settings.clear();
    settings.sync();
}

void tst_SettingsWidget::form()
{
    SettingsWidget dialog;
    QCOMPARE(dialog.windowTitle(), QStringLiteral("Settings"));
    QCOMPARE(dialog.size(), QSize(595, 480));
    QCOMPARE(field<QTabWidget>(dialog, "settingsTabWidget")->currentWidget()->objectName(), QStringLiteral("viewTab"));
    auto* languages = field<QComboBox>(dialog, "comboBoxLang");
    QCOMPARE(languages->count(), 2);
    QCOMPARE(languages->itemData(1).toLocale(), QLocale(QLocale::Russian, QLocale::AnyCountry));
    QCOMPARE(field<QComboBox>(dialog, "comboBoxTheme")->count(), StyleCollection::instance().getNameStyles().size());
    QVERIFY(!button(dialog, "applyButton")->isEnabled());
}

void tst_SettingsWidget::okWithoutEditsWritesNothing()
{
    SettingsWidget dialog;
    QSignalSpy changed(&dialog, &SettingsWidget::onChangeSettings);
    dialog.show();
    QVERIFY(!button(dialog, "applyButton")->isEnabled());
    QTest::mouseClick(button(dialog, "okPushButton"), Qt::LeftButton);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(changed.count(), 0);
    QCOMPARE(storedKeys(), QStringList());
}

void tst_SettingsWidget::missingKeysShowTheClientsDefaults()
{
    SettingsWidget dialog;
    dialog.show();
    QCOMPARE(field<QLineEdit>(dialog, "ipLineEdit")->text(), QStringLiteral("10.14.0.253"));
    QCOMPARE(field<QSpinBox>(dialog, "portSpinBox")->value(), 1518);
    QCOMPARE(field<QLineEdit>(dialog, "defaultPathlineEdit")->text(), QDir::currentPath());
    QCOMPARE(field<QComboBox>(dialog, "comboBoxTheme")->currentText(), QStringLiteral("Dark"));
    QVERIFY(field<QCheckBox>(dialog, "undoStackCheckBox")->isChecked());
    QCOMPARE(field<QSpinBox>(dialog, "autosaveSpinBox")->value(), 60);
    QCOMPARE(field<QSpinBox>(dialog, "autosaveSpinBox")->text(), QStringLiteral("60 s"));

    // Applying only another theme keeps the client at the address it already uses.
    field<QComboBox>(dialog, "comboBoxTheme")->setCurrentIndex(1);
    QTest::mouseClick(button(dialog, "applyButton"), Qt::LeftButton);
    QCOMPARE(AppSettings().value("connection/ip").toString(), QStringLiteral("10.14.0.253"));
}

void tst_SettingsWidget::applyFollowsEdits()
{
    SettingsWidget dialog;
    QSignalSpy changed(&dialog, &SettingsWidget::onChangeSettings);
    dialog.show();
    auto* apply = button(dialog, "applyButton");
    clickBox(dialog, "consoleCeckBox");
    QVERIFY(apply->isEnabled());
    QTest::mouseClick(apply, Qt::LeftButton);
    QVERIFY(!apply->isEnabled());
    QCOMPARE(changed.count(), 1);

    // Cancel discards an edit; the next showing loads the stored values again.
    clickBox(dialog, "toolbarCheckBox");
    QTest::mouseClick(button(dialog, "cancelButton"), Qt::LeftButton);
    dialog.show();
    QVERIFY(field<QCheckBox>(dialog, "toolbarCheckBox")->isChecked());
    QVERIFY(!field<QCheckBox>(dialog, "consoleCeckBox")->isChecked());
    QVERIFY(!apply->isEnabled());
}

void tst_SettingsWidget::applySavesEveryGroup()
{
    SettingsWidget dialog;
    dialog.show();
    field<QComboBox>(dialog, "comboBoxLang")->setCurrentIndex(1);
    auto* ip = field<QLineEdit>(dialog, "ipLineEdit");
    ip->clear();
    QTest::keyClicks(ip, "127.0.0.300");
    QCOMPARE(ip->text(), QStringLiteral("127.0.0.30"));
    field<QSpinBox>(dialog, "portSpinBox")->setValue(2000);
    field<QSpinBox>(dialog, "autosaveSpinBox")->setValue(0);
    QCOMPARE(field<QSpinBox>(dialog, "autosaveSpinBox")->text(), QStringLiteral("Off"));
    clickBox(dialog, "libraryCheckBox");
    QTest::mouseClick(button(dialog, "okPushButton"), Qt::LeftButton);

    AppSettings settings;
    QCOMPARE(settings.language(), QLocale(QLocale::Russian, QLocale::AnyCountry));
    QCOMPARE(settings.value("connection/ip").toString(), QStringLiteral("127.0.0.30"));
    QCOMPARE(settings.value("connection/port").toInt(), 2000);
    QCOMPARE(settings.value("general_settings/autosave_interval").toInt(), 0);
    QCOMPARE(settings.value("view/library").toBool(), false);
    QCOMPARE(settings.value("view/toolbar").toBool(), true);
    QCOMPARE(settings.value("style_collection/current_style").toString(), QStringLiteral("Dark"));
}

void tst_SettingsWidget::unfinishedAddressIsNotSaved()
{
    SettingsWidget dialog;
    dialog.show();
    auto* ip = field<QLineEdit>(dialog, "ipLineEdit");
    ip->clear();
    QTest::keyClicks(ip, "10.14.");
    QVERIFY(!button(dialog, "okPushButton")->isEnabled());
    QVERIFY(!button(dialog, "applyButton")->isEnabled());
    QTest::keyClicks(ip, "0.9");
    QVERIFY(button(dialog, "okPushButton")->isEnabled());
    QVERIFY(button(dialog, "applyButton")->isEnabled());
}

void tst_SettingsWidget::portEditAlone()
{
    SettingsWidget dialog;
    dialog.show();
    auto* port = field<QSpinBox>(dialog, "portSpinBox");
    port->setFocus();
    port->selectAll();
    QTest::keyClicks(port, "2020");
    // Enter finishes the edit, which enables Apply, and then presses OK, which applies it.
    QTest::keyClick(port, Qt::Key_Return);
    QCOMPARE(dialog.result(), int(QDialog::Accepted));
    QCOMPARE(AppSettings().value("connection/port").toInt(), 2020);
}

void tst_SettingsWidget::defaultFillsTheForm()
{
    SettingsWidget dialog;
    QSignalSpy changed(&dialog, &SettingsWidget::onChangeSettings);
    dialog.show();
    for (const char* name : { "undoStackCheckBox", "toolbarCheckBox" })
        clickBox(dialog, name);
    field<QSpinBox>(dialog, "portSpinBox")->setValue(2000);
    QTest::mouseClick(button(dialog, "applyButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 1);

    answerDialogs({ pressButton(QMessageBox::No) });
    QTest::mouseClick(button(dialog, "defaultButton"), Qt::LeftButton);
    QVERIFY(!field<QCheckBox>(dialog, "toolbarCheckBox")->isChecked());
    QVERIFY(!button(dialog, "applyButton")->isEnabled());

    // Yes fills the form with the defaults, and only the form.
    answerDialogs({ pressButton(QMessageBox::Yes) });
    QTest::mouseClick(button(dialog, "defaultButton"), Qt::LeftButton);
    for (const char* name : { "toolbarCheckBox", "undoStackCheckBox" })
        QVERIFY(field<QCheckBox>(dialog, name)->isChecked());
    QCOMPARE(field<QLineEdit>(dialog, "ipLineEdit")->text(), QStringLiteral("10.14.0.253"));
    QCOMPARE(field<QSpinBox>(dialog, "portSpinBox")->value(), 1518);
    QVERIFY(button(dialog, "applyButton")->isEnabled());
    QCOMPARE(changed.count(), 1);
    QCOMPARE(AppSettings().value("connection/port").toInt(), 2000);

    // Cancel drops it; OK would have saved it.
    QTest::mouseClick(button(dialog, "cancelButton"), Qt::LeftButton);
    QCOMPARE(AppSettings().value("view/undo_stack").toBool(), false);
    dialog.show();
    answerDialogs({ pressButton(QMessageBox::Yes) });
    QTest::mouseClick(button(dialog, "defaultButton"), Qt::LeftButton);
    QTest::mouseClick(button(dialog, "okPushButton"), Qt::LeftButton);
    QCOMPARE(changed.count(), 2);
    AppSettings settings;
    QCOMPARE(settings.value("connection/ip").toString(), QStringLiteral("10.14.0.253"));
    QCOMPARE(settings.value("connection/port").toInt(), 1518);
    QCOMPARE(settings.value("view/undo_stack").toBool(), true);
}

void tst_SettingsWidget::pathIsNeverEmpty_data()
{
    QTest::addColumn<bool>("browse");
    QTest::newRow("cleared") << false;
    QTest::newRow("browser cancelled") << true;
}

void tst_SettingsWidget::pathIsNeverEmpty()
{
    QFETCH(bool, browse);
    SettingsWidget dialog;
    dialog.show();
    auto* path = field<QLineEdit>(dialog, "defaultPathlineEdit");
    path->setText(QStringLiteral("/somewhere/else"));
    if (browse) {
        answerDialogs({ [](QWidget* files) { static_cast<QDialog*>(files)->reject(); } });
        QTest::mouseClick(button(dialog, "browsePathButton"), Qt::LeftButton);
    } else {
        path->clear();
    }
    QCOMPARE(path->text(), QDir::currentPath());
}

VLM_TEST_MAIN(tst_SettingsWidget)
#include "tst_settingswidget.moc"
