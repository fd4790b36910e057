#pragma once

#include <QDialog>
#include <array>
#include <cstdint>
#include <string>

#include "model/GameSettings.h"

class QDialogButtonBox;
class QLineEdit;
class QSpinBox;

namespace corvel::gui {

struct GuiContext;

// The shredding formulas dialog (TFormShredding, texts::kShreddingDialogTitle): three
// formulas, each with the number of decimal digits its values keep. OK checks
// the formulas with the engine's checks; a formula at fault is reported in the
// error box and gets the focus, and the dialog stays open. Accepted values are
// written to the settings file at once and the methods are registered again so
// that their captions show the new formulas; when a formula or a digit count
// changed, the prefetch files of the shredding group are rebuilt too.
class ShreddingDialog : public QDialog {
    Q_OBJECT
  public:
    explicit ShreddingDialog(GuiContext& ctx, QWidget* parent = nullptr);

    void LoadFrom(const TGameSettings& settings);
    // Checks, writes and applies the formulas; true when the dialog closed.
    bool Accept();

    // Opens the dialog on the current settings; true when they were changed.
    static bool Run(GuiContext& ctx, QWidget* parent);

    QLineEdit* FormulaField(int i) const { return formulas_.at(static_cast<std::size_t>(i)); }
    QSpinBox* DigitsBox(int i) const { return digits_.at(static_cast<std::size_t>(i)); }
    QDialogButtonBox* Buttons() const { return buttons_; }

  public slots:
    void accept() override;

  private:
    GuiContext& ctx_;
    std::array<QLineEdit*, 3> formulas_{};
    std::array<QSpinBox*, 3> digits_{};
    QDialogButtonBox* buttons_ = nullptr;
};

}  // namespace corvel::gui
