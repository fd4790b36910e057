#include "dialogs/TableDialog.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QSpinBox>
#include <QVBoxLayout>

#include "GuiText.h"
#include "QtUiHooks.h"
#include "dialogs/StakeFields.h"
#include "i18n/Texts.h"

namespace corvel::gui {

TableDialog::TableDialog(QtUiHooks& hooks, const app::TablesService& tables, std::vector<app::TSelectedComb> selected,
                         QWidget* parent)
    : QDialog(parent), hooks_(hooks), tables_(tables), selected_(std::move(selected)) {
    setObjectName(QStringLiteral("TFormTable"));
    setWindowTitle(Q(texts::kTableDialogTitle));
    const app::TTableDraft draft = app::NewTableDraft(selected_);
    auto* layout = new QVBoxLayout(this);

    layout->addWidget(new QLabel(Q(texts::kTableDialogComment), this));
    comment_ = MakeCommentField(this);
    comment_->setText(Q(draft.Comment));
    layout->addWidget(comment_);

    useMyComb_ = new QRadioButton(Q(texts::kTableDialogUseMyComb), this);
    useMyComb_->setObjectName(QStringLiteral("rbUseMyComb"));
    useMyComb_->setChecked(true);
    layout->addWidget(useMyComb_);
    start_ = new QLineEdit(this);
    start_->setObjectName(QStringLiteral("edCombStart"));
    start_->setToolTip(Q(texts::kTableDialogStartHint));
    start_->setStatusTip(Q(texts::kTableDialogStartHint));
    start_->setText(selected_.size() == 1 ? Q(draft.StartText) : Q(texts::kTableDialogSelected));
    layout->addWidget(start_);
    useLastDraw_ = new QRadioButton(Q(texts::kTableDialogUseLastDraw), this);
    useLastDraw_->setObjectName(QStringLiteral("rbUseLastDraw"));
    layout->addWidget(useLastDraw_);

    auto* form = new QFormLayout;
    step_ = new QSpinBox(this);
    step_->setObjectName(QStringLiteral("edStep"));
    step_->setRange(-TTableRec::kMaxStep, TTableRec::kMaxStep);
    step_->setValue(draft.Step);
    step_->setToolTip(Q(texts::kTableDialogStepHint));
    step_->setStatusTip(Q(texts::kTableDialogStepHint));
    form->addRow(Q(texts::kTableDialogStep), step_);
    layout->addLayout(form);

    // The start is typed only for one selected combination with a fixed start.
    auto follow = [this] { start_->setEnabled(StartTyped()); };
    connect(useMyComb_, &QRadioButton::toggled, this, follow);
    follow();

    layout->addStretch(1);
    buttons_ = MakeOkCancelButtons(this);
    layout->addWidget(buttons_);
    setMinimumWidth(420);
    comment_->setFocus();
    comment_->selectAll();
}

bool TableDialog::StartTyped() const { return useMyComb_->isChecked() && selected_.size() == 1; }

app::TTableDraft TableDialog::Draft() const {
    app::TTableDraft draft;
    draft.Comment = S(comment_->text());
    draft.UseLastDraw = useLastDraw_->isChecked();
    if (StartTyped()) draft.StartText = S(start_->text());
    draft.Step = step_->value();
    return draft;
}

void TableDialog::accept() {
    const app::TTableDraft draft = Draft();
    const TCheck check = tables_.Check(draft, selected_.size());
    if (!check) {
        hooks_.Error(check.Error());
        // The start numbers are checked first; anything else is the comment's.
        QLineEdit* field = StartTyped() && check.Error() == texts::kBadCombination.Str() ? start_ : comment_;
        field->setFocus();
        field->selectAll();
        return;
    }
    QDialog::accept();
}

}  // namespace corvel::gui
