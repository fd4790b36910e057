#pragma once

#include <QDialog>
#include <cstdint>
#include <string>

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace corvel::gui {

class QtUiHooks;

// The multi-stake dialog (texts::kMultiStakeDialogTitle): the first draw, the
// number of draws and the comment shared by all the stakes made at once from
// combinations. The comment is required.
class MultiStakeDialog : public QDialog {
    Q_OBJECT
  public:
    MultiStakeDialog(QtUiHooks& hooks, std::int32_t draw, QWidget* parent = nullptr);

    std::int32_t Draw() const;
    int DrawsCount() const;
    std::string Comment() const;  // UTF-8

    QSpinBox* DrawNumberField() const { return drawNumber_; }
    QSpinBox* DrawsCountField() const { return drawsCount_; }
    QLineEdit* CommentField() const { return comment_; }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    QtUiHooks& hooks_;
    QSpinBox* drawNumber_ = nullptr;
    QSpinBox* drawsCount_ = nullptr;
    QLineEdit* comment_ = nullptr;
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
