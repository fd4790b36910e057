#pragma once

#include <QDialog>
#include <QValidator>

#include "stats/FilterDefinition.h"

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLineEdit;
class QSpinBox;

namespace corvel {
class TStatList;
namespace app {
class UiHooks;
}
}  // namespace corvel

namespace corvel::gui {

struct GuiContext;

// Accepts only the characters of the integer-list fields: digits, ",", "-"
// and ";".
class ListFieldValidator : public QValidator {
    Q_OBJECT
  public:
    using QValidator::QValidator;
    State validate(QString& input, int& pos) const override;
};

// The filter definition dialog (texts::kFilterDialogTitle): method, window lengths, the column
// the table is sorted by and the walking direction, keep or remove, one row at
// a time or all at once, how rows qualify, when the walk stops, and optional
// coefficients of the weight column. OK refuses a definition that cannot run
// and puts the cursor into the field at fault.
class FilterDialog : public QDialog {
    Q_OBJECT
  public:
    FilterDialog(const TStatList& stats, app::UiHooks& hooks, QWidget* parent = nullptr);

    void Load(const TFilterItem& item);
    // The definition as the fields now describe it.
    TFilterItem Item() const;
    // Shows the dialog modally with `item`; on OK writes the result back and
    // answers true.
    bool EditFilterItem(TFilterItem& item);

  public slots:
    void accept() override;

  private:
    void UpdateEnabling();
    bool CoefficientsEditable() const;

    const TStatList& stats_;
    app::UiHooks& hooks_;
    TFilterItem loaded_;

    QComboBox* method_ = nullptr;
    QLineEdit* windows_ = nullptr;
    QComboBox* sortColumn_ = nullptr;
    QComboBox* direction_ = nullptr;
    QComboBox* mode_ = nullptr;
    QCheckBox* multiSelect_ = nullptr;
    QComboBox* levelMode_ = nullptr;
    QLineEdit* levelValue_ = nullptr;
    QComboBox* stopMode_ = nullptr;
    QSpinBox* stopValue_ = nullptr;
    QCheckBox* cdlOverride_ = nullptr;
    QDoubleSpinBox* countCoef_ = nullptr;
    QDoubleSpinBox* deviationCoef_ = nullptr;
    QDoubleSpinBox* levelCoef_ = nullptr;
    QCheckBox* usePercents_ = nullptr;
    QCheckBox* useAbsValues_ = nullptr;
};

// The dialog over the workspace's registry; true on OK.
bool EditFilterItem(GuiContext& ctx, TFilterItem& item, QWidget* parent = nullptr);

}  // namespace corvel::gui
