#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDialogButtonBox>
#include <QPushButton>
#include <QMessageBox>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>

#include "TestSupport.h"
#include <string>
#include <vector>

// Helpers of the GUI tests.
namespace corvel::test {

// Answers the next modal dialog or message box that opens (a message box gets
// the given button; another dialog is handed to `act`). Call before the
// action that opens it.
// With CORVEL_SCREENSHOT_DIR set, a picture of the widget to look at.
inline void SavePicture(QWidget* w, const char* name) {
    const QByteArray dir = qgetenv("CORVEL_SCREENSHOT_DIR");
    if (!dir.isEmpty()) w->grab().save(QString::fromUtf8(dir) + QLatin1Char('/') + QLatin1String(name));
}

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
        if (auto* box = qobject_cast<QMessageBox*>(w))
            box->done(button);
        else
            w->close();
    });
}

// Hands the next modal window to `act` as a dialog of type D; a dialog still
// open afterwards is cancelled, so a failing test never hangs.
template <typename D>
void AnswerDialog(std::function<void(D&)> act) {
    AnswerNextModal([act](QWidget* w) {
        auto* dialog = qobject_cast<D*>(w);
        if (!dialog) {
            ADD_FAILURE() << "expected " << D::staticMetaObject.className() << ", got " << w->metaObject()->className();
            w->close();
            return;
        }
        act(*dialog);
        if (dialog->isVisible()) dialog->reject();
    });
}

template <typename D>
void PressOk(D& dialog) {
    dialog.Buttons()->button(QDialogButtonBox::Ok)->click();
}

// Watches for modal windows while it lives: each one that opens is counted
// and closed, as a person clicking it away would.
class ModalWatcher {
  public:
    ModalWatcher() {
        QObject::connect(&timer_, &QTimer::timeout, [this] {
            QWidget* modal = QApplication::activeModalWidget();
            if (!modal) return;
            ++opened_;
            if (auto* box = qobject_cast<QMessageBox*>(modal))
                box->done(QMessageBox::Ok);
            else
                modal->close();
        });
        timer_.start(20);
    }
    int Opened() const { return opened_; }

  private:
    QTimer timer_;
    int opened_ = 0;
};

struct GuiRun {
    bool Ended = false;  // false: still running at the deadline (then killed)
    int ExitCode = -1;
    std::string Err;
};

// Runs the built desktop program with the arguments on the offscreen
// platform and waits at most `limit` for it to end by itself.
inline GuiRun RunGuiProgram(const std::vector<std::string>& args, std::chrono::seconds limit) {
    ChildProcess child(CORVEL_GUI_PATH, args, {"QT_QPA_PLATFORM=offscreen"});
    GuiRun run;
    run.ExitCode = child.Wait(limit);
    run.Ended = run.ExitCode != -1;
    run.Err = child.Err();
    return run;
}

}  // namespace corvel::test
