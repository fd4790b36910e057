#include "dialogs/ScriptItemDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QEvent>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>
#include <algorithm>
#include <limits>

#include "GuiContext.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "dialogs/FilterDialog.h"
#include "dialogs/StakeFields.h"
#include "i18n/Texts.h"
#include "model/TextUtil.h"
#include "stats/FilterDefinition.h"

namespace corvel::gui {

ScriptItemDialog::ScriptItemDialog(GuiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TFormScriptItem"));
    setWindowTitle(Q(texts::kScriptItemDialogTitle));
    auto* layout = new QVBoxLayout(this);
    auto* form = new QFormLayout;
    layout->addLayout(form);

    comment_ = new QLineEdit(this);
    comment_->setObjectName(QStringLiteral("edComments"));
    comment_->setToolTip(Q(texts::kScriptItemCommentsHint));
    comment_->setPlaceholderText(Q(texts::kScriptItemCommentsHint));
    form->addRow(Q(texts::kScriptItemCommentsLabel), comment_);

    start_ = new QComboBox(this);
    start_->setObjectName(QStringLiteral("cbStartCombsType"));
    for (int i = 0; i < kStartTypes; ++i) start_->addItem(Q(StartTypeEditorText(i)));
    form->addRow(Q(texts::kScriptItemStartLabel), start_);

    exclude_ = new QSpinBox(this);
    exclude_->setObjectName(QStringLiteral("edDrawsExclude"));
    exclude_->setRange(0, std::numeric_limits<std::int32_t>::max());
    exclude_->setToolTip(Q(texts::kScriptItemDrawsHint));
    form->addRow(Q(texts::kScriptItemDrawsLabel), exclude_);

    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("cbResultCombsMode"));
    for (int i = 0; i < kResultModes; ++i) mode_->addItem(Q(ResultModeEditorText(i)));
    form->addRow(Q(texts::kScriptItemModeLabel), mode_);

    clearStakes_ = new QCheckBox(Q(texts::kScriptItemClearStakes), this);
    clearStakes_->setObjectName(QStringLiteral("cbClearStakes"));
    form->addRow(clearStakes_);
    newOnly_ = new QCheckBox(Q(texts::kScriptItemNewOnly), this);
    newOnly_->setObjectName(QStringLiteral("cbNewOnly"));
    form->addRow(newOnly_);

    for (int i = 0; i < kScriptFilters; ++i) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(QStringLiteral("edFilter%1").arg(i + 1));
        edit->installEventFilter(this);
        auto* button = new QToolButton(this);
        button->setObjectName(QStringLiteral("btFilter%1").arg(i + 1));
        button->setText(QStringLiteral("..."));
        button->setToolTip(Q(texts::kScriptItemFilterButtonHint));
        connect(button, &QToolButton::clicked, this, [this, i] { EditFilter(i); });
        auto* row = new QHBoxLayout;
        row->setSpacing(2);
        row->addWidget(edit, 1);
        row->addWidget(button);
        form->addRow(Q(texts::kScriptItemFilterLabel).arg(i + 1), row);
        filters_[static_cast<std::size_t>(i)] = edit;
        filterButtons_[static_cast<std::size_t>(i)] = button;
    }

    layout->addStretch(1);
    buttons_ = MakeOkCancelButtons(this);
    layout->addWidget(buttons_);
    setMinimumWidth(640);
}

void ScriptItemDialog::SetItem(const TScriptItem& item) {
    comment_->setText(Q(item.Comment));
    start_->setCurrentIndex(item.Options.StartType < kStartTypes ? item.Options.StartType : 0);
    exclude_->setValue(std::max(0, item.Options.ExcludeDraws));
    mode_->setCurrentIndex(item.Options.ResultMode < kResultModes ? item.Options.ResultMode : 0);
    clearStakes_->setChecked(item.Options.ClearStakes);
    newOnly_->setChecked(item.Options.NewOnly);
    for (std::size_t i = 0; i < filters_.size(); ++i) filters_[i]->setText(Q(item.Filters[i]));
    comment_->setFocus();
}

TScriptItem ScriptItemDialog::Item() const {
    TScriptItem item;
    item.Comment = S(comment_->text());
    item.Options.StartType = static_cast<std::uint8_t>(std::max(0, start_->currentIndex()));
    item.Options.ExcludeDraws = exclude_->value();
    item.Options.ResultMode = static_cast<std::uint8_t>(std::max(0, mode_->currentIndex()));
    item.Options.ClearStakes = clearStakes_->isChecked();
    item.Options.NewOnly = newOnly_->isChecked();
    for (std::size_t i = 0; i < filters_.size(); ++i) item.Filters[i] = S(filters_[i]->text());
    return item;
}

void ScriptItemDialog::accept() {
    const TScriptItem item = Item();
    const TStatList& methods = ctx_.Ws.Statistics().Registry();
    auto line = CheckedScriptLine(item, methods);
    if (!line) {
        ctx_.Hooks.Error(line.Error());
        // The field at fault: the comment, else the first filter refused alone.
        QLineEdit* fault = comment_;
        if (CheckScriptField(item.Comment)) {
            for (std::size_t i = 0; i < filters_.size(); ++i) {
                TScriptItem alone;
                alone.Filters[i] = item.Filters[i];
                if (!CheckedScriptLine(alone, methods)) {
                    fault = filters_[i];
                    break;
                }
            }
        }
        fault->setFocus();
        fault->selectAll();
        return;
    }
    line_ = std::move(*line);
    QDialog::accept();
}

bool ScriptItemDialog::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonDblClick)
        for (std::size_t i = 0; i < filters_.size(); ++i)
            if (watched == filters_[i]) {
                EditFilter(static_cast<int>(i));
                return true;
            }
    return QDialog::eventFilter(watched, event);
}

void ScriptItemDialog::EditFilter(int i) {
    QLineEdit* field = FilterField(i);
    const TStatList& methods = ctx_.Ws.Statistics().Registry();
    TFilterItem filter = ParseFilterItem(S(field->text()), methods);
    // A blank field starts a new definition with the registry's coefficients.
    if (Trim(S(field->text())).empty()) filter.CDL = methods.Settings.CDLDefault;
    if (!EditFilterItem(ctx_, filter, this)) return;
    field->setText(Q(FilterItemText(filter, methods)));
}

}  // namespace corvel::gui
