#pragma once

#include <QApplication>
#include <QDateTime>
#include <QFileDialog>
#include <QMenu>
#include <QMessageBox>
#include <QTest>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace Velmora {

// Answers the modal dialogs that open next, one answer each, as a user would. A dialog that
// does not open within ten seconds is given up on with a warning, so a failing test ends
// with its own message instead of leaving answers behind for the next one.
inline void answerDialogs(QList<std::function<void(QWidget*)>> answers, qint64 deadline = 0)
{
    if (answers.isEmpty())
        return;
    if (deadline == 0)
        deadline = QDateTime::currentMSecsSinceEpoch() + 10000;
    QTimer::singleShot(0, [answers, deadline]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            if (QDateTime::currentMSecsSinceEpoch() > deadline) {
                qWarning("answerDialogs: no dialog opened to answer");
                return;
            }
            answerDialogs(answers, deadline); // not shown yet
            return;
        }
        const auto answer = answers.takeFirst();
        answerDialogs(answers);
        answer(dialog);
    });
}

inline std::function<void(QWidget*)> pressButton(QMessageBox::StandardButton button)
{
    return [button](QWidget* dialog) {
        auto* box = qobject_cast<QMessageBox*>(dialog);
        if (box && box->button(button))
            box->button(button)->click();
        else
            qWarning("answerDialogs: the dialog is no message box with that button");
    };
}

inline std::function<void(QWidget*)> chooseFile(const QString& path)
{
    return [path](QWidget* dialog) {
        if (auto* files = qobject_cast<QFileDialog*>(dialog)) {
            files->selectFile(path);
            static_cast<QDialog*>(files)->accept(); // the dialog's own accept checks the choice
        }
    };
}

// Chooses the entry with that text in the popup menu that opens next, as a user would.
inline void chooseMenuEntry(const QString& text, qint64 deadline = 0)
{
    if (deadline == 0)
        deadline = QDateTime::currentMSecsSinceEpoch() + 10000;
    QTimer::singleShot(0, [text, deadline] {
        auto* menu = qobject_cast<QMenu*>(QApplication::activePopupWidget());
        if (!menu) {
            if (QDateTime::currentMSecsSinceEpoch() > deadline)
                qWarning("chooseMenuEntry: no menu opened");
            else
                chooseMenuEntry(text, deadline); // not shown yet
            return;
        }
        for (QAction* entry : menu->actions()) {
            if (entry->text() == text && entry->isEnabled()) {
                menu->setActiveAction(entry);
                QTest::keyClick(menu, Qt::Key_Return);
                return;
            }
        }
        qWarning("chooseMenuEntry: no enabled entry %s", qPrintable(text));
        menu->close();
    });
}

} // namespace Velmora
