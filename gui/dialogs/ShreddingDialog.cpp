#include "dialogs/ShreddingDialog.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <algorithm>

#include "GuiContext.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "dialogs/ConfigDialog.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "model/SettingsValidation.h"

namespace corvel::gui {

ShreddingDialog::ShreddingDialog(GuiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TFormShredding"));
    setWindowTitle(Q(texts::kShreddingDialogTitle));

    auto* grid = new QGridLayout;
    for (int i = 0; i < 3; ++i) {
        auto* formula = new QLineEdit(this);
        formula->setObjectName(QStringLiteral("edFormula%1").arg(i + 1));
        formula->setToolTip(Q(texts::kShreddingDialogFormulaHint));
        formula->setMinimumWidth(320);
        auto* digits = new QSpinBox(this);
        digits->setObjectName(QStringLiteral("edDigits%1").arg(i + 1));
        digits->setRange(kFormulaDigitsRange.Min, kFormulaDigitsRange.Max);
        digits->setToolTip(Q(texts::kShreddingDialogDigitsHint));
        auto* label = new QLabel(Q(texts::kShreddingDialogFormulaLabel).arg(i + 1), this);
        label->setBuddy(formula);
        grid->addWidget(label, i, 0);
        grid->addWidget(formula, i, 1);
        grid->addWidget(digits, i, 2);
        formulas_[static_cast<std::size_t>(i)] = formula;
        digits_[static_cast<std::size_t>(i)] = digits;
    }

    auto* note = new QLabel(Q(texts::kShreddingDialogVariables), this);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons_, &QDialogButtonBox::accepted, this, &ShreddingDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ShreddingDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(note);
    layout->addStretch(1);
    layout->addWidget(buttons_);
}

void ShreddingDialog::LoadFrom(const TGameSettings& settings) {
    for (std::size_t i = 0; i < 3; ++i) {
        formulas_[i]->setText(Q(settings.Formulas[i]));
        digits_[i]->setValue(kFormulaDigitsRange.Contains(settings.FormulaDigits[i]) ? settings.FormulaDigits[i]
                                                                                     : kDefaultFormulaDigits);
    }
    formulas_[0]->setFocus();
}

bool ShreddingDialog::Accept() {
    std::array<std::string, 3> formulas;
    std::array<std::int32_t, 3> digits{};
    for (std::size_t i = 0; i < 3; ++i) {
        formulas[i] = S(formulas_[i]->text());
        digits[i] = digits_[i]->value();
    }
    for (std::size_t i = 0; i < 3; ++i) {
        if (const TCheck check = CheckShreddingFormula(static_cast<int>(i) + 1, formulas[i]); !check) {
            ctx_.Hooks.Error(check.Error());
            formulas_[i]->setFocus();
            formulas_[i]->selectAll();
            return false;
        }
    }
    if (const TCheck check = ValidateShredding(formulas, digits); !check) {
        ctx_.Hooks.Error(check.Error());
        digits_[0]->setFocus();
        return false;
    }

    if (!ctx_.Ws.Settings().SaveShredding(formulas, digits)) return false;
    QDialog::accept();
    return true;
}

void ShreddingDialog::accept() { Accept(); }

bool ShreddingDialog::Run(GuiContext& ctx, QWidget* parent) {
    // The formulas were read with the other settings at start-up.
    ShreddingDialog dialog(ctx, parent);
    dialog.LoadFrom(ctx.Ws.Settings().Game());
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace corvel::gui
