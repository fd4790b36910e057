#pragma once

#include <QRect>
#include <QSize>

class QWidget;

namespace corvel {
class ViewSettings;
}

namespace corvel::gui {

// The placement of a window in the view settings: ShowCmd (1 normal,
// 2 minimized, 3 maximized), Flags, PixelsPerInch, and the rectangles NormPos
// (the normal window) and MinMaxPos as "left,top,right,bottom", each written
// under the plain key and under one for the screen size ("NormPos_1920x1080").
void SaveWindowPlacement(ViewSettings& view, const char* form, const QWidget& window);

// Gives the window its stored placement: the rectangle for the current screen
// size when there is one, else the plain one, used only when it was stored at
// the current pixel density and lies on a screen. Otherwise the window gets
// `designed` (bounded by the screen) centred on the screen. A window closed
// while minimized starts normal.
void RestoreWindowPlacement(const ViewSettings& view, const char* form, QWidget& window, QSize designed);

// True when a window at `rect` can be reached: its top middle, where the
// caption is, lies within the available area of one of the screens.
bool RectOnSomeScreen(const QRect& rect);

}  // namespace corvel::gui
