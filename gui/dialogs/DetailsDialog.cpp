#include "dialogs/DetailsDialog.h"

#include <QDialogButtonBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "GuiText.h"
#include "i18n/Texts.h"
#include "stats/families/Channels.h"

namespace corvel::gui {

DetailsDialog::DetailsDialog(const std::vector<TDetailRow>& rows, const TCombination& numbers, int columns,
                             int channelWidth, QWidget* parent)
    : QDialog(parent), numbers_(numbers), channelWidth_(channelWidth) {
    setObjectName(QStringLiteral("DetailsDialog"));
    setWindowTitle(Q(texts::kDetailsTitle));
    properties_ = new QTableWidget(static_cast<int>(rows.size()), 2, this);
    properties_->setObjectName(QStringLiteral("DetailsProperties"));
    properties_->setHorizontalHeaderLabels({Q(texts::kDetailsProperty), Q(texts::kDetailsValue)});
    properties_->verticalHeader()->hide();
    properties_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    properties_->setSelectionBehavior(QAbstractItemView::SelectRows);
    for (std::size_t i = 0; i < rows.size(); ++i) {
        properties_->setItem(static_cast<int>(i), 0, new QTableWidgetItem(Q(rows[i].Property)));
        properties_->setItem(static_cast<int>(i), 1, new QTableWidgetItem(Q(rows[i].Value)));
    }
    // The captions take what is left beside their values; a long caption is elided.
    properties_->verticalHeader()->setDefaultSectionSize(properties_->fontMetrics().height() + 6);
    properties_->horizontalHeader()->setSectionResizeMode(0, QHeaderView::Stretch);
    properties_->horizontalHeader()->setSectionResizeMode(1, QHeaderView::ResizeToContents);

    columns_ = new QSpinBox(this);
    columns_->setObjectName(QStringLiteral("DetailsColumns"));
    columns_->setRange(1, kMaxNumber);
    columns_->setValue(std::clamp(columns, 1, kMaxNumber));
    matrix_ = new QTableWidget(this);
    matrix_->setObjectName(QStringLiteral("DetailsMatrix"));
    matrix_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    matrix_->horizontalHeader()->hide();
    matrix_->verticalHeader()->hide();
    connect(columns_, &QSpinBox::valueChanged, this, &DetailsDialog::BuildMatrix);

    auto* columnsRow = new QHBoxLayout;
    columnsRow->addWidget(new QLabel(Q(texts::kDetailsColumns), this));
    columnsRow->addWidget(columns_);
    columnsRow->addStretch(1);
    auto* right = new QVBoxLayout;
    right->addLayout(columnsRow);
    right->addWidget(matrix_, 1);
    auto* body = new QHBoxLayout;
    body->addWidget(properties_, 3);
    body->addLayout(right, 2);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, this);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(body, 1);
    layout->addWidget(buttons);
    resize(920, 560);
    BuildMatrix(columns_->value());
}

void DetailsDialog::BuildMatrix(int columns) {
    const int rows = (kMaxNumber + columns - 1) / columns;
    matrix_->clear();
    matrix_->setColumnCount(columns);
    matrix_->setRowCount(rows);
    // Number n sits in column (n - 1) mod columns of row (n - 1) div
    // columns, every cell in its channel's colour; only the six numbers are
    // written.
    for (int n = 1; n <= kMaxNumber; ++n) {
        auto* item = new QTableWidgetItem;
        item->setTextAlignment(Qt::AlignCenter);
        item->setBackground(QColor(static_cast<QRgb>(0xFF000000u | ChannelColour(n, channelWidth_))));
        matrix_->setItem((n - 1) / columns, (n - 1) % columns, item);
    }
    for (const std::uint8_t n : numbers_)
        if (n >= 1 && n <= kMaxNumber) matrix_->item((n - 1) / columns, (n - 1) % columns)->setText(QString::number(n));
    const int side = matrix_->fontMetrics().horizontalAdvance(QStringLiteral("888")) + 8;
    for (int c = 0; c < columns; ++c) matrix_->setColumnWidth(c, side);
}

}  // namespace corvel::gui
