#pragma once

#include <QDialog>
#include <array>
#include <string>

#include "scenarios/ScriptItem.h"

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLineEdit;
class QSpinBox;
class QToolButton;

namespace corvel::gui {

struct GuiContext;

// The scenario item editor (texts::kScriptItemDialogTitle): the comment, how
// the combination list starts (with the count of newest draws to exclude),
// what to do with more than one combination left, the two stake switches and
// seven filter definitions, each editable in the filter dialog through its
// "..." button or a double click. OK takes the item only when the engine's
// checks pass; otherwise the refusal is shown, the dialog stays open and the
// field at fault gets the focus.
class ScriptItemDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ScriptItemDialog(GuiContext& ctx, QWidget* parent = nullptr);

    void SetItem(const TScriptItem& item);
    // The item as the fields now describe it.
    TScriptItem Item() const;
    // After OK: the line to store, every filter in its canonical text.
    const std::string& Line() const { return line_; }

    QLineEdit* CommentField() const { return comment_; }
    QComboBox* StartField() const { return start_; }
    QSpinBox* DrawsExcludeField() const { return exclude_; }
    QComboBox* ModeField() const { return mode_; }
    QCheckBox* ClearStakesField() const { return clearStakes_; }
    QCheckBox* NewOnlyField() const { return newOnly_; }
    QLineEdit* FilterField(int i) const { return filters_.at(static_cast<std::size_t>(i)); }
    QToolButton* FilterButton(int i) const { return filterButtons_.at(static_cast<std::size_t>(i)); }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    // The filter dialog over field i; on OK the definition is written back.
    void EditFilter(int i);

    GuiContext& ctx_;
    std::string line_;
    QLineEdit* comment_ = nullptr;
    QComboBox* start_ = nullptr;
    QSpinBox* exclude_ = nullptr;
    QComboBox* mode_ = nullptr;
    QCheckBox* clearStakes_ = nullptr;
    QCheckBox* newOnly_ = nullptr;
    std::array<QLineEdit*, kScriptFilters> filters_{};
    std::array<QToolButton*, kScriptFilters> filterButtons_{};
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
