#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <functional>

// Helpers of the GUI tests.
namespace corvel::test {

// Answers the next modal dialog or message box that opens (a message box gets
// the given button; another dialog is handed to `act`). Call before the
// action that opens it.
inline void AnswerNextModal(std::function<void(QWidget*)> act, int attempts = 200) {
    QTimer::singleShot(10, [act, attempts] {
        QWidget* modal = QApplication::activeModalWidget();
        if (!modal) {
            if (attempts > 0) AnswerNextModal(act, attempts - 1);
            return;
        }
        act(modal);
    });
}

inline void PressInNextMessageBox(QMessageBox::StandardButton button) {
    AnswerNextModal([button](QWidget* w) {
        if (auto* box = qobject_cast<QMessageBox*>(w)) box->done(button);
        else w->close();
    });
}

}  // namespace corvel::test
