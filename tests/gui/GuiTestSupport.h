#pragma once

#include <QApplication>
#include <QMessageBox>
#include <QTimer>
#include <fcntl.h>
#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <functional>
#include <string>
#include <thread>
#include <vector>

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
inline GuiRun RunGuiProgram(const std::vector<std::string>& args,
                            const std::filesystem::path& errFile, std::chrono::seconds limit) {
    const pid_t pid = ::fork();
    if (pid < 0) return {};
    if (pid == 0) {
        const int err = ::open(errFile.c_str(), O_WRONLY | O_CREAT | O_TRUNC, 0666);
        ::dup2(err, 2);
        ::setenv("QT_QPA_PLATFORM", "offscreen", 1);
        std::string program = CORVEL_GUI_PATH;
        std::vector<std::string> copy = args;
        std::vector<char*> argv{program.data()};
        for (auto& a : copy) argv.push_back(a.data());
        argv.push_back(nullptr);
        ::execv(program.c_str(), argv.data());
        ::_exit(127);
    }
    GuiRun run;
    int status = 0;
    const auto deadline = std::chrono::steady_clock::now() + limit;
    while (true) {
        if (::waitpid(pid, &status, WNOHANG) == pid) {
            run.Ended = true;
            break;
        }
        if (std::chrono::steady_clock::now() > deadline) {
            ::kill(pid, SIGKILL);
            ::waitpid(pid, &status, 0);
            break;
        }
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    if (run.Ended && WIFEXITED(status)) run.ExitCode = WEXITSTATUS(status);
    if (std::FILE* f = std::fopen(errFile.c_str(), "rb")) {
        char buffer[4096];
        std::size_t n = 0;
        while ((n = std::fread(buffer, 1, sizeof buffer, f)) > 0) run.Err.append(buffer, n);
        std::fclose(f);
    }
    return run;
}

}  // namespace corvel::test
