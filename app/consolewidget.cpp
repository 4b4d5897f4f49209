#include "consolewidget.h"
#include "ui_consolewidget.h"

#include <QScrollBar>
#include <QTime>

namespace Velmora {

ConsoleWidget::ConsoleWidget(QWidget* parent)
    : QWidget(parent)
    , ui(new Ui::Console)
{
    ui->setupUi(this);
    connect(ui->clearlButton, &QToolButton::clicked, this, &ConsoleWidget::slotClear);
}

ConsoleWidget::~ConsoleWidget()
{
    delete ui;
}

void ConsoleWidget::slotPrintMessage(const QString& message)
{
    // The program's messages carry file names and names read from files: text, not markup.
    slotPrintMessageExt(message.toHtmlEscaped(), true, Qt::black);
}

void ConsoleWidget::slotPrintMessageExt(const QString& message, bool endl, Qt::GlobalColor globalColor)
{
    QTextCursor cursor = ui->textField->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::End);
    ui->textField->setTextCursor(cursor);

    const QString color = QColor(globalColor).name();
    const QString time = QTime::currentTime().toString(Qt::TextDate);
    // One multi-argument arg(): a "%1" inside the message must not be taken for a placeholder.
    ui->textField->insertHtml(QStringLiteral("<font color=\"%2\">[%3] %1</font>").arg(message, color, time));
    if (endl)
        ui->textField->insertPlainText(QStringLiteral("\n"));

    QScrollBar* bar = ui->textField->verticalScrollBar();
    bar->setValue(bar->maximum());
}

void ConsoleWidget::slotClear()
{
    ui->textField->clear();
}

void ConsoleWidget::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::LanguageChange) {
        setWindowTitle(QCoreApplication::translate("Console", "Form"));
        ui->clearlButton->setText(QCoreApplication::translate("Console", "Clear"));
    }
    QWidget::changeEvent(event);
}

} // namespace Velmora
