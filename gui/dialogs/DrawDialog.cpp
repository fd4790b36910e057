#include "dialogs/DrawDialog.h"

#include <QDateEdit>
#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QTimeEdit>
#include <QVBoxLayout>
#include <chrono>
#include <limits>

#include "GuiText.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/DateText.h"
#include "model/DrawInput.h"

namespace corvel::gui {

DrawDialog::DrawDialog(QtUiHooks& hooks, QWidget* parent) : QDialog(parent), hooks_(hooks) {
    setObjectName(QStringLiteral("TFormDraw"));
    setWindowTitle(Q(texts::kDrawDialogTitle));

    auto* layout = new QVBoxLayout(this);

    auto* numberLabel = new QLabel(Q(texts::kDrawDialogNumberLabel), this);
    number_ = new QSpinBox(this);
    number_->setObjectName(QStringLiteral("DrawNumber"));
    number_->setRange(1, std::numeric_limits<int>::max());
    numberLabel->setBuddy(number_);
    layout->addWidget(numberLabel);
    layout->addWidget(number_);

    auto* numbersLabel = new QLabel(Q(texts::kDrawDialogNumbersLabel), this);
    numbers_ = new QLineEdit(this);
    numbers_->setObjectName(QStringLiteral("DrawNumbers"));
    numbersLabel->setBuddy(numbers_);
    layout->addWidget(numbersLabel);
    layout->addWidget(numbers_);

    dateLabel_ = new QLabel(Q(texts::kDrawDialogDateLabel), this);
    date_ = new QDateEdit(this);
    date_->setObjectName(QStringLiteral("DrawDate"));
    date_->setDisplayFormat(QStringLiteral("dd.MM.yyyy"));
    date_->setCalendarPopup(true);
    time_ = new QTimeEdit(this);
    time_->setObjectName(QStringLiteral("DrawTime"));
    time_->setDisplayFormat(QStringLiteral("HH:mm"));
    dateLabel_->setBuddy(date_);
    auto* dateRow = new QHBoxLayout;
    dateRow->addWidget(date_, 1);
    dateRow->addWidget(time_);
    layout->addWidget(dateLabel_);
    layout->addLayout(dateRow);
    layout->addStretch(1);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons_, &QDialogButtonBox::accepted, this, &DrawDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &DrawDialog::reject);
    layout->addWidget(buttons_);

    setMinimumWidth(420);
    SetRecord(TDrawRec{});
}

void DrawDialog::SetRecord(const TDrawRec& rec) {
    rec_ = rec;
    number_->setValue(rec.Number);
    numbers_->setText(Q(FormatDrawNumbers(rec)));
    if (const auto ymd = ParseDateText(rec.DateText())) {
        date_->setDate(QDate(static_cast<int>(ymd->year()), static_cast<int>(static_cast<unsigned>(ymd->month())),
                             static_cast<int>(static_cast<unsigned>(ymd->day()))));
        time_->setTime(QTime(0, 0));
    } else {
        const QDateTime now = QDateTime::currentDateTime();
        date_->setDate(now.date());
        time_->setTime(now.time());
    }
    numbers_->setFocus();
}

void DrawDialog::SetDateShown(bool shown) {
    dateShown_ = shown;
    dateLabel_->setVisible(shown);
    date_->setVisible(shown);
    time_->setVisible(shown);
    if (!shown) resize(width(), 200);
}

TDrawRec DrawDialog::Record() const { return rec_; }

void DrawDialog::accept() {
    const auto input = ParseDrawNumbers(S(numbers_->text()));
    if (!input) {
        hooks_.Error(input.Error());
        numbers_->setFocus();
        numbers_->selectAll();
        return;
    }
    rec_.Number = number_->value();
    rec_.Numbers = input->Numbers;
    rec_.Extra = input->Extra;
    if (dateShown_) {
        // The time is asked for, but the archive keeps the day only.
        const QDate d = date_->date();
        rec_.SetDateText(
            FormatDateText(std::chrono::year{d.year()} / std::chrono::month{static_cast<unsigned>(d.month())} /
                           std::chrono::day{static_cast<unsigned>(d.day())}));
    }
    QDialog::accept();
}

std::optional<TDrawRec> DrawDialog::Run(QtUiHooks& hooks, QWidget* parent, const QString& caption, const TDrawRec& rec,
                                        bool showDate) {
    DrawDialog dialog(hooks, parent);
    dialog.setWindowTitle(caption);
    dialog.SetRecord(rec);
    dialog.SetDateShown(showDate);
    if (dialog.exec() != QDialog::Accepted) return std::nullopt;
    return dialog.Record();
}

}  // namespace corvel::gui
