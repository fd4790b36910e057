#pragma once

#include <QDialog>
#include <optional>

#include "model/DrawRecord.h"

class QDateEdit;
class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTimeEdit;

namespace corvel::gui {

class QtUiHooks;

// The draw dialog (TFormDraw): the draw number, the six numbers with the two
// extra numbers in one text field, and the draw's date and time. OK is taken
// only when the numbers are acceptable; otherwise the error box is shown and
// the numbers field gets the focus again.
class DrawDialog : public QDialog {
    Q_OBJECT
  public:
    explicit DrawDialog(QtUiHooks& hooks, QWidget* parent = nullptr);

    // Fills the fields from the record: its number, "n1;...;n6;e1;e2", and its
    // date (time 00:00), or today and the current time when it has none.
    void SetRecord(const TDrawRec& rec);
    // Without the date the date row is hidden and the date of the record is
    // left as it was.
    void SetDateShown(bool shown);
    // The record as accepted: number, numbers in the order typed, extras and,
    // with the date row shown, the picked date as "dd.mm.yyyy".
    TDrawRec Record() const;

    // Opens the dialog with that caption on the record; the accepted record,
    // or nothing when cancelled.
    static std::optional<TDrawRec> Run(QtUiHooks& hooks, QWidget* parent, const QString& caption, const TDrawRec& rec,
                                       bool showDate = true);

    QSpinBox* NumberField() const { return number_; }
    QLineEdit* NumbersField() const { return numbers_; }
    QDateEdit* DateField() const { return date_; }
    QTimeEdit* TimeField() const { return time_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    QtUiHooks& hooks_;
    TDrawRec rec_;
    bool dateShown_ = true;
    QSpinBox* number_ = nullptr;
    QLineEdit* numbers_ = nullptr;
    QLabel* dateLabel_ = nullptr;
    QDateEdit* date_ = nullptr;
    QTimeEdit* time_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
