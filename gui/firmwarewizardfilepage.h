#pragma once

#include "vlm_gui_export.h"

#include <QWizardPage>

namespace Ui {
class FirmwareWizardFilePage;
}

namespace Velmora {

class IFirmwareClient;

// The last page of the firmware update wizard: the new firmware file, the name of the person
// downloading it, and the download itself with the backup of the old firmware and its
// restoration when the new one does not arrive whole.
class VLM_GUI_EXPORT FirmwareWizardFilePage : public QWizardPage
{
    Q_OBJECT
public:
    // The 36-byte trailer at the end of a firmware file: a 4-character decimal code, then
    // 32 bytes of version text, zero-padded.
    static constexpr int trailerSize = 36;
    static constexpr int versionSize = 32;

    // The client is not owned; it must outlive the page.
    explicit FirmwareWizardFilePage(IFirmwareClient* client, QWidget* parent = nullptr);
    ~FirmwareWizardFilePage() override;

    bool isComplete() const override { return m_downloaded; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private slots:
    void slotBrowse();
    void slotRenewDirFile();
    void slotCheckFile();
    void slotProcentCalculation(int fullValue, int j);
    void slotIsEmptyLineEditUserData();
    bool slotIsDownloaded();

private:
    // Shows the version and size of the file; false, with a status line, when it cannot be a
    // firmware file.
    bool showFileData(const QString& path);
    // The running firmware into the module's backup; false when none could be made and the
    // user chose not to go on without one.
    bool backUp();
    // The new firmware did not arrive whole: erases it, restores the backup and fails with
    // the text, saying so when the module is left without firmware.
    bool restoreAndFail(const char* text);
    QString moduleAddress() const;
    // A status line that the console keeps as well.
    void report(const char* text);
    // While busy the wizard cannot be cancelled: its Cancel button is disabled, Esc and
    // closing the window are ignored.
    void setBusy(bool busy);
    void setStatus(const char* text);
    void setWizardOption(int option, bool on = true);
    // A failed step: its status line, and the user may try again.
    bool fail(const char* text);

    Ui::FirmwareWizardFilePage* m_ui = nullptr;
    IFirmwareClient* m_client = nullptr;
    bool m_downloaded = false;
    bool m_busy = false;
    // The module (host:port) left erased by a failed restore, or perhaps half erased by a failed
    // erase: its backup slot still holds the good firmware, which the next backup would
    // overwrite.
    QString m_withoutFirmware;
    // The module's firmware was not wiped by a failed restore but may be half erased by an
    // erase that failed.
    bool m_partlyErased = false;
};

} // namespace Velmora
