#include "dialogs/StakeConditionDialog.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QSpinBox>
#include <QVBoxLayout>

#include "GuiText.h"
#include "dialogs/StakeFields.h"
#include "i18n/Texts.h"

namespace corvel::gui {

StakeConditionDialog::StakeConditionDialog(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TFormStakeCondition"));
    setWindowTitle(Q(texts::kStakeConditionDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);
    condition_ = new QComboBox(this);
    condition_->setObjectName(QStringLiteral("cbCondition"));
    // In the order of the operators 0..4.
    for (const i18n::TextId& item :
         {texts::kStakeConditionEqual, texts::kStakeConditionGreater, texts::kStakeConditionAtLeast,
          texts::kStakeConditionLess, texts::kStakeConditionAtMost})
        condition_->addItem(Q(item));
    condition_->setCurrentIndex(0);
    form->addRow(Q(texts::kStakeConditionLabel), condition_);
    value_ = new QSpinBox(this);
    value_->setObjectName(QStringLiteral("edValue"));
    value_->setRange(0, kNumbersPerDraw);
    value_->setValue(0);
    form->addRow(Q(texts::kStakeConditionValueLabel), value_);
    layout->addStretch(1);
    buttons_ = MakeOkCancelButtons(this);
    layout->addWidget(buttons_);
    setMinimumWidth(320);
}

TStakeCondition StakeConditionDialog::Condition() const {
    return static_cast<TStakeCondition>(std::clamp(condition_->currentIndex(), 0, 4));
}

int StakeConditionDialog::Value() const { return value_->value(); }

}  // namespace corvel::gui
