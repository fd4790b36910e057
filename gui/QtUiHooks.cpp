#include "QtUiHooks.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QMessageBox>
#include <QProgressBar>
#include <QPushButton>
#include <QScreen>
#include <QVBoxLayout>
#include <cstdio>

#include "GuiText.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"

namespace corvel::gui {
namespace {

QWidget* MakeFloatingWindow(QWidget* owner) {
    auto* w = new QWidget(owner, Qt::Dialog | Qt::FramelessWindowHint);
    w->setAttribute(Qt::WA_DeleteOnClose);
    w->setWindowModality(Qt::NonModal);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(16, 12, 16, 12);
    return w;
}

void CentreOnScreen(QWidget* w) {
    w->adjustSize();
    if (QScreen* screen = QGuiApplication::primaryScreen())
        w->move(screen->availableGeometry().center() - w->rect().center());
}

}  // namespace

QtUiHooks::QtUiHooks(QWidget* owner) : owner_(owner) {}

QtUiHooks::~QtUiHooks() {
    onIdle_ = nullptr;  // its owner is going too
    while (busy_ > 0) EndBusy();
    if (progress_) delete progress_;
    if (wait_) delete wait_;
}

void QtUiHooks::ShowStatus(std::string_view text) {
    if (status_) status_->setText(Q(text));
    ProcessEvents();
}

void QtUiHooks::BeginBusy() {
    if (busy_++ == 0) {
        stop_ = false;
        QApplication::setOverrideCursor(Qt::WaitCursor);
    }
}

void QtUiHooks::EndBusy() {
    if (busy_ <= 0) return;
    if (--busy_ > 0) return;
    QApplication::restoreOverrideCursor();
    if (onIdle_) onIdle_();
}

void QtUiHooks::Log(std::string_view text) {
    messages_ << Q(text);
    QString line = Q(text);
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    std::fprintf(stderr, "corvel-lotto: %s\n", line.toUtf8().constData());
    std::fflush(stderr);
}

void QtUiHooks::Box(int icon, const QString& caption, std::string_view text) {
    if (unattended_) {
        Log(text);
        return;
    }
    messages_ << Q(text);
    QMessageBox box(static_cast<QMessageBox::Icon>(icon), caption, Q(text), QMessageBox::Ok, owner_);
    box.exec();
}

void QtUiHooks::Error(std::string_view text) { Box(QMessageBox::Critical, Q(texts::kMessageBoxError), text); }
void QtUiHooks::Info(std::string_view text) { Box(QMessageBox::Information, Q(texts::kMessageBoxInfo), text); }
void QtUiHooks::Warning(std::string_view text) { Box(QMessageBox::Warning, Q(texts::kMessageBoxWarning), text); }

bool QtUiHooks::Ask(std::string_view text, bool defaultYes) {
    if (unattended_) {
        Log(text);
        return defaultYes;
    }
    messages_ << Q(text);
    QMessageBox box(QMessageBox::Question, Q(texts::kMessageBoxQuestion), Q(text), QMessageBox::Yes | QMessageBox::No,
                    owner_);
    box.setDefaultButton(defaultYes ? QMessageBox::Yes : QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

bool QtUiHooks::ConfirmDelete(int rows) {
    const std::string text = rows == 1 ? texts::kDeleteConfirmOne.Str() : Format(texts::kDeleteConfirmMany, {rows});
    messages_ << Q(text);
    QMessageBox box(QMessageBox::Warning, Q(texts::kMessageBoxDeleteWarning), Q(text),
                    QMessageBox::Yes | QMessageBox::No, owner_);
    box.setDefaultButton(QMessageBox::No);
    return box.exec() == QMessageBox::Yes;
}

void QtUiHooks::OpenProgress(std::string_view text, int maximum) {
    if (progress_) throw ECorvelError(texts::kProgressExists);
    progress_ = MakeFloatingWindow(owner_);
    auto* layout = progress_->layout();
    auto* label = new QLabel(Q(text.empty() ? std::string_view(texts::kPleaseWait) : text), progress_);
    gauge_ = new QProgressBar(progress_);
    gauge_->setRange(0, std::max(1, maximum));
    gauge_->setValue(0);
    gauge_->setMinimumWidth(360);
    auto* cancel = new QPushButton(Q(texts::kGuiCancel), progress_);
    cancel->setObjectName(QStringLiteral("ProgressCancel"));
    cancel->hide();
    cancel_ = cancel;
    QObject::connect(cancel, &QPushButton::clicked, progress_, [this] { RequestStop(); });
    layout->addWidget(label);
    layout->addWidget(gauge_);
    layout->addWidget(cancel);
    CentreOnScreen(progress_);
    progress_->show();
    ProcessEvents();
}

void QtUiHooks::ShowProgressCancel() {
    if (!cancel_ || !progress_) return;
    cancel_->show();
    CentreOnScreen(progress_);
    ProcessEvents();
}

void QtUiHooks::StepProgress(int steps) {
    if (!gauge_) return;
    gauge_->setValue(std::min(gauge_->maximum(), gauge_->value() + steps));
    ProcessEvents();
}

void QtUiHooks::CloseProgress() {
    if (progress_) delete progress_;
}

void QtUiHooks::ShowWait(std::string_view text) {
    if (!wait_) {
        wait_ = MakeFloatingWindow(owner_);
        waitText_ = new QLabel(wait_);
        waitText_->setAlignment(Qt::AlignCenter);
        waitText_->setWordWrap(true);
        waitText_->setMinimumWidth(360);
        wait_->layout()->addWidget(waitText_);
    }
    waitText_->setText(Q(text));
    CentreOnScreen(wait_);
    wait_->show();
    wait_->raise();
    ProcessEvents();
}

void QtUiHooks::UpdateWait(std::string_view text) {
    if (waitText_) waitText_->setText(Q(text));
    ProcessEvents();
}

void QtUiHooks::CloseWait() {
    if (wait_) delete wait_;
}

// User input is let through so that a stop request arrives; every command is
// disabled while busy, so nothing else can start meanwhile.
void QtUiHooks::ProcessEvents() { QApplication::processEvents(); }

}  // namespace corvel::gui
