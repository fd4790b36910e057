#include "WindowPlacement.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>
#include <optional>
#include <string>
#include <vector>

#include "model/ViewSettings.h"

namespace corvel::gui {
namespace {

constexpr int kShowNormal = 1;
constexpr int kShowMinimized = 2;
constexpr int kShowMaximized = 3;
constexpr int kMinWidth = 200;
constexpr int kMinHeight = 150;

QScreen* ScreenOf(const QWidget& window) {
    QScreen* screen = window.screen();
    return screen ? screen : QGuiApplication::primaryScreen();
}

int PixelsPerInch(const QScreen* screen) {
    return screen ? static_cast<int>(std::lround(screen->logicalDotsPerInch())) : 96;
}

std::string SizedKey(const char* key, const QScreen* screen) {
    const QSize size = screen ? screen->geometry().size() : QSize();
    return std::string(key) + "_" + std::to_string(size.width()) + "x" + std::to_string(size.height());
}

// Left, top, right, bottom; right and bottom lie just outside the rectangle.
std::vector<int> Edges(const QRect& r) { return {r.left(), r.top(), r.left() + r.width(), r.top() + r.height()}; }

std::optional<QRect> StoredRect(const ViewSettings& view, const char* form, const QScreen* screen) {
    auto edges = view.ReadInts(form, SizedKey("NormPos", screen), 4);
    if (!edges) edges = view.ReadInts(form, "NormPos", 4);
    if (!edges) return std::nullopt;
    const auto& e = *edges;
    const QRect rect(e[0], e[1], e[2] - e[0], e[3] - e[1]);
    if (rect.width() < kMinWidth || rect.height() < kMinHeight) return std::nullopt;
    return rect;
}

}  // namespace

bool RectOnSomeScreen(const QRect& rect) {
    const QPoint caption(rect.left() + rect.width() / 2, rect.top() + 8);
    for (const QScreen* screen : QGuiApplication::screens())
        if (screen->availableGeometry().contains(caption)) return true;
    return false;
}

void SaveWindowPlacement(ViewSettings& view, const char* form, const QWidget& window) {
    const QScreen* screen = ScreenOf(window);
    const int show = window.isMaximized() ? kShowMaximized : window.isMinimized() ? kShowMinimized : kShowNormal;
    const std::vector<int> normal = Edges(window.normalGeometry());
    const std::vector<int> minMax{-1, -1, -1, -1};
    view.WriteInt(form, "Flags", 0);
    view.WriteInt(form, "ShowCmd", show);
    view.WriteInt(form, "PixelsPerInch", PixelsPerInch(screen));
    view.WriteInts(form, "MinMaxPos", minMax);
    view.WriteInts(form, SizedKey("MinMaxPos", screen), minMax);
    view.WriteInts(form, "NormPos", normal);
    view.WriteInts(form, SizedKey("NormPos", screen), normal);
}

void RestoreWindowPlacement(const ViewSettings& view, const char* form, QWidget& window, QSize designed) {
    const QScreen* screen = ScreenOf(window);
    const QRect available = screen ? screen->availableGeometry() : QRect(0, 0, designed.width(), designed.height());
    std::optional<QRect> rect = StoredRect(view, form, screen);
    // A rectangle of another pixel density means other sizes; one off every
    // screen (a screen since removed) would put the window out of reach.
    if (rect && (view.ReadInt(form, "PixelsPerInch", 0) != PixelsPerInch(screen) || !RectOnSomeScreen(*rect)))
        rect.reset();
    if (rect) {
        window.setGeometry(*rect);
    } else {
        // A window that cannot get smaller than the screen starts at its
        // top left corner, with the caption on the screen.
        // Nine tenths of the screen at most leaves room for the frame and
        // the caption the window manager adds.
        const QSize room(available.width() * 9 / 10, available.height() * 9 / 10);
        const QSize size = designed.boundedTo(room).expandedTo(window.minimumSizeHint());
        QRect centred(QPoint(), size);
        centred.moveCenter(available.center());
        centred.moveTo(std::max(centred.left(), available.left()), std::max(centred.top(), available.top()));
        window.setGeometry(centred);
    }
    if (view.ReadInt(form, "ShowCmd", kShowNormal) == kShowMaximized) window.setWindowState(Qt::WindowMaximized);
}

}  // namespace corvel::gui
