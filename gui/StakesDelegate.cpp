#include "StakesDelegate.h"

#include <QApplication>
#include <QFontMetrics>
#include <QList>
#include <QPainter>
#include <QStyle>

#include "models/StakesModel.h"

namespace corvel::gui {
namespace {

// Where a line of the given width starts in the cell: as aligned when it
// fits, else at the left margin.
int LineStart(const QRect& cell, int width, Qt::Alignment alignment) {
    const int room = cell.width() - 2 * StakesDelegate::kMargin;
    if (width > room) return cell.left() + StakesDelegate::kMargin;
    if (alignment & Qt::AlignRight) return cell.right() - StakesDelegate::kMargin - width + 1;
    if (alignment & Qt::AlignHCenter) return cell.left() + (cell.width() - width) / 2;
    return cell.left() + StakesDelegate::kMargin;
}

}  // namespace

void StakesDelegate::paint(QPainter* painter, const QStyleOptionViewItem& option, const QModelIndex& index) const {
    QStyleOptionViewItem opt = option;
    initStyleOption(&opt, index);
    const bool selected = opt.state & QStyle::State_Selected;
    // The kind's colour is for rows that are not selected.
    if (selected) opt.backgroundBrush = QBrush();
    const QString text = opt.text;
    opt.text.clear();
    const QWidget* widget = opt.widget;
    QStyle* style = widget ? widget->style() : QApplication::style();
    // Background, selection and focus; the texts follow.
    style->drawControl(QStyle::CE_ItemViewItem, &opt, painter, widget);

    const QPalette::ColorGroup group = opt.state & QStyle::State_Enabled ? QPalette::Normal : QPalette::Disabled;
    const QColor normal = opt.palette.color(group, selected ? QPalette::HighlightedText : QPalette::Text);
    const QRect cell = opt.rect;
    painter->save();
    painter->setClipRect(cell);

    const QVariant numbers = index.data(StakesModel::NumbersRole);
    if (numbers.isValid()) {
        const QList<int> values = numbers.value<QList<int>>();
        const QList<bool> matched = index.data(StakesModel::MatchedRole).value<QList<bool>>();
        QFont bold = opt.font;
        bold.setBold(true);
        const QFontMetrics plainMetrics(opt.font), boldMetrics(bold);
        auto isHit = [&](qsizetype i) { return i < matched.size() && matched[i]; };
        int total = 0;
        for (qsizetype i = 0; i < values.size(); ++i)
            total += (isHit(i) ? boldMetrics : plainMetrics).horizontalAdvance(QString::number(values[i])) +
                     (i ? kNumberGap : 0);
        int x = LineStart(cell, total, Qt::AlignHCenter);
        for (qsizetype i = 0; i < values.size(); ++i) {
            const QString number = QString::number(values[i]);
            const bool hit = isHit(i);
            const QFontMetrics& metrics = hit ? boldMetrics : plainMetrics;
            painter->setFont(hit ? bold : opt.font);
            painter->setPen(hit ? StakesModel::HitColour() : normal);
            const int w = metrics.horizontalAdvance(number);
            painter->drawText(QRect(x, cell.top(), w + 1, cell.height()), Qt::AlignLeft | Qt::AlignVCenter, number);
            x += w + kNumberGap;
        }
    } else if (!text.isEmpty()) {
        painter->setFont(opt.font);
        // A colour of the model (columns 5-7) stays on selected rows too.
        const QVariant foreground = index.data(Qt::ForegroundRole);
        painter->setPen(foreground.isValid() ? foreground.value<QBrush>().color() : normal);
        const int w = QFontMetrics(opt.font).horizontalAdvance(text);
        const int x = LineStart(cell, w, opt.displayAlignment);
        painter->drawText(QRect(x, cell.top(), std::max(w, cell.right() - x) + 1, cell.height()),
                          Qt::AlignLeft | Qt::AlignVCenter, text);
    }
    painter->restore();
}

}  // namespace corvel::gui
