#pragma once

class QDialog;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

// The fields the stake dialogs share, with their names and limits.
namespace corvel::gui {

QSpinBox* MakeDrawNumberField(QDialog* dialog);  // edDrawNumber, 1..2147483647
QSpinBox* MakeDrawsCountField(QDialog* dialog);  // edDrawsCount, 1..65535
QLineEdit* MakeCommentField(QDialog* dialog);    // edComment, at most 64 characters
// OK and cancel (texts::kGuiCancel), wired to accept and reject.
QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog);

}  // namespace corvel::gui
