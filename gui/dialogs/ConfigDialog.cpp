#include "dialogs/ConfigDialog.h"

#include <QCheckBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpression>
#include <QRegularExpressionValidator>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyledItemDelegate>
#include <QTableWidget>
#include <QVBoxLayout>

#include "GuiContext.h"
#include "GuiText.h"
#include "QtUiHooks.h"
#include "i18n/Texts.h"
#include "model/Errors.h"
#include "model/Format.h"
#include "model/GameSettingsFile.h"
#include "model/SettingsValidation.h"

namespace corvel::gui {
namespace {

// Amounts: digits and one decimal separator ("." or ","), four decimals at most.
const QRegularExpression& MoneyPattern() {
    static const QRegularExpression re(QStringLiteral("[0-9]{0,12}([.,][0-9]{0,4})?"));
    return re;
}
const QRegularExpression& CoefficientPattern() {
    static const QRegularExpression re(QStringLiteral("[-+]?[0-9]{0,9}([.,][0-9]{0,9})?"));
    return re;
}
const QRegularExpression& SegmentPattern() {
    static const QRegularExpression re(QStringLiteral("[0-9]{0,2}"));
    return re;
}

// Cell editors that take only the characters the pattern allows.
class PatternDelegate : public QStyledItemDelegate {
  public:
    PatternDelegate(const QRegularExpression& pattern, QObject* parent)
        : QStyledItemDelegate(parent), pattern_(pattern) {}

    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem&, const QModelIndex&) const override {
        auto* editor = new QLineEdit(parent);
        editor->setValidator(new QRegularExpressionValidator(pattern_, editor));
        editor->setFrame(false);
        return editor;
    }

  private:
    QRegularExpression pattern_;
};

QString CoefficientText(long double v) { return QString::number(static_cast<double>(v), 'f', 3); }

int RowsFor(int cols) { return cols > 0 ? (kMaxNumber + cols - 1) / cols : 0; }

constexpr int kPrizeColumn = 1;

}  // namespace

ConfigDialog::ConfigDialog(GuiContext& ctx, QWidget* parent) : QDialog(parent), ctx_(ctx) {
    setObjectName(QStringLiteral("TFormConfig"));
    setWindowTitle(Q(texts::kConfigDialogTitle));

    auto* left = new QGridLayout;
    int row = 0;

    cols_ = new QSpinBox(this);
    cols_->setObjectName(QStringLiteral("edMatrixCols"));
    cols_->setRange(kMatrixColsRange.Min, kMatrixColsRange.Max);
    rows_ = new QLineEdit(this);
    rows_->setObjectName(QStringLiteral("edMatrixRows"));
    rows_->setReadOnly(true);
    rows_->setFocusPolicy(Qt::NoFocus);
    rows_->setMaximumWidth(48);
    auto* matrixRow = new QHBoxLayout;
    matrixRow->addWidget(cols_);
    matrixRow->addWidget(new QLabel(QStringLiteral("x"), this));
    matrixRow->addWidget(rows_);
    matrixRow->addStretch(1);
    auto* matrixLabel = new QLabel(Q(texts::kConfigDialogMatrixLabel), this);
    matrixLabel->setBuddy(cols_);
    left->addWidget(matrixLabel, row, 0);
    left->addLayout(matrixRow, row++, 1);

    channel_ = new QSpinBox(this);
    channel_->setObjectName(QStringLiteral("edChannelSize"));
    channel_->setRange(kChannelSizeRange.Min, kChannelSizeRange.Max);
    auto* channelLabel = new QLabel(Q(texts::kConfigDialogChannelLabel), this);
    channelLabel->setBuddy(channel_);
    left->addWidget(channelLabel, row, 0);
    left->addWidget(channel_, row++, 1, Qt::AlignLeft);

    cost_ = new QLineEdit(this);
    cost_->setObjectName(QStringLiteral("edCost"));
    cost_->setValidator(new QRegularExpressionValidator(MoneyPattern(), cost_));
    cost_->setMaximumWidth(120);
    auto* costLabel = new QLabel(Q(texts::kConfigDialogCostLabel), this);
    costLabel->setBuddy(cost_);
    left->addWidget(costLabel, row, 0);
    left->addWidget(cost_, row++, 1, Qt::AlignLeft);

    prizes_ = new QTableWidget(kPrizeRows, 2, this);
    prizes_->setObjectName(QStringLiteral("vlProfits"));
    prizes_->setHorizontalHeaderLabels({Q(texts::kFieldOverlap), Q(texts::kFieldProfit)});
    prizes_->verticalHeader()->hide();
    prizes_->horizontalHeader()->setStretchLastSection(true);
    prizes_->setSelectionMode(QAbstractItemView::SingleSelection);
    prizes_->setItemDelegateForColumn(kPrizeColumn, new PatternDelegate(MoneyPattern(), prizes_));
    for (int i = 0; i < kPrizeRows; ++i) {
        auto* overlap = new QTableWidgetItem(QString::number(i));
        overlap->setFlags(Qt::ItemIsEnabled);
        prizes_->setItem(i, 0, overlap);
        prizes_->setItem(i, kPrizeColumn, new QTableWidgetItem);
    }
    prizes_->setMinimumHeight(prizes_->horizontalHeader()->sizeHint().height() +
                              kPrizeRows * prizes_->verticalHeader()->defaultSectionSize() + 4);
    auto* prizesLabel = new QLabel(Q(texts::kConfigDialogPrizesLabel), this);
    prizesLabel->setBuddy(prizes_);
    left->addWidget(prizesLabel, row++, 0, 1, 2);
    left->addWidget(prizes_, row++, 0, 1, 2);

    auto* cdl = new QGroupBox(Q(texts::kWeightCoefGroup), this);
    auto* cdlLayout = new QGridLayout(cdl);
    auto coefficient = [&](const char* name, const QString& caption, int at) {
        auto* edit = new QLineEdit(cdl);
        edit->setObjectName(QString::fromLatin1(name));
        edit->setValidator(new QRegularExpressionValidator(CoefficientPattern(), edit));
        auto* label = new QLabel(caption, cdl);
        label->setBuddy(edit);
        cdlLayout->addWidget(label, at, 0);
        cdlLayout->addWidget(edit, at, 1);
        return edit;
    };
    count_ = coefficient("edCountCoef", Q(texts::kWeightCoefCountLabel), 0);
    deviation_ = coefficient("edDeviationCoef", Q(texts::kWeightCoefDeviationLabel), 1);
    level_ = coefficient("edLevelCoef", Q(texts::kWeightCoefLevelLabel), 2);
    usePercents_ = new QCheckBox(Q(texts::kWeightCoefUsePercents), cdl);
    usePercents_->setObjectName(QStringLiteral("cbUsePercents"));
    useAbsValues_ = new QCheckBox(Q(texts::kWeightCoefUseAbsValues), cdl);
    useAbsValues_->setObjectName(QStringLiteral("cbUseAbsValues"));
    cdlLayout->addWidget(usePercents_, 3, 0, 1, 2);
    cdlLayout->addWidget(useAbsValues_, 4, 0, 1, 2);

    segments_ = new QTableWidget(this);
    segments_->setObjectName(QStringLiteral("sgSegments"));
    segments_->horizontalHeader()->hide();
    segments_->verticalHeader()->hide();
    segments_->horizontalHeader()->setDefaultSectionSize(30);
    segments_->setSelectionMode(QAbstractItemView::SingleSelection);
    segments_->setItemDelegate(new PatternDelegate(SegmentPattern(), segments_));
    auto* segmentsLabel = new QLabel(Q(texts::kConfigDialogSegmentsLabel), this);
    segmentsLabel->setBuddy(segments_);

    auto* right = new QVBoxLayout;
    right->addWidget(cdl);
    right->addWidget(segmentsLabel);
    right->addWidget(segments_, 1);

    auto* columns = new QHBoxLayout;
    columns->addLayout(left, 1);
    columns->addLayout(right, 1);

    buttons_ = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    buttons_->button(QDialogButtonBox::Ok)->setText(QStringLiteral("OK"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(Q(texts::kGuiCancel));
    connect(buttons_, &QDialogButtonBox::accepted, this, &ConfigDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &ConfigDialog::reject);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(columns, 1);
    layout->addWidget(buttons_);

    connect(cols_, &QSpinBox::valueChanged, this, &ConfigDialog::ColsChanged);
    connect(segments_, &QTableWidget::itemChanged, this, &ConfigDialog::SegmentEdited);

    setMinimumSize(640, 420);
    LoadFrom(TConfigData{});
}

void ConfigDialog::LoadFrom(const TConfigData& config) {
    loaded_ = config;
    channel_->setValue(config.ChannelSize);

    shownCost_ = Q(config.Cost.ToText());
    cost_->setText(shownCost_);

    for (int i = 0; i < kPrizeRows; ++i) {
        TMoney prize;
        for (const TProfit& p : config.Profits)
            if (p.Overlap == i) {
                prize = p.Profit;
                break;
            }
        loadedPrizes_[static_cast<std::size_t>(i)] = prize;
        shownPrizes_[static_cast<std::size_t>(i)] = Q(prize.ToText());
        prizes_->item(i, kPrizeColumn)->setText(shownPrizes_[static_cast<std::size_t>(i)]);
    }

    shownCoefficients_ = {CoefficientText(config.CDL.CountCoef), CoefficientText(config.CDL.DeviationCoef),
                          CoefficientText(config.CDL.LevelCoef)};
    count_->setText(shownCoefficients_[0]);
    deviation_->setText(shownCoefficients_[1]);
    level_->setText(shownCoefficients_[2]);
    usePercents_->setChecked(config.CDL.UsePercents);
    useAbsValues_->setChecked(config.CDL.UseAbsValues);

    for (int n = 0; n < kMaxNumber; ++n)
        segmentTexts_[static_cast<std::size_t>(n)] =
            QString::number(config.MatrixSegments[static_cast<std::size_t>(n)]);
    {
        const QSignalBlocker block(cols_);
        cols_->setValue(config.MatrixCols);
    }
    ColsChanged(cols_->value());
}

void ConfigDialog::ColsChanged(int cols) {
    rows_->setText(QString::number(RowsFor(cols)));
    LayOutSegments(cols);
}

void ConfigDialog::LayOutSegments(int cols) {
    const QSignalBlocker block(segments_);
    const int rows = RowsFor(cols);
    segments_->clear();
    segments_->setColumnCount(cols);
    segments_->setRowCount(rows);
    for (int r = 0; r < rows; ++r) {
        for (int c = 0; c < cols; ++c) {
            const int index = r * cols + c;
            auto* item = new QTableWidgetItem;
            if (index < kMaxNumber) {
                item->setText(segmentTexts_[static_cast<std::size_t>(index)]);
                item->setToolTip(Q(texts::kConfigDialogNumberHint).arg(index + 1));
                item->setTextAlignment(Qt::AlignCenter);
            } else {
                item->setFlags(Qt::NoItemFlags);
                item->setBackground(palette().window());
            }
            segments_->setItem(r, c, item);
        }
    }
}

void ConfigDialog::SegmentEdited(QTableWidgetItem* item) {
    const int cols = segments_->columnCount();
    const int index = item->row() * cols + item->column();
    if (index < 0 || index >= kMaxNumber) return;
    const QString text = item->text().trimmed();
    if (const TCheck check = CheckSegmentCell(S(text)); !check) {
        segmentTexts_[static_cast<std::size_t>(index)] = QStringLiteral("1");
        {
            const QSignalBlocker block(segments_);
            item->setText(QStringLiteral("1"));
        }
        ctx_.Hooks.Error(check.Error());
        segments_->setCurrentItem(item);
        segments_->setFocus();
        return;
    }
    segmentTexts_[static_cast<std::size_t>(index)] = text;
}

void ConfigDialog::Fail(const std::string& error, QWidget* field) {
    ctx_.Hooks.Error(error);
    field->setFocus();
    if (auto* edit = qobject_cast<QLineEdit*>(field)) edit->selectAll();
}

bool ConfigDialog::ReadEdited(TConfigData& config) {
    config = loaded_;
    config.MatrixCols = cols_->value();
    config.ChannelSize = channel_->value();

    const QString costText = cost_->text().trimmed();
    if (costText != shownCost_) {
        if (const TCheck check = CheckCostText(S(costText)); !check) {
            Fail(check.Error(), cost_);
            return false;
        }
        config.Cost = ParseMoneyText(S(costText)).value_or(TMoney{});
    }

    std::vector<std::string> prizeTexts;
    for (int i = 0; i < kPrizeRows; ++i) prizeTexts.push_back(S(prizes_->item(i, kPrizeColumn)->text().trimmed()));
    config.Profits = ProfitsFromPrizeTexts(prizeTexts);
    for (std::size_t i = 0; i < config.Profits.size(); ++i)
        if (Q(prizeTexts[i]) == shownPrizes_[i]) config.Profits[i].Profit = loadedPrizes_[i];

    const std::array<std::pair<QLineEdit*, long double*>, 3> coefficients = {{
        {count_, &config.CDL.CountCoef},
        {deviation_, &config.CDL.DeviationCoef},
        {level_, &config.CDL.LevelCoef},
    }};
    const i18n::TextId captions[3] = {texts::kWeightCoefCount, texts::kWeightCoefDeviation, texts::kWeightCoefLevel};
    for (std::size_t i = 0; i < coefficients.size(); ++i) {
        const auto& [edit, value] = coefficients[i];
        const QString text = edit->text().trimmed();
        if (text == shownCoefficients_[i]) continue;
        const auto parsed = ParseDecimalText(S(text));
        if (!parsed) {
            Fail(Format(texts::kBadFieldValue, {Format(texts::kWeightCoefField, {captions[i]}), S(text)}), edit);
            return false;
        }
        *value = *parsed;
    }
    config.CDL.UsePercents = usePercents_->isChecked();
    config.CDL.UseAbsValues = useAbsValues_->isChecked();

    for (int n = 0; n < kMaxNumber; ++n) {
        const std::string text = S(segmentTexts_[static_cast<std::size_t>(n)].trimmed());
        if (const TCheck check = CheckSegmentCell(text); !check) {
            const int cols = segments_->columnCount();
            segments_->setCurrentCell(n / cols, n % cols);
            Fail(check.Error(), segments_);
            return false;
        }
        config.MatrixSegments[static_cast<std::size_t>(n)] = SegmentCellValue(text);
    }

    if (const TCheck check = ValidateConfig(config); !check) {
        Fail(check.Error(), cols_);
        return false;
    }
    return true;
}

bool ConfigDialog::Accept() {
    TConfigData edited;
    if (!ReadEdited(edited)) return false;
    // Refused by the file: memory keeps what the file holds, and the person
    // may try again or cancel.
    if (!ctx_.Ws.Settings().SaveConfig(edited)) return false;
    QDialog::accept();
    return true;
}

void ConfigDialog::accept() { Accept(); }

bool ConfigDialog::Run(GuiContext& ctx, QWidget* parent) {
    ConfigDialog dialog(ctx, parent);
    const TGameSettings& settings = ctx.Ws.Settings().Game();
    // A scenario step may have put its own coefficients in place for its
    // computation; the dialog edits the person's own ones.
    TConfigData shown = settings.Config;
    shown.CDL = settings.CDLDefault;
    dialog.LoadFrom(shown);
    return dialog.exec() == QDialog::Accepted;
}

}  // namespace corvel::gui
