#pragma once

#include <QDialog>

class QSettings;

namespace Ui {
class SettingsWidget;
}

namespace Velmora {

// Edits the application settings straight in the settings store, then tells the main window,
// which re-reads them. Apply is enabled exactly while the form holds unsaved edits.
class SettingsWidget : public QDialog
{
    Q_OBJECT
public:
    explicit SettingsWidget(QWidget* parent = nullptr);
    ~SettingsWidget() override;

signals:
    void onChangeSettings();

public slots:
    void slotOkButton();
    void slotApplyButton();
    void slotBrowsePathButton();
    void slotDefaultSettings();
    void slotValidatePath();
    void slotChanged();

protected:
    void showEvent(QShowEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void loadValues();
    void saveValues();
    void updateButtons();

    Ui::SettingsWidget* ui = nullptr;
};

} // namespace Velmora
