#pragma once

#include <QDialog>
#include <vector>

#include "app/TablesService.h"

class QDialogButtonBox;
class QLineEdit;
class QRadioButton;
class QSpinBox;

namespace corvel::gui {

class QtUiHooks;

// The regular dialog (texts::kTableDialogTitle) over the combinations
// selected in the list: the comment, a fixed start (typed when exactly one
// combination is selected, else the selected ones) or the previous draw, and
// the step. OK is taken only when the tables service accepts the draft;
// otherwise the error box is shown and the field at fault gets the focus.
class TableDialog : public QDialog {
    Q_OBJECT
  public:
    TableDialog(QtUiHooks& hooks, const app::TablesService& tables, std::vector<app::TSelectedComb> selected,
                QWidget* parent = nullptr);

    // The fields as a draft (the start text only where it is used).
    app::TTableDraft Draft() const;
    const std::vector<app::TSelectedComb>& Selected() const { return selected_; }

    QLineEdit* CommentField() const { return comment_; }
    QRadioButton* UseMyCombButton() const { return useMyComb_; }
    QLineEdit* StartField() const { return start_; }
    QRadioButton* UseLastDrawButton() const { return useLastDraw_; }
    QSpinBox* StepField() const { return step_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    bool StartTyped() const;

    QtUiHooks& hooks_;
    const app::TablesService& tables_;
    std::vector<app::TSelectedComb> selected_;
    QLineEdit* comment_ = nullptr;
    QRadioButton* useMyComb_ = nullptr;
    QLineEdit* start_ = nullptr;
    QRadioButton* useLastDraw_ = nullptr;
    QSpinBox* step_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
