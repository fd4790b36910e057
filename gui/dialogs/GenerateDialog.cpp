#include "dialogs/GenerateDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QToolButton>
#include <QVBoxLayout>

#include "GuiText.h"
#include "combs/CombsGeneration.h"
#include "i18n/Texts.h"
#include "model/GameSettingsFile.h"

namespace corvel::gui {

QString CombsFileDialogFilter() {
    // The resource text is "caption|pattern"; Qt wants the caption alone,
    // which already names the pattern in brackets.
    const QString text = Q(texts::kCombsFileFilter);
    return text.section(QLatin1Char('|'), 0, 0);
}

GenerateDialog::GenerateDialog(int mode, const QString& parameters, FileChooser chooseFile, QWidget* parent)
    : QDialog(parent), chooseFile_(std::move(chooseFile)) {
    setObjectName(QStringLiteral("GenerateDialog"));
    setWindowTitle(Q(texts::kGenerateDialogTitle));

    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("Mode"));
    for (std::string_view caption : texts::kCombsGenerateModes) mode_->addItem(Q(caption));
    mode_->setCurrentIndex(static_cast<int>(ToGenerateMode(mode)));

    parameters_ = new QLineEdit(parameters, this);
    parameters_->setObjectName(QStringLiteral("Parameters"));
    parameters_->setMaxLength(static_cast<int>(kMaxGenerateParametersChars));
    parameters_->setPlaceholderText(Q(texts::kGenerateDialogNumbersExample));

    browse_ = new QToolButton(this);
    browse_->setObjectName(QStringLiteral("Browse"));
    browse_->setText(QStringLiteral("..."));
    browse_->setToolTip(Q(texts::kGenerateDialogBrowseHint));

    saveDefault_ = new QCheckBox(Q(texts::kGenerateDialogSaveDefaults), this);
    saveDefault_->setObjectName(QStringLiteral("SaveDefault"));
    saveDefault_->setChecked(true);

    auto* parametersRow = new QHBoxLayout;
    parametersRow->addWidget(parameters_, 1);
    parametersRow->addWidget(browse_);

    auto* form = new QFormLayout;
    form->addRow(Q(texts::kGenerateDialogModeLabel), mode_);
    form->addRow(Q(texts::kGenerateDialogParametersLabel), parametersRow);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(saveDefault_);
    layout->addWidget(buttons);

    connect(mode_, &QComboBox::currentIndexChanged, this, [this] { UpdateEnabling(); });
    connect(browse_, &QToolButton::clicked, this, [this] { Browse(); });
    UpdateEnabling();
    setMinimumWidth(520);
}

int GenerateDialog::Mode() const { return mode_->currentIndex(); }

QString GenerateDialog::Parameters() const { return parameters_->text(); }

bool GenerateDialog::SaveAsDefault() const { return saveDefault_->isChecked(); }

void GenerateDialog::UpdateEnabling() {
    const auto mode = ToGenerateMode(Mode());
    parameters_->setEnabled(mode != ECombsGenerateMode::All);
    browse_->setEnabled(mode == ECombsGenerateMode::File);
}

void GenerateDialog::Browse() {
    const QString file =
        chooseFile_ ? chooseFile_()
                    : QFileDialog::getOpenFileName(this, windowTitle(), parameters_->text(), CombsFileDialogFilter());
    if (!file.isEmpty()) parameters_->setText(file);
}

}  // namespace corvel::gui
