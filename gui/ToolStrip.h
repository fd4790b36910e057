#pragma once

#include <QLayout>
#include <QList>
#include <QWidget>
#include <initializer_list>

class QAction;
class QToolButton;

namespace corvel::gui {

// Lays its items out left to right and starts a new row when the next item
// does not fit the width, so every item stays on the screen however narrow
// the panel gets (a toolbar would hide the rest behind its overflow button).
class FlowLayout : public QLayout {
  public:
    explicit FlowLayout(QWidget* parent, int spacing = 2, int rowSpacing = 2);
    ~FlowLayout() override;

    void addItem(QLayoutItem* item) override;
    int count() const override;
    QLayoutItem* itemAt(int index) const override;
    QLayoutItem* takeAt(int index) override;
    Qt::Orientations expandingDirections() const override;
    bool hasHeightForWidth() const override;
    int heightForWidth(int width) const override;
    QSize minimumSize() const override;
    QSize sizeHint() const override;
    void setGeometry(const QRect& rect) override;

  private:
    // Places the items in `rect` (only measures when `apply` is false) and
    // returns the height used.
    int Arrange(const QRect& rect, bool apply) const;

    QList<QLayoutItem*> items_;
    int spacing_;
    int rowSpacing_;
};

// A tool bar that wraps: groups of command buttons (and the fields that
// belong to them) kept together on one row, the groups flowing onto further
// rows when the width runs out.
class ToolStrip : public QWidget {
    Q_OBJECT
  public:
    explicit ToolStrip(QWidget* parent = nullptr);

    // One group: a button per action (a null action is skipped) followed by
    // the widgets, in the order given.
    void AddGroup(std::initializer_list<QAction*> actions, std::initializer_list<QWidget*> widgets = {});
    // The button that runs the action, or null.
    QToolButton* ButtonFor(const QAction* action) const;

  private:
    FlowLayout* flow_;
};

}  // namespace corvel::gui
