#include "ToolStrip.h"

#include <QAction>
#include <QHBoxLayout>
#include <QToolButton>
#include <algorithm>

namespace corvel::gui {
namespace {

constexpr int kGroupSpacing = 12;  // between groups, in place of a separator line

}  // namespace

FlowLayout::FlowLayout(QWidget* parent, int spacing, int rowSpacing)
    : QLayout(parent), spacing_(spacing), rowSpacing_(rowSpacing) {
    setContentsMargins(2, 2, 2, 2);
}

FlowLayout::~FlowLayout() {
    while (QLayoutItem* item = takeAt(0)) delete item;
}

void FlowLayout::addItem(QLayoutItem* item) { items_.append(item); }

int FlowLayout::count() const { return static_cast<int>(items_.size()); }

QLayoutItem* FlowLayout::itemAt(int index) const {
    return index >= 0 && index < items_.size() ? items_.at(index) : nullptr;
}

QLayoutItem* FlowLayout::takeAt(int index) {
    return index >= 0 && index < items_.size() ? items_.takeAt(index) : nullptr;
}

Qt::Orientations FlowLayout::expandingDirections() const { return {}; }

bool FlowLayout::hasHeightForWidth() const { return true; }

int FlowLayout::heightForWidth(int width) const { return Arrange(QRect(0, 0, width, 0), false); }

QSize FlowLayout::minimumSize() const {
    // As narrow as the widest item: everything else can move to a new row.
    QSize size;
    for (const QLayoutItem* item : items_) size = size.expandedTo(item->minimumSize());
    const QMargins m = contentsMargins();
    return size + QSize(m.left() + m.right(), m.top() + m.bottom());
}

QSize FlowLayout::sizeHint() const {
    // One row when there is room for it.
    int width = 0;
    int height = 0;
    for (const QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        const QSize hint = item->sizeHint();
        width += (width ? spacing_ : 0) + hint.width();
        height = std::max(height, hint.height());
    }
    const QMargins m = contentsMargins();
    return {width + m.left() + m.right(), height + m.top() + m.bottom()};
}

void FlowLayout::setGeometry(const QRect& rect) {
    QLayout::setGeometry(rect);
    Arrange(rect, true);
}

int FlowLayout::Arrange(const QRect& rect, bool apply) const {
    const QRect area = rect.marginsRemoved(contentsMargins());
    int x = area.x();
    int y = area.y();
    int rowHeight = 0;
    for (QLayoutItem* item : items_) {
        if (item->isEmpty()) continue;
        QSize hint = item->sizeHint();
        hint.setWidth(std::min(hint.width(), std::max(area.width(), 1)));
        if (x > area.x() && x + hint.width() > area.right() + 1) {
            // Does not fit behind the items of this row: start the next one.
            x = area.x();
            y += rowHeight + rowSpacing_;
            rowHeight = 0;
        }
        if (apply) item->setGeometry(QRect(QPoint(x, y), hint));
        x += hint.width() + spacing_;
        rowHeight = std::max(rowHeight, hint.height());
    }
    const QMargins m = contentsMargins();
    return y + rowHeight - rect.y() + m.bottom();
}

ToolStrip::ToolStrip(QWidget* parent) : QWidget(parent), flow_(new FlowLayout(this, kGroupSpacing, 2)) {
    QSizePolicy policy(QSizePolicy::Preferred, QSizePolicy::Preferred);
    policy.setHeightForWidth(true);
    setSizePolicy(policy);
}

void ToolStrip::AddGroup(std::initializer_list<QAction*> actions, std::initializer_list<QWidget*> widgets) {
    auto* group = new QWidget(this);
    auto* row = new QHBoxLayout(group);
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(2);
    for (QAction* action : actions) {
        if (!action) continue;
        auto* button = new QToolButton(group);
        button->setObjectName(action->objectName() + QStringLiteral("Button"));
        button->setToolButtonStyle(Qt::ToolButtonTextOnly);
        button->setAutoRaise(true);
        button->setFocusPolicy(Qt::TabFocus);
        button->setDefaultAction(action);
        row->addWidget(button);
    }
    for (QWidget* widget : widgets) row->addWidget(widget);
    flow_->addWidget(group);
}

QToolButton* ToolStrip::ButtonFor(const QAction* action) const {
    for (QToolButton* button : findChildren<QToolButton*>())
        if (button->defaultAction() == action) return button;
    return nullptr;
}

}  // namespace corvel::gui
