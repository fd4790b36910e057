#include "dialogs/MultiStakeDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QVBoxLayout>

#include "GuiText.h"
#include "QtUiHooks.h"
#include "dialogs/StakeFields.h"
#include "i18n/Texts.h"
#include "stakes/StakeInput.h"

namespace corvel::gui {

MultiStakeDialog::MultiStakeDialog(QtUiHooks& hooks, std::int32_t draw, QWidget* parent)
    : QDialog(parent), hooks_(hooks) {
    setObjectName(QStringLiteral("TFormMultiStake"));
    setWindowTitle(Q(texts::kMultiStakeDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    drawNumber_ = MakeDrawNumberField(this);
    drawNumber_->setValue(draw);
    form->addRow(Q(texts::kStakeDialogDrawNumberLabel), drawNumber_);
    drawsCount_ = MakeDrawsCountField(this);
    form->addRow(Q(texts::kStakeDialogDrawsCountLabel), drawsCount_);
    comment_ = MakeCommentField(this);
    comment_->setText(Q(texts::kStakeManualComment));
    form->addRow(Q(texts::kStakeDialogCommentLabel), comment_);
    layout->addStretch(1);
    buttons_ = MakeOkCancelButtons(this);
    layout->addWidget(buttons_);
    setMinimumWidth(380);
    comment_->setFocus();
}

std::int32_t MultiStakeDialog::Draw() const { return drawNumber_->value(); }

int MultiStakeDialog::DrawsCount() const { return drawsCount_->value(); }

std::string MultiStakeDialog::Comment() const { return S(comment_->text()); }

void MultiStakeDialog::accept() {
    if (const TCheck check = CheckStakeComment(Comment()); !check) {
        hooks_.Error(check.Error());
        comment_->setFocus();
        return;
    }
    QDialog::accept();
}

}  // namespace corvel::gui
