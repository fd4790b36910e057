#pragma once

class QWidget;

namespace corvel::gui {

// How many of the newest draws a test runs over (the test count input): 1..maximum,
// 10 proposed (or the maximum when smaller). 0 when the person cancels.
inline constexpr int kProposedTests = 10;
int AskTestCount(QWidget* parent, int maximum);

}  // namespace corvel::gui
