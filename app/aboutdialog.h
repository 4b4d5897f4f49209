#pragma once

#include <QDialog>

namespace Ui {
class AboutDialog;
}

namespace Velmora {

// The program's name, version and the source revision it was built from.
class AboutDialog : public QDialog
{
    Q_OBJECT
public:
    explicit AboutDialog(QWidget* parent = nullptr);
    ~AboutDialog() override;

    // Ten hex digits of the commit the program was built from; zeros outside a checkout.
    static QString revision();

private:
    Ui::AboutDialog* ui = nullptr;
};

} // namespace Velmora
