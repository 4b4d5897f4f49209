#include "aboutdialog.h"
#include "ui_aboutdialog.h"

#include "velmora_revision.h"

namespace Velmora {

AboutDialog::AboutDialog(QWidget* parent)
    : QDialog(parent)
    , ui(new Ui::AboutDialog)
{
    ui->setupUi(this);
    connect(ui->closeButton, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(ui->closeButton, &QDialogButtonBox::rejected, this, &QDialog::reject);

    const QString name = QCoreApplication::applicationName();
    setWindowTitle(QCoreApplication::translate("AboutDialog", "About %1").arg(name));
    ui->programNameLabel->setText(QStringLiteral("%1 %2.%3.%4").arg(name).arg(0).arg(2).arg(0));
    ui->revisionLabel->setText(QCoreApplication::translate("AboutDialog", "From revision: %1").arg(revision()));
}

AboutDialog::~AboutDialog()
{
    delete ui;
}

QString AboutDialog::revision()
{
    return QStringLiteral(VELMORA_REVISION);
}

} // namespace Velmora
