#pragma once

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>
#include <QPushButton>
#include <QTimer>

#include <functional>

namespace Velmora {

// Answers the modal dialogs that open next, one answer each, as a user would.
inline void answerDialogs(QList<std::function<void(QWidget*)>> answers)
{
    if (answers.isEmpty())
        return;
    QTimer::singleShot(0, [answers]() mutable {
        QWidget* dialog = QApplication::activeModalWidget();
        if (!dialog) {
            answerDialogs(answers); // not shown yet
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
        if (auto* box = qobject_cast<QMessageBox*>(dialog))
            box->button(button)->click();
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

} // namespace Velmora
