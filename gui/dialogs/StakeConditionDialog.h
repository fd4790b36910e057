#pragma once

#include <QDialog>

#include "stakes/StakesFile.h"

class QComboBox;
class QDialogButtonBox;
class QSpinBox;

namespace corvel::gui {

// The condition dialog (texts::kStakeConditionDialogTitle): a comparison of
// the match count with a value 0..6. It opens with "equal" and 0 every time.
class StakeConditionDialog : public QDialog {
    Q_OBJECT
  public:
    explicit StakeConditionDialog(QWidget* parent = nullptr);

    TStakeCondition Condition() const;
    int Value() const;

    QComboBox* ConditionField() const { return condition_; }
    QSpinBox* ValueField() const { return value_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  private:
    QComboBox* condition_ = nullptr;
    QSpinBox* value_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
