#pragma once

#include <QWidget>

namespace Ui {
class Console;
}

namespace Velmora {

// The Console dock: every message of the program, each stamped with the time it arrived.
class ConsoleWidget : public QWidget
{
    Q_OBJECT
public:
    explicit ConsoleWidget(QWidget* parent = nullptr);
    ~ConsoleWidget() override;

public slots:
    void slotPrintMessage(const QString& message);
    // The message is inserted as HTML, so markup in it takes effect.
    void slotPrintMessageExt(const QString& message, bool endl, Qt::GlobalColor globalColor);
    void slotClear();

protected:
    void changeEvent(QEvent* event) override;

private:
    Ui::Console* ui = nullptr;
};

} // namespace Velmora
