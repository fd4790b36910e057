#pragma once

#include <QDialog>

#include "stakes/StakeRecord.h"

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace corvel::gui {

class QtUiHooks;

// The stake dialog (texts::kStakeDialogTitle): the first draw, the number of
// draws, the six numbers with their sum kept up to date, and the comment. OK
// is taken only for six different numbers 1..48 and a comment; otherwise the
// error box is shown and the field at fault gets the focus again.
class StakeDialog : public QDialog {
    Q_OBJECT
  public:
    explicit StakeDialog(QtUiHooks& hooks, QWidget* parent = nullptr);

    // Fills the fields from the record (its draw, numbers and comment).
    void SetRecord(const TStakeRec& rec, int draws = 1);
    // The record given, with the draw, the numbers (ascending) and the
    // comment as accepted; every other field as it was given.
    const TStakeRec& Record() const { return rec_; }
    int DrawsCount() const;

    QSpinBox* DrawNumberField() const { return drawNumber_; }
    QSpinBox* DrawsCountField() const { return drawsCount_; }
    QLineEdit* NumbersField() const { return numbers_; }
    QLineEdit* SumField() const { return sum_; }
    QLineEdit* CommentField() const { return comment_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    QtUiHooks& hooks_;
    TStakeRec rec_;
    QSpinBox* drawNumber_ = nullptr;
    QSpinBox* drawsCount_ = nullptr;
    QLineEdit* numbers_ = nullptr;
    QLineEdit* sum_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
