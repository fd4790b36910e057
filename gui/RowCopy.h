#pragma once

#include <QString>

class QAction;
class QTableView;

namespace corvel::gui {

// The selected rows of a table as text: the shown columns in their shown
// order joined with tabs, one line per row (top to bottom), lines joined with
// CR LF.
QString SelectedRowsText(const QTableView& view);

// Ctrl+C on the table (while it has the focus) puts its selected rows on the
// clipboard; the command also shows in the table's context menu.
QAction* AddRowCopyAction(QTableView& view);

}  // namespace corvel::gui
