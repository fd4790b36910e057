#include "dialogs/StakeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <limits>

#include "GuiText.h"
#include "QtUiHooks.h"
#include "dialogs/StakeFields.h"
#include "i18n/Texts.h"
#include "stakes/StakeInput.h"

namespace corvel::gui {

StakeDialog::StakeDialog(QtUiHooks& hooks, QWidget* parent) : QDialog(parent), hooks_(hooks) {
    setObjectName(QStringLiteral("TFormStake"));
    setWindowTitle(Q(texts::kStakeDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    drawNumber_ = MakeDrawNumberField(this);
    form->addRow(Q(texts::kStakeDialogDrawNumberLabel), drawNumber_);
    drawsCount_ = MakeDrawsCountField(this);
    form->addRow(Q(texts::kStakeDialogDrawsCountLabel), drawsCount_);

    numbers_ = new QLineEdit(this);
    numbers_->setObjectName(QStringLiteral("edStakeData"));
    form->addRow(Q(texts::kStakeDialogNumbersLabel), numbers_);
    sum_ = new QLineEdit(this);
    sum_->setObjectName(QStringLiteral("edStakeSum"));
    sum_->setReadOnly(true);
    sum_->setFocusPolicy(Qt::NoFocus);
    form->addRow(Q(texts::kStakeDialogSumLabel), sum_);
    connect(numbers_, &QLineEdit::textChanged, this,
            [this](const QString& text) { sum_->setText(QString::number(StakeNumbersSum(S(text)))); });

    comment_ = MakeCommentField(this);
    form->addRow(Q(texts::kStakeDialogCommentLabel), comment_);

    layout->addStretch(1);
    buttons_ = MakeOkCancelButtons(this);
    layout->addWidget(buttons_);
    setMinimumWidth(420);
    SetRecord(TStakeRec{});
}

void StakeDialog::SetRecord(const TStakeRec& rec, int draws) {
    rec_ = rec;
    drawNumber_->setValue(rec.Draw);
    drawsCount_->setValue(draws);
    QString numbers;
    for (int i = 0; i < std::clamp(rec.Stake.Count, 0, TStakeNumbers::kCapacity); ++i) {
        if (i) numbers += QLatin1Char(';');
        numbers += QString::number(rec.Stake.Values[static_cast<std::size_t>(i)]);
    }
    numbers_->setText(numbers);
    sum_->setText(QString::number(StakeNumbersSum(S(numbers))));
    comment_->setText(Q(rec.Comment()));
    numbers_->setFocus();
}

int StakeDialog::DrawsCount() const { return drawsCount_->value(); }

void StakeDialog::accept() {
    const auto numbers = ParseStakeNumbers(S(numbers_->text()));
    if (!numbers) {
        hooks_.Error(numbers.Error());
        numbers_->setFocus();
        numbers_->selectAll();
        return;
    }
    const std::string comment = S(comment_->text());
    if (const TCheck check = CheckStakeComment(comment); !check) {
        hooks_.Error(check.Error());
        comment_->setFocus();
        return;
    }
    rec_.Draw = drawNumber_->value();
    rec_.Stake = TStakeNumbers{};
    rec_.Stake.Count = kNumbersPerDraw;
    for (std::size_t i = 0; i < numbers->size(); ++i) rec_.Stake.Values[i] = (*numbers)[i];
    rec_.SetComment(comment);
    QDialog::accept();
}

}  // namespace corvel::gui
