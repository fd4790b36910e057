// Every control of every tab can be reached at the window's size: shown, whole
// inside the window and its panels, and not hidden behind a toolbar's
// overflow button.
#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QAbstractItemView>
#include <QAbstractSpinBox>
#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QSpinBox>
#include <QTabWidget>
#include <QToolButton>
#include <memory>

#include "MainWindow.h"
#include "TestSupport.h"
#include "tabs/CombsTab.h"
#include "tabs/GraphsTab.h"
#include "tabs/StatsTab.h"

namespace corvel {
namespace {

// The widget's name for a failure message.
std::string Describe(const QWidget* w) {
    QString text = w->objectName();
    if (const auto* button = qobject_cast<const QAbstractButton*>(w))
        text += QStringLiteral(" \"%1\"").arg(button->text());
    return (QString::fromLatin1(w->metaObject()->className()) + QLatin1Char(' ') + text).toStdString();
}

// Empty when the widget is whole inside every parent up to `top`; else the
// parent that cuts it off.
std::string Clipping(const QWidget* w, const QWidget* top) {
    QRect r = w->rect();
    for (const QWidget* child = w; child != top; child = child->parentWidget()) {
        const QWidget* parent = child->parentWidget();
        if (!parent) return "no parent";
        r.translate(child->pos());
        if (!parent->rect().contains(r))
            return "cut off by " + Describe(parent) + " (" + std::to_string(r.x()) + "," + std::to_string(r.y()) + " " +
                   std::to_string(r.width()) + "x" + std::to_string(r.height()) + " in " +
                   std::to_string(parent->width()) + "x" + std::to_string(parent->height()) + ")";
    }
    return {};
}

bool InsideItemView(const QWidget* w, const QWidget* page) {
    for (const QWidget* p = w->parentWidget(); p && p != page; p = p->parentWidget())
        if (qobject_cast<const QAbstractItemView*>(p)) return true;
    return false;
}

// The controls a player works with on a tab page: buttons, spin boxes and
// lists (the parts item views make for themselves are left out).
QList<QWidget*> Controls(QWidget* page) {
    QList<QWidget*> list;
    for (QWidget* w : page->findChildren<QWidget*>()) {
        if (w->window() != page->window() || InsideItemView(w, page)) continue;
        if (qobject_cast<QAbstractButton*>(w) || qobject_cast<QAbstractSpinBox*>(w) || qobject_cast<QComboBox*>(w))
            list << w;
    }
    return list;
}

void Settle() {
    for (int i = 0; i < 5; ++i) {
        QApplication::sendPostedEvents(nullptr, QEvent::LayoutRequest);
        QApplication::processEvents();
    }
}

struct WindowSize {
    const char* Name;
    int Width;  // 0: the size the window takes by itself on a first start
    int Height;
};

class ControlsReach : public ::testing::TestWithParam<WindowSize> {};

TEST_P(ControlsReach, EveryControlOfEveryTabIsShownWhole) {
    const WindowSize& size = GetParam();
    test::TempDir dir;
    test::CopySampleArchive(dir.path());
    gui::MainWindow window(app::DataFiles{dir.path()}, {});
    if (size.Width) window.resize(size.Width, size.Height);
    window.show();
    ASSERT_TRUE(window.Initialise());
    Settle();

    int pages = 0;
    QList<const QWidget*> visited;
    for (QTabWidget* tabs : {window.LeftTabs(), window.RightTabs()}) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (!tabs->isTabEnabled(i)) continue;
            tabs->setCurrentIndex(i);
            Settle();
            ++pages;
            visited << tabs->widget(i);
            const std::string tab = tabs->tabText(i).toStdString();
            const QList<QWidget*> controls = Controls(tabs->widget(i));
            EXPECT_FALSE(controls.isEmpty()) << tab;
            for (const QWidget* c : controls) {
                EXPECT_TRUE(c->isVisible()) << tab << ": " << Describe(c) << " is hidden";
                if (c->isVisible()) {
                    EXPECT_EQ(Clipping(c, &window), "") << tab << ": " << Describe(c);
                }
            }
            for (const QWidget* w : window.findChildren<QWidget*>(QStringLiteral("qt_toolbar_ext_button")))
                EXPECT_FALSE(w->isVisible()) << tab << ": a toolbar hides commands behind its overflow button";
        }
    }
    EXPECT_GE(pages, 3);
    EXPECT_TRUE(visited.contains(window.Graphs())) << "the graphs tab was not among the pages looked at";

    // The graphs tab's controls by name: the method list, the length, the
    // marks switch and the command that draws.
    window.RightTabs()->setCurrentWidget(window.Graphs());
    Settle();
    const QList<const QWidget*> graphControls{window.Graphs()->MethodList(), window.Graphs()->Length(),
                                              window.Graphs()->MarksBox()};
    for (const QWidget* c : graphControls) {
        EXPECT_TRUE(c->isVisible()) << Describe(c);
        EXPECT_EQ(Clipping(c, &window), "") << Describe(c);
    }
    {
        const QAction* action = window.Actions().Find("DrawsGraphDraw");
        ASSERT_NE(action, nullptr);
        const QToolButton* shown = nullptr;
        for (const QToolButton* b : window.findChildren<QToolButton*>())
            if (b->defaultAction() == action && b->isVisible()) shown = b;
        ASSERT_NE(shown, nullptr) << "DrawsGraphDraw has no button on the screen";
        EXPECT_EQ(Clipping(shown, &window), "");
    }

    // The controls the player needs most, by name: the count of draws to
    // exclude with its command, and the keep and remove commands.
    window.LeftTabs()->setCurrentWidget(window.Combs());
    window.RightTabs()->setCurrentWidget(window.Stats());
    Settle();
    const QSpinBox* exclude = window.Combs()->DrawsExcludeBox();
    EXPECT_TRUE(exclude->isVisible());
    EXPECT_EQ(Clipping(exclude, &window), "");
    for (const char* name : {"CombsDelExists", "CombsUndo", "StatFilter_Include", "StatFilter_Exclude"}) {
        const QAction* action = window.Actions().Find(name);
        ASSERT_NE(action, nullptr) << name;
        const QToolButton* shown = nullptr;
        for (const QToolButton* b : window.findChildren<QToolButton*>())
            if (b->defaultAction() == action && b->isVisible()) shown = b;
        ASSERT_NE(shown, nullptr) << name << " has no button on the screen";
        EXPECT_EQ(Clipping(shown, &window), "") << name;
    }
}

INSTANTIATE_TEST_SUITE_P(Sizes, ControlsReach,
                         ::testing::Values(WindowSize{"FirstStart", 0, 0}, WindowSize{"Size1280x800", 1280, 800},
                                           WindowSize{"Size1024x700", 1024, 700}),
                         [](const auto& row) { return std::string(row.param.Name); });

}  // namespace
}  // namespace corvel
