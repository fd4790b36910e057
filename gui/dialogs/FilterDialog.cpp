#include "dialogs/FilterDialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QLineEdit>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>
#include <cmath>
#include <limits>

#include "GuiContext.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/Format.h"
#include "model/TextUtil.h"
#include "stats/StatList.h"
#include "stats/StatTable.h"
#include "tabs/StatsTab.h"

namespace corvel::gui {
namespace {

constexpr int kCoefDecimals = 3;
constexpr int kWeightModeFirst = 19;  // WMV, WLV, WDV test the weight column
constexpr int kWeightModeLast = 21;
constexpr int kWeightColumn = 8;

QDoubleSpinBox* CoefficientBox(QWidget* parent, const char* name) {
    auto* box = new QDoubleSpinBox(parent);
    box->setObjectName(QString::fromLatin1(name));
    box->setDecimals(kCoefDecimals);
    box->setRange(-1000000.0, 1000000.0);
    box->setSingleStep(0.1);
    return box;
}

// The coefficient as the box shows it; the stored value is kept when the box
// still shows it rounded, so opening and confirming never changes it.
long double CoefficientFrom(const QDoubleSpinBox* box, long double loaded) {
    const double shown = std::round(static_cast<double>(loaded) * 1000.0) / 1000.0;
    return box->value() == shown ? loaded : static_cast<long double>(box->value());
}

}  // namespace

QValidator::State ListFieldValidator::validate(QString& input, int&) const {
    for (QChar ch : input) {
        if (ch.unicode() > 0x7F || !IsListFieldCharacter(static_cast<char>(ch.unicode()))) return Invalid;
    }
    return Acceptable;
}

FilterDialog::FilterDialog(const TStatList& stats, app::UiHooks& hooks, QWidget* parent)
    : QDialog(parent), stats_(stats), hooks_(hooks) {
    setObjectName(QStringLiteral("TFormFilter"));
    setWindowTitle(Q(texts::kFilterDialogTitle));

    auto* form = new QFormLayout;
    method_ = new QComboBox(this);
    method_->setObjectName(QStringLiteral("cbFilterMethod"));
    method_->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
    method_->setMinimumContentsLength(40);
    FillMethodCombo(*method_, stats_, false);
    form->addRow(Q(texts::kFilterDialogMethodLabel), method_);

    windows_ = new QLineEdit(this);
    windows_->setObjectName(QStringLiteral("edDrawsLen"));
    windows_->setValidator(new ListFieldValidator(windows_));
    windows_->setToolTip(Q(texts::kFilterDialogWindowsHint));
    form->addRow(Q(texts::kFilterDialogWindowsLabel), windows_);

    sortColumn_ = new QComboBox(this);
    sortColumn_->setObjectName(QStringLiteral("cbSortColumn"));
    for (const char* caption : StatColumnCaptions()) sortColumn_->addItem(Q(caption));
    form->addRow(Q(texts::kFilterDialogSortColumnLabel), sortColumn_);

    direction_ = new QComboBox(this);
    direction_->setObjectName(QStringLiteral("cbDirection"));
    direction_->addItems({Q(texts::kFilterDialogTopDown), Q(texts::kFilterDialogBottomUp)});
    form->addRow(Q(texts::kFilterDialogDirectionLabel), direction_);

    mode_ = new QComboBox(this);
    mode_->setObjectName(QStringLiteral("cbFilterMode"));
    mode_->addItems({Q(texts::kGuiDeleteSelected), Q(texts::kGuiKeepSelected)});
    form->addRow(Q(texts::kFilterDialogModeLabel), mode_);

    multiSelect_ = new QCheckBox(Q(texts::kFilterDialogMultiSelect), this);
    multiSelect_->setObjectName(QStringLiteral("chMultiSelect"));
    form->addRow(QString(), multiSelect_);

    levelMode_ = new QComboBox(this);
    levelMode_->setObjectName(QStringLiteral("cbLevelMode"));
    for (int i = 0; i < kLevelModeCount; ++i) levelMode_->addItem(Q(LevelCaption(i)));
    form->addRow(Q(texts::kFilterDialogLevelModeLabel), levelMode_);

    levelValue_ = new QLineEdit(this);
    levelValue_->setObjectName(QStringLiteral("edLevelValue"));
    levelValue_->setValidator(new ListFieldValidator(levelValue_));
    form->addRow(Q(texts::kFilterDialogLevelValueLabel), levelValue_);

    stopMode_ = new QComboBox(this);
    stopMode_->setObjectName(QStringLiteral("cbStopMode"));
    for (int i = 0; i < kStopModeCount; ++i) stopMode_->addItem(Q(StopCaption(i)));
    form->addRow(Q(texts::kFilterDialogStopModeLabel), stopMode_);

    stopValue_ = new QSpinBox(this);
    stopValue_->setObjectName(QStringLiteral("seStopValue"));
    stopValue_->setRange(1, std::numeric_limits<int>::max());
    form->addRow(Q(texts::kFilterDialogStopValueLabel), stopValue_);

    auto* cdlGroup = new QGroupBox(Q(texts::kWeightCoefGroup), this);
    auto* cdlForm = new QFormLayout(cdlGroup);
    cdlOverride_ = new QCheckBox(Q(texts::kFilterDialogOwnCoefs), cdlGroup);
    cdlOverride_->setObjectName(QStringLiteral("chCDLOverride"));
    countCoef_ = CoefficientBox(cdlGroup, "edCountCoef");
    deviationCoef_ = CoefficientBox(cdlGroup, "edDeviationCoef");
    levelCoef_ = CoefficientBox(cdlGroup, "edLevelCoef");
    usePercents_ = new QCheckBox(Q(texts::kWeightCoefUsePercents), cdlGroup);
    usePercents_->setObjectName(QStringLiteral("chUsePercents"));
    useAbsValues_ = new QCheckBox(Q(texts::kWeightCoefUseAbsValues), cdlGroup);
    useAbsValues_->setObjectName(QStringLiteral("chUseAbsValues"));
    cdlForm->addRow(cdlOverride_);
    cdlForm->addRow(Q(texts::kWeightCoefCountLabel), countCoef_);
    cdlForm->addRow(Q(texts::kWeightCoefDeviationLabel), deviationCoef_);
    cdlForm->addRow(Q(texts::kWeightCoefLevelLabel), levelCoef_);
    cdlForm->addRow(usePercents_);
    cdlForm->addRow(useAbsValues_);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons, &QDialogButtonBox::accepted, this, &FilterDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &FilterDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(form);
    layout->addWidget(cdlGroup);
    layout->addWidget(buttons);

    connect(levelMode_, &QComboBox::currentIndexChanged, this, &FilterDialog::UpdateEnabling);
    connect(stopMode_, &QComboBox::currentIndexChanged, this, &FilterDialog::UpdateEnabling);
    connect(sortColumn_, &QComboBox::currentIndexChanged, this, &FilterDialog::UpdateEnabling);
    connect(cdlOverride_, &QCheckBox::toggled, this, &FilterDialog::UpdateEnabling);

    TFilterItem fresh;
    fresh.CDL = stats_.Settings.Config.CDL;
    Load(fresh);
}

void FilterDialog::Load(const TFilterItem& item) {
    loaded_ = item;
    const int line = method_->findData(item.Method);
    method_->setCurrentIndex(item.Method >= 0 ? line : -1);
    // A method that is not registered stays named until another is chosen.
    method_->setPlaceholderText(
        item.Method < 0 && !item.MethodText.empty() ? Q(Format(texts::kMissingMethod, {item.MethodText})) : QString());
    windows_->setText(Q(item.DrawsLen));
    // A new definition starts at the count column, as the table does.
    sortColumn_->setCurrentIndex(item.Active ? std::clamp(item.SortColumn, 0, kStatColumns - 1) : 1);
    direction_->setCurrentIndex(item.BottomUp ? 1 : 0);
    mode_->setCurrentIndex(item.Keep ? 1 : 0);
    multiSelect_->setChecked(item.MultiSelect);
    levelMode_->setCurrentIndex(item.LevelMode < kLevelModeCount ? item.LevelMode : 0);
    levelValue_->setText(Q(item.LevelValue));
    stopMode_->setCurrentIndex(item.StopMode < kStopModeCount ? item.StopMode : 0);
    stopValue_->setValue(std::max(1, item.StopValue));
    cdlOverride_->setChecked(item.CDLOverride);
    countCoef_->setValue(static_cast<double>(item.CDL.CountCoef));
    deviationCoef_->setValue(static_cast<double>(item.CDL.DeviationCoef));
    levelCoef_->setValue(static_cast<double>(item.CDL.LevelCoef));
    usePercents_->setChecked(item.CDL.UsePercents);
    useAbsValues_->setChecked(item.CDL.UseAbsValues);
    UpdateEnabling();
}

TFilterItem FilterDialog::Item() const {
    TFilterItem item = loaded_;
    item.Active = true;
    item.DrawsLen = std::string(Trim(S(windows_->text())));
    if (method_->currentIndex() >= 0) {
        item.Method = method_->currentData().toInt();
        item.MethodText = stats_.Item(item.Method).Code() + ":" + item.DrawsLen;
    }
    item.SortColumn = sortColumn_->currentIndex();
    item.BottomUp = direction_->currentIndex() == 1;
    item.Keep = mode_->currentIndex() == 1;
    item.MultiSelect = multiSelect_->isChecked();
    item.LevelMode = static_cast<std::uint8_t>(std::max(0, levelMode_->currentIndex()));
    // Without a level condition the (disabled) value field means nothing.
    item.LevelValue = item.LevelMode == kLevelNone ? std::string() : std::string(Trim(S(levelValue_->text())));
    item.StopMode = static_cast<std::uint8_t>(std::max(0, stopMode_->currentIndex()));
    item.StopValue = stopValue_->value();
    item.CDLOverride = cdlOverride_->isChecked();
    item.CDL.CountCoef = CoefficientFrom(countCoef_, loaded_.CDL.CountCoef);
    item.CDL.DeviationCoef = CoefficientFrom(deviationCoef_, loaded_.CDL.DeviationCoef);
    item.CDL.LevelCoef = CoefficientFrom(levelCoef_, loaded_.CDL.LevelCoef);
    item.CDL.UsePercents = usePercents_->isChecked();
    item.CDL.UseAbsValues = useAbsValues_->isChecked();
    return item;
}

bool FilterDialog::CoefficientsEditable() const {
    // The coefficients only matter where the weight column is read: the weight
    // level modes and sorting by that column.
    const int level = levelMode_->currentIndex();
    return cdlOverride_->isChecked() &&
           ((level >= kWeightModeFirst && level <= kWeightModeLast) || sortColumn_->currentIndex() == kWeightColumn);
}

void FilterDialog::UpdateEnabling() {
    levelValue_->setEnabled(levelMode_->currentIndex() != kLevelNone);
    const int stop = stopMode_->currentIndex();
    stopValue_->setEnabled(stop != kStopNever && stop != kStopEmpty);
    const bool coefficients = CoefficientsEditable();
    for (QWidget* w :
         std::initializer_list<QWidget*>{countCoef_, deviationCoef_, levelCoef_, usePercents_, useAbsValues_})
        w->setEnabled(coefficients);
}

void FilterDialog::accept() {
    if (method_->currentIndex() < 0) {
        hooks_.Error(Format(texts::kNoMethodSelected, {S(method_->objectName())}));
        method_->setFocus();
        return;
    }
    const TFilterItem item = Item();
    const TFilterItemCheck check = CheckFilterItem(item, stats_);
    if (!check.Error.empty()) {
        hooks_.Error(check.Error);
        QWidget* field = windows_;
        if (check.Focus == TFilterItemCheck::kLevel)
            field = item.LevelMode == kLevelValuesList && check.Error == texts::kNoValueListMode
                        ? static_cast<QWidget*>(levelMode_)
                        : static_cast<QWidget*>(levelValue_);
        else if (check.Focus == TFilterItemCheck::kStop)
            field = stopMode_;
        field->setFocus();
        if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
        return;
    }
    QDialog::accept();
}

bool FilterDialog::EditFilterItem(TFilterItem& item) {
    Load(item);
    if (exec() != QDialog::Accepted) return false;
    item = Item();
    return true;
}

bool EditFilterItem(GuiContext& ctx, TFilterItem& item, QWidget* parent) {
    FilterDialog dialog(ctx.Ws.Statistics().Registry(), ctx.Hooks, parent);
    return dialog.EditFilterItem(item);
}

}  // namespace corvel::gui
