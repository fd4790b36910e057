#include "dialogs/StakeFields.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <limits>

#include "GuiText.h"
#include "i18n/Texts.h"
#include "stakes/StakeInput.h"

namespace corvel::gui {

QSpinBox* MakeDrawNumberField(QDialog* dialog) {
    auto* field = new QSpinBox(dialog);
    field->setObjectName(QStringLiteral("edDrawNumber"));
    field->setRange(1, std::numeric_limits<int>::max());
    return field;
}

QSpinBox* MakeDrawsCountField(QDialog* dialog) {
    auto* field = new QSpinBox(dialog);
    field->setObjectName(QStringLiteral("edDrawsCount"));
    field->setRange(1, 65535);
    field->setValue(1);
    return field;
}

QLineEdit* MakeCommentField(QDialog* dialog) {
    auto* field = new QLineEdit(dialog);
    field->setObjectName(QStringLiteral("edComment"));
    field->setMaxLength(static_cast<int>(kMaxStakeCommentChars));
    return field;
}

QDialogButtonBox* MakeOkCancelButtons(QDialog* dialog) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, dialog);
    buttons->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    QObject::connect(buttons, &QDialogButtonBox::accepted, dialog, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    return buttons;
}

}  // namespace corvel::gui
